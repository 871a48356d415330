// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/route_search_oracle.hpp"

#include <array>
#include <string>

#include "common/text.hpp"

namespace quorvel::oracle {

namespace {

struct Candidate {
    int leg2_row = 0, leg2_dir = 0, leg2_pos = 0;
    int leg3_row = 0, leg3_dir = 0, leg3_pos = 0;
};

struct ThirdLeg {
    int row = 0, dir = 0, pos = 0;
};

// The search's module-level state, one object per search.
class LiteralSearch {
  public:
    LiteralSearch(const Timetable& tt, const SearchConditions& c, Progress* progress)
        : tt_(tt), c_(c), progress_(progress) {}

    RouteResults run() {
        if (!set_jyoken()) return out_;
        search_hotels();
        out_.result_count = hit_count_;
        out_.search_edition = search_edition_;
        return out_;
    }

  private:
    const Timetable& tt_;
    const SearchConditions& c_;
    Progress* progress_;
    RouteResults out_;

    int search_edition_ = 0, search_dir_ = 0, dep_pos_ = 0, arr_pos_ = 0, leg_dir_ = 0;
    int result_count_ = 0, hit_count_ = 0;
    int trip_start_ = 0, trip_end_ = 0, trip_minutes_ = 0;
    int weekday_ = 1;
    bool search_ended_ = false;
    std::array<Candidate, 101> candidates_{};
    std::array<ThirdLeg, 101> third_legs_{};

    int n() const { return tt_.airport_count; }
    int ri(int dir, int pos, int row) const { return tt_.route_index(search_edition_, dir, pos, row); }
    int route_count(int dir) const { return tt_.route_count(search_edition_, dir); }
    bool in_dep_window(int t) const { return t >= c_.departure_from && t <= c_.departure_to; }
    bool in_arr_window(int t) const { return t >= c_.arrival_from && t <= c_.arrival_to; }

    bool set_jyoken() {
        for (int k = 1; k <= 4; ++k) {
            if (tt_.edition_valid_to[k] >= c_.travel_date) {
                search_edition_ = k;
                break;
            }
        }
        if (search_edition_ == 0) return false;
        int from = 0, to = 0;
        for (int a = 1; a <= tt_.airport_count; ++a) {
            if (from == 0 && tt_.airport_name[a] == c_.from_airport) from = a;
            if (to == 0 && tt_.airport_name[a] == c_.to_airport) to = a;
        }
        // Unknown names and a journey to the airport it starts from find nothing.
        if (from == 0 || to == 0 || from == to) {
            search_edition_ = 0;
            return false;
        }
        if (from < to) {
            search_dir_ = 1;
            dep_pos_ = from;
            arr_pos_ = to;
        } else {
            search_dir_ = 2;
            dep_pos_ = n() - from + 1;
            arr_pos_ = n() - to + 1;
        }
        weekday_ =
            c_.travel_weekday >= 1 && c_.travel_weekday <= 7 ? c_.travel_weekday : weekday(c_.travel_date);
        return true;
    }

    void leg_times(int dir, int pos, int row, int& in_service, int& shifted_departure,
                   int& shifted_arrival) const {
        const auto k = static_cast<std::size_t>(search_edition_);
        const auto f = static_cast<std::size_t>(ri(dir, pos, row));
        shifted_departure = tt_.flight_departure[k][f];
        shifted_arrival = tt_.flight_arrival[k][f];
        if (tt_.flight_weekday_rule[k + 5 * static_cast<std::size_t>(weekday_)][f] == 99) in_service = 0;
    }

    std::string company_of(int f) const {
        const auto k = static_cast<std::size_t>(search_edition_);
        const auto index = leading_number(tt_.flight_company[k][f]);
        if (index < 0 || index > 30) return "";
        return trim(tt_.company_code[index]);
    }

    static int airline_group(const std::string& code) {
        if (code == "JAL" || code == "JEX") return 11;
        if (code == "JTA" || code == "RAC") return 12;
        if (code == "J-") return 13;
        if (code == "ANA" || code == "ANK" || code == "ADK") return 21;
        if (code == "JAS" || code == "JAC" || code == "HAC") return 31;
        return 41;
    }

