// The observers and management agents the tool hands the proxies: small
// objects that the framework can reach as an Executable, as a real agent is.
// The service never calls them back here; they exist to be named.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "Framework.h"

namespace mgmtctl {

class ToolAgent : public Executable, public MgmtAgentIfc {
public:
    explicit ToolAgent(std::string name) : name_(std::move(name)) {}
    void init(Context&) override {}
    void shutdown() override {}
    const std::string& name() const { return name_; }

private:
    std::string name_;
};

class Agents {
public:
    // The agent of that name, made on first use, so one name stays one object
    // (and one callback channel) for a whole session; "none" gives null.
    // Names start with a letter and go on with letters, digits, '_' or '-'.
    ToolAgent* get(std::string_view name);

private:
    std::map<std::string, std::unique_ptr<ToolAgent>, std::less<>> agents_;
};

}  // namespace mgmtctl
