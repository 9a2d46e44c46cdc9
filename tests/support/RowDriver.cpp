#include "RowDriver.h"

#include <stdexcept>
#include <string_view>
#include <variant>

namespace testing_support {

namespace {

using mgmtdesc::ArgType;
using mgmtdesc::Argument;
using mgmtdesc::Read;
using mgmtdesc::Role;
using Names = std::list<std::string>;

// Values inside ManageableData that are passwords; none may reach a log.
const char* const kDataPassword = "Md-Secret-3307";
const char* const kDataAdminPassword = "Md-Secret-7719";

const int kScriptedNumber = 42;

std::string passwordOf(const Operation& row) { return std::string("Secret-") + row.name; }

[[noreturn]] void unsupported(const Operation& row, const std::string& what) {
    throw std::logic_error(std::string(row.name) + ": the row driver cannot " + what);
}

std::size_t indexOf(const Operation& row, const char* argument) {
    for (std::size_t i = 0; i < row.arguments.size(); ++i)
        if (std::string_view(row.arguments[i].name) == argument) return i;
    unsupported(row, std::string("find its argument ") + argument);
}

ArgumentValue sampleOf(const Operation& row, const Argument& argument, Agent& agent, int& flags) {
    const std::string name = argument.name;
    switch (argument.type) {
        case ArgType::Int: return 6;
        case ArgType::Unsigned: return 5u;
        case ArgType::Bool: return flags++ % 2 == 0;
        case ArgType::Text: return name == "password" ? passwordOf(row) : name + "-1";
        case ArgType::List: return Names{name + "-1", name + "-2"};
        case ArgType::Data: {
            ManageableData data;
            data.setValue("ringVolume", "7");
            data.setValue("sipPassword", kDataPassword);
            data.setValue("ADMIN_PASSWORD", kDataAdminPassword);
            return data;
        }
        case ArgType::TrapData: {
            SNMPTrapData trap;
            trap.setValue("oid", "1.3.6.1.4.1.9999.1");
            trap.setValue("text", "a=b;c");  // separators inside a value travel escaped
            return trap;
        }
        case ArgType::Info: {
            MemoryInfo info;
            info.setValue("free", "1");
            return info;
        }
        case ArgType::Agent:
        case ArgType::Observer: return mgmtkit::AgentHandle::of(&agent);
        default: {
            // An enumeration: a named value from the middle, so neither the
            // first nor the last case of a conversion is the only one seen.
            const mgmtdesc::Enumeration& enumeration = *mgmtdesc::enumerationOf(argument.type);
            return enumeration.enumerators[enumeration.enumerators.size() / 2].value;
        }
    }
}

int numberOf(const ArgumentValue& value) {
    if (const auto* unsignedNumber = std::get_if<unsigned int>(&value)) return static_cast<int>(*unsignedNumber);
    return std::get<int>(value);
}

// An argument as one string on the wire: file and user types by the service's
// name for them, lists through Serializer, objects through their serialize.
std::string textOf(ArgType type, const ArgumentValue& value) {
    if (type == ArgType::FileType || type == ArgType::UserType)
        return mgmtdesc::enumerationOf(type)->wireNameOf(std::get<int>(value));
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* names = std::get_if<Names>(&value)) {
        std::string text;
        Serializer::serialize(text, *names);
        return text;
    }
    if (const auto* data = std::get_if<ManageableData>(&value))
        return ManageableData(*data).serialize(ManageableData::KEY_VALUE_TEXT);
    if (const auto* trap = std::get_if<SNMPTrapData>(&value)) return SNMPTrapData(*trap).serialize();
    throw std::logic_error(std::string("no text form for a ") + mgmtdesc::nameOf(type));
}

const Argument* targetOf(const Operation& row, const Read& read) {
    return read.role == Role::Argument ? &row.arguments.at(indexOf(row, read.into)) : nullptr;
}

bool isObject(const Argument* target) {
    return target != nullptr &&
           (target->type == ArgType::List || target->type == ArgType::Data || target->type == ArgType::Info);
}

std::string scriptedText(const Operation& row, const Read& read) {
    if (read.role == Role::Status) return "SUCCESS";
    const Argument* target = targetOf(row, read);
    if (!isObject(target)) return std::string("reply:") + read.name;
    switch (target->type) {
        case ArgType::List: return "[reply-a.wav,reply-b.wav]";
        case ArgType::Data: return "answer=42;source=reply";
        default: return "free=10;total=20";
    }
}

std::string malformedText(const Argument& target) {
    switch (target.type) {
        case ArgType::List: return "[unterminated";
        case ArgType::Data: return "entry-without-equals";
        default: return "free=10;broken";
    }
}

// The text read into an argument, as the argument takes it.
void refill(ArgumentValue& target, std::string text) {
    if (auto* plain = std::get_if<std::string>(&target))
        *plain = text;
    else if (auto* names = std::get_if<Names>(&target))
        Serializer::deserialize(text, *names);
    else if (auto* data = std::get_if<ManageableData>(&target))
        data->deserialize(text);
    else
        std::get<MemoryInfo>(target).deserialize(text);
}

ArgumentValue resultOf(const Operation& row, const char* text) {
    const std::string type = row.result;
    if (type == "bool") return std::string_view(text) == "true";
    if (type == "int") return std::stoi(text);
    if (type == "unsigned int") return static_cast<unsigned int>(std::stoul(text));
    return std::string(text);
}

ArgumentValue scriptedResult(const Operation& row, const Read& read) {
    switch (read.kind) {
        case Parameter::INT: return resultOf(row, std::to_string(kScriptedNumber).c_str());
        case Parameter::BOOL: return true;
        default: return scriptedText(row, read);
    }
}

}  // namespace

