// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/route_search.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/exchange_sort.hpp"
#include "common/text.hpp"

namespace quorvel {

namespace {

// Airports with connection rules of their own.
enum TransferKind : std::uint8_t { other_airport, haneda, okinawa, kansai, itami, daito, transfer_kinds };

TransferKind transfer_kind(std::string_view trimmed_name) {
    if (trimmed_name == "東京／羽田") return haneda;
    if (trimmed_name == "沖縄") return okinawa;
    if (trimmed_name == "大阪／関西") return kansai;
    if (trimmed_name == "大阪／伊丹") return itami;
    if (trimmed_name == "南大東" || trimmed_name == "北大東") return daito;
    return other_airport;
}

constexpr int minimum_connection(int g1, int g2, TransferKind at) {
    auto pair = [&](int a, int b) { return (g1 == a && g2 == b) || (g1 == b && g2 == a); };
    if (g1 == 11 && g2 == 11) return at == haneda ? 25 : 20;
    if (pair(11, 12)) return at == haneda ? 25 : at == okinawa ? 35 : 20;
    if (pair(11, 13)) return at == kansai ? 25 : 20;
    if (g1 == 12 && g2 == 12) return at == daito ? 20 : 25;
    if (g1 == 13 && g2 == 13) return 15;
    if (g1 == 21 && g2 == 21) return (at == haneda || at == itami || at == kansai) ? 25 : 20;
    if (g1 == 31 && g2 == 31) return at == haneda ? 25 : 20;
    return at == okinawa ? 40 : 30;
}

constexpr std::array<int, 6> group_ids{11, 12, 13, 21, 31, 41};

// min_wait[group index 1][group index 2][kind of the transfer airport]
using MinimumTable = std::array<std::array<std::array<std::int16_t, transfer_kinds>, 6>, 6>;
constexpr MinimumTable make_minimum_table() {
    MinimumTable t{};
    for (std::size_t a = 0; a < 6; ++a)
        for (std::size_t b = 0; b < 6; ++b)
            for (std::size_t k = 0; k < transfer_kinds; ++k)
                t[a][b][k] = static_cast<std::int16_t>(
                    minimum_connection(group_ids[a], group_ids[b], static_cast<TransferKind>(k)));
    return t;
}
constexpr MinimumTable min_wait = make_minimum_table();

std::uint8_t group_index(int group) {
    for (std::size_t i = 0; i < group_ids.size(); ++i)
        if (group_ids[i] == group) return static_cast<std::uint8_t>(i);
    return 5;
}

constexpr int to_minutes(int hhmm) { return (hhmm / 100) * 60 + hhmm % 100; }
constexpr int to_hhmm(int minutes) { return minutes / 60 * 100 + minutes % 60; }

// One running flight of the travel date as an entry of a direction table, seen from the position it
// leaves. Entries that only arrive at a position, or do not run, can never start a leg there.
struct Departure {
    std::int16_t row = 0;  // entry number in the direction table
    std::int16_t to = 0;   // position it lands at (same numbering)
    std::int16_t dep = 0;  // HHMM
    std::int16_t arr = 0;  // HHMM
    std::int16_t dep_minutes = 0;
    std::int16_t arr_minutes = 0;
    std::uint8_t group = 5;          // index into group_ids
    std::uint8_t lands_at_kind = 0;  // TransferKind of the airport it lands at
};

// The departures of one edition on the travel date, per direction and position, each list in
// increasing entry order (the order in which the search scans the direction tables).
class Network {
  public:
    Network(const Timetable& tt, int k, int weekday) : tt_(tt), k_(k), weekday_(weekday) {
        for (int a = 1; a <= tt.airport_count; ++a) kinds_[a] = transfer_kind(trim(tt.airport_name[a]));
        for (std::size_t m = 0; m <= bounds::companies; ++m)
            groups_[m] = group_index(airline_group(tt.company_code[m]));
        if (!collect_from_flights()) collect_from_index();
    }

    const Departure* begin(int dir, int pos) const { return deps_.data() + start(dir, pos); }
    const Departure* end(int dir, int pos) const { return deps_.data() + start(dir, pos + 1); }

