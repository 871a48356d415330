// SPDX-License-Identifier: GPL-3.0-or-later
#include "fares/fare_engine.hpp"

#include <cmath>
#include <cstddef>

#include "common/text.hpp"

namespace quorvel {

namespace {

constexpr std::size_t ix(int i) { return static_cast<std::size_t>(i); }

// The campaign windows and the discount-season windows all lie in 1999.
bool within(DayNumber d, int m1, int d1, int m2, int d2) {
    return d >= day_number(1999, m1, d1) && d <= day_number(1999, m2, d2);
}

bool route_is(const FareState& s, std::string_view a, std::string_view b) {
    return (s.from_key == a && s.to_key == b) || (s.from_key == b && s.to_key == a);
}

struct RouteFare {
    std::string_view a, b;
    std::int32_t amount;
};

// The amount of the last line of a route list that names the route, or 0.
template <std::size_t N>
std::int32_t route_list_fare(const FareState& s, const std::array<RouteFare, N>& list) {
    std::int32_t found = 0;
    for (const auto& line : list)
        if (route_is(s, line.a, line.b)) found = line.amount;
    return found;
}

std::int32_t list_j8(const FareState& s) {
    const std::int32_t tokyo_osaka = s.request.travel_date >= day_number(1999, 4, 1) ? 12000 : 11100;
    const std::array<RouteFare, 4> j8{{{"東京", "大阪", tokyo_osaka},
                                       {"東京", "広島", 15700},
                                       {"福岡", "大阪", 12100},
                                       {"名古屋", "福岡", 14650}}};
    return route_list_fare(s, j8);
}

std::int32_t list_s8(const FareState& s) {
    const std::array<RouteFare, 2> extra{{{"佐賀", "大阪", 12100}, {"札幌", "釧路", 10850}}};
    const std::int32_t more = route_list_fare(s, extra);
    return more != 0 ? more : list_j8(s);
}

std::int32_t list_a8(const FareState& s) {
    if (s.request.travel_date <= day_number(1999, 3, 31)) {
        const std::array<RouteFare, 9> before{{{"東京", "大阪", 11100},
                                               {"東京", "岡山", 14650},
                                               {"東京", "広島", 15700},
                                               {"東京", "山口宇部", 18750},
                                               {"東京", "山形", 9550},
                                               {"福岡", "大阪", 12100},
                                               {"佐賀", "大阪", 12100},
                                               {"名古屋", "福岡", 14650},
                                               {"名古屋", "佐賀", 14650}}};
        return route_list_fare(s, before);
    }
    const std::array<RouteFare, 6> after{{{"東京", "大阪", 12000},
                                          {"東京", "広島", 15700},
                                          {"福岡", "大阪", 12100},
                                          {"佐賀", "大阪", 12100},
                                          {"名古屋", "福岡", 14650},
                                          {"名古屋", "佐賀", 14650}}};
    return route_list_fare(s, after);
}

std::int32_t list_a11(const FareState& s) {
    const std::array<RouteFare, 13> a11{{{"東京", "大阪", 13600},
                                         {"東京", "小松", 13600},
                                         {"東京", "富山", 13600},
                                         {"東京", "岡山", 18750},
                                         {"東京", "広島", 18750},
                                         {"東京", "高松", 18750},
                                         {"東京", "鳥取", 18750},
                                         {"東京", "福岡", 23250},
                                         {"東京", "佐賀", 23250},
                                         {"東京", "熊本", 23250},
                                         {"東京", "宮崎", 23250},
                                         {"大阪", "富山", 13600},
                                         {"大阪", "福岡", 13600}}};
    return route_list_fare(s, a11);
}

bool island_s12(const FareState& s) {
    return route_is(s, "東京", "奄美大島") || route_is(s, "大阪", "奄美大島") ||
           route_is(s, "鹿児島", "奄美大島") || route_is(s, "鹿児島", "徳之島");
}

// Which passes of the discount lookup a record takes part in, by the season of the travel date.
struct Passes {
    bool pass1 = false;
    bool pass2 = false;
};

Passes eligibility(const Timetable& tt, int i, int season, DayNumber d) {
    const bool october = within(d, 10, 8, 10, 11);
    switch (season) {
        case 1:
            switch (tt.discount_rule_c[ix(i)]) {
                case 1:
                    return {true, true};
                case 2:
                    return {true, !october};
                case 3:
                    return {!october, !october};
                default:
                    return {};
            }
        case 2:
            switch (tt.discount_rule_b[ix(i)]) {
                case 1:
                    return {true, false};
                case 2:
                    return {within(d, 7, 16, 7, 31) || within(d, 8, 26, 8, 31), false};
                case 3:
                    return {within(d, 8, 1, 8, 25), false};
                default:
                    return {};
            }
        case 3:
            return tt.discount_rule_a[ix(i)] == 1 ? Passes{true, false} : Passes{};
        default:
            return {};
    }
}

bool discount_qualifies(const Timetable& tt, const FareState& s, int i) {
    const auto& r = s.request;
    if (trim(tt.discount_company[ix(i)]) != trim(r.company)) return false;
    if (!starts_with(trim(tt.discount_from[ix(i)]), trim(s.from_key))) return false;
    if (!starts_with(trim(tt.discount_to[ix(i)]), trim(s.to_key))) return false;
    const int flight = tt.discount_flight[ix(i)];
    if (flight != r.flight_no && flight != 999) return false;
    return tt.discount_valid_from[ix(i)] <= r.travel_date && r.travel_date <= tt.discount_valid_to[ix(i)];
}

// One company's column of the fare sheet and the rules the company procedures share.
class Column {
  public:
    Column(const Timetable& tt, FareState& s, int company) : tt_(tt), s_(s), c_(company) {
        find_season(tt, s);
    }

