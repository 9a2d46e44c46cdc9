// The proxies over the bus against their bus floor: the same arguments sent
// and the same reply read by hand with sdbus-c++, to the same served
// telephone on the same private bus. Also the same calls against the
// telephone embedded in this process, and calls per second from 1, 4 and 8
// client processes against the served telephone and against a raw sdbus-c++
// service with the same signatures that does no work. The bench starts its
// own dbus-daemon, `mgmtctl serve` and the raw service.
//
// usage: bus_bench [benchmark options]   (bus_bench --client ADDRESS NAME CALLS
// and bus_bench --raw-service ADDRESS are processes it starts itself)
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <list>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <sdbus-c++/sdbus-c++.h>

#include "LocalMgmtProxy.h"
#include "bus/BusChannel.h"
#include "bus/BusContext.h"
#include "RawService.h"
#include "testing/SimulatedPhone.h"

namespace {

const char* gSelf = nullptr;
std::string gAddress;

class Agent : public MgmtAgentIfc, public Executable {
public:
    void init(Context&) override {}
    void shutdown() override {}
};

// A child process, ended with SIGTERM when it goes out of scope.
class Child {
public:
    explicit Child(std::vector<std::string> argv, int stdoutFd = -1) {
        pid_ = fork();
        if (pid_ < 0) throw std::runtime_error("fork failed");
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);  // also when the bench is killed
            if (stdoutFd >= 0) dup2(stdoutFd, 1);
            std::vector<char*> args;
            for (std::string& arg : argv) args.push_back(arg.data());
            args.push_back(nullptr);
            execv(args[0], args.data());
            _exit(127);
        }
    }
    ~Child() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    int wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }

private:
    pid_t pid_;
};

// A private dbus-daemon; its address is read from the pipe it prints it to.
std::unique_ptr<Child> startBus() {
    int fds[2];
    if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
    auto daemon = std::make_unique<Child>(
        std::vector<std::string>{"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1"}, fds[1]);
    close(fds[1]);
    char buffer[512] = {};
    std::size_t got = 0;
    while (got < sizeof buffer - 1) {
        const ssize_t n = read(fds[0], buffer + got, 1);
        if (n <= 0 || buffer[got] == '\n') break;
        ++got;
    }
    close(fds[0]);
    gAddress.assign(buffer, got);
    if (gAddress.empty()) throw std::runtime_error("dbus-daemon printed no address");
    return daemon;
}

