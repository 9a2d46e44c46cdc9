#include "CommandLine.h"

#include <algorithm>
#include <sstream>

#include "BadInput.h"
#include "Faults.h"
#include "Reference.h"
#include "Session.h"

namespace mgmtctl {

namespace {

struct Command {
    const char* name;
    const char* summary;  // its line in --help
    const char* details;  // the rest of `help COMMAND`
};

const Command kCommands[] = {
    {"demo", "a guided tour (the default without a command)",
     "A guided tour: one request followed end to end with its log records, request\n"
     "and reply, then a few representative calls on all three proxies, one of\n"
     "them failing.\n"},
    {"list", "every operation with its arguments, result and remote method",
     "Every operation, by interface, with its arguments, result and the remote\n"
     "method it sends; then how arguments are written and the enumerations' names\n"
     "and values. With --verbose, each operation's wire reference as `describe`\n"
     "shows it.\n"},
    {"describe", "the wire reference of one operation",
     "The operation's wire reference: the remote method it sends, each request and\n"
     "reply parameter with its wire name, kind and direction, the call style and\n"
     "time-out, and its failure pattern with the record it writes when the call\n"
     "fails.\n"},
    {"call", "one call; see `list` for names and argument syntax",
     "Calls the operation once with ARGS and prints the call, the log records the\n"
     "proxy wrote, the request and reply the simulated service saw, and the result\n"
     "with the out-arguments. Arguments in [brackets] in `mgmtctl list` may be left\n"
     "out. Exit status 1 when an exception reached the caller.\n"},
    {"run", "the lines of FILE in one session (- reads standard input)",
     R"(Runs the lines of FILE (- for standard input) in one session, so the
simulated telephone's state carries over from line to line.

Lines:
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

An example to start from: examples/calls.txt in the source tree, installed
under share/doc/LocalMgmtProxy/examples/.
)"},
    {"state", "the telephone's whole state and its faults, as JSON",
     "Prints the telephone's state as one JSON document, faults included: the one\n"
     "set-state and the served telephone's State and SetState take. Without --bus,\n"
     "a session's telephone as it starts, with what --fail scripts; in a script, as\n"
     "the lines before left it. Its rules are written in testing/PhoneState.h.\n"},
    {"calls", "the telephone's call record",
     "Every exchange since the telephone started or its calls were cleared, each\n"
     "after its time and caller: requests with their replies, callbacks to observers.\n"},
    {"clear-calls", "empty the telephone's call record", "Empties the call record that `calls` prints.\n"},
    {"reset", "a fresh telephone: no faults, observers or calls",
     "The starting state, no faults or delays, no observers, no calls recorded.\n"},
    {"set-state", "set the telephone up from a JSON document in FILE",
     "Sets the telephone up as FILE (- for standard input) says, a document as\n"
     "`state` prints it: what it leaves out keeps its starting value.\n"},
    {"serve", "put the simulated telephone on the bus for other processes",
     "Serves one simulated telephone on the bus that --bus names (the session bus\n"
     "without an address), shared by every client: `mgmtctl --bus call ...` and\n"
     "your own components. --fail scripts its faults; --trace writes every\n"
     "exchange, passwords hidden; --ready-fd says when it serves and when it has\n"
     "stopped. SIGINT or SIGTERM ends it. The service is the program\n"
     "mgmt-simulated-phone beside mgmtctl, which serve starts in its place with\n"
     "every option of the program given here.\n"},
    {"monitor", "follow the served telephone's exchanges live",
     "Follows the exchanges of the telephone that `mgmtctl serve` puts on the bus\n"
     "(see --bus), one record each, passwords hidden, until interrupted.\n"},
    {"help", "this text, or the details of one command", "Prints the usage, or the details of COMMAND.\n"},
};

constexpr const char* kDescription = R"(Calls the telephone's management proxies the way a client does, against a
simulated telephone service in this process, and shows what each call sends
and what comes back.)";

constexpr const char* kFooter = R"(Exit status:
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
                            a session from a script (mgmtctl help run))";

// "call OPERATION [ARGS...]"
std::string synopsis(const CLI::App& command) {
    std::string text = command.get_name();
    const CLI::Formatter plain;
    for (const CLI::Option* operand : operandsOf(command)) text += " " + plain.make_option_usage(operand);
    return text;
}

