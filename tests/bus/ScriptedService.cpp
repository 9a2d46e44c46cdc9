#include "ScriptedService.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "ChildProcess.h"
#include "bus/BusService.h"

namespace bustest {

namespace {

class ScriptedBackend : public ProxyRequest {
public:
    explicit ScriptedBackend(ScriptedService::Answer answer) : answer_(std::move(answer)) {}

    bool synchronousCall(Method& request, Method& reply, std::string&) override {
        answer_(request, reply);
        return true;
    }
    bool synchronousCall(Method& request, Method& reply, std::string& channel, int) override {
        return synchronousCall(request, reply, channel);
    }
    bool asynchronousCall(Method& request) override {
        Method ignored;
        answer_(request, ignored);
        return true;
    }
    bool asynchronousCallWithChannel(Method& request, std::string&) override { return asynchronousCall(request); }

private:
    ScriptedService::Answer answer_;
};

// The child's whole life: serve until killed.
[[noreturn]] void serve(const std::string& busName, ScriptedService::Answer answer, int ready) {
    try {
        ScriptedBackend backend(std::move(answer));
        mgmtbus::BusService service(std::string(), busName, backend, {});
        const char line = '\n';
        if (write(ready, &line, 1) != 1) _exit(2);
        service.run();
    } catch (...) {
        _exit(3);
    }
    _exit(0);
}

}  // namespace

ScriptedService::ScriptedService(const std::string& busName, Answer answer) {
    Pipe pipe;
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) serve(busName, std::move(answer), pipe.writeEnd.get());
    pipe.writeEnd.reset();  // so a child that dies early reads as the end
    char line = 0;
    if (read(pipe.readEnd.get(), &line, 1) != 1) {
        waitpid(pid_, nullptr, 0);
        throw std::runtime_error("the scripted service " + busName + " did not come up");
    }
}

ScriptedService::~ScriptedService() {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

}  // namespace bustest
