// JSON text for the --json output: a string escaper and a one-line object
// builder. Every line the tool prints in JSON mode is one such object.
#pragma once

#include <string>
#include <string_view>

namespace mgmtctl {

// Appends `text` as a JSON string literal, quotes included. Quote, backslash
// and control characters (and DEL) are escaped; well-formed UTF-8 passes
// unchanged; every byte that is not part of a well-formed UTF-8 sequence
// becomes \u00XX, so the output is always valid UTF-8 whatever the input.
void appendJsonString(std::string& out, std::string_view text);
std::string jsonString(std::string_view text);

// Builds {"key":value,...} in the order the fields are added. Each adder has
// its own name so that a string literal can never pick the bool overload.
class JsonObject {
public:
    JsonObject& text(const char* key, std::string_view value);
    JsonObject& number(const char* key, long long value);
    JsonObject& flag(const char* key, bool value);
    JsonObject& raw(const char* key, std::string_view json);  // already JSON
    std::string str() const { return body_ + "}"; }

private:
    void key(const char* name);
    std::string body_ = "{";
};

}  // namespace mgmtctl
