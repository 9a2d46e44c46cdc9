// The lines of a `run` script: one step per line, words as a shell would
// split them in the simple cases.
#pragma once

#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace mgmtctl {

// Blanks separate words. "Double quotes" keep blanks and take \" and \\;
// 'single quotes' keep everything; "" is an empty word. A # that starts a
// word starts a comment. Throws ArgumentError on an unterminated quote.
std::vector<std::string> splitLine(std::string_view line);

struct ScriptLine {
    int number;  // from 1
    std::vector<std::string> words;
};

// The lines that hold a call; blank and comment lines are left out.
// Throws ArgumentError naming the line of an unterminated quote.
std::vector<ScriptLine> readScript(std::istream& in);

// The script at `path`, "-" being standard input. Throws ArgumentError with
// the system's reason when the file cannot be read.
std::vector<ScriptLine> readScriptFile(const std::string& path);
// What the file at `path` holds, or standard input's for "-"; throws as above.
std::string readInput(const std::string& path);

}  // namespace mgmtctl
