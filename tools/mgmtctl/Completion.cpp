#include "Completion.h"

#include "ArgumentTypes.h"
#include "Catalogue.h"
#include "Enumerations.h"
#include "Help.h"
#include "Options.h"
#include "testing/SimulatedPhone.h"

namespace mgmtctl {

namespace {

bool takesValue(const std::string& option) {
    return option == "--library" || option == "--log-level" || option == "--fail";
}

std::vector<std::string> valuesOf(ArgType type) {
    if (const Enumeration* table = enumerationOf(type)) {
        std::vector<std::string> names;
        for (const Enumerator& e : table->enumerators()) {
            names.emplace_back(e.name);
            if (e.alias != nullptr) names.emplace_back(e.alias);
        }
        return names;
    }
    switch (type) {
        case ArgType::Bool: return {"true", "false"};
        case ArgType::Agent:
        case ArgType::Observer: return {"agent1", "agent2", "none"};
        default: return {};
    }
}

std::vector<std::string> operandsOf(const std::vector<std::string>& positional) {
    const std::string& command = positional.front();
    const std::size_t index = positional.size() - 2;  // the operand under the cursor, from 0
    if (command == "help") return index == 0 ? commandNames() : std::vector<std::string>{};
    if (command == "describe") return index == 0 ? operationNames() : std::vector<std::string>{};
    if (command != "call") return {};
    if (index == 0) return operationNames();
    const Operation* operation = findOperation(positional[1]);
    if (operation == nullptr || index - 1 >= operation->args.size()) return {};
    return valuesOf(operation->args[index - 1].type);
}

}  // namespace

std::vector<std::string> completions(const std::vector<std::string>& words) {
    if (words.empty()) return {};
    const std::string& current = words.back();
    const std::string previous = words.size() > 1 ? words[words.size() - 2] : std::string();
    if (previous == "--fail") return mgmtkit::SimulatedPhone().remoteMethods();
    if (previous == "--log-level") {
        std::vector<std::string> levels;
        for (int level = 0; level <= kHighestLogLevel; ++level) levels.push_back(std::to_string(level));
        return levels;
    }
    if (previous == "--library") return {};

    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        const std::string& word = words[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && word.size() > 1 && word[0] == '-') {
            if (takesValue(word)) ++i;  // its value is the next word
        } else {
            positional.push_back(word);
        }
    }
    if (!optionsEnded && !current.empty() && current[0] == '-') return optionNames();
    if (positional.empty()) return commandNames();
    positional.push_back(current);
    return operandsOf(positional);
}

}  // namespace mgmtctl
