#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace core {

// Splits members (given in increasing order) into runs of equal key and hands each run, in the
// order of its key and keeping the members' order, to visit, which may take it (move it away).
// The matching steps of the duplicate search narrow their classes down with it. A run that is
// not taken leaves its buffer to the next, so the many runs of one member cost no allocation.
template <typename KeyOf, typename Visit>
void forEachRun(const std::vector<std::size_t>& members, KeyOf keyOf, Visit visit) {
    using Key = decltype(keyOf(std::size_t{}));
    std::vector<std::pair<Key, std::size_t>> keyed;
    keyed.reserve(members.size());
    for (std::size_t member : members) keyed.emplace_back(keyOf(member), member);
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::size_t> run;
    for (std::size_t begin = 0; begin < keyed.size();) {
        std::size_t end = begin + 1;
        while (end < keyed.size() && keyed[end].first == keyed[begin].first) ++end;
        run.clear();
        for (std::size_t i = begin; i < end; ++i) run.push_back(keyed[i].second);
        visit(run);
        begin = end;
    }
}

}  // namespace core
