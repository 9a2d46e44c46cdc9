// Bad input, from the command line or a script line: the error the tool
// reports before anything is sent, exiting with status 2, and the wording
// that helps: the names closest to a mistyped one, the right article.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mgmtctl {

class ArgumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "; closest: a b c": up to `count` candidates, closest first by edit
// distance (insertions, deletions, substitutions, ignoring letter case);
// ties keep the candidates' order.
std::string closest(std::string_view word, const std::vector<std::string>& candidates, std::size_t count = 3);

// "a file type", "an event type": by the noun's first letter.
std::string withArticle(std::string_view noun);

}  // namespace mgmtctl