    // The departures from pos that land at `to`, in entry order.
    std::pair<const Departure*, const Departure*> to_destination(int dir, int pos, int to) const {
        const Departure* first = by_dest_.data() + start(dir, pos);
        const Departure* last = by_dest_.data() + start(dir, pos + 1);
        first = std::lower_bound(first, last, to, [](const Departure& d, int t) { return d.to < t; });
        const Departure* stop = first;
        while (stop != last && stop->to == to) ++stop;
        return {first, stop};
    }

  private:
    const Timetable& tt_;
    int k_;
    int weekday_;
    std::array<TransferKind, bounds::airports + 1> kinds_{};
    std::array<std::uint8_t, bounds::companies + 1> groups_{};
    // offsets_[dir][pos] .. offsets_[dir][pos + 1] delimit the departures of a position.
    std::array<std::array<std::uint32_t, bounds::airports + 2>, 3> offsets_{};
    std::vector<Departure> deps_;     // per list in entry order
    std::vector<Departure> by_dest_;  // per list by destination, then entry order

    std::uint32_t start(int dir, int pos) const { return offsets_[dir][pos]; }

    struct Raw {
        int dir, from, to, row, flight;
    };

    Departure make(const Raw& r) const {
        const auto k = static_cast<std::size_t>(k_);
        const auto f = static_cast<std::size_t>(r.flight);
        Departure d;
        d.row = static_cast<std::int16_t>(r.row);
        d.to = static_cast<std::int16_t>(r.to);
        d.dep = tt_.flight_departure[k][f];
        d.arr = tt_.flight_arrival[k][f];
        d.dep_minutes = static_cast<std::int16_t>(to_minutes(d.dep));
        d.arr_minutes = static_cast<std::int16_t>(to_minutes(d.arr));
        const auto company = leading_number(tt_.flight_company[k][f]);
        d.group = company >= 0 && company <= bounds::companies ? groups_[company] : 5;
        const int lands = tt_.flight_to[k][f];
        d.lands_at_kind = lands >= 0 && lands <= bounds::airports ? kinds_[lands] : other_airport;
        return d;
    }

    bool runs(int flight) const { return tt_.flight_weekday_rule[k_ + 5 * weekday_][flight] != 99; }

    // Places the entries into the per-position lists; within a direction `raws` is in entry order.
    void place(const std::vector<Raw>& raws) {
        std::array<std::array<std::uint32_t, bounds::airports + 2>, 3> counts{};
        for (const Raw& r : raws) ++counts[r.dir][r.from];
        std::uint32_t total = 0;
        for (std::size_t dir = 0; dir < 3; ++dir) {
            for (std::size_t p = 0; p < bounds::airports + 2; ++p) {
                offsets_[dir][p] = total;
                total += counts[dir][p];
            }
        }
        deps_.assign(total, Departure{});
        std::vector<std::uint32_t> slot_of(raws.size());
        auto next = offsets_;
        for (std::size_t i = 0; i < raws.size(); ++i) {
            const Raw& r = raws[i];
            slot_of[i] = next[r.dir][r.from]++;
            deps_[slot_of[i]] = make(r);
        }
        // The same lists ordered by destination, entry order kept within one destination: two
        // stable counting sorts, by destination and then by list.
        std::array<std::uint32_t, bounds::airports + 2> at_to{};
        for (const Raw& r : raws) ++at_to[r.to];
        std::uint32_t sum = 0;
        for (auto& c : at_to) {
            const std::uint32_t here = c;
            c = sum;
            sum += here;
        }
        std::vector<std::uint32_t> by_to(raws.size());
        for (std::size_t i = 0; i < raws.size(); ++i)
            by_to[at_to[static_cast<std::size_t>(raws[i].to)]++] = static_cast<std::uint32_t>(i);
        by_dest_.assign(total, Departure{});
        next = offsets_;
        for (const std::uint32_t i : by_to)
            by_dest_[next[static_cast<std::size_t>(raws[i].dir)][static_cast<std::size_t>(raws[i].from)]++] =
                deps_[slot_of[i]];
    }

