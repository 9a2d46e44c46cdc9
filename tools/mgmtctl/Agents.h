// The observers and management agents the tool hands the proxies: small
// objects that the framework can reach as an Executable, as a real agent is.
// Each has a callback channel named after it, on which the service calls it
// back.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "Framework.h"

namespace mgmtctl {

class ToolAgent;
// What an agent does with a call back from the service.
using Heard = std::function<void(const ToolAgent& agent, const Method& notification)>;

class ToolAgent : public Executable, public MgmtAgentIfc, public NotificationSink {
public:
    ToolAgent(std::string name, std::string channel, const Heard& heard)
        : name_(std::move(name)), channel_(std::move(channel)), heard_(heard) {}
    void init(Context&) override {}
    void shutdown() override {}
    void notify(const Method& notification) override {
        if (heard_) heard_(*this, notification);
    }
    const std::string& name() const { return name_; }
    const std::string& channel() const { return channel_; }

private:
    std::string name_;
    std::string channel_;
    const Heard& heard_;  // the Agents' own, which outlive their agents
};

// The callback channel an agent of that name gets, so that the name a user
// typed can be found in the requests: "agent2" has "agent-2", and a name that
// does not end in digits after a letter keeps its own ("watcher").
std::string channelOf(std::string_view name);

class Agents {
public:
    // `made` is told of every new agent, so that its channel can be named;
    // `heard` of every call back an agent gets.
    explicit Agents(std::function<void(const ToolAgent&)> made = {}, Heard heard = {})
        : made_(std::move(made)), heard_(std::move(heard)) {}

    // The agent of that name, made on first use, so one name stays one object
    // (and one callback channel) for a whole session; "none" gives null.
    // Names start with a letter and go on with letters, digits, '_' or '-';
    // two names that would share a channel ("agent2", "agent-2") are refused.
    ToolAgent* get(std::string_view name);

private:
    std::function<void(const ToolAgent&)> made_;
    Heard heard_;
    std::map<std::string, std::unique_ptr<ToolAgent>, std::less<>> agents_;
};

}  // namespace mgmtctl