// The help in mgmtctl's layout: a command with its operands, an option with
// what it takes, no section of operands of their own.
class HelpFormatter : public CLI::Formatter {
public:
    HelpFormatter() { column_width(28); }

    std::string make_help(const CLI::App* app, std::string name, CLI::AppFormatMode mode) const override {
        return make_usage(app, name) + make_description(app) + make_groups(app, mode) + make_subcommands(app, mode) +
               "\n" + make_footer(app);
    }
    std::string make_subcommand(const CLI::App* command) const override {
        std::ostringstream line;
        CLI::detail::format_help(line, synopsis(*command), command->get_description(), get_column_width());
        return line.str();
    }
    std::string make_option(const CLI::Option* option, bool) const override {
        std::string names;
        for (const std::string& name : option->get_lnames()) names += (names.empty() ? "--" : ", --") + name;
        for (const std::string& name : option->get_snames()) names += ", -" + name;
        // What it takes: a value, or the "[=ADDRESS]" of a flag that may have one.
        names += option->get_expected_max() > 0 ? " " + option->get_type_name() : option->get_option_text();
        std::ostringstream line;
        CLI::detail::format_help(line, names, option->get_description(), get_column_width());
        return line.str();
    }
};

// The value of an option is never the next option: in `--library --json`
// the path was forgotten.
std::string notAnOption(const std::string& value) {
    if (value.size() > 1 && value[0] == '-')
        return "needs a value of its own, not the option '" + value +
               "' (a value that starts with - as --option=VALUE)";
    return std::string();
}

}  // namespace

std::vector<const CLI::Option*> operandsOf(const CLI::App& command) {
    return command.get_options([](const CLI::Option* option) { return option->get_positional(); });
}

std::vector<std::string> commandNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(command->get_name());
    return names;
}

std::vector<std::string> optionNames(const CLI::App& app) {
    std::vector<std::string> names;
    for (const CLI::Option* option : app.get_options())
        if (!option->get_lnames().empty()) names.push_back("--" + option->get_lnames().front());
    return names;
}

CommandLine::CommandLine() : app_(kDescription, "mgmtctl") {
    app_.formatter(std::make_shared<HelpFormatter>());
    app_.get_formatter()->label("SUBCOMMAND", "COMMAND [ARGS...]");
    app_.footer(kFooter);
    app_.set_help_flag();  // not CLI11's: ours below is read anywhere, also after a command
    app_.allow_extras();   // checked by parse(), to say what a stray word is
    app_.require_subcommand(0, 1);
    app_.option_defaults()->group("Options, anywhere on the line up to a lone --");

    Options& o = options_;
    app_.add_option("--library", o.library,
                    "the proxy library to load (default: the installed\n"
                    "one beside this tool, else the one it was built with)")
        ->type_name("PATH")
        ->check(CLI::Validator(notAnOption, ""));
    app_.add_option("--log-level", o.logLevel,
                    "switch on log records of levels up to N (default 3);\n"
                    "level-2 records are written whatever N is")
        ->type_name("N")
        ->check(CLI::Range(0, kHighestLogLevel).description(""));
    app_.add_option("--fail", o.failures,
                    "the service throws CorvexException(TEXT) for that\n"
                    "remote method, or the one the operation sends (TEXT\n"
                    "defaults to \"simulated failure\"); may be repeated")
        ->type_name("REMOTE[=TEXT]")
        ->allow_extra_args(false)
        ->check(CLI::Validator(
            [](const std::string& value) {
                const std::string problem = notAnOption(value);
                if (problem.empty() && !parseFailure(value))
                    return std::string("needs a remote method name, as in REMOTE[=TEXT]");
                return problem;
            },
            ""));
    app_.add_flag("--keep-going", o.keepGoing, "run: go on past a line that fails (default: stop)");
    app_.add_flag("--verbose", o.verbose, "list: add each operation's wire reference");
    app_.add_flag("--bus{}", o.bus,
                  "every command but list, describe and help: the\n"
                  "telephone that `mgmtctl serve` puts on the bus,\n"
                  "or the bus serve and monitor use. Without ADDRESS:\n"
                  "the session bus")
        ->option_text("[=ADDRESS]");
    app_.add_flag("--json", o.json,
                  "one JSON object per record and line; errors too, as\n"
                  "JSON objects on standard error")
        ->trigger_on_parse();  // known at once, so that bad input later on the line is told in JSON
    addServiceOptions(app_, o, "serve: ");
    app_.add_flag("-h,--help", o.help, "this text");
    app_.add_flag("--version", o.version, "the tool's and the library's version and soname");

    for (const Command& command : kCommands)
        app_.add_subcommand(command.name, command.summary)->group("Commands")->footer(command.details)->fallthrough();
    app_.get_subcommand("describe")->add_option("OPERATION", o.operation)->required();
    app_.get_subcommand("call")->add_option("OPERATION", o.operation)->required();
    app_.get_subcommand("call")->add_option("ARGS", o.arguments);
    app_.get_subcommand("run")->add_option("FILE", o.file)->required();
    app_.get_subcommand("set-state")->add_option("FILE", o.file)->required();
    app_.get_subcommand("help")->add_option("COMMAND", o.topic);
}

