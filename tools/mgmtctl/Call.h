// What an operation's row sees while it runs: the proxies as their
// interfaces, the parsed arguments by position, and where to put the result
// and the out-arguments.
#pragma once

#include <list>
#include <string>
#include <utility>
#include <vector>

#include "ActionEventRequestIfc.h"
#include "ArgumentTypes.h"
#include "LocalMgmtIfc.h"
#include "LocationDeliveryRequestIfc.h"
#include "Value.h"

namespace mgmtctl {

struct Targets {
    LocalMgmtIfc& local;
    ActionEventRequestIfc& actions;
    LocationDeliveryRequestIfc& location;
};

using NamedValues = std::vector<std::pair<std::string, Value>>;

class Call {
public:
    Call(Targets targets, std::vector<Argument>& arguments) : targets_(targets), arguments_(arguments) {}

    LocalMgmtIfc& local() { return targets_.local; }
    ActionEventRequestIfc& actions() { return targets_.actions; }
    LocationDeliveryRequestIfc& location() { return targets_.location; }

    int number(std::size_t i) { return get<int>(i); }
    unsigned int unsignedNumber(std::size_t i) { return get<unsigned int>(i); }
    bool flag(std::size_t i) { return get<bool>(i); }
    std::string& text(std::size_t i) { return get<std::string>(i); }
    std::list<std::string>& list(std::size_t i) { return get<std::list<std::string>>(i); }
    ManageableData& data(std::size_t i) { return get<ManageableData>(i); }
    SNMPTrapData& trapData(std::size_t i) { return get<SNMPTrapData>(i); }
    MgmtAgentIfc* agent(std::size_t i) { return get<ToolAgent*>(i); }
    Executable* observer(std::size_t i) { return get<ToolAgent*>(i); }
    template <class Enum>
    Enum as(std::size_t i) {
        return static_cast<Enum>(number(i));
    }
    LocalMgmtIfc::eFiletype fileType(std::size_t i) { return as<LocalMgmtIfc::eFiletype>(i); }
    LocalMgmtIfc::eUsertype userType(std::size_t i) { return as<LocalMgmtIfc::eUsertype>(i); }

    void result(bool value) { result_ = Value::boolean(value); }
    void result(int value) { result_ = Value::integer(value); }
    void result(unsigned int value) { result_ = Value::integer(value); }
    void result(std::string value) { result_ = Value::text(std::move(value)); }
    void out(const char* name, Value value) { outs_.emplace_back(name, std::move(value)); }

    const Value& resultValue() const { return result_; }
    const NamedValues& outs() const { return outs_; }

private:
    template <class T>
    T& get(std::size_t i) {
        return std::get<T>(arguments_.at(i).value);
    }

    Targets targets_;
    std::vector<Argument>& arguments_;
    Value result_ = Value::none();
    NamedValues outs_;
};

}  // namespace mgmtctl
