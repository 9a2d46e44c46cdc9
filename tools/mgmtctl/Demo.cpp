// The guided tour: one request followed end to end, then a handful of
// representative calls on all three proxies, one of them failing.
#include <list>
#include <set>
#include <string>
#include <vector>

#include "ArgumentParsing.h"
#include "Commands.h"
#include "Json.h"

namespace mgmtctl {

namespace {

class Tour {
public:
    Tour(Session& session, Printer& printer) : session_(session), printer_(printer) {}

    CallOutcome call(const std::vector<std::string>& words) {
        const Operation& operation = requireOperation(words.front());
        std::vector<Argument> arguments = session_.bind(operation, {words.begin() + 1, words.end()});
        return session_.perform(operation, arguments);
    }

    // Shows the first event not shown yet that `matches`, or says it was not there.
    template <class Kind, class Match>
    const Kind* step(const CallOutcome& outcome, const char* explanation, Match matches) {
        printer_.note(explanation);
        for (std::size_t i = 0; i < outcome.events.size(); ++i) {
            const auto* event = std::get_if<Kind>(&outcome.events[i]);
            if (event == nullptr || shown_.count(i) != 0 || !matches(*event)) continue;
            shown_.insert(i);
            return event;
        }
        printer_.note("         (not written this time)");
        return nullptr;
    }

    void rest(const CallOutcome& outcome) {
        bool first = true;
        for (std::size_t i = 0; i < outcome.events.size(); ++i) {
            if (shown_.count(i) != 0) continue;
            if (first) printer_.note("\nAlso written during the call:");
            first = false;
            printer_.event(outcome.events[i]);
        }
        shown_.clear();
    }

