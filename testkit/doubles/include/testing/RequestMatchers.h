/// \file
/// gMock matchers for the requests a RecordingChannel saw:
///
///     EXPECT_THAT(channel.requests(),
///                 Contains(Request("uploadUserFile", Param("filetype", 11), Param("filename", "a.wav"))));
///
/// A request matches when it has that remote name and carries every parameter
/// listed (others may come too). A parameter matches by name, kind and value,
/// and by direction when one is given.
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

/// One parameter of a request in comparable form; ints and bools as decimal
/// text, bools "1" or "0".
struct SentParameter {
    std::string name;                 ///< The parameter's name.
    Parameter::kinds kind;            ///< INT, STRING or BOOL.
    Parameter::directions direction;  ///< IN, OUT or INOUT.
    std::string value;                ///< The value as text.

    /// Same name, kind, direction and value.
    bool operator==(const SentParameter& other) const;
};
/// Every parameter of `request`, in order, in comparable form.
std::vector<SentParameter> parametersOf(const Method& request);

/// A parameter a Request() matcher looks for; made by Param().
struct ExpectedParameter {
    std::string name;                                ///< The parameter's name.
    Parameter::kinds kind;                           ///< Its kind.
    std::string value;                               ///< Its value as text, as SentParameter has it.
    std::optional<Parameter::directions> direction;  ///< Any when not given.

    /// Whether `sent` is this parameter.
    bool matches(const SentParameter& sent) const;
};

/// The direction a Param() asks for; any when not given.
using Direction = std::optional<Parameter::directions>;
/// A bool parameter.
ExpectedParameter Param(std::string name, bool value, Direction direction = std::nullopt);
/// A string parameter.
ExpectedParameter Param(std::string name, std::string value, Direction direction = std::nullopt);
/// A string parameter; without it a literal would be taken for a bool.
ExpectedParameter Param(std::string name, const char* value, Direction direction = std::nullopt);
/// An int parameter from any integer or enumeration the interfaces use
/// (Param("busyStatus", 5u), Param("filetype", LocalMgmtIfc::FILETYPE_RINGER)),
/// converted to int as the proxies convert it for the wire.
template <class Number, std::enable_if_t<(std::is_integral_v<Number> || std::is_enum_v<Number>) &&
                                             !std::is_same_v<Number, bool>,
                                         int> = 0>
ExpectedParameter Param(std::string name, Number value, Direction direction = std::nullopt) {
    return ExpectedParameter{std::move(name), Parameter::INT, std::to_string(static_cast<int>(value)), direction};
}

/// The matcher Request() makes, in gMock's polymorphic matcher form; tests
/// use Request() rather than this class.
class RequestMatcher {
public:
    /// Matches a request of `remote` carrying every parameter in `parameters`.
    RequestMatcher(std::string remote, std::vector<ExpectedParameter> parameters)
        : remote_(std::move(remote)), parameters_(std::move(parameters)) {}

    /// Whether `request` matches; tells `listener` what differs when not.
    bool MatchAndExplain(const Method& request, ::testing::MatchResultListener* listener) const;
    /// Whether the request `sent` carried matches.
    bool MatchAndExplain(const SentRequest& sent, ::testing::MatchResultListener* listener) const {
        return MatchAndExplain(sent.request, listener);
    }
    /// Says what a matching request is.
    void DescribeTo(std::ostream* out) const;
    /// Says what a request that does not match is.
    void DescribeNegationTo(std::ostream* out) const;

private:
    std::string remote_;
    std::vector<ExpectedParameter> parameters_;
};

/// Matches a SentRequest or a Method of remote name `remote` that carries
/// every parameter given (Param()); others may come too.
template <class... Parameters>
::testing::PolymorphicMatcher<RequestMatcher> Request(std::string remote, Parameters... parameters) {
    return ::testing::MakePolymorphicMatcher(
        RequestMatcher(std::move(remote), std::vector<ExpectedParameter>{std::move(parameters)...}));
}

/// Prints a sent parameter as gMock failure messages show it: `int "filetype" in = 11`.
std::ostream& operator<<(std::ostream& out, const SentParameter& parameter);
/// Prints an expected parameter the same way, its direction only when given.
std::ostream& operator<<(std::ostream& out, const ExpectedParameter& parameter);
/// How gMock prints a sent request in failure messages:
/// `uploadUserFile, synchronous: int "filetype" in = 11, string "filename" in = "a.wav"`.
void PrintTo(const SentRequest& sent, std::ostream* out);
/// How gMock prints a request in failure messages: its name and parameters.
void PrintTo(const Method& request, std::ostream* out);

}  // namespace mgmtkit
