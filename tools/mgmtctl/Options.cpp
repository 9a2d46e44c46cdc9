#include "Options.h"

#include "ArgumentParsing.h"
#include "BusOption.h"
#include "Suggestions.h"

namespace mgmtctl {

namespace {

constexpr const char* kDefaultFailure = "simulated failure";

const std::vector<std::string>& optionNames() {
    static const std::vector<std::string> names = {"--library", "--log-level", "--fail", "--json", "--help", "--bus", "--trace"};
    return names;
}

}  // namespace

Options parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-' || (word[1] != '-' && word != "-h")) {
            options.words.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        // --name value, or --name=value
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        std::optional<std::string> inlineValue;
        if (equals != std::string::npos) inlineValue = word.substr(equals + 1);
        const auto value = [&]() -> std::string {
            if (inlineValue) return *inlineValue;
            if (i + 1 >= arguments.size()) throw ArgumentError(name + " needs a value");
            return arguments[++i];
        };
        if (name == "--help" || name == "-h") {
            options.help = true;
        } else if (name == "--json") {
            options.json = true;
        } else if (name == "--library") {
            options.library = value();
        } else if (name == "--log-level") {
            const std::string level = value();
            int number = 0;
            if (!tryParseInt(level, number) || number < 0 || number > kHighestLogLevel)
                throw ArgumentError("--log-level takes a number from 0 to " +
                                    std::to_string(kHighestLogLevel) + ", not '" + level + "'");
            options.logLevel = number;
        } else if (name == "--fail") {
            const std::string failure = value();
            const std::size_t split = failure.find('=');
            if (split == 0 || failure.empty()) throw ArgumentError("--fail needs a remote method name");
            if (split == std::string::npos)
                options.failures.emplace_back(failure, kDefaultFailure);
            else
                options.failures.emplace_back(failure.substr(0, split), failure.substr(split + 1));
        } else if (parseBusOption(name, inlineValue, options)) {
        } else {
            std::string message = "unknown option " + name + "; closest:";
            for (const std::string& known : closest(name, optionNames(), 2)) message += " " + known;
            throw ArgumentError(message);
        }
    }
    return options;
}

std::string usageText() {
    return R"(usage: mgmtctl [OPTIONS] [COMMAND]

Calls the telephone's management proxies the way a client does, against a
simulated telephone service in this process, and shows what each call sends
and what comes back.

Commands:
  demo                      a guided tour (the default without a command)
  list                      every operation with its arguments and result
  call OPERATION ARGS...    one call; see `list` for names and argument syntax
  run FILE                  one call per line, in one session, so state carries
                            over; FILE - reads standard input; # starts a comment
)" + busCommandsUsage() + R"(
Options (anywhere before a "--"):
  --library PATH            the proxy library to load (default: the installed
                            one beside this tool, else the one it was built with)
  --log-level N             switch on log records of levels up to N (default 3);
                            level-2 records are written whatever N is
  --fail REMOTE[=TEXT]      the service throws CorvexException(TEXT) for that
                            remote method (TEXT defaults to "simulated failure");
                            may be repeated
  --json                    one JSON object per record and line
)" + busOptionsUsage() + R"(  --help, -h                this text

Exit status: 0 when done; 1 when an exception reached the caller; 2 for bad
input or a library that cannot be loaded.

Examples:
  mgmtctl call getListOfFilesOfType ringer old.wav,new.wav
  mgmtctl --log-level 5 call changeCurrentUser visitorUser
  mgmtctl --fail uploadUserFile call uploadUserFile ringer song.mp3
  mgmtctl --json call setData 'user=alice;adminPassword=secret'
)";
}

}  // namespace mgmtctl
