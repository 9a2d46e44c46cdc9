// The remote methods the simulated service answers, one small handler each,
// registered under the remote name of its row in the service description.
// Every request is held against that row before its handler runs: the call
// style (one-way or synchronous) and every value the row sends, by name, kind
// and direction. So a handler only reads the values it uses, through
// Arguments, and writes the reply through Answer, which takes only values the
// row reads back. A handler reads everything it needs before it changes state.
#pragma once

#include <list>
#include <map>
#include <string>
#include <vector>

#include "Framework.h"
#include "description/ServiceDescription.h"

namespace mgmtkit {

class PhoneState;

// The values of one request the handler uses, by name; the request has been
// checked against its row, so each is there with the row's kind.
class Arguments {
public:
    Arguments(const mgmtdesc::Operation& row, const Method& request, const std::string& callbackChannel)
        : row_(row), request_(request), callbackChannel_(callbackChannel) {}

    int number(const char* name) const;
    bool flag(const char* name) const;
    const std::string& text(const char* name) const;
    // The key/value content of a serialised ManageableData.
    KeyValues data(const char* name) const;
    // A list serialised with Serializer.
    std::list<std::string> list(const char* name) const;

    const std::string& callbackChannel() const { return callbackChannel_; }

private:
    // Throws std::logic_error for a value the row does not send.
    const Parameter& find(const char* name, Parameter::kinds kind) const;

    const mgmtdesc::Operation& row_;
    const Method& request_;
    const std::string& callbackChannel_;
};

// The reply being built: each value under the name, kind and direction its
// row reads it with.
class Answer {
public:
    Answer(const mgmtdesc::Operation& row, Method& reply) : row_(row), reply_(reply) {}

    // Each throws std::logic_error for a value the row does not read.
    Answer& put(const char* name, int value);
    Answer& put(const char* name, bool value);
    Answer& put(const char* name, const std::string& value);
    // Without it a literal would travel as a bool.
    Answer& put(const char* name, const char* value) { return put(name, std::string(value)); }
    Answer& put(const char* name, const KeyValues& data);  // as a serialised ManageableData

private:
    Parameter::directions directionOf(const char* name, Parameter::kinds kind) const;

    const mgmtdesc::Operation& row_;
    Method& reply_;
};

using Handler = void (*)(PhoneState& state, const Arguments& request, Answer& reply);

class ServiceTable {
public:
    // Every area's methods; throws std::logic_error unless each remote method
    // of the description has exactly one handler and each handler a row.
    ServiceTable();

    void on(const char* remote, Handler handler);

    bool knows(const std::string& remote) const { return methods_.count(remote) != 0; }
    std::vector<std::string> names() const;  // sorted

    // Answers one request, or throws CorvexException saying why the service
    // would not: an unknown method, the wrong call style, a value missing.
    void answer(PhoneState& state, const Method& request, mgmtdesc::CallStyle style,
                const std::string& callbackChannel, Method& reply) const;

private:
    struct RemoteMethod {
        const mgmtdesc::Operation* row;
        Handler handle;
    };

    std::map<std::string, RemoteMethod> methods_;
};

// The areas' methods, one registration function per area.
void addDeviceMethods(ServiceTable& table);
void addUserDataMethods(ServiceTable& table);
void addFileMethods(ServiceTable& table);
void addDataMethods(ServiceTable& table);
void addAgentMethods(ServiceTable& table);
void addEventRequestMethods(ServiceTable& table);

}  // namespace mgmtkit
