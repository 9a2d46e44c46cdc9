#include "ServiceTable.h"

#include <stdexcept>

namespace mgmtkit {

namespace {

// By Parameter::kinds and Parameter::directions value.
const char* const kKindNames[] = {"int", "string", "bool"};
const char* const kDirectionNames[] = {"IN", "OUT", "INOUT"};

}  // namespace

// ---------------------------------------------------------------------------
// Arguments

const Parameter& Arguments::find(const char* name, Parameter::kinds kind,
                                 Parameter::directions direction) const {
    for (const Parameter& parameter : request_.parameters()) {
        if (parameter.name() == name && parameter.kind() == kind && parameter.direction() == direction)
            return parameter;
    }
    // A request the real service could not read either: say exactly what is missing.
    throw CorvexException(request_.name() + ": request lacks " + kKindNames[kind] + " parameter \"" + name +
                          "\" (" + kDirectionNames[direction] + ")");
}

int Arguments::number(const char* name, Parameter::directions direction) const {
    return find(name, Parameter::INT, direction).intValue();
}

bool Arguments::flag(const char* name, Parameter::directions direction) const {
    return find(name, Parameter::BOOL, direction).boolValue();
}

const std::string& Arguments::text(const char* name, Parameter::directions direction) const {
    return find(name, Parameter::STRING, direction).stringValue();
}

KeyValues Arguments::data(const char* name, Parameter::directions direction) const {
    std::string serialised = text(name, direction);
    ManageableData data;
    data.deserialize(serialised);
    return data.values();
}

std::list<std::string> Arguments::list(const char* name) const {
    std::list<std::string> elements;
    Serializer::deserialize(text(name), elements);
    return elements;
}

// ---------------------------------------------------------------------------
// Answer

Answer& Answer::out(const char* name, int value) {
    reply_.addIntParameter(name, value, Parameter::OUT);
    return *this;
}

Answer& Answer::out(const char* name, bool value) {
    reply_.addBoolParameter(name, value, Parameter::OUT);
    return *this;
}

Answer& Answer::out(const char* name, const std::string& value) {
    reply_.addStringParameter(name, value, Parameter::OUT);
    return *this;
}

Answer& Answer::inout(const char* name, const std::string& value) {
    reply_.addStringParameter(name, value, Parameter::INOUT);
    return *this;
}

Answer& Answer::inout(const char* name, const KeyValues& data) {
    ManageableData serialised;
    for (const auto& [key, value] : data) serialised.setValue(key, value);
    return inout(name, serialised.serialize(ManageableData::KEY_VALUE_TEXT));
}

// ---------------------------------------------------------------------------
// ServiceTable

ServiceTable::ServiceTable() {
    addDeviceMethods(*this);
    addUserDataMethods(*this);
    addFileMethods(*this);
    addDataMethods(*this);
    addAgentMethods(*this);
    addEventRequestMethods(*this);
}

void ServiceTable::add(const char* name, Delivery delivery, Handler handler) {
    if (!methods_.emplace(name, RemoteMethod{delivery, handler}).second)
        throw std::logic_error(std::string("remote method registered twice: ") + name);
}

const RemoteMethod* ServiceTable::find(const std::string& name) const {
    const auto found = methods_.find(name);
    return found == methods_.end() ? nullptr : &found->second;
}

std::vector<std::string> ServiceTable::names() const {
    std::vector<std::string> names;
    for (const auto& entry : methods_) names.push_back(entry.first);
    return names;
}

}  // namespace mgmtkit
