// Lookup in the tool's tables whose rows carry a unique `name` (operations,
// commands).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mgmtctl {

template <class Row>
const Row* findByName(const std::vector<Row>& rows, std::string_view name) {
    for (const Row& row : rows)
        if (name == row.name) return &row;
    return nullptr;
}

template <class Row>
std::vector<std::string> namesOf(const std::vector<Row>& rows) {
    std::vector<std::string> names;
    for (const Row& row : rows) names.emplace_back(row.name);
    return names;
}

}  // namespace mgmtctl