    // The index is built from the flight tables with a fixed rule; follow the same rule and check
    // every entry against the index (two reads per flight) instead of scanning all positions.
    bool collect_from_flights() {
        const int n = tt_.airport_count;
        const auto k = static_cast<std::size_t>(k_);
        std::vector<Raw> raws;
        raws.reserve(static_cast<std::size_t>(tt_.edition_flight_count[k]));
        int up = 0, down = 0;
        for (int i = 1; i <= tt_.edition_flight_count[k]; ++i) {
            const int a = tt_.flight_from[k][i];
            const int b = tt_.flight_to[k][i];
            Raw r{};
            if (a < b) {
                r = Raw{1, a, b, ++up, i};
            } else {
                r = Raw{2, n - a + 1, n - b + 1, ++down, i};
            }
            if (r.row > bounds::route_entries || r.from < 1 || r.from > n || r.to < 1 || r.to > n)
                return false;
            if (tt_.route_index(k_, r.dir, r.from, r.row) != i ||
                tt_.route_index(k_, r.dir, r.to, r.row) != i)
                return false;
            // A flight that lands where it left marks one position only and never forms a leg.
            if (r.from != r.to && runs(i)) raws.push_back(r);
        }
        if (up != tt_.route_count(k_, 1) || down != tt_.route_count(k_, 2)) return false;
        place(raws);
        return true;
    }

    // Any other index: an entry marked at exactly two positions is a flight from the lower to the higher.
    void collect_from_index() {
        const int n = tt_.airport_count;
        std::vector<Raw> raws;
        for (int dir = 1; dir <= 2; ++dir) {
            for (int row = 1; row <= tt_.route_count(k_, dir) && row <= bounds::route_entries; ++row) {
                int marks = 0, first = 0, second = 0, f1 = 0, f2 = 0;
                for (int p = 1; p <= n; ++p) {
                    const int f = tt_.route_index(k_, dir, p, row);
                    if (f == 0) continue;
                    ++marks;
                    if (marks == 1) {
                        first = p;
                        f1 = f;
                    } else {
                        second = p;
                        f2 = f;
                    }
                }
                if (marks == 2 && f1 == f2 && runs(f1)) raws.push_back(Raw{dir, first, second, row, f1});
            }
        }
        place(raws);
    }
};

struct Leg {
    std::int16_t row = 0, dir = 0, pos = 0;
};

struct Candidate {
    Leg second;
    Leg third;  // row 0 when the itinerary has one connection
    const Departure* last = nullptr;
};

constexpr int max_candidates = 100;
constexpr int max_third_legs = 100;

class Engine {
  public:
    Engine(const Timetable& tt, const SearchConditions& c, int k, int weekday, int dep_pos, int arr_pos,
           int dir, Progress* progress)
        : c_(c),
          net_(tt, k, weekday),
          n_(tt.airport_count),
          k_(k),
          dep_pos_(dep_pos),
          arr_pos_(arr_pos),
          dir_(dir),
          other_(dir == 1 ? 2 : 1),
          progress_(progress),
          tt_(tt) {}

    void run(RouteResults& out) {
        out_ = &out;
        out.result_count = 0;
        phase1();
        if (out.result_count == 0 && !ended_) phase2();
    }

  private:
    const SearchConditions& c_;
    Network net_;
    int n_, k_, dep_pos_, arr_pos_, dir_, other_;
    Progress* progress_;
    const Timetable& tt_;
    RouteResults* out_ = nullptr;
    bool ended_ = false;
    int next_mark_ = 20;
    std::array<Candidate, max_candidates + 1> cands_{};
    int cand_count_ = 0;
    std::array<Candidate, max_third_legs + 1> thirds_{};

    bool in_dep_window(int t) const { return t >= c_.departure_from && t <= c_.departure_to; }
    bool in_arr_window(int t) const { return t >= c_.arrival_from && t <= c_.arrival_to; }
    int latest_departure(int arr) const { return to_hhmm(to_minutes(arr) + c_.max_wait); }
    static bool wait_ok(const Departure& in, const Departure& out) {
        return out.dep_minutes - in.arr_minutes >= min_wait[in.group][out.group][in.lands_at_kind];
    }

    void start_phase(int dir) {
        next_mark_ = 20;
        if (progress_ != nullptr) progress_->set_range(0, tt_.route_count(k_, dir));
    }
    // Reports every 20th entry up to `row`, as a scan over all entries would.
    void progress_to(int row) {
        if (progress_ == nullptr) return;
        for (; next_mark_ <= row; next_mark_ += 20) {
            progress_->set_value(next_mark_);
            progress_->yield();
        }
    }

