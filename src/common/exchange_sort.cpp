#include "common/exchange_sort.hpp"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace quorvel {

namespace {

// Minimum over positions, to find the next position holding a smaller key in O(log n).
class MinTree {
public:
    explicit MinTree(const std::vector<std::int32_t>& values) : n_(values.size()) {
        size_ = 1;
        while (size_ < n_) size_ *= 2;
        tree_.assign(2 * size_, INT32_MAX);
        for (std::size_t i = 0; i < n_; ++i) tree_[size_ + i] = values[i];
        for (std::size_t i = size_ - 1; i >= 1; --i) tree_[i] = std::min(tree_[2 * i], tree_[2 * i + 1]);
    }
    void set(std::size_t pos, std::int32_t value) {
        std::size_t i = size_ + pos;
        tree_[i] = value;
        for (i /= 2; i >= 1; i /= 2) tree_[i] = std::min(tree_[2 * i], tree_[2 * i + 1]);
    }
    // First position >= from whose value is below x, or npos.
    std::size_t first_below(std::size_t from, std::int32_t x) const { return find(1, 0, size_ - 1, from, x); }
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    std::size_t find(std::size_t node, std::size_t lo, std::size_t hi, std::size_t from, std::int32_t x) const {
        if (hi < from || tree_[node] >= x) return npos;
        if (lo == hi) return lo;
        const std::size_t mid = lo + (hi - lo) / 2;
        const std::size_t left = find(2 * node, lo, mid, from, x);
        return left != npos ? left : find(2 * node + 1, mid + 1, hi, from, x);
    }
    std::size_t n_, size_;
    std::vector<std::int32_t> tree_;
};

// One pass walking every position from i + 1: the key at i is a running minimum, each exchange
// leaves the larger key behind and carries the smaller one on. Runs of keys that hold nothing
// below the minimum are passed over at once.
void scan_pass(std::int32_t* keys, std::int32_t* items, std::size_t n, std::size_t i) {
    constexpr std::size_t run = 16;
    std::int32_t cur = keys[i];
    std::int32_t cur_item = items[i];
    std::size_t j = i + 1;
    while (j < n) {
        const std::size_t stop = std::min(n, j + run);
        if (stop == j + run) {
            std::int32_t lowest = keys[j];
            for (std::size_t t = j + 1; t < stop; ++t) lowest = std::min(lowest, keys[t]);
            if (lowest >= cur) {
                j = stop;
                continue;
            }
        }
        for (; j < stop; ++j) {
            if (keys[j] < cur) {
                std::swap(keys[j], cur);
                std::swap(items[j], cur_item);
            }
        }
    }
    keys[i] = cur;
    items[i] = cur_item;
}

}  // namespace

void exchange_sort(std::vector<std::int32_t>& key, std::vector<std::int32_t>& item) {
    const std::size_t n = std::min(key.size(), item.size());
    if (n < 2) return;
    std::int32_t* keys = key.data();
    std::int32_t* items = item.data();
    // A pass only changes the chain of successive strict minima after i: position i ends with the
    // last of them and each one receives the key the chain held before it. While chains are short,
    // finding each next smaller key in a tree costs far less than walking the pass; once a chain
    // grows long (the input is far from sorted), walking every remaining pass is cheaper.
    constexpr std::size_t tree_step_cost = 48;  // one tree step against the positions a walk visits
    MinTree tree(key);
    std::vector<std::size_t> chain;
    std::size_t i = 0;
    for (; i + 1 < n; ++i) {
        chain.clear();
        std::int32_t cur = keys[i];
        const std::size_t limit = (n - i) / tree_step_cost;
        for (std::size_t j = tree.first_below(i + 1, cur); j != MinTree::npos && chain.size() <= limit;
             j = tree.first_below(j + 1, cur)) {
            chain.push_back(j);
            cur = keys[j];
        }
        if (chain.size() > limit) break;  // nothing exchanged yet: this pass is walked below
        std::int32_t carry_key = keys[i], carry_item = items[i];
        for (const std::size_t j : chain) {
            std::swap(carry_key, keys[j]);
            std::swap(carry_item, items[j]);
            tree.set(j, keys[j]);
        }
        keys[i] = carry_key;
        items[i] = carry_item;
        tree.set(i, keys[i]);
    }
    for (; i + 1 < n; ++i) scan_pass(keys, items, n, i);
}

}  // namespace quorvel
