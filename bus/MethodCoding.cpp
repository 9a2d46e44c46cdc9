#include "MethodCoding.h"

#include <cstdint>

#include "bus/BusNames.h"

namespace mgmtbus {

const char* typeCode(Parameter::kinds kind) {
    switch (kind) {
        case Parameter::INT: return "i";
        case Parameter::STRING: return "s";
        case Parameter::BOOL: return "b";
    }
    return "s";
}

Parameter::kinds kindOfType(const std::string& type) {
    if (type == "i") return Parameter::INT;
    if (type == "s") return Parameter::STRING;
    if (type == "b") return Parameter::BOOL;
    throw CorvexException("a value of D-Bus type '" + type + "' has no parameter kind");
}

void appendValue(sdbus::Message& message, const Parameter& parameter) {
    switch (parameter.kind()) {
        case Parameter::INT: message << static_cast<int32_t>(parameter.intValue()); break;
        case Parameter::STRING: message << parameter.stringValue(); break;
        case Parameter::BOOL: message << parameter.boolValue(); break;
    }
}

void appendZero(sdbus::Message& message, Parameter::kinds kind) {
    switch (kind) {
        case Parameter::INT: message << int32_t{0}; break;
        case Parameter::STRING: message << std::string(); break;
        case Parameter::BOOL: message << false; break;
    }
}

void readValue(sdbus::Message& message, Method& into, const std::string& name,
               Parameter::directions direction) {
    std::string type, contents;
    message.peekType(type, contents);
    switch (kindOfType(type)) {
        case Parameter::INT: {
            int32_t value = 0;
            message >> value;
            into.addIntParameter(name.c_str(), value, direction);
            break;
        }
        case Parameter::STRING: {
            std::string value;
            message >> value;
            into.addStringParameter(name.c_str(), value, direction);
            break;
        }
        case Parameter::BOOL: {
            bool value = false;
            message >> value;
            into.addBoolParameter(name.c_str(), value, direction);
            break;
        }
    }
}

MethodSignature signatureOf(const mgmtdesc::Operation& method) {
    MethodSignature signature;
    for (const mgmtdesc::Sent& value : method.request) {
        signature.in += typeCode(value.kind);
        signature.inNames.emplace_back(value.name);
    }
    signature.in += "s";
    signature.inNames.emplace_back(kChannelArgument);
    if (mgmtdesc::isOneWay(method.style)) return signature;
    for (const mgmtdesc::Read& value : method.reply) {
        signature.out += typeCode(value.kind);
        signature.outNames.emplace_back(value.name);
    }
    signature.out += "as";
    signature.outNames.emplace_back(kRepliedArgument);
    return signature;
}

void appendMethod(sdbus::Message& message, const Method& method) {
    message.openStruct("sa(siv)");
    message << method.name();
    message.openContainer("(siv)");
    for (const Parameter& parameter : method.parameters()) {
        message.openStruct("siv");
        message << parameter.name() << static_cast<int32_t>(parameter.direction());
        message.openVariant(typeCode(parameter.kind()));
        appendValue(message, parameter);
        message.closeVariant();
        message.closeStruct();
    }
    message.closeContainer();
    message.closeStruct();
}

Method readMethod(sdbus::Message& message, Method::methodTypes type) {
    message.enterStruct("sa(siv)");
    std::string name;
    message >> name;
    Method method(name.c_str(), type);
    message.enterContainer("(siv)");
    while (message.enterStruct("siv")) {
        std::string parameterName;
        int32_t direction = 0;
        message >> parameterName >> direction;
        if (direction < Parameter::IN || direction > Parameter::INOUT)
            throw CorvexException("parameter '" + parameterName + "' has no direction " +
                                  std::to_string(direction));
        std::string type, contents;
        message.peekType(type, contents);
        message.enterVariant(contents);
        readValue(message, method, parameterName, static_cast<Parameter::directions>(direction));
        message.exitVariant();
        message.exitStruct();
    }
    message.clearFlags();
    message.exitContainer();
    message.exitStruct();
    return method;
}

}  // namespace mgmtbus