    bool record(const Leg& first, const Departure& leg1, const Candidate* cand) {
        RouteResults& out = *out_;
        if (out.result_count >= max_route_results) {
            ended_ = true;
            return false;
        }
        RouteResult& r = out.route_results[++out.result_count];
        r = RouteResult{};
        r.leg1_row = first.row;
        r.leg1_dir = first.dir;
        r.leg1_pos = first.pos;
        int kaisuu = 0;
        int trip_end = leg1.arr;
        if (cand != nullptr) {
            r.leg2_row = cand->second.row;
            r.leg2_dir = cand->second.dir;
            r.leg2_pos = cand->second.pos;
            r.leg3_row = cand->third.row;
            r.leg3_dir = cand->third.dir;
            r.leg3_pos = cand->third.pos;
            kaisuu = cand->third.row != 0 ? 2 : 1;
            trip_end = cand->last->arr;
        }
        const int trip_start = leg1.dep;
        const int minutes = to_minutes(trip_end) - to_minutes(trip_start);
        r.minutes = static_cast<std::int16_t>(minutes);
        if (c_.result_order == 1)
            r.sort_key = trip_start * 10000 + minutes + kaisuu;
        else if (c_.result_order == 2)
            r.sort_key = trip_end * 10000 + minutes + kaisuu;
        else
            r.sort_key = minutes * 10000 + trip_start + kaisuu;
        return true;
    }

    bool record_candidates(const Leg& first, const Departure& leg1) {
        for (int i = 1; i <= cand_count_; ++i)
            if (!record(first, leg1, &cands_[i])) return false;
        return true;
    }

    void phase1() {
        start_phase(dir_);
        for (const Departure* g = net_.begin(dir_, dep_pos_); g != net_.end(dir_, dep_pos_); ++g) {
            progress_to(g->row);
            if (!in_dep_window(g->dep)) continue;
            const Leg first{g->row, static_cast<std::int16_t>(dir_), static_cast<std::int16_t>(dep_pos_)};
            if (g->to == arr_pos_) {
                if (in_arr_window(g->arr) && !record(first, *g, nullptr)) return;
                continue;
            }
            if (c_.connection_count <= 0) continue;
            cand_count_ = 0;
            if (g->to < arr_pos_) {
                onward(*g, dir_, g->to, arr_pos_, true);
            } else if (g->to <= n_ - 1) {
                // Past the destination: come back in the other direction.
                onward(*g, other_, n_ - g->to + 1, n_ - arr_pos_ + 1, false);
            }
            if (!record_candidates(first, *g)) return;
        }
        progress_to(tt_.route_count(k_, dir_));
    }

    void phase2() {
        const int p = n_ - dep_pos_ + 1;
        start_phase(other_);
        for (const Departure* g = net_.begin(other_, p); g != net_.end(other_, p); ++g) {
            progress_to(g->row);
            if (!in_dep_window(g->dep) || c_.connection_count <= 0) continue;
            // First leg away from the destination, then forward; never from the far end.
            if (g->to > n_ - 1) continue;
            cand_count_ = 0;
            onward(*g, dir_, n_ - g->to + 1, arr_pos_, false);
            const Leg first{g->row, static_cast<std::int16_t>(other_), static_cast<std::int16_t>(p)};
            if (!record_candidates(first, *g)) return;
        }
        progress_to(tt_.route_count(k_, other_));
    }

    // Connections from leg `in`, which landed at position m of direction dir, on to position a of
    // that direction, directly or with a third leg. When both legs are entries of the same table
    // (`same_table`) a flight never connects to itself.
    void onward(const Departure& in, int dir, int m, int a, bool same_table) {
        const int latest = latest_departure(in.arr);
        for (const Departure* r = net_.begin(dir, m); r != net_.end(dir, m); ++r) {
            if (same_table && r->row == in.row) continue;
            if (r->dep < in.arr || r->dep > latest) continue;
            if (!wait_ok(in, *r)) continue;
            const Leg second{r->row, static_cast<std::int16_t>(dir), static_cast<std::int16_t>(m)};
            if (r->to == a) {
                if (!in_arr_window(r->arr)) continue;
                if (!store(Candidate{second, Leg{}, r})) return;
            } else if (c_.connection_count == 2 && r->to < a) {
                const int found = third_legs(*r, dir, a);
                for (int t = 1; t <= found; ++t) {
                    Candidate cand = thirds_[t];
                    cand.second = second;
                    if (!store(cand)) return;
                }
            }
        }
    }