    const FareState& state() const { return s_; }
    void set(int row, std::int32_t v) { s_.fare_sheet[ix(c_)][ix(row)] = v; }
    std::int32_t get(int row) const { return s_.fare_sheet[ix(c_)][ix(row)]; }

    int days_ahead() const { return s_.request.travel_date - s_.request.today; }
    int weekday() const { return s_.travel_weekday; }
    bool peak_day() const {
        return s_.travel_weekday == 1 || s_.travel_weekday == 6 || s_.travel_weekday == 7 ||
               s_.holiday_flag == 1;
    }
    bool not_a() const { return s_.blackout_a == 0; }
    bool not_b() const { return s_.blackout_b == 0; }
    bool not_c() const { return s_.blackout_c == 0; }
    bool off_busy() const { return s_.season != 2; }

    std::int32_t grid(int j) const {
        return tt_.fare_grid[ix(s_.fare_table)][ix(j)][peak_day() ? 2 : 1][ix(s_.fare_record)];
    }
    std::int32_t busy_grid() const { return tt_.fare_grid[ix(s_.fare_table)][5][1][ix(s_.fare_record)]; }
    std::int32_t fare_extra() const { return tt_.fare_extra[ix(s_.fare_table)][ix(s_.fare_record)]; }
    int fare_kind() const { return tt_.fare_kind[ix(s_.fare_table)][ix(s_.fare_record)]; }