    void chk_wait_time(int dir1, int pos1, int row1, int dir2, int pos2, int row2, int& in_service) const {
        const int f1 = ri(dir1, pos1, row1);
        const int f2 = ri(dir2, pos2, row2);
        int dummy = 1, st1 = 0, a = 0, d = 0, ed2 = 0;
        leg_times(dir1, pos1, row1, dummy, st1, a);
        leg_times(dir2, pos2, row2, dummy, d, ed2);
        const auto k = static_cast<std::size_t>(search_edition_);
        const std::string t = trim(tt_.airport_name[static_cast<std::size_t>(tt_.flight_to[k][f1])]);
        const int g1 = airline_group(company_of(f1));
        const int g2 = airline_group(company_of(f2));
        int minimum = 0;
        if (g1 == 11 && g2 == 11) {
            minimum = t == "東京／羽田" ? 25 : 20;
        } else if ((g1 == 11 && g2 == 12) || (g1 == 12 && g2 == 11)) {
            if (t == "東京／羽田")
                minimum = 25;
            else if (t == "沖縄")
                minimum = 35;
            else
                minimum = 20;
        } else if ((g1 == 11 && g2 == 13) || (g1 == 13 && g2 == 11)) {
            minimum = t == "大阪／関西" ? 25 : 20;
        } else if (g1 == 12 && g2 == 12) {
            minimum = (t == "南大東" || t == "北大東") ? 20 : 25;
        } else if (g1 == 13 && g2 == 13) {
            minimum = 15;
        } else if (g1 == 21 && g2 == 21) {
            minimum = (t == "東京／羽田" || t == "大阪／伊丹" || t == "大阪／関西") ? 25 : 20;
        } else if (g1 == 31 && g2 == 31) {
            minimum = t == "東京／羽田" ? 25 : 20;
        } else {
            minimum = t == "沖縄" ? 40 : 30;
        }
        const int wait = (d / 100 * 60 + d % 100) - (a / 100 * 60 + a % 100);
        if (wait < minimum) in_service = 0;
    }

    int latest_departure(int a) const {
        const int t = (a / 100) * 60 + a % 100 + c_.max_wait;
        return t / 60 * 100 + t % 60;
    }

    void clr_table2() { candidates_.fill(Candidate{}); }
    void clr_table3() { third_legs_.fill(ThirdLeg{}); }

    void set_para(int slot, int kaisuu) {
        RouteResult& r = out_.route_results[slot];
        const int minutes =
            (trip_end_ / 100 * 60 + trip_end_ % 100) - (trip_start_ / 100 * 60 + trip_start_ % 100);
        r.minutes = static_cast<std::int16_t>(minutes);
        trip_minutes_ = minutes;
        if (c_.result_order == 1)
            r.sort_key = trip_start_ * 10000 + minutes + kaisuu;
        else if (c_.result_order == 2)
            r.sort_key = trip_end_ * 10000 + minutes + kaisuu;
        else
            r.sort_key = minutes * 10000 + trip_start_ + kaisuu;
    }

    // Records one itinerary; false when the table was full and the search has to end.
    bool record(int dir1, int pos1, int row1, const Candidate* cand) {
        result_count_ += 1;
        if (result_count_ > max_route_results) {
            result_count_ = max_route_results;
            search_ended_ = true;
            return false;
        }
        RouteResult& r = out_.route_results[result_count_];
        r.leg1_row = static_cast<std::int16_t>(row1);
        r.leg1_dir = static_cast<std::int16_t>(dir1);
        r.leg1_pos = static_cast<std::int16_t>(pos1);
        int skip = 1, st = 0, ed = 0;
        leg_times(dir1, pos1, row1, skip, st, ed);
        trip_start_ = st;
        int kaisuu = 0;
        if (cand == nullptr) {
            trip_end_ = ed;
        } else {
            r.leg2_row = static_cast<std::int16_t>(cand->leg2_row);
            r.leg2_dir = static_cast<std::int16_t>(cand->leg2_dir);
            r.leg2_pos = static_cast<std::int16_t>(cand->leg2_pos);
            r.leg3_row = static_cast<std::int16_t>(cand->leg3_row);
            r.leg3_dir = static_cast<std::int16_t>(cand->leg3_dir);
            r.leg3_pos = static_cast<std::int16_t>(cand->leg3_pos);
            if (cand->leg3_row != 0) {
                leg_times(cand->leg3_dir, cand->leg3_pos, cand->leg3_row, skip, st, ed);
                kaisuu = 2;
            } else {
                leg_times(cand->leg2_dir, cand->leg2_pos, cand->leg2_row, skip, st, ed);
                kaisuu = 1;
            }
            trip_end_ = ed;
        }
        set_para(result_count_, kaisuu);
        return true;
    }

    bool record_candidates(int dir1, int pos1, int row1) {
        for (int c = 1; c <= hit_count_; ++c)
            if (!record(dir1, pos1, row1, &candidates_[c])) return false;
        return true;
    }

    void report_progress(int g) {
        if (progress_ != nullptr && g % 20 == 0) {
            progress_->set_value(g);
            progress_->yield();
        }
    }

