// Wording of the tool's messages: the candidates closest to a mistyped word,
// and the right article.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mgmtctl {

// "; closest: a b c": up to `count` candidates, closest first by edit
// distance (insertions, deletions, substitutions, ignoring letter case);
// ties keep the candidates' order.
std::string closest(std::string_view word, const std::vector<std::string>& candidates, std::size_t count = 3);

// "a file type", "an event type": by the noun's first letter.
std::string withArticle(std::string_view noun);

}  // namespace mgmtctl
