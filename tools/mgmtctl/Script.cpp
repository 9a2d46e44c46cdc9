#include "Script.h"

#include <cctype>

#include "ArgumentParsing.h"

namespace mgmtctl {

namespace {

bool blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::vector<std::string> splitLine(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    for (;;) {
        while (at < line.size() && blank(line[at])) ++at;
        if (at == line.size() || line[at] == '#') return words;
        std::string word;
        while (at < line.size() && !blank(line[at])) {
            const char c = line[at++];
            if (c == '\'') {
                const std::size_t close = line.find('\'', at);
                if (close == std::string_view::npos) throw ArgumentError("unterminated ' quote");
                word.append(line.substr(at, close - at));
                at = close + 1;
            } else if (c == '"') {
                for (;;) {
                    if (at == line.size()) throw ArgumentError("unterminated \" quote");
                    const char inner = line[at++];
                    if (inner == '"') break;
                    if (inner == '\\' && at < line.size() && (line[at] == '"' || line[at] == '\\'))
                        word += line[at++];
                    else
                        word += inner;
                }
            } else {
                word += c;
            }
        }
        words.push_back(std::move(word));
    }
}

std::vector<ScriptLine> readScript(std::istream& in) {
    std::vector<ScriptLine> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        try {
            std::vector<std::string> words = splitLine(text);
            if (!words.empty()) lines.push_back({number, std::move(words)});
        } catch (const ArgumentError& error) {
            throw ArgumentError("line " + std::to_string(number) + ": " + error.what());
        }
    }
    return lines;
}

}  // namespace mgmtctl
