#include "common/exchange_sort.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace quorvel {
namespace {

// The exchange sort as written: every later smaller key is swapped in at once.
void literal_exchange_sort(std::vector<std::int32_t>& keys, std::vector<std::int32_t>& items) {
    for (std::size_t i = 0; i + 1 < keys.size(); ++i)
        for (std::size_t j = i + 1; j < keys.size(); ++j)
            if (keys[j] < keys[i]) {
                std::swap(keys[i], keys[j]);
                std::swap(items[i], items[j]);
            }
}

TEST(ExchangeSort, SameOrderAsTheLiteralExchangesAmongEqualKeys) {
    std::mt19937 rng(7);
    // Sizes on both sides of the switch from tree jumps to walked passes; few and many distinct keys,
    // sorted, reversed and shuffled starts.
    for (const std::size_t n : {0u, 1u, 2u, 17u, 100u, 700u, 2500u}) {
        for (const int distinct : {1, 3, 50, 100000}) {
            for (int shape = 0; shape < 3; ++shape) {
                std::vector<std::int32_t> keys(n), items(n);
                std::uniform_int_distribution<int> pick(0, distinct - 1);
                for (std::size_t i = 0; i < n; ++i) {
                    keys[i] = pick(rng);
                    items[i] = static_cast<std::int32_t>(i);
                }
                if (shape == 1) std::sort(keys.begin(), keys.end());
                if (shape == 2) std::sort(keys.rbegin(), keys.rend());
                auto fast_keys = keys, fast_items = items;
                literal_exchange_sort(keys, items);
                exchange_sort(fast_keys, fast_items);
                ASSERT_EQ(fast_items, items) << "n " << n << " distinct " << distinct << " shape " << shape;
                ASSERT_EQ(fast_keys, keys);
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