void waitForService(const std::string& busName) {
    mgmtbus::BusChannel channel(gAddress, busName);
    for (int tries = 0; tries < 600; ++tries) {
        try {
            Method request("retrievePhoneBusyStatus", Method::REQUEST), reply;
            std::string none;
            channel.synchronousCall(request, reply, none);
            return;
        } catch (const CorvexException&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    throw std::runtime_error(busName + " did not come up");
}

// ---------------------------------------------------------------------------
// The shapes: what the proxy is asked, and the same message by hand.

struct Rig {
    LocalMgmtProxy proxy;
    Agent agent;
    ManageableData data;
    std::list<std::string> files{"caller-1.wav", "caller-2.wav"};
};

struct Floor {
    std::unique_ptr<sdbus::IConnection> connection;
    std::unique_ptr<sdbus::IProxy> service;
    std::string agentChannel;  // as the bus context names Rig::agent
    std::string filesText, dataText;

    Floor() : connection(sdbus::createSessionBusConnectionWithAddress(gAddress)) {
        service = sdbus::createProxy(*connection, mgmtbus::kServiceBusName, mgmtbus::kServicePath);
        connection->enterEventLoopAsync();
    }
    ~Floor() { connection->leaveEventLoop(); }

    sdbus::MethodCall call(const char* member) { return service->createMethodCall(mgmtbus::kRemoteInterface, member); }
};

struct Shape {
    const char* name;
    bool oneWay;
    std::function<void(Rig&)> proxy;
    std::function<void(Floor&)> floor;
};

const std::vector<Shape>& shapes() {
    static const std::vector<Shape> all = {
        {"short", false,
         [](Rig& r) { benchmark::DoNotOptimize(r.proxy.uploadUserFile(LocalMgmtIfc::FILETYPE_RINGER, "Classic.raw")); },
         [](Floor& f) {
             auto message = f.call("uploadUserFile");
             message << int32_t{11} << std::string("Classic.raw") << std::string();
             auto reply = f.service->callMethod(message, 25000000u);
             int32_t result = 0;
             std::vector<std::string> replied;
             reply >> result >> replied;
             benchmark::DoNotOptimize(result);
         }},
        {"list", false,
         [](Rig& r) {
             std::list<std::string> files = r.files;
             benchmark::DoNotOptimize(r.proxy.getListOfFilesOfType(LocalMgmtIfc::FILETYPE_RINGER, &files));
         },
         [](Floor& f) {
             auto message = f.call("getListOfFilesOfType");
             message << std::string("ringer") << f.filesText << std::string();
             auto reply = f.service->callMethod(message, 25000000u);
             std::string files;
             std::vector<std::string> replied;
             reply >> files >> replied;
             benchmark::DoNotOptimize(files);
         }},
        {"ManageableData", false,
         [](Rig& r) {
             ManageableData data = r.data;
             benchmark::DoNotOptimize(r.proxy.setData(data));
         },
         [](Floor& f) {
             auto message = f.call("setData");
             message << f.dataText << std::string();
             auto reply = f.service->callMethod(message, 25000000u);
             bool result = false;
             std::string data;
             std::vector<std::string> replied;
             reply >> result >> data >> replied;
             benchmark::DoNotOptimize(data);
         }},
        {"callback channel", false,
         [](Rig& r) { benchmark::DoNotOptimize(r.proxy.observeManageableData("audio", &r.agent)); },
         [](Floor& f) {
             auto message = f.call("observeData");
             message << std::string("audio") << f.agentChannel;
             auto reply = f.service->callMethod(message, 25000000u);
             bool result = false;
             std::vector<std::string> replied;
             reply >> result >> replied;
             benchmark::DoNotOptimize(result);
         }},
        {"one-way short", true, [](Rig& r) { r.proxy.setPhoneBusyStatus(1); },
         [](Floor& f) {
             auto message = f.call("setPhoneBusyStatus");
             message << int32_t{1} << std::string();
             message.dontExpectReply();
             f.service->callMethod(message);
         }},
        {"one-way callback channel", true, [](Rig& r) { r.proxy.registerManagementIdentity("bench-agent", &r.agent); },
         [](Floor& f) {
             auto message = f.call("registerManagementIdentity");
             message << std::string("bench-agent") << f.agentChannel;
             message.dontExpectReply();
             f.service->callMethod(message);
         }},
    };
    return all;
}

void prepare(Rig& rig) {
    rig.data.setValue("audio.ringVolume", "7");
    rig.data.setValue("display.brightness", "5");
    rig.data.setValue("network.hostname", "desk-phone");
}

// One-way calls pile up at the service; they are waited for before the next run.
void drain(mgmtbus::BusChannel& channel) {
    channel.setDefaultTimeout(600000);
    Method request("retrievePhoneBusyStatus", Method::REQUEST), reply;
    std::string none;
    channel.synchronousCall(request, reply, none);
}

// Proxy and floor in alternating batches, the order flipped on every pair,
// so a machine busy with other work slows both alike. Reported per call: the
// medians of the proxy's and the floor's batches and the median of the
// per-pair ratios.
constexpr int kBatch = 20;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void againstFloor(benchmark::State& state, const Shape* shape) {
    mgmtbus::BusChannel channel(gAddress);
    Rig rig;
    prepare(rig);
    rig.proxy.initProxy(channel);
    Floor floor;
    floor.agentChannel = channel.context().findChannel(&rig.agent);
    Serializer::serialize(floor.filesText, rig.files);
    floor.dataText = rig.data.serialize(ManageableData::KEY_VALUE_TEXT);

    const auto batch = [](const std::function<void()>& call) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kBatch; ++i) call();
        return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count() / kBatch;
    };
    const auto proxyCall = [&] { shape->proxy(rig); };
    const auto floorCall = [&] { shape->floor(floor); };
    std::vector<double> proxyTimes, floorTimes, ratios;
    bool proxyFirst = true;
    for (auto _ : state) {
        double proxyTime = 0, floorTime = 0;
        if (proxyFirst) {
            proxyTime = batch(proxyCall);
            floorTime = batch(floorCall);
        } else {
            floorTime = batch(floorCall);
            proxyTime = batch(proxyCall);
        }
        proxyFirst = !proxyFirst;
        proxyTimes.push_back(proxyTime);
        floorTimes.push_back(floorTime);
        ratios.push_back(proxyTime / floorTime);
        state.SetIterationTime((proxyTime + floorTime) * kBatch * 1e-9);
        // The service answers one-way calls at its own pace; without this the
        // next batches would queue behind a growing backlog.
        if (shape->oneWay) drain(channel);
    }
    drain(channel);
    state.counters["proxy_ns"] = median(proxyTimes);
    state.counters["floor_ns"] = median(floorTimes);
    state.counters["proxy/floor"] = median(ratios);
}

