#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace core {

// Splits members (given in increasing order) into runs of equal key, ordered by key; each run
// keeps the members' order. The matching steps of the duplicate search narrow their classes
// down with it.
template <typename KeyOf>
std::vector<std::vector<std::size_t>> runsOf(const std::vector<std::size_t>& members, KeyOf keyOf) {
    using Key = decltype(keyOf(std::size_t{}));
    std::vector<std::pair<Key, std::size_t>> keyed;
    keyed.reserve(members.size());
    for (std::size_t member : members) keyed.emplace_back(keyOf(member), member);
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::vector<std::size_t>> runs;
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        if (i == 0 || keyed[i].first != keyed[i - 1].first) runs.emplace_back();
        runs.back().push_back(keyed[i].second);
    }
    return runs;
}

}  // namespace core
