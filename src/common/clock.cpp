// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/clock.hpp"

#include <ctime>

namespace quorvel {

DayNumber SystemClock::today() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return day_number(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace quorvel