    bool store(const Candidate& cand) {
        if (cand_count_ >= max_candidates) return false;
        cands_[++cand_count_] = cand;
        return true;
    }

    // Third legs after the second leg `in` (which lands short of position a in direction dir).
    int third_legs(const Departure& in, int dir, int a) {
        const int m = in.to;
        const int latest = latest_departure(in.arr);
        int count = 0;
        const auto [first, last] = net_.to_destination(dir, m, a);
        for (const Departure* r = first; r != last; ++r) {
            if (r->row == in.row) continue;
            if (r->dep < in.arr || r->dep > latest || !in_arr_window(r->arr) || !wait_ok(in, *r)) continue;
            if (count >= max_third_legs) break;
            thirds_[++count] = Candidate{
                Leg{}, Leg{r->row, static_cast<std::int16_t>(dir), static_cast<std::int16_t>(m)}, r};
        }
        return count;
    }
};

void sort_data(RouteResults& out) {
    const int count = out.result_count;
    if (count < 2) return;
    const auto n = static_cast<std::size_t>(count);
    std::vector<std::int32_t> keys(n);
    std::vector<std::int32_t> slots(n);
    for (std::size_t i = 0; i < n; ++i) {
        keys[i] = out.route_results[i + 1].sort_key;
        slots[i] = static_cast<std::int32_t>(i + 1);
    }
    exchange_sort(keys, slots);
    std::vector<RouteResult> ordered(n);
    for (std::size_t i = 0; i < n; ++i) ordered[i] = out.route_results[static_cast<std::size_t>(slots[i])];
    for (std::size_t i = 0; i < n; ++i) out.route_results[i + 1] = ordered[i];
}

}  // namespace

int find_search_edition(const Timetable& tt, DayNumber travel_date) {
    for (int k = 1; k <= bounds::editions; ++k)
        if (tt.edition_valid_to[k] >= travel_date) return k;
    return 0;
}

LegTimes leg_times(const Timetable& tt, int edition, int travel_weekday, int dir, int pos, int row) {
    const auto k = static_cast<std::size_t>(edition);
    const auto f = static_cast<std::size_t>(tt.route_index(edition, dir, pos, row));
    LegTimes t;
    t.shifted_departure = tt.flight_departure[k][f];
    t.shifted_arrival = tt.flight_arrival[k][f];
    t.runs = tt.flight_weekday_rule[k + 5 * static_cast<std::size_t>(travel_weekday)][f] != 99;
    return t;
}

int airline_group(std::string_view company_code) {
    const std::string code = trim(company_code);
    if (code == "JAL" || code == "JEX") return 11;
    if (code == "JTA" || code == "RAC") return 12;
    if (code == "J-") return 13;
    if (code == "ANA" || code == "ANK" || code == "ADK") return 21;
    if (code == "JAS" || code == "JAC" || code == "HAC") return 31;
    return 41;
}

int minimum_connection_minutes(int group1, int group2, std::string_view transfer_airport) {
    return minimum_connection(group1, group2, transfer_kind(trim(transfer_airport)));
}

RouteResults search_routes(const Timetable& tt, const SearchConditions& cond, Progress* progress) {
    RouteResults out;
    const int k = find_search_edition(tt, cond.travel_date);
    if (k == 0) return out;
    const int from = tt.airport_index(cond.from_airport);
    const int to = tt.airport_index(cond.to_airport);
    if (from == 0 || to == 0 || from == to) return out;
    const int n = tt.airport_count;
    const int dir = from < to ? 1 : 2;
    const int dep_pos = dir == 1 ? from : n - from + 1;
    const int arr_pos = dir == 1 ? to : n - to + 1;
    const int weekday_now = cond.travel_weekday >= 1 && cond.travel_weekday <= 7 ? cond.travel_weekday
                                                                                 : weekday(cond.travel_date);
    out.search_edition = k;
    Engine(tt, cond, k, weekday_now, dep_pos, arr_pos, dir, progress).run(out);
    sort_data(out);
    return out;
}

}  // namespace quorvel
