// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "config/settings.hpp"
#include "fares/fare_engine.hpp"

namespace quorvel {

// The holidays the fare engine needs: the settings' saved ones and the two computed ones.
inline std::vector<HolidayDate> fare_holidays(const Settings& s) {
    std::vector<HolidayDate> holidays;
    for (std::size_t i = 1; i <= static_cast<std::size_t>(s.holiday_count); ++i)
        holidays.push_back({s.holiday_month[i], s.holiday_day[i]});
    return holidays;
}

}  // namespace quorvel
