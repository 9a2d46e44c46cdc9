#include "Script.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

#include "BadInput.h"

namespace mgmtctl {

namespace {

bool blank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

std::string readInput(const std::string& path) {
    if (path == "-") return std::string(std::istreambuf_iterator<char>(std::cin), {});
    // stdio rather than a stream: errno then says why a file cannot be read.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "r"), std::fclose);
    const auto failure = [&path] { return ArgumentError("cannot read " + path + ": " + std::strerror(errno)); };
    if (!file) throw failure();
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, got);
    if (std::ferror(file.get())) throw failure();
    return text;
}

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

std::vector<ScriptLine> readScriptFile(const std::string& path) {
    std::istringstream text(readInput(path));
    try {
        return readScript(text);
    } catch (const ArgumentError& error) {
        throw ArgumentError((path == "-" ? std::string("standard input") : path) + ": " + error.what());
    }
}

}  // namespace mgmtctl