void embedded(benchmark::State& state, const Shape* shape) {
    mgmtkit::SimulatedPhone phone;
    mgmtkit::SimulatedContext context;
    phone.frameworkContext = &context;
    Rig rig;
    prepare(rig);
    rig.proxy.initProxy(phone);
    for (auto _ : state) {
        shape->proxy(rig);
        phone.clearCalls();
    }
}

// N client processes, each making its calls as fast as answers come, against
// the served telephone and against the raw service in alternating runs (the
// order flipped each time), so a busy machine slows both alike.
constexpr int kCallsPerClient = 5000;

double callsPerSecond(int clients, const char* busName) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::unique_ptr<Child>> running;
    for (int i = 0; i < clients; ++i)
        running.push_back(std::make_unique<Child>(
            std::vector<std::string>{gSelf, "--client", gAddress, busName, std::to_string(kCallsPerClient)}));
    for (auto& child : running)
        if (child->wait() != 0) throw std::runtime_error("a client process failed");
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return clients * kCallsPerClient / took.count();
}

void clientProcesses(benchmark::State& state) {
    const int clients = static_cast<int>(state.range(0));
    std::vector<double> served, raw, ratios;
    bool servedFirst = true;
    for (auto _ : state) {
        double servedRate = 0, rawRate = 0;
        try {
            if (servedFirst) servedRate = callsPerSecond(clients, mgmtbus::kServiceBusName);
            rawRate = callsPerSecond(clients, kRawBusName);
            if (!servedFirst) servedRate = callsPerSecond(clients, mgmtbus::kServiceBusName);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            break;
        }
        servedFirst = !servedFirst;
        served.push_back(servedRate);
        raw.push_back(rawRate);
        ratios.push_back(servedRate / rawRate);
    }
    state.counters["served_calls/s"] = median(served);
    state.counters["raw_calls/s"] = median(raw);
    state.counters["served/raw"] = median(ratios);
}

int runClient(const std::string& address, const std::string& busName, int calls) {
    gAddress = address;
    mgmtbus::BusChannel channel(gAddress, busName);
    Rig rig;
    prepare(rig);
    rig.proxy.initProxy(channel);
    for (int i = 0; i < calls; ++i) shapes()[static_cast<std::size_t>(i % 2)].proxy(rig);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    gSelf = argv[0];
    if (argc == 5 && std::string(argv[1]) == "--client") return runClient(argv[2], argv[3], std::stoi(argv[4]));
    if (argc == 3 && std::string(argv[1]) == "--raw-service") return runRawService(argv[2], kRawBusName);

    const auto bus = startBus();
    Child served({MGMTCTL_PATH, "serve", "--bus=" + gAddress});
    Child raw({gSelf, "--raw-service", gAddress});
    waitForService(mgmtbus::kServiceBusName);
    waitForService(kRawBusName);
    for (const Shape& shape : shapes()) {
        const std::string name = shape.name;
        // Timed by the wall clock: a call over the bus mostly waits, which CPU time would not see.
        benchmark::RegisterBenchmark(("bus/" + name).c_str(), againstFloor, &shape)->UseManualTime();
        benchmark::RegisterBenchmark(("embedded/" + name).c_str(), embedded, &shape)->UseRealTime();
    }
    benchmark::RegisterBenchmark("bus/processes", clientProcesses)->Arg(1)->Arg(4)->Arg(8)->UseRealTime()->Iterations(7);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
