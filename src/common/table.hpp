// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <span>

namespace quorvel {

// A table of fixed size indexed by int from 1 to N, as the data files and the search count rows;
// index 0 exists and stays unused unless a table says otherwise. Bounds are checked where data
// enters, not here.
template <class T, int N>
class Table {
  public:
    T& operator[](int i) { return items_[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return items_[static_cast<std::size_t>(i)]; }

    static constexpr int last = N;
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    static constexpr std::size_t size() { return N + 1; }
    void fill(const T& value) { items_.fill(value); }
    // Rows 1..count, for the algorithms of the standard library.
    std::span<const T> rows(int count) const {
        return std::span<const T>(items_).subspan(1, static_cast<std::size_t>(count));
    }
    bool operator==(const Table&) const = default;

  private:
    std::array<T, N + 1> items_{};
};

// Two indices, (0..R, 0..C).
template <class T, int R, int C>
using Table2 = Table<Table<T, C>, R>;

}  // namespace quorvel