    void example(const char* explanation, const std::vector<std::string>& words) {
        printer_.note(std::string("\n") + explanation);
        printer_.outcome(call(words));
    }

private:
    Session& session_;
    Printer& printer_;
    std::set<std::size_t> shown_;
};

// Which event a step of the tour shows.
auto logSaying(const char* message) {
    return [message](const LogRecord& record) { return record.message == message; };
}
constexpr auto theFirst = [](const auto&) { return true; };

void followOneRequest(Tour& tour, Session& session, Printer& printer, int logLevel) {
    printer.note(R"(
Part 1: one request, end to end
-------------------------------
A client holds the LocalMgmtIfc* it got by dynamic_cast from the Proxy* that
createLocalMgmtProxy returned, and asks for the ringer files, handing in a
list it already has:

    std::list<std::string> files = {"old-ring.wav", "my song.mp3"};
    bool found = local->getListOfFilesOfType(LocalMgmtIfc::FILETYPE_RINGER, &files);

Log level 5 is on for this part, so the proxy's traces are written.
)");
    const std::list<std::string> files = {"old-ring.wav", "my song.mp3"};
    session.setLogLevel(5);
    const CallOutcome outcome = tour.call({"getListOfFilesOfType", "ringer", "old-ring.wav,my song.mp3"});
    session.setLogLevel(logLevel);

    if (const auto* trace =
            tour.step<LogRecord>(outcome, "1. The entry trace, written before anything is built or sent:",
                                 logSaying("getListOfFilesOfType")))
        printer.log(*trace);

    std::string serialised;
    Serializer::serialize(serialised, files);
    printer.note(
        "\n2. The caller's list travels as one string, made by Serializer::serialize:\n"
        "         {\"old-ring.wav\", \"my song.mp3\"}  ->  " +
        jsonString(serialised));

    if (const auto* trace = tour.step<LogRecord>(
            outcome,
            "\n3. The file type travels by name: convertFileTypeEnumToString turns 11 into\n"
            "   \"ringer\" and writes a trace of its own:",
            logSaying("convertFileTypeEnumToString")))
        printer.log(*trace);

    const auto* exchange = tour.step<ExchangeEvent>(
        outcome,
        "\n4. The request record: the remote method's name, then each parameter with its\n"
        "   kind, direction and value (FileNames goes out and comes back, so inout):",
        theFirst);
    if (exchange != nullptr) {
        printer.request(*exchange);
        printer.note(
            "\n5. The call: synchronous, with an empty callback channel and no time-out; the\n"
            "   client's thread waits until the service has answered (here: at once).");
        printer.note("\n6. The reply record as the service filled it in:");
        printer.reply(*exchange);
    }

    if (const auto* result = tour.step<ResultEvent>(
            outcome,
            "\n7. The proxy reads FileNames back into the caller's list (\"empty\" would\n"
            "   empty it) and returns true. The list afterwards:",
            theFirst))
        printer.result(*result);
    tour.rest(outcome);
}

void representativeCalls(Tour& tour, Session& session, Printer& printer) {
    printer.note(R"(
Part 2: a few representative calls
----------------------------------
Each call below is what `mgmtctl call ...` prints: the call, the records the
proxy wrote, the request and reply the service saw, and the result.)");
    tour.example("A one-way call: the request goes out and nothing comes back.", {"setPhoneBusyStatus", "5"});
    tour.example(
        "A synchronous call with an unsigned result. The simulated service keeps its\n"
        "state for the whole session, so the status set above comes back:",
        {"retrievePhoneBusyStatus"});
    tour.example("A synchronous call with an int result; the file type travels as its number here:",
                 {"uploadUserFile", "ringer", "Chirp.raw"});
    tour.example(
        "A callback channel: agent1 is a small object of this tool that is an Executable\n"
        "and a MgmtAgentIfc. The framework context names its channel, the proxy sends it\n"
        "with the request, and the service calls the agent back on it when the data\n"
        "changes (mgmtctl shows that as a callback record):",
        {"observeManageableData", "Device.Audio.Volume", "agent1"});
    tour.example(
        "Manageable data travels as one text. Values whose key mentions a password are\n"
        "sent as they are, but hidden in everything this tool prints:",
        {"setData", "user=alice;adminPassword=secret"});
    tour.example("The action event proxy: one one-way request per event.",
                 {"addActionEventRequestWithData", "EVENT_KEY_PRESS", "key=5"});
    tour.example("The location delivery proxy: a one-way request without parameters.",
                 {"sendLocationDeliveryRequest"});

    printer.note(
        "\nA failure. The service now throws CorvexException(\"simulated failure\") for\n"
        "uploadUserFile, as `mgmtctl --fail uploadUserFile ...` makes it do. The proxy\n"
        "catches it, writes a level-2 record with the text and returns its default, -1:");
    try {
        session.failRemote("uploadUserFile", "simulated failure");
        printer.outcome(tour.call({"uploadUserFile", "ringer", "Chirp.raw"}));
    } catch (const ArgumentError& error) {
        printer.note(std::string("         (the simulated service cannot fail it: ") + error.what() + ")");
    }
}

}  // namespace

int showDemo(Session& session, Printer& printer, const ProxyLibrary& library, int logLevel) {
    printer.note(R"(mgmtctl: a guided tour
======================
The framework loads the proxy library, asks its three factories for proxies
and binds each proxy to a request channel. This tool does the same; its
channel is a simulated telephone service living in this process.
)");
    printer.note("  library    " + library.path() + "\n  factories  " + kLocalMgmtFactory + ", " +
                 kActionEventFactory + ",\n             " + kLocationFactory +
                 "\n  channel    mgmtkit::SimulatedPhone, framework context mgmtkit::SimulatedContext");
    Tour tour(session, printer);
    followOneRequest(tour, session, printer, logLevel);
    representativeCalls(tour, session, printer);
    printer.note(R"(
Next:
  mgmtctl list                                   every operation and its arguments
  mgmtctl call getListOfFilesOfType ringer       one call
  mgmtctl --fail uploadUserFile call uploadUserFile ringer a.wav
  mgmtctl run examples/calls.txt                 several calls in one session
  mgmtctl --json call retrievePhoneBusyStatus    records as JSON lines)");
    return kExitDone;
}

}  // namespace mgmtctl
