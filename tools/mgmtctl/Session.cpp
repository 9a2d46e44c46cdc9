#include "Session.h"

#include <optional>
#include <utility>

#include "BadInput.h"
#include "LogStatements.h"
#include "RelayChannel.h"

namespace mgmtctl {

using mgmtkit::kActionEventFactory;
using mgmtkit::kLocalMgmtFactory;
using mgmtkit::kLocationFactory;

Session::Session(const ProxyLibrary& library, RemoteService* remote)
    : remote_(remote),
      relay_(remote != nullptr ? std::make_unique<RelayChannel>(remote->channel()) : nullptr),
      agents_([this](const ToolAgent& agent) { context_.nameChannel(agent, agent.channel()); },
              [this](const ToolAgent& agent, const Method& notification) {
                  // The channel the request carried: over a bus, the bus context's name for the agent.
                  auto* heard = const_cast<ToolAgent*>(&agent);
                  const mgmtkit::Exchange exchange{mgmtkit::Exchange::Notification, notification,
                                                   mgmtdesc::CallStyle::OneWayWithChannel,
                                                   channel().frameworkContext->findChannel(heard)};
                  std::vector<Record> callback = exchangeRecords(exchange);
                  callback.front()["agent"] = agent.name();
                  if (!relay_) return record(std::move(callback));
                  const std::lock_guard<std::mutex> lock(recording_);
                  heard_.insert(heard_.end(), callback.begin(), callback.end());
              }),
      local_(library, kLocalMgmtFactory, channel()),
      actions_(library, kActionEventFactory, channel()),
      location_(library, kLocationFactory, channel()) {
    context_.attach(phone_);
    phone_.observer = [this](const mgmtkit::Exchange& exchange) {
        // What the service sent observers shows as what they heard.
        if (exchange.kind == mgmtkit::Exchange::Request) record(exchangeRecords(exchange));
    };
    if (relay_)
        relay_->observer = [this](const mgmtkit::Exchange& exchange) {
            record(exchangeRecords(exchange));
            // Over a bus a call's callbacks come after its reply: heard before
            // the call returns, and recorded after the reply, as in process.
            if (!exchange.failure) remote_->awaitCallbacks();
            std::vector<Record> heard;
            {
                const std::lock_guard<std::mutex> lock(recording_);
                heard.swap(heard_);
            }
            if (!heard.empty()) record(std::move(heard));
        };
    setLogSink([this](const LogRecord& log) {
        record({Record{{"record", "log"}, {"level", log.level}, {"component", log.component}, {"file", log.file},
                       {"line", log.line}, {"source", sourceOf(log)}, {"format", log.format},
                       {"message", log.message}}});
    });
    GPALAdmin::setRebootHandler([this] { record({Record{{"record", "reboot"}}}); });
    setLogLevel(3);
}

ProxyRequest& Session::channel() { return relay_ ? static_cast<ProxyRequest&>(*relay_) : phone_; }

Session::~Session() {
    GPALAdmin::setRebootHandler({});
    setLogSink({});
}

void Session::setLogLevel(int level) {
    for (int l = 0; l <= kHighestLogLevel; ++l) setLogLevelEnabled(l, l <= level);
}

std::string Session::remoteNamed(const std::string& name) {
    if (const char* remote = mgmtdesc::remoteMethodNamed(name)) return remote;
    std::vector<std::string> known;
    for (const mgmtdesc::Operation& operation : mgmtdesc::operations()) known.emplace_back(operation.remote);
    throw ArgumentError("the simulated service has no remote method '" + name + "'" + closest(name, known));
}

void Session::failRemote(const std::string& name, const std::string& text) {
    remote_ != nullptr ? remote_->fail(remoteNamed(name), text) : phone_.fail(remoteNamed(name), text);
}

void Session::restoreRemote(const std::string& name) {
    remote_ != nullptr ? remote_->restore(remoteNamed(name)) : phone_.restore(remoteNamed(name));
}

void Session::setState(const std::string& document) {
    try {
        remote_ ? remote_->setState(document) : phone_.setState(document);
    } catch (const std::invalid_argument& refused) {
        throw ArgumentError(refused.what());
    }
}

void Session::takePrinted() {
    if (capture_ == nullptr) return;
    std::string printed = capture_->take();
    if (!printed.empty()) records_.push_back({{"record", "stdout"}, {"text", std::move(printed)}});
}

void Session::record(std::vector<Record> records) {
    const std::lock_guard<std::mutex> lock(recording_);
    takePrinted();  // anything printed so far came before this
    for (Record& r : records) records_.push_back(std::move(r));
}

std::vector<Record> Session::perform(const mgmtdesc::Operation& operation, std::vector<ArgumentValue>& arguments,
                                     int line) {
    Record shown = Record::object();
    for (std::size_t i = 0; i < arguments.size(); ++i)
        shown[operation.arguments[i].name] = shownArgument(operation.arguments[i], arguments[i]);
    Record call = {{"record", "call"}, {"operation", operation.name}, {"arguments", shown}};
    if (line > 0) call["line"] = line;
    mgmtkit::StdoutCapture capture;
    {
        const std::lock_guard<std::mutex> lock(recording_);
        records_ = {call};
        capture_ = &capture;
    }
    std::optional<ArgumentValue> result;
    std::optional<std::string> thrown;
    try {
        result = mgmtkit::callOperation(operation, {local_.interface, actions_.interface, location_.interface},
                                        arguments);
    } catch (const CorvexException& exception) {
        thrown = std::string("CorvexException: ") + exception.what();
    } catch (const std::exception& exception) {
        thrown = std::string("exception: ") + exception.what();
    } catch (...) {
        thrown = "an exception of unknown type";
    }
    if (thrown) {
        record({Record{{"record", "error"}, {"operation", operation.name}, {"text", *thrown}}});
    } else {
        Record written = Record::object();
        for (std::size_t i = 0; i < arguments.size(); ++i)
            if (operation.arguments[i].use != mgmtdesc::Use::In)
                written[operation.arguments[i].name] = shownValue(arguments[i]);
        record({Record{{"record", "result"}, {"operation", operation.name}, {"type", operation.result},
                       {"value", result ? shownValue(*result) : Record()}, {"out", written}}});
    }
    const std::lock_guard<std::mutex> lock(recording_);
    capture_ = nullptr;
    return std::exchange(records_, {});
}

}  // namespace mgmtctl
