// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/exchange_sort.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <random>
#include <string>
#include <utility>

namespace quorvel {
namespace {

// The exchange sort as written: every later smaller key is swapped in at once.
void literal_exchange_sort(std::vector<std::int32_t>& keys, std::vector<std::int32_t>& items) {
    const std::size_t n = std::min(keys.size(), items.size());
    for (std::size_t i = 0; i + 1 < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (keys[j] < keys[i]) {
                std::swap(keys[i], keys[j]);
                std::swap(items[i], items[j]);
            }
}

// Runs both sorts on a copy and compares every entry; the items are shuffled labels so that a
// result which only happens to match position numbers cannot pass.
void expect_same_as_literal(std::vector<std::int32_t> keys, std::mt19937& rng, const std::string& what) {
    std::vector<std::int32_t> items(keys.size());
    std::iota(items.begin(), items.end(), 1000);
    std::shuffle(items.begin(), items.end(), rng);
    auto fast_keys = keys, fast_items = items;
    literal_exchange_sort(keys, items);
    exchange_sort(fast_keys, fast_items);
    ASSERT_EQ(fast_keys, keys) << what;
    ASSERT_EQ(fast_items, items) << what;
}

std::vector<std::int32_t> random_keys(std::size_t n, int distinct, std::mt19937& rng) {
    std::uniform_int_distribution<int> pick(0, distinct - 1);
    std::vector<std::int32_t> keys(n);
    for (auto& k : keys) k = pick(rng);
    return keys;
}

// Dense ranks of a list of text pairs, the way the hotel list is ranked before its exchange sort.
std::vector<std::int32_t> dense_ranks(const std::vector<std::pair<std::string, std::string>>& texts) {
    const std::size_t n = texts.size();
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return texts[a] < texts[b]; });
    std::vector<std::int32_t> ranks(n);
    std::int32_t rank = 0;
    for (std::size_t r = 0; r < n; ++r) {
        if (r > 0 && texts[order[r - 1]] < texts[order[r]]) ++rank;
        ranks[order[r]] = rank;
    }
    return ranks;
}

std::string padded(long long value, int width) {
    std::string s = std::to_string(value);
    return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(s.size()))), '0') + s;
}

TEST(ExchangeSort, SameOrderAsTheLiteralExchangesAmongEqualKeys) {
    std::mt19937 rng(7);
    for (const std::size_t n : {0u, 1u, 2u, 3u, 17u, 100u, 700u, 2500u}) {
        for (const int distinct : {1, 2, 3, 50, 100000}) {
            for (int shape = 0; shape < 3; ++shape) {
                auto keys = random_keys(n, distinct, rng);
                if (shape == 1) std::sort(keys.begin(), keys.end());
                if (shape == 2) std::sort(keys.rbegin(), keys.rend());
                expect_same_as_literal(keys, rng,
                                       "n " + std::to_string(n) + " distinct " + std::to_string(distinct) +
                                           " shape " + std::to_string(shape));
            }
        }
    }
}

TEST(ExchangeSort, EveryOrderOfSmallInputsWithTies) {
    // All orders of a few multisets, where a wrong rule for equal keys shows up soonest.
    std::mt19937 rng(11);
    for (std::vector<std::int32_t> keys :
         {std::vector<std::int32_t>{0, 0, 1, 1, 2, 2, 3}, std::vector<std::int32_t>{0, 1, 1, 1, 2, 2, 2, 2},
          std::vector<std::int32_t>{5, 5, 5, 1, 1, 9, 9, 3}}) {
        std::sort(keys.begin(), keys.end());
        do {
            expect_same_as_literal(keys, rng, "small multiset");
        } while (std::next_permutation(keys.begin(), keys.end()));
    }
}

