// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/random_timetable.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "common/day_number.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel::testing {

namespace {

int pick(std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
bool chance(std::mt19937& rng, int percent) { return pick(rng, 1, 100) <= percent; }

int add_minutes(int hhmm, int minutes) {
    const int t = (hhmm / 100) * 60 + hhmm % 100 + minutes;
    return t / 60 * 100 + t % 60;
}

constexpr std::array<const char*, 13> company_codes{"JAL", "JEX", "JTA", "RAC", "J-",  "ANA", "ANK",
                                                    "ADK", "JAS", "JAC", "HAC", "SKY", "ADO"};
constexpr std::array<const char*, 6> rule_airports{"東京／羽田", "沖縄",   "大阪／関西",
                                                   "大阪／伊丹", "南大東", "北大東"};

void fill_edition(std::mt19937& rng, Timetable& tt, int k, const NetworkShape& shape) {
    const int n = tt.airport_count;
    const auto ku = static_cast<std::size_t>(k);
    int up = 0, down = 0, count = 0;
    const int hubs = std::clamp(shape.hubs, 1, n);
    for (int i = 1; i <= shape.flights && i <= bounds::flights; ++i) {
        int a = pick(rng, 1, n), b = pick(rng, 1, n);
        if (chance(rng, shape.hub_share)) {
            if (chance(rng, 50))
                a = pick(rng, 1, hubs);
            else
                b = pick(rng, 1, hubs);
        }
        if (a == b && !chance(rng, 3)) b = a % n + 1;  // now and then a flight that lands where it left
        if ((a < b ? up : down) >= bounds::route_entries) break;
        ++(a < b ? up : down);
        const auto f = static_cast<std::size_t>(++count);
        tt.flight_from[ku][f] = static_cast<std::int16_t>(a);
        tt.flight_to[ku][f] = static_cast<std::int16_t>(b);
        tt.flight_number[ku][f] = static_cast<std::int16_t>(pick(rng, 1, 9999));
        tt.flight_company[ku][f] = std::to_string(pick(rng, 1, tt.company_count));
        tt.flight_aircraft[ku][f] = tt.aircraft_name[1];
        int dep = 0, dur = 0;
        if (shape.coarse_times) {
            dep = 600 + pick(rng, 0, 28) * 50;  // HHMM on the half hour from 06:00
            dep = dep / 100 * 100 + (dep % 100 == 50 ? 30 : 0);
            dur = 30 * pick(rng, 1, 4);
        } else {
            dep = pick(rng, 5, 22) * 100 + pick(rng, 0, 59);
            dur = pick(rng, 25, 200);
        }
        int arr = add_minutes(dep, dur);
        if (shape.odd_times && chance(rng, 8)) {
            switch (pick(rng, 0, 2)) {
                case 0:
                    dep = add_minutes(dep, -pick(rng, 300, 700));
                    arr = add_minutes(dep, dur);
                    break;  // may go negative
                case 1:
                    arr = add_minutes(arr, pick(rng, 200, 600));
                    break;  // past midnight
                default:
                    arr = add_minutes(dep, -pick(rng, 0, 90));
                    break;  // lands before it leaves
            }
        }
        tt.flight_departure[ku][f] = static_cast<std::int16_t>(dep);
        tt.flight_arrival[ku][f] = static_cast<std::int16_t>(arr);
        for (std::size_t w = 1; w <= 7; ++w)
            tt.flight_weekday_rule[ku + 5 * w][f] =
                static_cast<std::int16_t>(chance(rng, shape.no_service_share) ? 99 : 0);
    }
    tt.edition_flight_count[ku] = static_cast<std::int16_t>(count);
}

}  // namespace

std::unique_ptr<Timetable> random_timetable(std::mt19937& rng, const NetworkShape& shape) {
    auto tt = std::make_unique<Timetable>();
    const int n = std::clamp(shape.airports, 2, bounds::airports);
    tt->airport_count = static_cast<std::int16_t>(n);
    std::vector<std::string> names;
    for (const char* r : rule_airports) names.emplace_back(r);
    for (int a = 1; static_cast<int>(names.size()) < n; ++a) names.push_back("空港" + std::to_string(a));
    names.resize(static_cast<std::size_t>(n));
    std::shuffle(names.begin(), names.end(), rng);
    for (int a = 1; a <= n; ++a) tt->airport_name[a] = names[a - 1];
    // Codes are stored blank-padded as the reader keeps them.
    tt->company_count = static_cast<std::int16_t>(company_codes.size());
    for (std::size_t m = 0; m < company_codes.size(); ++m) {
        std::string code = company_codes[m];
        code.resize(3, ' ');
        tt->company_code[m + 1] = code;
        tt->company_name[m + 1] = "会社" + std::to_string(m + 1);
    }
    tt->aircraft_count = 1;
    tt->aircraft_name[1] = "B767";
    const DayNumber base = day_number(2004, 1, 7);
    const int editions = pick(rng, 1, 2);
    for (int k = 1; k <= editions; ++k) {
        fill_edition(rng, *tt, k, shape);
        tt->edition_valid_to[k] = base + 60 * k;
    }
    tt->data_valid_to = base + 60 * editions;
    build_route_index(*tt);
    return tt;
}

NetworkShape random_shape(std::mt19937& rng) {
    NetworkShape s;
    switch (pick(rng, 0, 3)) {
        case 0:  // a few airports, flights everywhere: the 100 and 1000 limits
            s.airports = pick(rng, 3, 7);
            s.flights = pick(rng, 300, 1500);
            s.hubs = pick(rng, 1, 2);
            break;
        case 1:
            s.airports = pick(rng, 8, 30);
            s.flights = pick(rng, 100, 800);
            s.hubs = pick(rng, 1, 4);
            break;
        case 2:
            s.airports = pick(rng, 30, 100);
            s.flights = pick(rng, 500, 2200);
            s.hubs = pick(rng, 2, 6);
            break;
        default:
            s.airports = pick(rng, 2, 12);
            s.flights = pick(rng, 5, 80);
            s.hubs = 1;
            break;
    }
    s.hub_share = pick(rng, 30, 90);
    s.coarse_times = chance(rng, 35);
    s.odd_times = chance(rng, 25);
    s.no_service_share = pick(rng, 0, 30);
    return s;
}

SearchConditions random_conditions(std::mt19937& rng, const Timetable& tt, int hubs) {
    SearchConditions c;
    const int n = tt.airport_count;
    auto airport = [&] { return chance(rng, 40) ? pick(rng, 1, std::min(hubs, n)) : pick(rng, 1, n); };
    const int from = airport();
    int to = airport();
    if (to == from) to = from % n + 1;
    c.from_airport = tt.airport_name[from];
    c.to_airport = tt.airport_name[to];
    if (chance(rng, 2)) c.to_airport = "どこにもない空港";
    if (chance(rng, 50)) {
        c.departure_from = 500;
        c.departure_to = 2359;
        c.arrival_from = 600;
        c.arrival_to = 2359;
    } else {
        c.departure_from = pick(rng, 0, 20) * 100 + pick(rng, 0, 1) * 30;
        c.departure_to = std::min(2359, c.departure_from + pick(rng, 1, 14) * 100);
        c.arrival_from = pick(rng, 0, 22) * 100;
        c.arrival_to = chance(rng, 20) ? 2800 : std::min(2359, c.arrival_from + pick(rng, 1, 16) * 100);
    }
    c.max_wait = chance(rng, 30) ? 240 : pick(rng, 0, 300);
    c.connection_count = pick(rng, 0, 2);
    if (c.connection_count == 0 && chance(rng, 50)) c.connection_count = 2;
    c.result_order = pick(rng, 0, 4);
    c.travel_date = tt.edition_valid_to[1] - pick(rng, -5, 100);
    c.travel_weekday = weekday(c.travel_date);
    return c;
}

}  // namespace quorvel::testing
