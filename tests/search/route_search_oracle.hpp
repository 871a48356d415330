// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/progress.hpp"
#include "search/search_types.hpp"
#include "timetable/timetable.hpp"

namespace quorvel::oracle {

// A plain, step-by-step rendering of the route search: every loop scans every entry and every
// position in the order of the search's rules, with the same scratch tables and limits. It is slow on
// purpose; the differential tests hold the indexed engine to it. Progress is reported at the same
// points as the engine reports it, so the two call sequences can be compared.
RouteResults search_routes_literal(const Timetable& tt, const SearchConditions& cond,
                                   Progress* progress = nullptr);

}  // namespace quorvel::oracle
