#include "BadInput.h"

#include <algorithm>
#include <cctype>
#include <numeric>
#include <utility>

namespace mgmtctl {

namespace {

bool sameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

std::size_t editDistance(std::string_view a, std::string_view b) {
    // One row of the classic table at a time.
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t substitution = diagonal + (sameLetter(a[i - 1], b[j - 1]) ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string closest(std::string_view word, const std::vector<std::string>& candidates, std::size_t count) {
    std::vector<std::pair<std::size_t, std::size_t>> ranked;  // distance, index
    for (std::size_t i = 0; i < candidates.size(); ++i) ranked.emplace_back(editDistance(word, candidates[i]), i);
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    std::string best = "; closest:";
    for (std::size_t i = 0; i < ranked.size() && i < count; ++i) best += " " + candidates[ranked[i].second];
    return best;
}

std::string withArticle(std::string_view noun) {
    std::string start(noun.substr(0, 3));
    for (char& c : start) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // "a user kind": a u that sounds like "you" takes "a".
    const bool vowelSound = !start.empty() && std::string_view("aeiou").find(start.front()) != std::string_view::npos &&
                            start != "use" && start != "uni";
    return (vowelSound ? "an " : "a ") + std::string(noun);
}

}  // namespace mgmtctl