void Proxies::bind(ProxyRequest& channel) {
    local.initProxy(channel);
    actions.initProxy(channel);
    location.initProxy(channel);
}

ArgumentValues sampleArguments(const Operation& row, Agent& agent) {
    ArgumentValues values;
    int flags = 0;
    for (const Argument& argument : row.arguments) values.push_back(sampleOf(row, argument, agent, flags));
    return values;
}

const std::vector<std::string>& secrets() {
    static const std::vector<std::string> all = [] {
        std::vector<std::string> found = {kDataPassword, kDataAdminPassword};
        for (const Operation& row : mgmtdesc::operations())
            if (row.argument("password") != nullptr) found.push_back(passwordOf(row));
        return found;
    }();
    return all;
}

Result call(const Operation& row, Proxies& proxies, ArgumentValues& arguments) {
    if (row.interface != mgmtdesc::Interface::LocalMgmtProxy)
        return mgmtkit::callOperation(row, {&proxies.local, &proxies.actions, &proxies.location}, arguments);
    // No interface reaches these two.
    const std::string& text = std::get<std::string>(arguments.at(0));
    const std::string_view member = row.member;
    if (member == "validateSNMPTrapPort") return proxies.local.validateSNMPTrapPort(text);
    if (member == "validateSNMPTrapIPAddress") return proxies.local.validateSNMPTrapIPAddress(text);
    unsupported(row, "call a member of the proxy class it does not know");
}

Method expectedRequest(const Operation& row, const ArgumentValues& arguments) {
    Method request(row.remote, Method::REQUEST);
    for (const mgmtdesc::Sent& sent : row.request) {
        const Argument* from = sent.from != nullptr ? &row.arguments.at(indexOf(row, sent.from)) : nullptr;
        const ArgumentValue* value = from != nullptr ? &arguments.at(indexOf(row, sent.from)) : nullptr;
        switch (sent.kind) {
            case Parameter::INT: request.addIntParameter(sent.name, value ? numberOf(*value) : 0, sent.direction); break;
            case Parameter::BOOL:
                request.addBoolParameter(sent.name, value && std::get<bool>(*value), sent.direction);
                break;
            case Parameter::STRING:
                request.addStringParameter(sent.name, value ? textOf(from->type, *value) : std::string(),
                                           sent.direction);
                break;
        }
    }
    return request;
}

