// The guided tour: one request followed end to end, then a handful of
// representative calls on all three proxies, one of them failing.
#include <list>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ArgumentError.h"
#include "Commands.h"

namespace mgmtctl {

namespace {

bool logSaying(const Record& record, const char* message) { return record["message"] == message; }
bool theFirst(const Record&) { return true; }

class Tour {
public:
    Tour(Session& session, Output& output) : session_(session), output_(output) {}

    CallOutcome call(const std::vector<std::string>& words) {
        BoundCall bound = bindCall(session_, words);
        return session_.perform(*bound.operation, bound.arguments);
    }

    // Shows the first record of that kind not shown yet that `matches`, or
    // says it was not there; returns where it is.
    template <class Match>
    std::optional<std::size_t> step(const CallOutcome& outcome, const char* kind, const std::string& explanation,
                                    Match matches) {
        output_.note(explanation);
        for (std::size_t i = 0; i < outcome.records.size(); ++i) {
            const Record& record = outcome.records[i];
            if (record["record"] != kind || shown_.count(i) != 0 || !matches(record)) continue;
            shown_.insert(i);
            output_.print(record);
            return i;
        }
        output_.note("         (not written this time)");
        return std::nullopt;
    }

    void rest(const CallOutcome& outcome) {
        std::vector<Record> left;
        for (std::size_t i = 1; i < outcome.records.size(); ++i)  // the call itself was told
            if (shown_.count(i) == 0) left.push_back(outcome.records[i]);
        if (!left.empty()) output_.note("\nAlso written during the call:");
        output_.print(left);
        shown_.clear();
    }

    void show(std::size_t at) { shown_.insert(at); }

    void example(const char* explanation, const std::vector<std::string>& words) {
        output_.note(std::string("\n") + explanation);
        output_.print(call(words).records);
    }

private:
    Session& session_;
    Output& output_;
    std::set<std::size_t> shown_;
};

void followOneRequest(Tour& tour, Session& session, Output& output, int logLevel) {
    output.note(R"(
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

    tour.step(outcome, "log", "1. The entry trace, written before anything is built or sent:",
              [](const Record& r) { return logSaying(r, "getListOfFilesOfType"); });

    std::string serialised;
    Serializer::serialize(serialised, files);
    output.note(
        "\n2. The caller's list travels as one string, made by Serializer::serialize:\n"
        "         {\"old-ring.wav\", \"my song.mp3\"}  ->  " +
        Record(serialised).dump());

    tour.step(outcome, "log",
              "\n3. The file type travels by name: convertFileTypeEnumToString turns 11 into\n"
              "   \"ringer\" and writes a trace of its own:",
              [](const Record& r) { return logSaying(r, "convertFileTypeEnumToString"); });

    const auto request = tour.step(
        outcome, "request",
        "\n4. The request record: the remote method's name, then each parameter with its\n"
        "   kind, direction and value (FileNames goes out and comes back, so inout):",
        theFirst);
    if (request) {
        output.note(
            "\n5. The call: synchronous, with an empty callback channel and no time-out; the\n"
            "   client's thread waits until the service has answered (here: at once).");
        output.note("\n6. The reply record as the service filled it in:");
        output.print(outcome.records[*request + 1]);
        tour.show(*request + 1);
    }

    tour.step(outcome, "result",
              "\n7. The proxy reads FileNames back into the caller's list (\"empty\" would\n"
              "   empty it) and returns true. The list afterwards:",
              theFirst);
    tour.rest(outcome);
}

void representativeCalls(Tour& tour, Session& session, Output& output) {
    output.note(R"(
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

    output.note(
        "\nA failure. The service now throws CorvexException(\"simulated failure\") for\n"
        "uploadUserFile, as `mgmtctl --fail uploadUserFile ...` makes it do. The proxy\n"
        "catches it, writes a level-2 record with the text and returns its default, -1:");
    try {
        session.failRemote("uploadUserFile", "simulated failure");
        output.print(tour.call({"uploadUserFile", "ringer", "Chirp.raw"}).records);
    } catch (const ArgumentError& error) {
        output.note(std::string("         (the simulated service cannot fail it: ") + error.what() + ")");
    }
}

}  // namespace

int showDemo(Session& session, Output& output, const ProxyLibrary& library, int logLevel) {
    output.note(R"(mgmtctl: a guided tour
======================
The framework loads the proxy library, asks its three factories for proxies
and binds each proxy to a request channel. This tool does the same; its
channel is a simulated telephone service living in this process.
)");
    output.note("  library    " + library.path() + "\n  factories  " + mgmtkit::kLocalMgmtFactory + ", " +
                mgmtkit::kActionEventFactory + ",\n             " + mgmtkit::kLocationFactory +
                "\n  channel    mgmtkit::SimulatedPhone, framework context mgmtkit::SimulatedContext");
    Tour tour(session, output);
    followOneRequest(tour, session, output, logLevel);
    representativeCalls(tour, session, output);
    output.note(R"(
Next:
  mgmtctl list                                   every operation and its arguments
  mgmtctl call getListOfFilesOfType ringer       one call
  mgmtctl --fail uploadUserFile call uploadUserFile ringer a.wav
  mgmtctl run examples/calls.txt                 several calls in one session
  mgmtctl --json call retrievePhoneBusyStatus    records as JSON lines)");
    return kExitDone;
}

}  // namespace mgmtctl