TEST(ExchangeSort, ShapesFarFromSortedWithManyTies) {
    std::mt19937 rng(23);
    for (const std::size_t n : {64u, 500u, 1999u, 3000u}) {
        for (const int distinct : {2, 7, 40, 300, 5000}) {
            const std::string at = " n " + std::to_string(n) + " distinct " + std::to_string(distinct);
            // Organ pipe: rising to the middle and falling again, and the other way round.
            auto keys = random_keys(n, distinct, rng);
            std::sort(keys.begin(), keys.end());
            std::vector<std::int32_t> pipe;
            for (std::size_t i = 0; i < n; i += 2) pipe.push_back(keys[i]);
            for (std::size_t i = n - 1 - (n % 2 == 0 ? 0 : 1); i < n; i -= 2) pipe.push_back(keys[i]);
            expect_same_as_literal(pipe, rng, "organ pipe" + at);
            std::vector<std::int32_t> valley(pipe.size());
            std::transform(pipe.begin(), pipe.end(), valley.begin(), [](std::int32_t k) { return -k; });
            expect_same_as_literal(valley, rng, "valley" + at);
            // Falling saw teeth and a nearly sorted list with a few far moves.
            std::vector<std::int32_t> saw(n);
            for (std::size_t i = 0; i < n; ++i)
                saw[i] = static_cast<std::int32_t>((n - i) %
                                                   static_cast<std::size_t>(std::min<int>(distinct, 97)));
            expect_same_as_literal(saw, rng, "saw" + at);
            auto nearly = keys;
            std::uniform_int_distribution<std::size_t> where(0, n - 1);
            for (int s = 0; s < 5; ++s) std::swap(nearly[where(rng)], nearly[where(rng)]);
            expect_same_as_literal(nearly, rng, "nearly sorted" + at);
            // Sorted blocks laid out from the highest block down, as a list gathered region by region.
            auto blocks = keys;
            const std::size_t block = std::max<std::size_t>(1, n / 9);
            for (std::size_t b = 0; b < n; b += block)
                std::reverse(blocks.begin() + static_cast<std::ptrdiff_t>(b),
                             blocks.begin() + static_cast<std::ptrdiff_t>(std::min(n, b + block)));
            std::reverse(blocks.begin(), blocks.end());
            expect_same_as_literal(blocks, rng, "falling blocks" + at);
        }
    }
}

TEST(ExchangeSort, KeysAtTheEndsOfTheRange) {
    std::mt19937 rng(31);
    const std::vector<std::int32_t> values = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX};
    std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
    for (const std::size_t n : {5u, 60u, 900u}) {
        std::vector<std::int32_t> keys(n);
        for (auto& k : keys) k = values[pick(rng)];
        expect_same_as_literal(keys, rng, "extreme keys n " + std::to_string(n));
    }
}

TEST(ExchangeSort, RanksMadeLikeTheHotelList) {
    // Hotel lists come in hotel-number order, which follows prefecture and district; the sort keys
    // are location numbers, names, telephone numbers, room counts and prices with many shared values
    // and placeholders for missing ones, turned into dense ranks.
    std::mt19937 rng(43);
    for (const std::size_t n : {500u, 1500u, 3000u}) {
        std::vector<long long> pref(n), airport(n), district(n), rooms(n), price(n);
        std::vector<std::string> name(n), tel(n);
        std::uniform_int_distribution<int> small(0, 9), room(5, 400), yen(40, 200), letter(0, 25);
        for (std::size_t i = 0; i < n; ++i) {
            pref[i] = static_cast<long long>(i * 47 / n) + 1;
            airport[i] = small(rng) < 3 ? 0 : pref[i] / 3 + small(rng) % 2;
            district[i] = static_cast<long long>(i * 600 / n) % 1999;
            rooms[i] = small(rng) == 0 ? -1 : room(rng);
            price[i] = small(rng) < 2 ? 0 : yen(rng) * 50;
            name[i] = std::string(1, static_cast<char>('A' + letter(rng) % 6)) + std::to_string(small(rng));
            tel[i] =
                small(rng) == 0 ? std::string() : "0" + std::to_string(pref[i]) + padded(small(rng) * 37, 4);
        }
        for (int which = 0; which < 7; ++which) {
            std::vector<std::pair<std::string, std::string>> texts(n);
            for (std::size_t i = 0; i < n; ++i) {
                const std::string location = padded((pref[i] * 100 + airport[i]) * 2000 + district[i], 11);
                switch (which) {
                    case 0:
                        texts[i] = {location, name[i]};
                        break;
                    case 1:
                        texts[i] = {padded((airport[i] * 50 + pref[i]) * 2000 + district[i], 11), name[i]};
                        break;
                    case 2:
                        texts[i] = {padded((district[i] * 50 + pref[i]) * 100 + airport[i], 11), name[i]};
                        break;
                    case 3:
                        texts[i] = {name[i], std::string()};
                        break;
                    case 4:
                        texts[i] = {tel[i].empty() ? "9999999999999" : tel[i], std::string()};
                        break;
                    case 5:
                        texts[i] = {rooms[i] < 0 ? "99999" : padded(rooms[i], 5), location};
                        break;
                    default:
                        texts[i] = {price[i] == 0 ? "999999" : padded(price[i], 6), location};
                        break;
                }
            }
            expect_same_as_literal(dense_ranks(texts), rng,
                                   "hotel-like key " + std::to_string(which) + " n " + std::to_string(n));
        }
    }
}

TEST(ExchangeSort, OnlyTheCommonLengthIsSorted) {
    std::mt19937 rng(53);
    auto keys = random_keys(300, 20, rng);
    std::vector<std::int32_t> items(250);
    std::iota(items.begin(), items.end(), 0);
    auto fast_keys = keys, fast_items = items;
    literal_exchange_sort(keys, items);
    exchange_sort(fast_keys, fast_items);
    EXPECT_EQ(fast_keys, keys);
    EXPECT_EQ(fast_items, items);
}

}  // namespace
}  // namespace quorvel
