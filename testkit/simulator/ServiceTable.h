// The remote methods the simulated service answers, one small handler each,
// registered by name. A handler reads the request through Arguments (which
// refuses a request that lacks a parameter the service needs) and writes the
// reply through Answer; it reads everything it needs before it changes state.
#pragma once

#include <list>
#include <map>
#include <string>
#include <vector>

#include "Framework.h"

namespace mgmtkit {

class PhoneState;

// The parameters of one request, by name, kind and direction.
class Arguments {
public:
    Arguments(const Method& request, const std::string& callbackChannel)
        : request_(request), callbackChannel_(callbackChannel) {}

    // Each throws CorvexException when the request has no such parameter of that kind.
    int number(const char* name, Parameter::directions direction = Parameter::IN) const;
    bool flag(const char* name, Parameter::directions direction = Parameter::IN) const;
    const std::string& text(const char* name, Parameter::directions direction = Parameter::IN) const;

    // For a parameter the service needs but the simulated phone does not use.
    const Arguments& require(const char* name, Parameter::kinds kind,
                             Parameter::directions direction = Parameter::IN) const {
        find(name, kind, direction);
        return *this;
    }

    // The key/value content of a serialised ManageableData parameter.
    KeyValues data(const char* name, Parameter::directions direction) const;
    // A list serialised with Serializer.
    std::list<std::string> list(const char* name) const;

    const std::string& callbackChannel() const { return callbackChannel_; }

private:
    const Parameter& find(const char* name, Parameter::kinds kind, Parameter::directions direction) const;

    const Method& request_;
    const std::string& callbackChannel_;
};

// The reply being built.
class Answer {
public:
    explicit Answer(Method& reply) : reply_(reply) {}

    Answer& out(const char* name, int value);
    Answer& out(const char* name, bool value);
    Answer& out(const char* name, const std::string& value);
    // Without it a literal would travel as a bool.
    Answer& out(const char* name, const char* value) { return out(name, std::string(value)); }
    Answer& inout(const char* name, const std::string& value);
    Answer& inout(const char* name, const KeyValues& data);  // as a serialised ManageableData

private:
    Method& reply_;
};

using Handler = void (*)(PhoneState& state, const Arguments& request, Answer& reply);

// One-way methods are sent without waiting; synchronous ones are answered.
enum class Delivery { OneWay, Synchronous };

struct RemoteMethod {
    Delivery delivery;
    Handler handle;
};

class ServiceTable {
public:
    ServiceTable();  // every method of every area

    void oneWay(const char* name, Handler handler) { add(name, Delivery::OneWay, handler); }
    void synchronous(const char* name, Handler handler) { add(name, Delivery::Synchronous, handler); }

    const RemoteMethod* find(const std::string& name) const;
    std::vector<std::string> names() const;  // sorted

private:
    void add(const char* name, Delivery delivery, Handler handler);

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
