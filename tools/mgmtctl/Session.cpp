#include "Session.h"

#include <optional>
#include <utility>

#include "ArgumentParsing.h"
#include "Options.h"
#include "RelayChannel.h"
#include "StdoutCapture.h"
#include "Suggestions.h"
#include "description/ServiceDescription.h"

namespace mgmtctl {

using mgmtkit::bindProxy;

Session::Session(const ProxyLibrary& library, RemoteService* remote)
    : remote_(remote),
      agents_([this](const ToolAgent& agent) { context_.nameChannel(agent, agent.channel()); },
              [this](const ToolAgent& agent, const Method& notification) {
                  record(CallbackEvent{agent.name(), agent.channel(), notification});
              }),
      localProxy_(library.create(kLocalMgmtFactory)),
      actionProxy_(library.create(kActionEventFactory)),
      locationProxy_(library.create(kLocationFactory)) {
    context_.attach(phone_);
    if (remote_ != nullptr) relay_ = std::make_unique<RelayChannel>(remote_->channel());
    ProxyRequest& channel = relay_ ? static_cast<ProxyRequest&>(*relay_) : phone_;
    local_ = bindProxy<LocalMgmtIfc>(*localProxy_, channel, kLocalMgmtFactory, "LocalMgmtIfc");
    actions_ =
        bindProxy<ActionEventRequestIfc>(*actionProxy_, channel, kActionEventFactory, "ActionEventRequestIfc");
    location_ = bindProxy<LocationDeliveryRequestIfc>(*locationProxy_, channel, kLocationFactory,
                                                      "LocationDeliveryRequestIfc");

    auto& observer = relay_ ? relay_->observer : phone_.observer;
    observer = [this](const mgmtkit::Exchange& exchange) {
        ExchangeEvent event{
            exchange.request, exchange.style, exchange.callbackChannel, exchange.timeout, {}, {}};
        if (exchange.reply != nullptr) event.reply = *exchange.reply;
        if (exchange.failure != nullptr) event.failure = *exchange.failure;
        record(std::move(event));
    };
    setLogSink([this](const LogRecord& logRecord) { record(logRecord); });
    GPALAdmin::setRebootHandler([this] { record(RebootEvent{}); });
    setLogLevel(3);
}

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
        throw ArgumentError("'" + remoteName + "' is an operation; the remote method it sends is " +
                            operation->remote + ", so name that");
    std::string message = "the simulated service has no remote method '" + remoteName + "'; closest:";
    for (const std::string& name : closest(remoteName, known)) message += " " + name;
    throw ArgumentError(message);
}

void Session::failRemote(const std::string& remoteName, const std::string& text) {
    checkRemote(remoteName);
    if (remote_ != nullptr)
        remote_->fail(remoteName, text);
    else
        phone_.failMethod(remoteName, text);
}

void Session::restoreRemote(const std::string& remoteName) {
    checkRemote(remoteName);
    if (remote_ != nullptr)
        remote_->restore(remoteName);
    else
        phone_.restoreMethod(remoteName);
}

std::vector<Argument> Session::bind(const Operation& operation, const std::vector<std::string>& texts) {
    if (texts.size() < operation.requiredArgs() || texts.size() > operation.args.size())
        throw ArgumentError(operation.name + std::string(" takes ") +
                            (operation.requiredArgs() == operation.args.size()
                                 ? std::to_string(operation.args.size())
                                 : std::to_string(operation.requiredArgs()) + " to " +
                                       std::to_string(operation.args.size())) +
                            " arguments, not " + std::to_string(texts.size()));
    std::vector<Argument> arguments;
    for (std::size_t i = 0; i < operation.args.size(); ++i) {
        const ArgShape& shape = operation.args[i];
        try {
            arguments.push_back(i < texts.size() ? parseArgument(shape.type, texts[i], agents_)
                                                 : emptyArgument(shape.type));
        } catch (const ArgumentError& error) {
            throw ArgumentError(std::string(shape.name) + ": " + error.what());
        }
    }
    return arguments;
}

void Session::takePrinted() {
    if (capture_ == nullptr) return;
    std::string printed = capture_->take();
    if (!printed.empty()) events_.emplace_back(StdoutEvent{std::move(printed)});
}

void Session::record(Event event) {
    takePrinted();  // anything printed so far came before this event
    events_.push_back(std::move(event));
}

CallOutcome Session::perform(const Operation& operation, std::vector<Argument>& arguments, int line) {
    CallOutcome outcome;
    outcome.start.operation = operation.name;
    outcome.start.line = line;
    for (std::size_t i = 0; i < arguments.size(); ++i)
        outcome.start.arguments.emplace_back(operation.args[i].name,
                                             shownArgument(operation.args[i], arguments[i]));

    events_.clear();
    Call call(Targets{*local_, *actions_, *location_}, arguments);
    std::optional<std::string> thrown;
    {
        StdoutCapture capture;
        capture_ = &capture;
        try {
            operation.invoke(call);
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
        outcome.reachedCaller = true;
        events_.emplace_back(ErrorEvent{*thrown});
    } else {
        events_.emplace_back(ResultEvent{operation.result, call.resultValue(), call.outs()});
    }
    outcome.events = std::move(events_);
    events_.clear();
    return outcome;
}

}  // namespace mgmtctl