Options CommandLine::parse(const std::vector<std::string>& words) {
    options_ = Options();
    // Everything after a lone "--" is an operand. CLI11 reads that right
    // only outside a command (inside one, "--" ends the command instead), so
    // those words are set aside here and handed to the command below.
    const auto mark = std::find(words.begin(), words.end(), "--");
    std::vector<std::string> operands(mark == words.end() ? mark : mark + 1, words.end());
    std::vector<std::string> reversed(std::make_reverse_iterator(mark), words.rend());  // as CLI11 reads them
    try {
        app_.parse(reversed);
    } catch (const CLI::RequiredError&) {
        if (operands.empty()) refuseOperands();  // else they may be there
    } catch (const CLI::ParseError& error) {
        throw ArgumentError(error.what());
    }
    const std::vector<CLI::App*> chosen = app_.get_subcommands();
    if (!chosen.empty()) {
        options_.command = chosen.front()->get_name();
        for (const CLI::Option* operand : operandsOf(*chosen.front())) {  // the words after "--" come next
            const std::string& name = operand->get_name();
            std::string& value = name == "FILE"      ? options_.file
                                 : name == "COMMAND" ? options_.topic
                                                     : options_.operation;
            if (name == "ARGS") {
                options_.arguments.insert(options_.arguments.end(), operands.begin(), operands.end());
                operands.clear();
            } else if (value.empty() && !operands.empty()) {
                value = operands.front();
                operands.erase(operands.begin());
            }
            if (value.empty() && operand->get_required()) refuseOperands();
        }
    }
    std::vector<std::string> stray = app_.remaining(true);
    const bool option = !stray.empty() && stray.front().size() > 1 && stray.front()[0] == '-';
    stray.insert(stray.end(), operands.begin(), operands.end());
    if (!stray.empty()) {
        const std::string& word = stray.front();
        if (option) {
            const std::string name = word.substr(0, word.find('='));
            throw ArgumentError("unknown option " + name + closest(name, optionNames(app_), 2));
        }
        if (!chosen.empty()) refuseOperands();
        if (findCallable(word) != nullptr)
            throw ArgumentError("unknown command '" + word + "'; to call the operation: mgmtctl call " + word);
        throw ArgumentError("unknown command '" + word + "'" + closest(word, commandNames(app_), 2) +
                            " (mgmtctl --help)");
    }
    options_.serviceArguments = givenServiceOptions(app_);
    const std::vector<std::string> commands = commandNames(app_);
    if (options_.command == "help" && !options_.topic.empty() &&
        std::find(commands.begin(), commands.end(), options_.topic) == commands.end()) {
        std::string message = "no command '" + options_.topic + "'; the commands:";
        for (const std::string& name : commands) message += " " + name;
        throw ArgumentError(message);
    }
    return options_;
}

std::string CommandLine::help(const std::string& command) const {
    const CLI::App* app = command.empty() ? &app_ : app_.get_subcommand(command);
    return app_.get_formatter()->make_help(app, command.empty() ? "mgmtctl" : "mgmtctl " + command,
                                           CLI::AppFormatMode::Normal);
}

std::string CommandLine::version() {
    return std::string("mgmtctl ") + MGMTCTL_VERSION + "\nproxy library " + MGMTCTL_LIBRARY_NAME + " (LocalMgmtProxy " +
           MGMTCTL_VERSION + ")\n";
}

void CommandLine::refuseOperands() const {
    const CLI::App& command = *app_.get_subcommands().front();
    throw ArgumentError("usage: mgmtctl " + synopsis(command) + " (mgmtctl help " + command.get_name() + ")");
}

}  // namespace mgmtctl
