#include "testing/RequestMatchers.h"


namespace mgmtkit {

namespace {

// Strings quoted, so an empty or blank value is visible.
void printValue(std::ostream& out, Parameter::kinds kind, const std::string& value) {
    if (kind == Parameter::STRING)
        out << '"' << value << '"';
    else if (kind == Parameter::BOOL)
        out << (value == "1" ? "true" : "false");
    else
        out << value;
}

void printParameters(std::ostream& out, const Method& request) {
    const char* separator = "";
    for (const SentParameter& parameter : parametersOf(request)) {
        out << separator << parameter;
        separator = ", ";
    }
}

}  // namespace

bool SentParameter::operator==(const SentParameter& other) const {
    return name == other.name && kind == other.kind && direction == other.direction && value == other.value;
}

std::vector<SentParameter> parametersOf(const Method& request) {
    std::vector<SentParameter> parameters;
    for (const Parameter& p : request.parameters()) {
        std::string value;
        switch (p.kind()) {
            case Parameter::INT: value = std::to_string(p.intValue()); break;
            case Parameter::STRING: value = p.stringValue(); break;
            case Parameter::BOOL: value = p.boolValue() ? "1" : "0"; break;
        }
        parameters.push_back(SentParameter{p.name(), p.kind(), p.direction(), std::move(value)});
    }
    return parameters;
}

bool ExpectedParameter::matches(const SentParameter& sent) const {
    return sent.name == name && sent.kind == kind && sent.value == value &&
           (!direction || *direction == sent.direction);
}

ExpectedParameter Param(std::string name, bool value, Direction direction) {
    return ExpectedParameter{std::move(name), Parameter::BOOL, value ? "1" : "0", direction};
}

ExpectedParameter Param(std::string name, std::string value, Direction direction) {
    return ExpectedParameter{std::move(name), Parameter::STRING, std::move(value), direction};
}

ExpectedParameter Param(std::string name, const char* value, Direction direction) {
    return Param(std::move(name), std::string(value), direction);
}

bool RequestMatcher::MatchAndExplain(const Method& request, ::testing::MatchResultListener* listener) const {
    if (request.name() != remote_) {
        *listener << "which is a request \"" << request.name() << '"';
        return false;
    }
    const std::vector<SentParameter> sent = parametersOf(request);
    bool all = true;
    for (const ExpectedParameter& expected : parameters_) {
        bool found = false;
        for (const SentParameter& parameter : sent) found = found || expected.matches(parameter);
        if (found) continue;
        *listener << (all ? "which " : ", and ");
        all = false;
        std::vector<const SentParameter*> named;
        for (const SentParameter& parameter : sent)
            if (parameter.name == expected.name) named.push_back(&parameter);
        if (named.empty()) *listener << "has no parameter \"" << expected.name << '"';
        for (std::size_t i = 0; i < named.size(); ++i) *listener << (i == 0 ? "has " : " and ") << *named[i];
    }
    return all;
}

void RequestMatcher::DescribeTo(std::ostream* out) const {
    *out << "is a request \"" << remote_ << '"';
    const char* separator = " with ";
    for (const ExpectedParameter& parameter : parameters_) {
        *out << separator << parameter;
        separator = ", ";
    }
}

void RequestMatcher::DescribeNegationTo(std::ostream* out) const {
    *out << "not (";
    DescribeTo(out);
    *out << ')';
}

std::ostream& operator<<(std::ostream& out, const SentParameter& parameter) {
    out << mgmtdesc::nameOf(parameter.kind) << " \"" << parameter.name << "\" " << mgmtdesc::nameOf(parameter.direction)
        << " = ";
    printValue(out, parameter.kind, parameter.value);
    return out;
}

std::ostream& operator<<(std::ostream& out, const ExpectedParameter& parameter) {
    out << mgmtdesc::nameOf(parameter.kind) << " \"" << parameter.name << '"';
    if (parameter.direction) out << ' ' << mgmtdesc::nameOf(*parameter.direction);
    out << " = ";
    printValue(out, parameter.kind, parameter.value);
    return out;
}

void PrintTo(const SentRequest& sent, std::ostream* out) {
    *out << sent.request.name() << ", " << mgmtdesc::nameOf(sent.style);
    if (!sent.callbackChannel.empty()) *out << " on \"" << sent.callbackChannel << '"';
    if (sent.timeout != 0) *out << " within " << sent.timeout << " ms";
    *out << ": ";
    printParameters(*out, sent.request);
}

void PrintTo(const Method& request, std::ostream* out) {
    *out << request.name() << ": ";
    printParameters(*out, request);
}

}  // namespace mgmtkit
