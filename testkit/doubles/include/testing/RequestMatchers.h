// gMock matchers for the requests a RecordingChannel saw, e.g.
//   EXPECT_THAT(channel.requests(),
//               Contains(Request("uploadUserFile", Param("filetype", 11), Param("filename", "a.wav"))));
// A request matches when it has that remote name and carries every parameter
// listed (others may come too). A parameter matches by name, kind and value,
// and by direction when one is given.
#pragma once

#include <gmock/gmock.h>

#include <optional>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "Framework.h"
#include "testing/RecordingChannel.h"

namespace mgmtkit {

// One parameter of a request in comparable form; ints and bools as decimal
// text, bools "1" or "0".
struct SentParameter {
    std::string name;
    Parameter::kinds kind;
    Parameter::directions direction;
    std::string value;

    bool operator==(const SentParameter& other) const;
};
std::vector<SentParameter> parametersOf(const Method& request);

struct ExpectedParameter {
    std::string name;
    Parameter::kinds kind;
    std::string value;
    std::optional<Parameter::directions> direction;  // any when not given

    bool matches(const SentParameter& sent) const;
};

using Direction = std::optional<Parameter::directions>;
ExpectedParameter Param(std::string name, bool value, Direction direction = std::nullopt);
ExpectedParameter Param(std::string name, std::string value, Direction direction = std::nullopt);
ExpectedParameter Param(std::string name, const char* value, Direction direction = std::nullopt);
// An int parameter from any integer or enumeration the interfaces use
// (Param("busyStatus", 5u), Param("filetype", LocalMgmtIfc::FILETYPE_RINGER)),
// converted to int as the proxies convert it for the wire.
template <class Number, std::enable_if_t<(std::is_integral_v<Number> || std::is_enum_v<Number>) &&
                                             !std::is_same_v<Number, bool>,
                                         int> = 0>
ExpectedParameter Param(std::string name, Number value, Direction direction = std::nullopt) {
    return ExpectedParameter{std::move(name), Parameter::INT, std::to_string(static_cast<int>(value)), direction};
}

class RequestMatcher {
public:
    RequestMatcher(std::string remote, std::vector<ExpectedParameter> parameters)
        : remote_(std::move(remote)), parameters_(std::move(parameters)) {}

    bool MatchAndExplain(const Method& request, ::testing::MatchResultListener* listener) const;
    bool MatchAndExplain(const SentRequest& sent, ::testing::MatchResultListener* listener) const {
        return MatchAndExplain(sent.request, listener);
    }
    void DescribeTo(std::ostream* out) const;
    void DescribeNegationTo(std::ostream* out) const;

private:
    std::string remote_;
    std::vector<ExpectedParameter> parameters_;
};

// Matches a SentRequest or a Method.
template <class... Parameters>
::testing::PolymorphicMatcher<RequestMatcher> Request(std::string remote, Parameters... parameters) {
    return ::testing::MakePolymorphicMatcher(
        RequestMatcher(std::move(remote), std::vector<ExpectedParameter>{std::move(parameters)...}));
}

// How gMock prints them in failure messages, e.g.
//   uploadUserFile, sync: int "filetype" IN = 11, string "filename" IN = "a.wav"
std::ostream& operator<<(std::ostream& out, const SentParameter& parameter);
std::ostream& operator<<(std::ostream& out, const ExpectedParameter& parameter);
void PrintTo(const SentRequest& sent, std::ostream* out);
void PrintTo(const Method& request, std::ostream* out);

}  // namespace mgmtkit
