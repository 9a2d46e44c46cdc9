// What the shell completion offers, worked out by the tool from its command
// line's definitions and the service description, so that the completion
// script stays a few lines and never lists names of its own.
#include <algorithm>

#include "CommandLine.h"
#include "Reference.h"
#include "Session.h"

namespace mgmtctl {

namespace {

std::vector<std::string> valuesOf(mgmtdesc::ArgType type) {
    if (const mgmtdesc::Enumeration* enumeration = mgmtdesc::enumerationOf(type)) {
        std::vector<std::string> names;
        for (const mgmtdesc::Enumerator& e : enumeration->enumerators)
            for (const char* name : {e.wireName, e.identifier})
                if (name != nullptr) names.emplace_back(name);
        return names;
    }
    switch (type) {
        case mgmtdesc::ArgType::Bool: return {"true", "false"};
        case mgmtdesc::ArgType::Agent:
        case mgmtdesc::ArgType::Observer: return {"agent1", "agent2", "none"};
        default: return {};
    }
}

// What fits a value by what the definitions call it: an option's value
// ("REMOTE[=TEXT]", "N") or an operand ("OPERATION", "COMMAND"). Nothing for
// a path.
std::vector<std::string> wordsFor(const std::string& what, const CLI::App& app) {
    if (what == "REMOTE[=TEXT]") return mgmtkit::SimulatedPhone().remoteMethods();
    if (what == "OPERATION") return operationNames();
    if (what == "COMMAND") return commandNames(app);
    std::vector<std::string> levels;
    for (int level = 0; what == "N" && level <= kHighestLogLevel; ++level) levels.push_back(std::to_string(level));
    return levels;
}

// The operand under the cursor, `positional` being the command and its
// operands so far.
std::vector<std::string> operandWords(const CLI::App& app, const std::vector<std::string>& positional) {
    const std::vector<std::string> commands = commandNames(app);
    if (std::find(commands.begin(), commands.end(), positional.front()) == commands.end()) return {};
    std::size_t index = positional.size() - 2;
    for (const CLI::Option* operand : operandsOf(*app.get_subcommand(positional.front()))) {
        if (operand->get_name() == "ARGS") {
            const mgmtdesc::Operation* operation = findCallable(positional[1]);
            return operation != nullptr && index < operation->arguments.size()
                       ? valuesOf(operation->arguments[index].type)
                       : std::vector<std::string>();
        }
        if (index-- == 0) return wordsFor(operand->get_name(), app);
    }
    return {};
}

}  // namespace

std::vector<std::string> completions(const CLI::App& app, const std::vector<std::string>& words) {
    if (words.empty()) return {};
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        const std::string& word = words[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && word.size() > 1 && word[0] == '-') {
            const CLI::Option* option = app.get_option_no_throw(word.substr(0, word.find('=')));
            if (option == nullptr || option->get_expected_max() == 0 || word.find('=') != std::string::npos) continue;
            if (i + 2 == words.size()) return wordsFor(option->get_type_name(), app);  // its value is under the cursor
            ++i;
        } else {
            positional.push_back(word);
        }
    }
    const std::string& current = words.back();
    if (!optionsEnded && !current.empty() && current[0] == '-') return optionNames(app);
    if (positional.empty()) return commandNames(app);
    positional.push_back(current);
    return operandWords(app, positional);
}

}  // namespace mgmtctl
