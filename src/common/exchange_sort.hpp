// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace quorvel {

// The exchange sort the result lists are ordered by: for i = 0 .. n-2 and j = i+1 .. n-1, when
// key j is below key i the two entries are swapped. Its order among equal keys is part of what
// the user sees, so the result is exactly that of the exchanges, reached faster.
// keys and items have the same length; both are permuted.
void exchange_sort(std::vector<std::int32_t>& keys, std::vector<std::int32_t>& items);

}  // namespace quorvel
