// Arbitrary replies for every synchronous operation of the table: parameters
// named like the ones the proxies read or anything else, of any kind and
// direction, with any value; the channel may throw at the call, or any one of
// the operation's reads may meet a value of the wrong kind. Whatever comes
// back, an operation may let through only what its pattern lets through, and
// a failure at the call must leave the caller's variables alone.
//
// Input, read from the front (a short input simply ends early):
//   operation, fault, k, parameter count,
//   per parameter: name selector [, name], kind and direction, value,
//   then the contents of the caller's variables.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "OperationTable.h"

using namespace reliability;

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return position_ < size_ ? data_[position_++] : 0; }
    int number() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(byte()) << (8 * i);
        return static_cast<int>(value);
    }
    std::string text() {
        const std::size_t length = byte();
        std::string value;
        while (value.size() < length && position_ < size_) value += static_cast<char>(data_[position_++]);
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

class FuzzChannel : public ProxyRequest {
public:
    Method reply;
    bool failAtCall = false;

    bool synchronousCall(Method&, Method& out, std::string&) override { return answer(out); }
    bool synchronousCall(Method&, Method& out, std::string&, int) override { return answer(out); }

private:
    bool answer(Method& out) {
        if (failAtCall) throw CorvexException("fuzz: call failed");
        out = reply;
        return true;
    }
};

class FuzzContext : public FrameworkContext {
public:
    std::string findChannel(Executable*) override { return "fuzz-channel"; }
};

int reboots = 0;

[[noreturn]] void violated(const Operation& operation, const char* what) {
    std::fprintf(stderr, "%s (pattern %s): %s\n", operation.name, nameOf(operation.pattern), what);
    std::abort();
}

const std::vector<const Operation*>& synchronousOperations() {
    static const std::vector<const Operation*> found = [] {
        std::vector<const Operation*> list;
        for (const Operation& operation : operations())
            if (operation.synchronous()) list.push_back(&operation);
        return list;
    }();
    return found;
}

// The names the proxies read, and texts their checks and parsers care about.
const std::vector<std::string>& knownNames() {
    static const std::vector<std::string> names = [] {
        std::set<std::string> unique;
        for (const Operation& operation : operations())
            for (const Read& read : operation.reads) unique.insert(read.name);
        return std::vector<std::string>(unique.begin(), unique.end());
    }();
    return names;
}

const std::vector<std::string>& knownTexts() {
    static const std::vector<std::string> texts = {
        "SUCCESS", "SUCCESS ", "success", "", "empty", "[]", "[,]", "[a\\,b,c]", "[\\x4", "=", "a=b=c",
        validText(Target::Files), validText(Target::Data), validText(Target::Info),
        malformedText(Target::Files), malformedText(Target::Data), malformedText(Target::Info),
        "%s%n%x"};
    return texts;
}

void addParameter(Method& reply, Input& input) {
    const std::uint8_t selector = input.byte();
    const std::string name = selector < 224 ? knownNames()[selector % knownNames().size()] : input.text();
    const std::uint8_t shape = input.byte();
    const auto direction = static_cast<Parameter::directions>((shape / 3) % 3);
    switch (shape % 3) {
        case Parameter::INT: reply.addIntParameter(name.c_str(), input.number(), direction); break;
        case Parameter::BOOL: reply.addBoolParameter(name.c_str(), (input.byte() & 1) != 0, direction); break;
        default: {
            const std::uint8_t choice = input.byte();
            const std::string value =
                choice < 128 ? knownTexts()[choice % knownTexts().size()] : input.text();
            reply.addStringParameter(name.c_str(), value, direction);
        }
    }
}

void fillCallerArgs(CallerArgs& args, Input& input) {
    args.identifier = input.text();
    args.filename = input.text();
    for (int count = input.byte() % 4; count > 0; --count) args.files.push_back(input.text());
    for (int count = input.byte() % 4; count > 0; --count) {
        std::string key = input.text();
        args.data.setValue(key, input.text());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setLogSink([](const LogRecord&) {});
    for (int level = 0; level < 16; ++level) setLogLevelEnabled(level, true);
    GPALAdmin::setRebootHandler([] { ++reboots; });
    // The reboot fallback prints on every failed reboot call; libFuzzer reports on stderr.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const Operation& operation = *synchronousOperations()[input.byte() % synchronousOperations().size()];
    const std::uint8_t fault = input.byte() % 4;
    const std::size_t k = input.byte() % operation.reads.size();

    FuzzChannel channel;
    FuzzContext context;
    channel.frameworkContext = &context;
    channel.failAtCall = fault == 1;
    if (fault == 2) {
        // Found first, so the k-th read meets the wrong kind whatever follows.
        const Read& read = operation.reads[k];
        if (read.kind == Parameter::STRING)
            channel.reply.addIntParameter(read.name, 0, read.direction);
        else
            channel.reply.addStringParameter(read.name, "wrong kind", read.direction);
    }
    for (int count = input.byte() % 16; count > 0; --count) addParameter(channel.reply, input);

    Proxies proxies(channel);
    CallerArgs args;
    fillCallerArgs(args, input);
    const CallerArgs before = args;
    const int rebootsBefore = reboots;

    Result result;
    if (operation.pattern == Pattern::C) {
        try {
            result = operation.call(proxies, args);
        } catch (const CorvexException&) {
            return 0;  // pattern C lets the framework's failures through
        }
        if (channel.failAtCall) violated(operation, "a failed call returned normally");
        return 0;
    }
    result = operation.call(proxies, args);  // D, E, F: nothing may escape

    const bool failedBeforeAnyRead = channel.failAtCall || (fault == 2 && k == 0);
    if (!failedBeforeAnyRead) return 0;
    if (operation.pattern == Pattern::F) {
        if (result != show(true)) violated(operation, "reboot fallback did not report success");
        if (reboots != rebootsBefore + 1) violated(operation, "reboot fallback did not reboot once");
    } else if (result != operation.starting) {
        violated(operation, "failed call did not return the starting value");
    }
    if (!(args == before)) violated(operation, "failed call changed the caller's variables");
    return 0;
}
