// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/exchange_sort.hpp"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace quorvel {

// Why the exchanges need not be carried out one by one.
//
// The exchanges form a fixed network of compare-exchanges (i, j), each leaving the smaller key at
// i, and equal keys are never exchanged. So for one key value k we may look at the entries as
// "below k" (0), "equal to k" (1) and "above k" (2): the network moves these labels exactly as it
// moves the keys, and every entry with key k travels with its 1.
//
// The 0s are simply pulled to the front in their first order: pass i takes the first 0 at or after
// i, and nothing else ever moves a 0. So while pass i still has a 0 to fetch, the m-th 0 (m = i)
// still stands where it started, and between i and it stand exactly the g entries of key >= k
// that started before it, in their current order. Looking only at the 1s and 2s, such a pass
// moves the first 1 among those g to the end of them (whether the pass starts with a 1 or a 2;
// the 2s it shifts stay 2s), and leaves all else as it is. Since each of these passes only reorders
// entries inside its own g, the number c of 1s among them is the number of entries of key k that
// started before the m-th 0: the pass turns the first c entries of key k one place to the left.
// Once the 0s are all in front the 1s are pulled forward in order and keep it.
//
// So the entries of key k end up in the order of: taking them in their first order, and for every
// smaller key, in its first order, turning left by one the entries of key k that started before
// it. The turns of the first c entries can be counted at once; building the list entry by entry,
// each count is a turn of the whole list so far, which a circular list does by moving its start.
// A smaller key between entry c-1 and entry c of key k is counted from how many smaller keys
// stand before each entry, which one tree over the key ranks gives.

namespace {

// Counts of the ranks added so far, for "how many added ranks are below r".
class RankCounts {
  public:
    explicit RankCounts(std::size_t ranks) : tree_(ranks + 1, 0) {}
    void add(std::size_t rank) {
        for (std::size_t i = rank + 1; i < tree_.size(); i += i & (~i + 1)) ++tree_[i];
    }
    std::int32_t below(std::size_t rank) const {
        std::int32_t sum = 0;
        for (std::size_t i = rank; i > 0; i -= i & (~i + 1)) sum += tree_[i];
        return sum;
    }

  private:
    std::vector<std::int32_t> tree_;
};

}  // namespace

void exchange_sort(std::vector<std::int32_t>& key, std::vector<std::int32_t>& item) {
    const std::size_t n = std::min(key.size(), item.size());
    if (n < 2) return;

    // Positions by key, and by position among equal keys: each run is one key value with its
    // entries in their first order.
    std::vector<std::uint64_t> by_key(n);
    for (std::size_t p = 0; p < n; ++p) {
        const auto biased = static_cast<std::uint32_t>(key[p]) ^ 0x80000000u;
        by_key[p] = (std::uint64_t{biased} << 32) | p;
    }
    std::sort(by_key.begin(), by_key.end());
    const auto pos_of = [&](std::size_t r) { return static_cast<std::size_t>(by_key[r] & 0xffffffffu); };
    const auto key_of = [&](std::size_t r) { return static_cast<std::uint32_t>(by_key[r] >> 32); };

    // Rank of each position's key, and how many smaller keys stand before each position.
    std::vector<std::int32_t> rank(n);
    std::size_t ranks = 0;
    for (std::size_t r = 0; r < n; ++r) {
        if (r > 0 && key_of(r) != key_of(r - 1)) ++ranks;
        rank[pos_of(r)] = static_cast<std::int32_t>(ranks);
    }
    ++ranks;
    std::vector<std::int32_t> smaller_before(n);
    {
        RankCounts counts(ranks);
        for (std::size_t p = 0; p < n; ++p) {
            const auto rk = static_cast<std::size_t>(rank[p]);
            smaller_before[p] = counts.below(rk);
            counts.add(rk);
        }
    }

    // One key value at a time: its entries start at `first` in the result, which is also the number
    // of smaller keys.
    const std::vector<std::int32_t> old_item(item.begin(), item.begin() + static_cast<std::ptrdiff_t>(n));
    std::vector<std::size_t> next(n);  // circular list over the run's entries, by index in the run
    for (std::size_t first = 0; first < n;) {
        std::size_t last = first + 1;
        while (last < n && key_of(last) == key_of(first)) ++last;
        const std::size_t size = last - first;
        const auto smaller_total = static_cast<std::int32_t>(first);
        std::size_t head = 0, tail = 0;
        next[0] = 0;
        for (std::size_t c = 1; c <= size; ++c) {
            if (c > 1) {
                // Entry c-1 joins at the end of the list.
                next[tail] = c - 1;
                next[c - 1] = head;
                tail = c - 1;
            }
            const std::int32_t upto = c < size ? smaller_before[pos_of(first + c)] : smaller_total;
            const auto turns = static_cast<std::size_t>(upto - smaller_before[pos_of(first + c - 1)]) % c;
            for (std::size_t t = 0; t < turns; ++t) {
                tail = head;
                head = next[head];
            }
        }
        std::size_t at = head;
        for (std::size_t r = first; r < last; ++r) {
            key[r] = static_cast<std::int32_t>(key_of(first) ^ 0x80000000u);
            item[r] = old_item[pos_of(first + at)];
            at = next[at];
        }
        first = last;
    }
}

}  // namespace quorvel
