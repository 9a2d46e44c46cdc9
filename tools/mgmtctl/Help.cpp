#include "Help.h"

#include "BusOption.h"
#include "NamedRows.h"

namespace mgmtctl {

namespace {

constexpr std::size_t kAny = static_cast<std::size_t>(-1);

constexpr const char* kScriptLines = R"(Lines:
  OPERATION ARGS...         a call, as `mgmtctl call` takes it
  call OPERATION ARGS...    the same
  fail REMOTE[=TEXT]        from here on the service throws
                            CorvexException(TEXT) for that remote method (TEXT
                            defaults to "simulated failure"); `mgmtctl list`
                            shows each operation's remote method
  restore REMOTE            the service answers that remote method again
  state                     print the simulated telephone's state

Words are split at blanks. "Double quotes" keep blanks and take \" and \\;
'single quotes' keep everything; "" is an empty word. A # where a word could
start begins a comment.

Every line is checked before the first one runs, so a bad line stops the
script before anything is sent. A line fails when an exception reaches the
caller: the script stops there (exit status 1) unless --keep-going is given,
which runs the remaining lines and still exits with 1.

Example (examples/calls.txt in the source tree, installed under
share/doc/LocalMgmtProxy/examples/):
  # a ringer upload, then the listing
  uploadUserFile ringer Chirp.raw
  getListOfFilesOfType ringer
  fail uploadUserFile=disk full
  uploadUserFile ringer Chirp.raw
  restore uploadUserFile
  state
)";

}  // namespace

const std::vector<CommandInfo>& commands() {
    static const std::vector<CommandInfo> table = {
        {"demo", "", "a guided tour (the default without a command)",
         "A guided tour: one request followed end to end with its log records, request\n"
         "and reply, then a few representative calls on all three proxies, one of\n"
         "them failing.\n",
         0, 0},
        {"list", "", "every operation with its arguments, result and remote method",
         "Every operation, by interface, with its arguments, result and the remote\n"
         "method it sends; then how arguments are written and the enumerations' names\n"
         "and values. With --verbose, each operation's wire reference as `describe`\n"
         "shows it.\n",
         0, 0},
        {"describe", "OPERATION", "the wire reference of one operation",
         "The operation's wire reference: the remote method it sends, each request and\n"
         "reply parameter with its wire name, kind and direction, the call style and\n"
         "time-out, and its failure pattern with the record it writes when the call\n"
         "fails.\n",
         1, 1},
        {"call", "OPERATION ARGS...", "one call; see `list` for names and argument syntax",
         "Calls the operation once with ARGS and prints the call, the log records the\n"
         "proxy wrote, the request and reply the simulated service saw, and the result\n"
         "with the out-arguments. Arguments in [brackets] in `mgmtctl list` may be left\n"
         "out. Exit status 1 when an exception reached the caller.\n",
         1, kAny},
        {"run", "FILE", "the lines of FILE in one session (- reads standard input)",
         "Runs the lines of FILE (- for standard input) in one session, so the\n"
         "simulated telephone's state carries over from line to line.\n\n",
         1, 1},
        {"state", "", "the simulated telephone's state and its faults",
         "Prints the simulated telephone's state as a session starts it, with the\n"
         "remote methods that --fail makes fail. Inside a script, a `state` line prints\n"
         "the state as the calls before it left it.\n",
         0, 0},
        {"serve", "", "put the simulated telephone on the bus for other processes",
         "Serves one simulated telephone on the bus that --bus names (the session bus\n"
         "without an address), shared by every client: `mgmtctl --bus call ...` and\n"
         "your own components. --fail scripts its faults; --trace writes every\n"
         "exchange, passwords hidden. SIGINT or SIGTERM ends it.\n",
         0, 0},
        {"monitor", "", "follow the served telephone's exchanges live",
         "Follows the exchanges of the telephone that `mgmtctl serve` puts on the bus\n"
         "(see --bus), one record each, passwords hidden, until interrupted.\n",
         0, 0},
        {"help", "[COMMAND]", "this text, or the details of one command", "Prints the usage, or the details of COMMAND.\n",
         0, 1},
    };
    return table;
}

const CommandInfo* findCommand(std::string_view name) { return findByName(commands(), name); }

std::vector<std::string> commandNames() { return namesOf(commands()); }

std::string usageText() {
    std::string text = R"(Usage: mgmtctl [OPTIONS] [COMMAND [ARGS...]]
Calls the telephone's management proxies the way a client does, against a
simulated telephone service in this process, and shows what each call sends
and what comes back.

Commands:
)";
    for (const CommandInfo& command : commands()) {
        std::string head = std::string("  ") + command.name;
        if (*command.synopsis != '\0') head += std::string(" ") + command.synopsis;
        if (head.size() < 28) head.resize(28, ' ');
        else head += "\n" + std::string(28, ' ');
        text += head + command.summary + "\n";
    }
    text += R"(
Options, anywhere on the line up to a lone --:
  --library PATH            the proxy library to load (default: the installed
                            one beside this tool, else the one it was built with)
  --log-level N             switch on log records of levels up to N (default 3);
                            level-2 records are written whatever N is
  --fail REMOTE[=TEXT]      the service throws CorvexException(TEXT) for that
                            remote method (TEXT defaults to "simulated failure");
                            may be repeated; `mgmtctl list` shows remote names
  --keep-going              run: go on past a line that fails (default: stop)
  --verbose                 list: add each operation's wire reference
)" + busOptionsUsage() + R"(  --json                    one JSON object per record and line; errors too, as
                            JSON objects on standard error
  --help, -h                this text
  --version                 the tool's and the library's version and soname

Exit status:
  0 when done; 1 when an exception reached the caller; 2 for bad input or a
  library that cannot be loaded.

Examples:
  mgmtctl call getListOfFilesOfType ringer old.wav,new.wav
                            one call; the list goes out and comes back
  mgmtctl describe uploadUserFile
                            what the operation sends and how it fails
  mgmtctl --log-level 5 call changeCurrentUser visitorUser
                            with the proxy's traces
  mgmtctl --fail uploadUserFile call uploadUserFile ringer song.mp3
                            the failure path and its record
  mgmtctl --json call setData 'user=alice;adminPassword=secret'
                            records as JSON lines; passwords are masked
  mgmtctl run examples/calls.txt
                            a session from a script (mgmtctl help run)
)";
    return text;
}

std::string synopsisOf(const CommandInfo& command) {
    std::string text = std::string("mgmtctl ") + command.name;
    if (*command.synopsis != '\0') text += std::string(" ") + command.synopsis;
    return text;
}

std::string commandHelp(const CommandInfo& command) {
    std::string text = "Usage: " + synopsisOf(command) + "\n\n";
    text += command.details;
    if (std::string_view(command.name) == "run") text += kScriptLines;
    return text;
}

std::string versionText() {
    return std::string("mgmtctl ") + MGMTCTL_VERSION + "\nproxy library " + MGMTCTL_LIBRARY_NAME +
           " (LocalMgmtProxy " + MGMTCTL_VERSION + ")\n";
}

}  // namespace mgmtctl