    // G(j) [not A; season ≠ 2; > 27], with the busy-season grid fare instead in season 2 when asked.
    void advance28(int row, int j, bool busy_alt) {
        if (not_a() && off_busy() && days_ahead() > 27) set(row, grid(j));
        if (busy_alt && s_.season == 2 && days_ahead() > 27 && not_b()) set(row, busy_grid());
    }
    // Row 4: G(3) [not C; season ≠ 2; > 20].
    void advance21() {
        if (not_c() && off_busy() && days_ahead() > 20) set(4, grid(3));
    }
    // Row 5: G(4) [not A (or not C); season ≠ 2; > 13].
    void advance14(bool needs_not_c) {
        const bool open = needs_not_c ? not_c() : not_a();
        if (open && off_busy() && days_ahead() > 13) set(5, grid(4));
    }
    void coupon(int row, double p) {
        if (not_b()) set(row, round_to_50_yen(p, s_.amount1));
    }
    // Rows 9 and 14 from the discount records, for a travel date after today.
    void discount_fare_rows() {
        if (days_ahead() <= 0) return;
        const DiscountFares t = apply_discount_fares(tt_, s_);
        if (t.lowest_discount != 0) set(9, t.lowest_discount);
        if (t.last_discount != 0) set(14, t.last_discount);
    }
    // Row 10 on Sunday, Monday, Friday and Saturday.
    void single_posting() {
        const int w = weekday();
        if (not_b() && (w == 1 || w == 2 || w == 6 || w == 7)) set(10, round_to_50_yen(0.75, s_.season_fare));
    }
    // Row 10 by the weekend-commuter rule: Saturday and Sunday, Monday mornings, Friday afternoons.
    void single_posting_w() {
        const int w = weekday();
        const int dep = s_.request.departure_time;
        const bool rule_w = w == 1 || w == 7 || (w == 2 && dep <= 1200) || (w == 6 && dep >= 1200);
        if (not_b() && rule_w) set(10, round_to_50_yen(0.75, s_.season_fare));
    }

