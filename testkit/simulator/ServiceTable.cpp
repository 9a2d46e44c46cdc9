#include "ServiceTable.h"

#include <stdexcept>

namespace mgmtkit {

namespace {

using mgmtdesc::nameOf;

std::string describe(const char* name, Parameter::kinds kind, Parameter::directions direction) {
    return std::string(nameOf(kind)) + " parameter \"" + name + "\" (" + nameOf(direction) + ")";
}

const Parameter* findIn(const Method& method, const char* name, Parameter::kinds kind,
                        Parameter::directions direction) {
    for (const Parameter& parameter : method.parameters())
        if (parameter.name() == name && parameter.kind() == kind && parameter.direction() == direction)
            return &parameter;
    return nullptr;
}

// The row a request is answered by. Every remote method of the description
// is sent by one row only.
const mgmtdesc::Operation& rowSending(const std::string& remote) {
    const std::vector<const mgmtdesc::Operation*> rows = mgmtdesc::operationsSending(remote);
    if (rows.size() != 1) throw std::logic_error("the simulated service has no one row for remote method " + remote);
    return *rows.front();
}

// A request the real service could not read either: say exactly what is wrong.
void check(const mgmtdesc::Operation& row, const Method& request, mgmtdesc::CallStyle style) {
    if (mgmtdesc::isOneWay(style) != mgmtdesc::isOneWay(row.style))
        throw CorvexException(request.name() + (mgmtdesc::isOneWay(style)
                                                    ? " expects a synchronous call, not a one-way call"
                                                    : " is one-way and has no reply"));
    for (const mgmtdesc::Sent& sent : row.request)
        if (findIn(request, sent.name, sent.kind, sent.direction) == nullptr)
            throw CorvexException(request.name() + ": request lacks " + describe(sent.name, sent.kind, sent.direction));
}

}  // namespace

// ---------------------------------------------------------------------------
// Arguments

const Parameter& Arguments::find(const char* name, Parameter::kinds kind) const {
    for (const mgmtdesc::Sent& sent : row_.request)
        if (std::string_view(sent.name) == name && sent.kind == kind)
            return *findIn(request_, name, kind, sent.direction);  // there: the request was checked
    throw std::logic_error("the simulated " + request_.name() + " reads " + nameOf(kind) + " \"" + name +
                           "\", which " + row_.name + " does not send");
}

int Arguments::number(const char* name) const { return find(name, Parameter::INT).intValue(); }

bool Arguments::flag(const char* name) const { return find(name, Parameter::BOOL).boolValue(); }

const std::string& Arguments::text(const char* name) const { return find(name, Parameter::STRING).stringValue(); }

KeyValues Arguments::data(const char* name) const {
    std::string serialised = text(name);
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

Parameter::directions Answer::directionOf(const char* name, Parameter::kinds kind) const {
    for (const mgmtdesc::Read& read : row_.reply)
        if (std::string_view(read.name) == name && read.kind == kind) return read.direction;
    throw std::logic_error(std::string("the simulated service answers ") + nameOf(kind) + " \"" + name + "\", which " +
                           row_.name + " does not read");
}

Answer& Answer::put(const char* name, int value) {
    reply_.addIntParameter(name, value, directionOf(name, Parameter::INT));
    return *this;
}

Answer& Answer::put(const char* name, bool value) {
    reply_.addBoolParameter(name, value, directionOf(name, Parameter::BOOL));
    return *this;
}

Answer& Answer::put(const char* name, const std::string& value) {
    reply_.addStringParameter(name, value, directionOf(name, Parameter::STRING));
    return *this;
}

Answer& Answer::put(const char* name, const KeyValues& data) {
    ManageableData serialised;
    for (const auto& [key, value] : data) serialised.setValue(key, value);
    return put(name, serialised.serialize(ManageableData::KEY_VALUE_TEXT));
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
    for (const mgmtdesc::Operation& row : mgmtdesc::operations())
        if (!knows(row.remote)) throw std::logic_error(std::string("the simulated service does not answer ") + row.remote);
}

void ServiceTable::on(const char* remote, Handler handler) {
    if (!methods_.emplace(remote, RemoteMethod{&rowSending(remote), handler}).second)
        throw std::logic_error(std::string("remote method registered twice: ") + remote);
}

std::vector<std::string> ServiceTable::names() const {
    std::vector<std::string> names;
    for (const auto& entry : methods_) names.push_back(entry.first);
    return names;
}

void ServiceTable::answer(PhoneState& state, const Method& request, mgmtdesc::CallStyle style,
                          const std::string& callbackChannel, Method& reply) const {
    const auto method = methods_.find(request.name());
    if (method == methods_.end()) throw CorvexException("unknown remote method " + request.name());
    const mgmtdesc::Operation& row = *method->second.row;
    check(row, request, style);
    const Arguments arguments(row, request, callbackChannel);
    Answer answer(row, reply);
    method->second.handle(state, arguments, answer);
}

}  // namespace mgmtkit