Method scriptedReply(const Operation& row, ReplyFault fault, std::size_t at) {
    Method reply;
    if (fault == ReplyFault::Empty) return reply;
    for (std::size_t i = 0; i < row.reply.size(); ++i) {
        const Read& read = row.reply[i];
        if (fault == ReplyFault::WrongKind && i == at) {
            if (read.kind == Parameter::STRING)
                reply.addIntParameter(read.name, 13, read.direction);
            else
                reply.addStringParameter(read.name, "not a number", read.direction);
        } else if (fault == ReplyFault::Malformed && i == at) {
            if (!refillsObject(row, i)) unsupported(row, std::string("malform ") + read.name);
            reply.addStringParameter(read.name, malformedText(*targetOf(row, read)), read.direction);
        } else if (read.kind == Parameter::INT) {
            reply.addIntParameter(read.name, kScriptedNumber, read.direction);
        } else if (read.kind == Parameter::BOOL) {
            reply.addBoolParameter(read.name, true, read.direction);
        } else {
            reply.addStringParameter(read.name, scriptedText(row, read), read.direction);
        }
    }
    return reply;
}

bool refillsObject(const Operation& row, std::size_t read) { return isObject(targetOf(row, row.reply.at(read))); }

std::string readFailure(const Operation& row, ReplyFault fault, std::size_t at) {
    const Read& read = row.reply.at(at);
    if (fault == ReplyFault::Malformed) {
        const Argument& target = *targetOf(row, read);
        ArgumentValue scratch = mgmtkit::emptyValue(target.type);
        return textThrownBy([&] { refill(scratch, malformedText(target)); });
    }
    Method reply = scriptedReply(row, fault, at);
    return textThrownBy([&] {
        int number = 0;
        bool flag = false;
        std::string text;
        switch (read.kind) {
            case Parameter::INT: reply.getIntParameter(read.name, number, read.direction); break;
            case Parameter::BOOL: reply.getBoolParameter(read.name, flag, read.direction); break;
            case Parameter::STRING: reply.getStringParameter(read.name, text, read.direction); break;
        }
    });
}

Outcome startingOutcome(const Operation& row, ArgumentValues arguments) {
    Outcome outcome{std::nullopt, std::move(arguments)};
    if (row.starting != nullptr) outcome.result = resultOf(row, row.starting);
    return outcome;
}

void arriveAt(const Operation& row, std::size_t read, Outcome& outcome) {
    const Read& value = row.reply.at(read);
    if (!value.emptiesFirst) return;
    const std::size_t target = indexOf(row, value.into);
    outcome.arguments.at(target) = mgmtkit::emptyValue(row.arguments[target].type);
}

void applyRead(const Operation& row, std::size_t read, Outcome& outcome) {
    const Read& value = row.reply.at(read);
    if (value.role == Role::Result)
        outcome.result = scriptedResult(row, value);
    else if (value.role == Role::Argument)
        refill(outcome.arguments.at(indexOf(row, value.into)), scriptedText(row, value));
}

Outcome afterReply(const Operation& row, ArgumentValues arguments) {
    Outcome outcome = startingOutcome(row, std::move(arguments));
    for (std::size_t read = 0; read < row.reply.size(); ++read) {
        arriveAt(row, read, outcome);
        applyRead(row, read, outcome);
    }
    if (row.trueOnceRead) outcome.result = true;
    return outcome;
}

std::string show(const ArgumentValue& value) {
    struct Shown {
        std::string operator()(int number) const { return std::to_string(number); }
        std::string operator()(unsigned int number) const { return std::to_string(number) + "u"; }
        std::string operator()(bool flag) const { return flag ? "true" : "false"; }
        std::string operator()(const std::string& text) const { return '"' + text + '"'; }
        std::string operator()(const Names& names) const { return textOf(ArgType::List, names); }
        std::string operator()(const ManageableData& data) const { return "data{" + textOf(ArgType::Data, data) + "}"; }
        std::string operator()(const SNMPTrapData& trap) const { return "trap{" + textOf(ArgType::TrapData, trap) + "}"; }
        std::string operator()(const MemoryInfo& info) const { return "info{" + info.serialize() + "}"; }
        std::string operator()(const mgmtkit::AgentHandle& handle) const {
            return handle.agent != nullptr || handle.executable != nullptr ? "agent" : "no agent";
        }
    };
    return std::visit(Shown{}, value);
}

std::string show(const Result& result) { return result ? show(*result) : "(nothing)"; }

std::string show(const ArgumentValues& values) {
    std::string text;
    for (const ArgumentValue& value : values) text += (text.empty() ? "" : ", ") + show(value);
    return text;
}

}  // namespace testing_support