    void search_hotels() {
        const int D = search_dir_;
        const int other = D == 1 ? 2 : 1;
        result_count_ = 0;
        if (progress_ != nullptr) progress_->set_range(0, route_count(D));
        // Phase 1: first legs in the search direction.
        for (int g = 1; g <= route_count(D) && !search_ended_; ++g) {
            report_progress(g);
            int skip = 1, st = 0, ed = 0;
            leg_times(D, dep_pos_, g, skip, st, ed);
            if (skip == 0 || !in_dep_window(st)) continue;
            if (ri(D, dep_pos_, g) != 0 && ri(D, arr_pos_, g) != 0) {
                if (in_arr_window(ed)) record(D, dep_pos_, g, nullptr);
                continue;
            }
            if (c_.connection_count > 0) {
                clr_table2();
                leg_dir_ = D;
                search_by_airport(g, st, ed);
                if (hit_count_ > 0) {
                    record_candidates(D, dep_pos_, g);
                } else {
                    leg_dir_ = other;
                    sel_data2_3(g, st, ed);
                    record_candidates(D, dep_pos_, g);
                }
            }
        }
        // Phase 2: only when nothing was found, a first leg away from the destination.
        if (result_count_ == 0) {
            leg_dir_ = other;
            const int p = n() - dep_pos_ + 1;
            clr_table2();
            if (progress_ != nullptr) progress_->set_range(0, route_count(leg_dir_));
            for (int g = 1; g <= route_count(leg_dir_) && !search_ended_; ++g) {
                report_progress(g);
                int skip = 1, st = 0, ed = 0;
                leg_times(leg_dir_, p, g, skip, st, ed);
                if (skip == 0 || !in_dep_window(st)) continue;
                if (c_.connection_count > 0 &&
                    (ri(leg_dir_, p, g) == 0 || ri(leg_dir_, n() - arr_pos_ + 1, g) == 0)) {
                    sel_data2_2(g, st, ed);
                    record_candidates(leg_dir_, p, g);
                }
            }
        }
        hit_count_ = result_count_;
        sort_data();
    }

    // Stores one candidate; false when the 100 are taken and the procedure has to end.
    bool store_candidate(int& c, int row2, int dir2, int pos2, const ThirdLeg* third) {
        c += 1;
        if (c > 100) {
            c = 100;
            return false;
        }
        Candidate& cand = candidates_[c];
        cand.leg2_row = row2;
        cand.leg2_dir = dir2;
        cand.leg2_pos = pos2;
        // A one-connection candidate has no third leg, even in a slot an earlier first leg used
        // (the second phase clears the table only once).
        const ThirdLeg none{};
        const ThirdLeg& t = third != nullptr ? *third : none;
        cand.leg3_row = t.row;
        cand.leg3_dir = t.dir;
        cand.leg3_pos = t.pos;
        return true;
    }

    // Runs search_by_name for the second leg (dir2, pos2, row2) and stores each third leg it finds.
    bool store_third_legs(int& c, int dir2, int row2, int pos2, int d, int e) {
        clr_table3();
        search_by_name(dir2, row2, pos2, d, e);
        for (int t = 1; t <= hit_count_; ++t)
            if (!store_candidate(c, row2, dir2, pos2, &third_legs_[t])) return false;
        return true;
    }

    void search_by_airport(int kk, int /*st_wk_hosei*/, int /*ed_wk_hosei*/) {
        const int D = search_dir_;
        hit_count_ = 0;
        int c = 0;
        for (int m = dep_pos_ + 1; m <= arr_pos_ - 1; ++m) {
            if (ri(D, dep_pos_, kk) == 0 || ri(D, m, kk) == 0) continue;
            int skip = 1, st = 0, a = 0;
            leg_times(D, m, kk, skip, st, a);
            const int latest = latest_departure(a);
            for (int r = 1; r <= route_count(D); ++r) {
                if (r == kk) continue;
                int service = 1, d = 0, e = 0;
                leg_times(D, m, r, service, d, e);
                if (service == 0 || d < a || d > latest) continue;
                if (ri(D, m, r) != 0 && ri(D, arr_pos_, r) != 0 && in_arr_window(e)) {
                    int ok = 1;
                    chk_wait_time(D, dep_pos_, kk, D, m, r, ok);
                    if (ok == 1 && !store_candidate(c, r, D, m, nullptr)) {
                        hit_count_ = c;
                        return;
                    }
                }
                int ok = 1;
                chk_wait_time(D, dep_pos_, kk, D, m, r, ok);
                if (ok == 1 && c_.connection_count == 2 && !store_third_legs(c, D, r, m, d, e)) {
                    hit_count_ = c;
                    return;
                }
            }
        }
        hit_count_ = c;
    }

