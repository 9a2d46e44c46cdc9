// Arbitrary replies for every synchronous operation of the description: parameters
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

#include "RowDriver.h"

using namespace testing_support;
using mgmtdesc::Pattern;

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

[[noreturn]] void violated(const Operation& row, const char* what) {
    std::fprintf(stderr, "%s (pattern %s): %s\n", row.name, mgmtdesc::nameOf(row.pattern), what);
    std::abort();
}

const std::vector<const Operation*>& synchronousRows() {
    static const std::vector<const Operation*> found = [] {
        std::vector<const Operation*> list;
        for (const Operation& row : mgmtdesc::operations())
            if (row.synchronous()) list.push_back(&row);
        return list;
    }();
    return found;
}

// The names the proxies read, and texts their checks and parsers care about:
// among them every text a scripted reply carries, well formed or not.
const std::vector<std::string>& knownNames() {
    static const std::vector<std::string> names = [] {
        std::set<std::string> unique;
        for (const Operation& row : mgmtdesc::operations())
            for (const mgmtdesc::Read& read : row.reply) unique.insert(read.name);
        return std::vector<std::string>(unique.begin(), unique.end());
    }();
    return names;
}

const std::vector<std::string>& knownTexts() {
    static const std::vector<std::string> texts = [] {
        std::set<std::string> unique = {"SUCCESS ", "success", "", "empty", "[]", "[,]", "[a\\,b,c]",
                                        "[\\x4", "=", "a=b=c", "%s%n%x"};
        for (const Operation* row : synchronousRows()) {
            for (const ReplyFault fault : {ReplyFault::None, ReplyFault::Malformed}) {
                for (std::size_t read = 0; read < row->reply.size(); ++read) {
                    if (fault == ReplyFault::Malformed && !refillsObject(*row, read)) continue;
                    const Method reply = scriptedReply(*row, fault, read);
                    for (const Parameter& value : reply.parameters())
                        if (value.kind() == Parameter::STRING) unique.insert(value.stringValue());
                }
            }
        }
        return std::vector<std::string>(unique.begin(), unique.end());
    }();
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

// The caller's texts, lists and data replaced by the input's.
void fillArguments(ArgumentValues& arguments, Input& input) {
    for (ArgumentValue& argument : arguments) {
        if (auto* text = std::get_if<std::string>(&argument)) {
            *text = input.text();
        } else if (auto* names = std::get_if<std::list<std::string>>(&argument)) {
            names->clear();
            for (int count = input.byte() % 4; count > 0; --count) names->push_back(input.text());
        } else if (auto* data = std::get_if<ManageableData>(&argument)) {
            for (int count = input.byte() % 4; count > 0; --count) {
                std::string key = input.text();
                data->setValue(key, input.text());
            }
        }
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
    const Operation& row = *synchronousRows()[input.byte() % synchronousRows().size()];
    const std::uint8_t fault = input.byte() % 4;
    const std::size_t k = input.byte() % row.reply.size();

    FuzzChannel channel;
    FuzzContext context;
    channel.frameworkContext = &context;
    channel.failAtCall = fault == 1;
    if (fault == 2) {
        // Found first, so the k-th read meets the wrong kind whatever follows.
        const mgmtdesc::Read& read = row.reply[k];
        if (read.kind == Parameter::STRING)
            channel.reply.addIntParameter(read.name, 0, read.direction);
        else
            channel.reply.addStringParameter(read.name, "wrong kind", read.direction);
    }
    for (int count = input.byte() % 16; count > 0; --count) addParameter(channel.reply, input);

    Proxies proxies(channel);
    ArgumentValues arguments = sampleArguments(row, proxies.agent);
    fillArguments(arguments, input);
    const Outcome before = startingOutcome(row, arguments);
    const int rebootsBefore = reboots;

    Result result;
    if (row.pattern == Pattern::C) {
        try {
            result = call(row, proxies, arguments);
        } catch (const CorvexException&) {
            return 0;  // pattern C lets the framework's failures through
        }
        if (channel.failAtCall) violated(row, "a failed call returned normally");
        return 0;
    }
    result = call(row, proxies, arguments);  // D, E, F: nothing may escape

    const bool failedBeforeAnyRead = channel.failAtCall || (fault == 2 && k == 0);
    if (!failedBeforeAnyRead) return 0;
    if (row.pattern == Pattern::F) {
        if (show(result) != show(ArgumentValue(true))) violated(row, "reboot fallback did not report success");
        if (reboots != rebootsBefore + 1) violated(row, "reboot fallback did not reboot once");
    } else if (show(result) != show(before.result)) {
        violated(row, "failed call did not return the starting value");
    }
    if (show(arguments) != show(before.arguments)) violated(row, "failed call changed the caller's variables");
    return 0;
}
