#include "Options.h"

#include "ArgumentParsing.h"
#include "BusOption.h"
#include "Suggestions.h"

namespace mgmtctl {

namespace {

constexpr const char* kDefaultFailure = "simulated failure";

}  // namespace

const std::vector<std::string>& optionNames() {
    static const std::vector<std::string> names = {"--library", "--log-level", "--fail",    "--keep-going",
                                                   "--verbose", "--json",      "--version", "--help",
                                                   "--bus",     "--trace"};
    return names;
}

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
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--keep-going") {
            options.keepGoing = true;
        } else if (name == "--verbose") {
            options.verbose = true;
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
            try {
                options.failures.push_back(parseFailure(value()));
            } catch (const ArgumentError& error) {
                throw ArgumentError(std::string("--fail: ") + error.what());
            }
        } else if (parseBusOption(name, inlineValue, options)) {
        } else {
            std::string message = "unknown option " + name + "; closest:";
            for (const std::string& known : closest(name, optionNames(), 2)) message += " " + known;
            throw ArgumentError(message);
        }
    }
    return options;
}

bool asksForJson(const std::vector<std::string>& arguments) {
    for (const std::string& word : arguments) {
        if (word == "--") return false;
        if (word == "--json" || word.rfind("--json=", 0) == 0) return true;
    }
    return false;
}

std::pair<std::string, std::string> parseFailure(const std::string& failure) {
    const std::size_t split = failure.find('=');
    if (split == 0 || failure.empty()) throw ArgumentError("needs a remote method name, as in REMOTE[=TEXT]");
    if (split == std::string::npos) return {failure, kDefaultFailure};
    return {failure.substr(0, split), failure.substr(split + 1)};
}

}  // namespace mgmtctl
