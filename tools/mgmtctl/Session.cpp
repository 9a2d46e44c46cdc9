#include "Session.h"

#include <optional>
#include <utility>

#include "BadInput.h"
#include "LogStatements.h"
#include "RelayChannel.h"
#include "StdoutCapture.h"

namespace mgmtctl {

using mgmtkit::kActionEventFactory;
using mgmtkit::kLocalMgmtFactory;
using mgmtkit::kLocationFactory;

Session::Session(const ProxyLibrary& library, RemoteService* remote)
    : remote_(remote),
      relay_(remote != nullptr ? std::make_unique<RelayChannel>(remote->channel()) : nullptr),
      agents_([this](const ToolAgent& agent) { context_.nameChannel(agent, agent.channel()); },
              [this](const ToolAgent& agent, const Method& notification) {
                  record({Record{{"record", "callback"}, {"agent", agent.name()}, {"channel", agent.channel()},
                                 {"method", notification.name()}, {"parameters", parametersOf(notification)}}});
              }),
      local_(library, kLocalMgmtFactory, channel(), "LocalMgmtIfc"),
      actions_(library, kActionEventFactory, channel(), "ActionEventRequestIfc"),
      location_(library, kLocationFactory, channel(), "LocationDeliveryRequestIfc") {
    context_.attach(phone_);
    (relay_ ? relay_->observer : phone_.observer) = [this](const mgmtkit::Exchange& e) {
        record(exchangeRecords(e.request, e.style, e.callbackChannel, e.timeout, e.reply, e.failure));
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

void Session::checkRemote(const std::string& remoteName) const {
    const std::vector<std::string> known = phone_.remoteMethods();
    for (const std::string& name : known)
        if (name == remoteName) return;
    if (const mgmtdesc::Operation* operation = mgmtdesc::findOperation(remoteName))
        throw ArgumentError("'" + remoteName + "' is an operation; the remote method it sends is " + operation->remote +
                            ", so name that");
    throw ArgumentError("the simulated service has no remote method '" + remoteName + "'" + closest(remoteName, known));
}

void Session::failRemote(const std::string& remoteName, const std::string& text) {
    checkRemote(remoteName);
    remote_ != nullptr ? remote_->fail(remoteName, text) : phone_.failMethod(remoteName, text);
}

void Session::restoreRemote(const std::string& remoteName) {
    checkRemote(remoteName);
    remote_ != nullptr ? remote_->restore(remoteName) : phone_.restoreMethod(remoteName);
}

void Session::takePrinted() {
    if (capture_ == nullptr) return;
    std::string printed = capture_->take();
    if (!printed.empty()) records_.push_back({{"record", "stdout"}, {"text", std::move(printed)}});
}

void Session::record(std::vector<Record> records) {
    takePrinted();  // anything printed so far came before this
    for (Record& r : records) records_.push_back(std::move(r));
}

std::vector<Record> Session::perform(const mgmtdesc::Operation& operation, std::vector<ArgumentValue>& arguments,
                                     int line) {
    Record shown = Record::object();
    for (std::size_t i = 0; i < arguments.size(); ++i)
        shown[operation.arguments[i].name] = shownArgument(operation.arguments[i], arguments[i]);
    records_ = {Record{{"record", "call"}, {"operation", operation.name}, {"arguments", shown}}};
    if (line > 0) records_.front()["line"] = line;

    std::optional<ArgumentValue> result;
    std::optional<std::string> thrown;
    {
        StdoutCapture capture;
        capture_ = &capture;
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
        takePrinted();
        capture_ = nullptr;
    }
    if (thrown) {
        records_.push_back({{"record", "error"}, {"operation", operation.name}, {"text", *thrown}});
    } else {
        Record written = Record::object();
        for (std::size_t i = 0; i < arguments.size(); ++i)
            if (operation.arguments[i].use != mgmtdesc::Use::In)
                written[operation.arguments[i].name] = shownValue(arguments[i]);
        records_.push_back({{"record", "result"}, {"operation", operation.name}, {"type", operation.result},
                            {"value", result ? shownValue(*result) : Record()}, {"out", written}});
    }
    std::vector<Record> records = std::move(records_);
    records_.clear();
    return records;
}

}  // namespace mgmtctl