    void search_by_name(int ii, int kk, int jj, int /*st_wk_hosei*/, int /*ed_wk_hosei*/) {
        const int a_pos = ii != search_dir_ ? n() - arr_pos_ + 1 : arr_pos_;
        hit_count_ = 0;
        int c = 0;
        for (int m = jj + 1; m <= a_pos - 1; ++m) {
            if (ri(ii, jj, kk) == 0 || ri(ii, m, kk) == 0) continue;
            int skip = 1, st = 0, a = 0;
            leg_times(ii, m, kk, skip, st, a);
            const int latest = latest_departure(a);
            for (int r = 1; r <= route_count(ii); ++r) {
                if (r == kk) continue;
                int service = 1, d = 0, e = 0;
                leg_times(ii, m, r, service, d, e);
                if (service == 0 || d < a || d > latest) continue;
                if (ri(ii, m, r) == 0 || ri(ii, a_pos, r) == 0 || !in_arr_window(e)) continue;
                int ok = 1;
                chk_wait_time(ii, jj, kk, ii, m, r, ok);
                if (ok == 0) continue;
                c += 1;
                if (c > 100) {
                    hit_count_ = 100;
                    return;
                }
                third_legs_[c] = ThirdLeg{r, ii, m};
            }
        }
        hit_count_ = c;
    }

    void sel_data2_3(int kk, int /*st_wk_hosei*/, int /*ed_wk_hosei*/) {
        const int D = search_dir_;
        const int R = leg_dir_;
        hit_count_ = 0;
        int c = 0;
        for (int m = dep_pos_ + 1; m <= n() - 1; ++m) {
            if (ri(D, dep_pos_, kk) == 0 || ri(D, m, kk) == 0) continue;
            int skip = 1, st = 0, a = 0;
            leg_times(D, dep_pos_, kk, skip, st, a);
            const int latest = latest_departure(a);
            for (int r = 1; r <= route_count(R); ++r) {
                const int m2 = n() - m + 1;
                const int a2 = n() - arr_pos_ + 1;
                int service = 1, d = 0, e = 0;
                leg_times(R, m2, r, service, d, e);
                if (service == 0 || d < a || d > latest) continue;
                int ok = 1;
                if (ri(R, m2, r) != 0 && ri(R, a2, r) != 0 && m2 < a2) {
                    if (!in_arr_window(e)) continue;
                    chk_wait_time(D, dep_pos_, kk, R, m2, r, ok);
                    if (ok == 1 && !store_candidate(c, r, R, m2, nullptr)) {
                        hit_count_ = c;
                        return;
                    }
                } else {
                    chk_wait_time(D, dep_pos_, kk, R, m2, r, ok);
                    if (ok == 1 && c_.connection_count == 2 && !store_third_legs(c, R, r, m2, d, e)) {
                        hit_count_ = c;
                        return;
                    }
                }
            }
        }
        hit_count_ = c;
    }

    void sel_data2_2(int kk, int /*st_wk_hosei*/, int /*ed_wk_hosei*/) {
        const int R = leg_dir_;
        const int D = search_dir_;
        const int p = n() - dep_pos_ + 1;
        hit_count_ = 0;
        int c = 0;
        for (int m2 = p + 1; m2 <= n() - 1; ++m2) {
            if (ri(R, p, kk) == 0 || ri(R, m2, kk) == 0) continue;
            int skip = 1, st = 0, a = 0;
            leg_times(R, p, kk, skip, st, a);
            const int latest = latest_departure(a);
            const int m = n() - m2 + 1;
            for (int r = 1; r <= route_count(D); ++r) {
                int service = 1, d = 0, e = 0;
                leg_times(D, m, r, service, d, e);
                if (service == 0 || d < a || d > latest) continue;
                int ok = 1;
                if (ri(D, m, r) != 0 && ri(D, arr_pos_, r) != 0 && m < arr_pos_) {
                    if (!in_arr_window(e)) continue;
                    chk_wait_time(R, p, kk, D, m, r, ok);
                    if (ok == 1 && !store_candidate(c, r, D, m, nullptr)) {
                        hit_count_ = c;
                        return;
                    }
                } else {
                    chk_wait_time(R, p, kk, D, m, r, ok);
                    if (ok == 1 && c_.connection_count == 2 && !store_third_legs(c, D, r, m, d, e)) {
                        hit_count_ = c;
                        return;
                    }
                }
            }
        }
        hit_count_ = c;
    }

    void sort_data() {
        auto& t = out_.route_results;
        for (int i = 1; i <= hit_count_ - 1; ++i) {
            for (int j = i + 1; j <= hit_count_; ++j) {
                if (t[j].sort_key < t[i].sort_key) std::swap(t[i], t[j]);
            }
        }
    }
};

}  // namespace

RouteResults search_routes_literal(const Timetable& tt, const SearchConditions& cond, Progress* progress) {
    return LiteralSearch(tt, cond, progress).run();
}

}  // namespace quorvel::oracle
