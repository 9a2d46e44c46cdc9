// The guided tour: one request followed end to end, then a handful of
// representative calls on all three proxies, one of them failing.
#include <list>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Commands.h"

namespace mgmtctl {

namespace {

std::vector<Record> call(Session& session, const std::vector<std::string>& words) {
    BoundCall bound = bindCall(session, words);
    return session.perform(*bound.operation, bound.arguments);
}

void followOneRequest(Session& session, Output& output, int logLevel) {
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
    const std::vector<Record> records = call(session, {"getListOfFilesOfType", "ringer", "old-ring.wav,my song.mp3"});
    session.setLogLevel(logLevel);
    std::set<std::size_t> shown = {0};  // the call itself is told above
    // Shows what a record means, then the first one of that kind (a log
    // record: saying `message`) not shown yet; returns where it is.
    const auto step = [&](const std::string& meaning, const char* kind, const char* message = nullptr) {
        output.note(meaning);
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (records[i]["record"] != kind || (message != nullptr && records[i]["message"] != message)) continue;
            if (!shown.insert(i).second) continue;
            output.print(records[i]);
            return i;
        }
        output.note("         (not written this time)");
        return records.size();
    };

    step("1. The entry trace, written before anything is built or sent:", "log", "getListOfFilesOfType");
    std::string serialised;
    Serializer::serialize(serialised, files);
    output.note(
        "\n2. The caller's list travels as one string, made by Serializer::serialize:\n"
        "         {\"old-ring.wav\", \"my song.mp3\"}  ->  " +
        Record(serialised).dump());
    step(
        "\n3. The file type travels by name: convertFileTypeEnumToString turns 11 into\n"
        "   \"ringer\" and writes a trace of its own:",
        "log", "convertFileTypeEnumToString");
    const std::size_t request = step(
        "\n4. The request record: the remote method's name, then each parameter with its\n"
        "   kind, direction and value (FileNames goes out and comes back, so inout):",
        "request");
    if (request + 1 < records.size()) {
        output.note(
            "\n5. The call: synchronous, with an empty callback channel and no time-out; the\n"
            "   client's thread waits until the service has answered (here: at once).");
        output.note("\n6. The reply record as the service filled it in:");
        output.print(records[request + 1]);
        shown.insert(request + 1);
    }
    step(
        "\n7. The proxy reads FileNames back into the caller's list (\"empty\" would\n"
        "   empty it) and returns true. The list afterwards:",
        "result");
    std::vector<Record> rest;
    for (std::size_t i = 0; i < records.size(); ++i)
        if (shown.count(i) == 0) rest.push_back(records[i]);
    if (!rest.empty()) output.note("\nAlso written during the call:");
    output.print(rest);
}

void representativeCalls(Session& session, Output& output) {
    output.note(R"(
Part 2: a few representative calls
----------------------------------
Each call below is what `mgmtctl call ...` prints: the call, the records the
proxy wrote, the request and reply the service saw, and the result.)");
    const std::pair<const char*, std::vector<std::string>> examples[] = {
        {"A one-way call: the request goes out and nothing comes back.", {"setPhoneBusyStatus", "5"}},
        {"A synchronous call with an unsigned result. The simulated service keeps its\n"
         "state for the whole session, so the status set above comes back:",
         {"retrievePhoneBusyStatus"}},
        {"A synchronous call with an int result; the file type travels as its number here:",
         {"uploadUserFile", "ringer", "Chirp.raw"}},
        {"A callback channel: agent1 is a small object of this tool that is an Executable\n"
         "and a MgmtAgentIfc. The framework context names its channel, the proxy sends it\n"
         "with the request, and the service calls the agent back on it when the data\n"
         "changes (mgmtctl shows that as a callback record):",
         {"observeManageableData", "Device.Audio.Volume", "agent1"}},
        {"Manageable data travels as one text. Values whose key mentions a password are\n"
         "sent as they are, but hidden in everything this tool prints:",
         {"setData", "user=alice;adminPassword=secret"}},
        {"The action event proxy: one one-way request per event.",
         {"addActionEventRequestWithData", "EVENT_KEY_PRESS", "key=5"}},
        {"The location delivery proxy: a one-way request without parameters.", {"sendLocationDeliveryRequest"}},
    };
    for (const auto& [explanation, words] : examples) {
        output.note(std::string("\n") + explanation);
        output.print(call(session, words));
    }

    output.note(
        "\nA failure. The service now throws CorvexException(\"simulated failure\") for\n"
        "uploadUserFile, as `mgmtctl --fail uploadUserFile ...` makes it do. The proxy\n"
        "catches it, writes a level-2 record with the text and returns its default, -1:");
    session.failRemote("uploadUserFile", "simulated failure");
    output.print(call(session, {"uploadUserFile", "ringer", "Chirp.raw"}));
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
    followOneRequest(session, output, logLevel);
    representativeCalls(session, output);
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