  private:
    const Timetable& tt_;
    FareState& s_;
    int c_;
};

void price_jal(const Timetable& tt, FareState& s) {
    Column col(tt, s, 1);
    col.set(1, s.season_fare);
    col.advance28(3, 2, true);
    col.advance21();
    col.advance14(false);
    col.coupon(6, 0.85);
    if (col.not_b()) col.set(8, list_j8(s));
    if (col.get(8) == 0) col.coupon(7, 0.85);
    col.discount_fare_rows();
    col.single_posting();
    if (route_is(s, "東京", "大阪") || route_is(s, "福岡", "大阪")) col.set(11, 13650);
}

void price_ana(const Timetable& tt, FareState& s) {
    Column col(tt, s, 2);
    col.set(1, s.season_fare);
    col.advance28(2, 1, true);
    col.advance28(3, 2, true);
    col.advance21();
    col.advance14(false);
    col.coupon(6, 0.85);
    col.coupon(7, 0.85);
    if (col.not_b()) col.set(8, list_a8(s));
    col.discount_fare_rows();
    col.single_posting_w();
    if (col.not_b()) col.set(11, list_a11(s));
}

void price_jas(const Timetable& tt, FareState& s) {
    Column col(tt, s, 3);
    col.set(1, s.season_fare);
    col.advance28(2, 1, false);
    col.advance28(3, 1, true);
    col.advance21();
    col.advance14(true);
    col.coupon(6, 0.85);
    if (col.not_b()) col.set(8, list_s8(s));
    if (col.not_b() && island_s12(s)) col.set(12, round_to_50_yen(0.8, s.amount1));
    if (col.get(8) == 0 && col.get(12) == 0) col.coupon(7, 0.85);
    col.discount_fare_rows();
    col.single_posting();
}

void price_ank(const Timetable& tt, FareState& s) {
    Column col(tt, s, 4);
    col.set(1, s.season_fare);
    col.advance28(2, 1, true);
    col.advance28(3, 2, true);
    col.advance21();
    col.advance14(false);
    col.coupon(6, 0.85);
    if (col.not_b()) {
        const std::int32_t extra = col.fare_extra();
        col.set(7, extra != 0 ? extra : round_to_50_yen(0.85, s.amount1));
    }
    col.discount_fare_rows();
    col.single_posting_w();
}

// JTA, JEX and JAC share the first rows; they differ in rows 2, 5, 7 and their own extras.
void price_jta(const Timetable& tt, FareState& s) {
    Column col(tt, s, 5);
    col.set(1, s.season_fare);
    col.advance28(3, 2, true);
    col.advance21();
    col.advance14(false);
    col.coupon(6, 0.85);
    col.discount_fare_rows();
    col.single_posting();
}

void price_jac(const Timetable& tt, FareState& s) {
    Column col(tt, s, 7);
    col.set(1, s.season_fare);
    col.advance28(2, 1, false);
    col.advance28(3, 2, true);
    col.advance21();
    col.advance14(true);
    col.coupon(6, 0.85);
    col.coupon(7, 0.85);
    col.discount_fare_rows();
    if (route_is(s, "大阪", "但馬") && col.days_ahead() > 0) col.set(9, round_to_50_yen(0.65, s.amount1));
    col.single_posting();
    if (col.fare_kind() == 15 || col.fare_kind() == 10) {
        col.set(12, round_to_50_yen(0.9, s.amount1));
        col.set(13, round_to_50_yen(0.8, s.amount1));
    }
}

void price_jex(const Timetable& tt, FareState& s) {
    Column col(tt, s, 16);
    col.set(1, s.season_fare);
    col.advance28(3, 2, true);
    col.advance21();
    col.advance14(false);
    col.coupon(6, 0.85);
    col.coupon(7, 0.85);
    col.discount_fare_rows();
    col.single_posting();
    if (col.not_b()) col.set(11, 15000);
}

void price_j_air(const Timetable& tt, FareState& s) {
    Column col(tt, s, 8);
    col.set(1, s.amount1);
    col.advance28(3, 2, true);
    if (col.not_b()) {
        col.set(6, col.fare_extra());
        col.set(7, s.amount3);
    }
}

// The small companies: the adult fare, and where they sell one, a return fare in row 14.
void small_company(const Timetable& tt, FareState& s, int company, bool return_fare) {
    Column col(tt, s, company);
    col.set(1, s.amount1);
    if (return_fare && s.amount2 != 0) col.set(14, s.amount2);
}

void price_nca(const Timetable& tt, FareState& s) { small_company(tt, s, 6, true); }
void price_naw(const Timetable& tt, FareState& s) { small_company(tt, s, 9, true); }
void price_rac(const Timetable& tt, FareState& s) {
    small_company(tt, s, 10, true);
    s.fare_sheet[10][6] = s.amount3;
}
void price_adk(const Timetable& tt, FareState& s) { small_company(tt, s, 11, false); }
void price_nal(const Timetable& tt, FareState& s) { small_company(tt, s, 12, true); }
void price_kok(const Timetable& tt, FareState& s) { small_company(tt, s, 13, true); }
void price_toh(const Timetable& tt, FareState& s) { small_company(tt, s, 14, true); }
void price_hac(const Timetable& tt, FareState& s) { small_company(tt, s, 15, false); }
void price_sky(const Timetable& tt, FareState& s) { small_company(tt, s, 17, false); }
void price_ado(const Timetable& tt, FareState& s) { small_company(tt, s, 18, false); }

using CompanyProcedure = void (*)(const Timetable&, FareState&);

struct EngineCompany {
    std::string_view code;
    CompanyProcedure procedure;
};

// In the order the companies are tried; the position is the column the procedure writes.
constexpr std::array<EngineCompany, engine_companies + 1> companies{{{"", nullptr},
                                                                     {"JAL", &price_jal},
                                                                     {"ANA", &price_ana},
                                                                     {"JAS", &price_jas},
                                                                     {"ANK", &price_ank},
                                                                     {"JTA", &price_jta},
                                                                     {"NCA", &price_nca},
                                                                     {"JAC", &price_jac},
                                                                     {"J-", &price_j_air},
                                                                     {"ORC", &price_naw},
                                                                     {"RAC", &price_rac},
                                                                     {"ADK", &price_adk},
                                                                     {"NAL", &price_nal},
                                                                     {"KOK", &price_kok},
                                                                     {"TOH", &price_toh},
                                                                     {"HAC", &price_hac},
                                                                     {"JEX", &price_jex},
                                                                     {"SKY", &price_sky},
                                                                     {"ADO", &price_ado}}};

constexpr std::array<std::string_view, fare_rows + 1> row_captions{"",
                                                                   "大人片道運賃",
                                                                   "ｽｰﾊﾟｰ早割り",
                                                                   "前売28",
                                                                   "前売21",
                                                                   "前売14",
                                                                   "6回回数券",
                                                                   "4回回数券",
                                                                   "ｽｰﾊﾟｰ回数券",
                                                                   "特売きっぷ",
                                                                   "単身赴任割引",
                                                                   "ﾏﾙﾁｷｯﾌﾟ,ﾜｲﾄﾞﾘﾋﾟｰﾄ",
                                                                   "特割20,離島まるとく",
                                                                   "離島回数きっぷ10",
                                                                   "日帰り/往復きっぷ"};

}  // namespace

std::int32_t round_to_50_yen(double p, std::int32_t x) {
    return static_cast<std::int32_t>(std::floor(static_cast<double>(x) * p / 50.0 + 0.5)) * 50;
}

int engine_company_index(std::string_view designator) {
    const std::string code = trim(designator);
    for (int c = 1; c <= engine_companies; ++c)
        if (companies[ix(c)].code == code) return c;
    return 0;
}

std::string_view engine_company_code(int index) {
    return index >= 1 && index <= engine_companies ? companies[ix(index)].code : std::string_view{};
}

std::string_view fare_row_caption(int row) {
    return row >= 1 && row <= fare_rows ? row_captions[ix(row)] : std::string_view{};
}

std::string_view season_caption(int season) {
    switch (season) {
        case 1:
            return "　（通常期）";
        case 2:
            return "　（繁忙期）";
        case 3:
            return "　（閑散期）";
        default:
            return {};
    }
}

void clear_fare_sheet(FareSheet& sheet) {
    for (auto& company : sheet) company.fill(0);
}

void begin_request(const FareRequest& request, FareState& state) {
    state.request = request;
    const CivilDate d = civil_date(request.travel_date);
    state.travel_month = d.month;
    state.travel_day = d.day;
    state.travel_weekday = weekday(request.travel_date);
}

void mark_holidays(FareState& state) {
    state.holiday_flag = 0;
    for (const auto& h : state.request.holidays)
        if (h.day == state.travel_day && h.month == state.travel_month) state.holiday_flag = 1;
}

std::string look_up_fare(const Timetable& tt, FareState& s) {
    s.amount1 = s.amount2 = s.amount3 = 0;
    s.fare_record = 0;  // a stale record would lend its grid fares to a route that has none
    auto fold = [](std::string name) {
        if (name == "東京／羽田" || name == "東京／成田") return std::string("東京");
        if (name == "大阪／伊丹" || name == "大阪／関西") return std::string("大阪");
        return name;
    };
    s.from_key = fold(trim(s.request.from));
    s.to_key = fold(trim(s.request.to));

    // A table without records (its section absent from the file) cannot price anything, so every
    // date goes to the other one.
    const int t2_from = tt.fare_valid_from[2];
    if (tt.fare_count[1] == 0 && tt.fare_count[2] != 0) {
        s.fare_table = 2;
    } else if (tt.fare_count[2] == 0) {
        s.fare_table = 1;
    } else {
        s.fare_table = s.request.travel_date >= t2_from ? 2 : 1;
    }

    const auto t = ix(s.fare_table);
    const std::string company = trim(s.request.company);
    for (int i = 1; i <= tt.fare_count[t]; ++i) {
        if (trim(tt.fare_company[t][ix(i)]) != company) continue;
        const std::string from = trim(tt.fare_from[t][ix(i)]);
        const std::string to = trim(tt.fare_to[t][ix(i)]);
        const bool same_way = from == s.from_key && to == s.to_key;
        const bool other_way = from == s.to_key && to == s.from_key;
        if (!same_way && !other_way) continue;
        s.amount1 = tt.fare_amount1[t][ix(i)];
        s.amount2 = tt.fare_amount2[t][ix(i)];
        s.amount3 = tt.fare_amount3[t][ix(i)];
        s.fare_record = i;
        break;
    }
    return s.amount1 == 0 ? "err" : "";
}

void find_season(const Timetable& tt, FareState& s) {
    const DayNumber d = s.request.travel_date;
    s.season = 1;
    for (int i = 1; i <= tt.period_count; ++i) {
        if (tt.period_from[ix(i)] <= d && d <= tt.period_to[ix(i)]) {
            s.season = tt.period_value[ix(i)];
            break;
        }
    }
    switch (s.season) {
        case 1:
            s.season_fare = s.amount1;
            break;
        case 2:
            s.season_fare = s.amount2;
            break;
        case 3:
            s.season_fare = s.amount3;
            break;
        default:
            s.season_fare = 0;
            break;
    }
    s.blackout_b = within(d, 8, 1, 8, 25) ? 1 : 0;
    s.blackout_c = within(d, 10, 8, 10, 11) ? 1 : 0;
    // The third campaign window is written as a range that ends before it starts, so it never
    // holds a date.
    s.blackout_a = 0;
}

DiscountFares apply_discount_fares(const Timetable& tt, const FareState& s) {
    DiscountFares w;
    std::int32_t best = 999999;
    const DayNumber d = s.request.travel_date;
    for (int i = 1; i <= tt.discount_count; ++i) {
        if (!eligibility(tt, i, s.season, d).pass1 || !discount_qualifies(tt, s, i)) continue;
        const std::int32_t cal = tt.discount_fare[ix(i)];
        if (cal > 0 && cal < best) {
            w.lowest_discount = best = cal;
            w.discount_valid_from = tt.discount_valid_from[ix(i)];
            w.discount_valid_to = tt.discount_valid_to[ix(i)];
            w.busy_season_rule = tt.discount_rule_b[ix(i)];
        }
    }
    for (int i = 1; i <= tt.discount_count; ++i) {
        if (!eligibility(tt, i, s.season, d).pass2 || !discount_qualifies(tt, s, i)) continue;
        w.last_discount = tt.discount_fare2[ix(i)];
        w.discount_valid_from = tt.discount_valid_from[ix(i)];
        w.discount_valid_to = tt.discount_valid_to[ix(i)];
    }
    return w;
}

FareOutcome price_flight(const Timetable& tt, const FareRequest& request, FareState& state) {
    FareOutcome outcome;
    begin_request(request, state);
    mark_holidays(state);
    if (state.request.fare_mode == 0 || state.request.fare_mode == 2) {
        if (trim(look_up_fare(tt, state)) == "err")
            outcome.missing_message = "運賃表未登録（" + trim(state.request.company) + "）";
        if (state.request.priced_for == "ANK") {
            state.request.company = "ANK";
            state.request.priced_for.clear();
        }
    }
    const int c = engine_company_index(state.request.company);
    if (c != 0) {
        companies[ix(c)].procedure(tt, state);
        outcome.company_index = c;
    }
    return outcome;
}

FareRequest flight_fare_request(const std::string& designator, int flight_no, std::string from,
                                std::string to, int dep_time, DayNumber travel_date, DayNumber today,
                                std::vector<HolidayDate> holidays) {
    FareRequest request;
    request.fare_mode = 2;
    request.company = designator;
    if (designator == "ANK") {
        request.company = "ANA";
        request.priced_for = "ANK";
    }
    request.flight_no = flight_no;
    request.from = std::move(from);
    request.to = std::move(to);
    request.departure_time = dep_time;
    request.travel_date = travel_date;
    request.today = today;
    request.holidays = std::move(holidays);
    return request;
}

}  // namespace quorvel
