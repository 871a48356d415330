// SPDX-License-Identifier: GPL-3.0-or-later
#include "datatools/timetable_writer.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "timetable/timetable_fixture.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel {
namespace {

using namespace quorvel::testing;

std::unique_ptr<Timetable> load(const std::vector<std::byte>& bytes) {
    auto tt = load_timetable(bytes);
    EXPECT_TRUE(tt.ok()) << (tt.ok() ? "" : tt.error().message);
    return tt.ok() ? std::move(tt).value() : std::make_unique<Timetable>();
}

TEST(FloatCode, IsReadBackByCnvData) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::int32_t> any(-(1 << 24) + 1, (1 << 24) - 1);
    for (int i = 0; i < 20000; ++i) {
        const std::int32_t v = any(rng);
        ASSERT_EQ(decode_float_int(float_code(v)), static_cast<double>(v)) << v;
    }
    for (std::int32_t v : {0, 1, -1, 255, 256 * 100 + 100, (1 << 24) - 1})
        EXPECT_EQ(decode_float_int(float_code(v)), v);
    EXPECT_EQ(float_code(1), 0x3F800000);
    EXPECT_EQ(float_code(0), 0);
}

// The layout: block 0 empty, sections on block boundaries in file order, the control record last.
TEST(TimetableWriter, LaysOutBlocksAndControlRecord) {
    const auto bytes = build_or_fail(small_source());
    ASSERT_EQ(bytes.size() % block_size, 0u);
    for (std::size_t i = 0; i < static_cast<std::size_t>(block_size); ++i) ASSERT_EQ(bytes[i], std::byte{0});
    int previous = 0;
    for (int n : {1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13}) {
        const int block = get_i16(bytes, block_field(bytes, n));
        EXPECT_GT(block, previous) << "section " << n;
        previous = block;
    }
    EXPECT_LT(static_cast<std::size_t>(previous) * block_size, control_at(bytes));
    for (int n : {7, 8, 14, 20}) {
        EXPECT_EQ(get_i16(bytes, block_field(bytes, n)), 0);
        EXPECT_EQ(get_i16(bytes, count_field(bytes, n)), 0);
    }
    EXPECT_EQ(get_i16(bytes, count_field(bytes, 1)), 40);
    EXPECT_EQ(get_i32(bytes, control_at(bytes) + 84), day_number(2099, 12, 31));  // edition_valid_to(2)
    EXPECT_EQ(get_i32(bytes, control_at(bytes) + 104), day_number(2026, 4, 1));   // fare_valid_from(2)
    EXPECT_EQ(get_i16(bytes, control_at(bytes) + 108 + 2 * (1 * 20 + 13)), 314);  // help (2, 14)
    EXPECT_EQ(get_i16(bytes, control_at(bytes) + 108 + 2 * (21 * 20 - 1)), 999);  // help (21, 20)
    for (std::size_t i = control_at(bytes) + 948; i < bytes.size(); ++i) ASSERT_EQ(bytes[i], std::byte{0});
}

// Flights of one airport pair become contiguous, pairs in order of first appearance and flights
// of a pair in source order; the segment table gives each edition's range of every pair.
TEST(TimetableWriter, GroupsFlightsByPairAndComputesSegments) {
    auto src = small_source();
    src.editions[2]->flights = {
        flight("札幌", "空港12", "JAL", 1, 800, 900), flight("福岡", "沖縄", "JAL", 2, 800, 900),
        flight("札幌", "空港12", "JAL", 3, 700, 800), flight("沖縄", "福岡", "JAL", 4, 800, 900),
        flight("福岡", "沖縄", "JAL", 5, 600, 700),   flight("札幌", "空港12", "ANA", 6, 600, 700),
    };
    auto tt = load(build_or_fail(src));
    ASSERT_EQ(tt->edition_flight_count[2], 6);
    const int numbers[] = {0, 1, 3, 6, 2, 5, 4};
    for (std::size_t i = 1; i <= 6; ++i) EXPECT_EQ(tt->flight_number[2][i], numbers[i]) << i;

    // Pairs over both editions, ordered by airport positions: (3,12) (4,5) (5,4) (12,3).
    ASSERT_EQ(tt->segment_count, 4);
    const struct {
        const char* from;
        const char* to;
        int first1, last1, first2, last2;
    } expected[] = {{"札幌", "空港12", 3, 3, 1, 3},
                    {"福岡", "沖縄", 0, 0, 4, 5},
                    {"沖縄", "福岡", 0, 0, 6, 6},
                    {"空港12", "札幌", 1, 2, 0, 0}};
    for (std::size_t s = 1; s <= 4; ++s) {
        const auto& e = expected[s - 1];
        SCOPED_TRACE(s);
        EXPECT_EQ(tt->segment_from[s], e.from);
        EXPECT_EQ(tt->segment_to[s], e.to);
        EXPECT_EQ(tt->segment_first[1][s], e.first1);
        EXPECT_EQ(tt->segment_last[1][s], e.last1);
        EXPECT_EQ(tt->segment_first[2][s], e.first2);
        EXPECT_EQ(tt->segment_last[2][s], e.last2);
        EXPECT_EQ(tt->segment_first[3][s], 0);
    }
    // Every flight in a segment's range belongs to that pair.
    for (std::size_t s = 1; s <= 4; ++s)
        for (int i = tt->segment_first[2][s]; i >= 1 && i <= tt->segment_last[2][s]; ++i)
            EXPECT_EQ(tt->airport_name[static_cast<std::size_t>(tt->flight_from[2][i])], tt->segment_from[s]);
}

// decode(build(S)) is S up to the grouping of flights, and building it again gives the same bytes.
TEST(TimetableWriter, DecodeThenBuildReproducesTheFile) {
    auto src = small_source();
    src.editions[4] = src.editions[1];  // an edition after a gap
    src.aircraft.push_back({"", 0});    // a nameless type no flight can refer to
    src.help.push_back({5, 5, -3, 0});
    const auto bytes = build_or_fail(src);
    auto decoded = decode_timetable(bytes);
    ASSERT_TRUE(decoded.ok()) << decoded.error().message;
    EXPECT_EQ(build_or_fail(*decoded), bytes);
    // And through the readable files as well.
    auto reparsed = parse_timetable_source(format_timetable_source(*decoded));
    ASSERT_TRUE(reparsed.ok()) << reparsed.error().message;
    EXPECT_EQ(build_or_fail(*reparsed), bytes);

    const TimetableSource& d = *decoded;
    ASSERT_EQ(d.airports.size(), 40u);
    EXPECT_EQ(d.airports[3].code4, "*");  // raw, not the reader's blank
    EXPECT_EQ(d.airports[0].code1, "A1");
    EXPECT_FALSE(d.editions[3].has_value());
    ASSERT_TRUE(d.editions[4].has_value());
    ASSERT_EQ(d.editions[1]->flights.size(), 3u);
    const SourceFlight& f = d.editions[1]->flights[2];
    EXPECT_EQ(f.company, "JAL");
    EXPECT_EQ(f.remark, "  99:12/29-31;  ");
    EXPECT_EQ(f.adjust[1], 99);
    EXPECT_EQ(f.adjust[7], -15);
    EXPECT_EQ(d.editions[1]->flights[1].remark, "");
    EXPECT_EQ(d.fare_tables[2]->fares[0].from, "新東京");    // not folded
    EXPECT_EQ(d.fare_tables[1]->fares[0].grid[4][2], 1400);  // in units of 10 yen
    EXPECT_EQ(d.discounts[0].valid_to, day_number(2027, 3, 31));
    EXPECT_EQ(d.control.edition_valid_to[2], day_number(2099, 12, 31));
}

TEST(TimetableWriter, DecoderRefusesDamagedFiles) {
    const auto good = build_or_fail(small_source());
    EXPECT_EQ(decode_timetable({}).error().code, ErrorCode::missing);
    auto bytes = good;
    put_i32(bytes, section_at(bytes, 5), 41 * 128 * 128 * 128 + 3 * 128 * 128 + 2);
    auto r = decode_timetable(bytes);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().message.find("section 5"), std::string::npos) << r.error().message;
    bytes = good;
    put_i16(bytes, count_field(bytes, 11), 3001);
    EXPECT_FALSE(decode_timetable(bytes).ok());
    bytes = good;
    bytes.resize(bytes.size() - control_record_size + 10);
    EXPECT_FALSE(decode_timetable(bytes).ok());
}

// Sources beyond a bound, with unknown names or unrepresentable values are refused with the file
// and the line (or record) of the culprit.
TEST(TimetableWriter, RefusesSourcesBeyondTheLayout) {
    struct Case {
        const char* what;
        void (*spoil)(TimetableSource&);
        const char* message;
    };
    const Case cases[] = {
        {"unknown airport",
         [](TimetableSource& s) {
             s.editions[1]->flights[1].to = "羽田";
             s.editions[1]->flights[1].line = 7;
         },
         "flights1.tsv line 7: unknown airport \"羽田\""},
        {"unknown company", [](TimetableSource& s) { s.editions[2]->flights[2].company = "XYZ"; },
         "flights2.tsv record 3: unknown company"},
        {"unknown aircraft", [](TimetableSource& s) { s.editions[2]->flights[0].aircraft = "A380"; },
         "flights2.tsv record 1: unknown aircraft"},
        {"101 airports",
         [](TimetableSource& s) {
             const SourceAirport copy = s.airports[39];
             s.airports.resize(101, copy);
         },
         "more than 100 airports"},
        {"duplicate airport", [](TimetableSource& s) { s.airports[20].name = "札幌"; }, "listed twice"},
        {"duplicate company", [](TimetableSource& s) { s.companies[2].code = "JAL"; }, "listed twice"},
        {"flight number", [](TimetableSource& s) { s.editions[1]->flights[0].number = 12800; },
         "flight number 12800"},
        {"adjustment", [](TimetableSource& s) { s.editions[1]->flights[0].adjust[4] = 156; },
         "weekday adjustment"},
        {"departure", [](TimetableSource& s) { s.editions[1]->flights[0].dep_time = 4096; },
         "departure time"},
        {"2201 flights",
         [](TimetableSource& s) {
             for (int i = 0; i < 1100; ++i) {
                 s.editions[2]->flights.push_back(flight("福岡", "沖縄", "JAL", i, 700, 900));
                 s.editions[2]->flights.push_back(flight("沖縄", "福岡", "JAL", i, 700, 900));
             }
         },
         "more than 2200 flights"},
        {"1201 in one direction",
         [](TimetableSource& s) {
             for (int i = 0; i < 1200; ++i)
                 s.editions[2]->flights.push_back(flight("福岡", "沖縄", "JAL", i, 700, 900));
         },
         "flights2.tsv record 1202: more than 1200 flights towards later airports"},
        {"701 pairs",
         [](TimetableSource& s) {
             for (int a = 10; a <= 40; ++a)
                 for (int b = 10; b <= 40; ++b)
                     if (a != b)
                         s.editions[2]->flights.push_back(
                             flight(airport_name(a), airport_name(b), "JAL", 1, 700, 800));
         },
         "more than 700 airport pairs"},
        {"amount", [](TimetableSource& s) { s.fare_tables[1]->fares[0].amount2 = 1 << 24; },
         "fares1.tsv record 1: amount2"},
        {"grid", [](TimetableSource& s) { s.fare_tables[2]->fares[0].grid[3][1] = 32768; },
         "fares2.tsv record 1: grid"},
        {"kind", [](TimetableSource& s) { s.fare_tables[2]->fares[0].kind = 16; }, "kind 16"},
        {"fare airport", [](TimetableSource& s) { s.fare_tables[2]->fares[0].to = "名古屋"; },
         "unknown airport"},
        {"discount window",
         [](TimetableSource& s) { s.discounts[0].valid_to = s.discounts[0].valid_from + 512; },
         "discounts.tsv record 1"},
        {"discount start", [](TimetableSource& s) { s.discounts[0].valid_from = 34999; }, "first day 34999"},
        {"discount flight", [](TimetableSource& s) { s.discounts[0].flight = 10000; }, "flight 10000"},
        {"discount code", [](TimetableSource& s) { s.discounts[0].sel_b = 4; }, "sel_b 4"},
        {"access value", [](TimetableSource& s) { s.accesses[0].value = 4096; },
         "access.tsv record 1: value"},
        {"access code", [](TimetableSource& s) { s.accesses[0].code = "ABC"; }, "longer than 2 bytes"},
        {"airport code", [](TimetableSource& s) { s.airports[0].code1 = "東京"; }, "longer than 3 bytes"},
        {"period order", [](TimetableSource& s) { s.periods[1].to = s.periods[1].from - 1; },
         "periods.tsv record 2"},
        {"11 periods",
         [](TimetableSource& s) {
             const SourcePeriod copy = s.periods[0];
             s.periods.resize(11, copy);
         },
         "more than 10 periods"},
        {"help cell",
         [](TimetableSource& s) {
             s.help.push_back({22, 1, 5, 3});
         },
         "help.tsv line 3: company 22"},
        {"help twice",
         [](TimetableSource& s) {
             s.help.push_back({1, 1, 5, 0});
         },
         "has a topic already"},
        {"not Shift-JIS", [](TimetableSource& s) { s.companies[0].name = "\xF0\x9F\x98\x80"; }, "Shift-JIS"},
        {"group", [](TimetableSource& s) { s.airports[0].group = -1; }, "airports.tsv record 1: group -1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto src = small_source();
        c.spoil(src);
        auto r = build_timetable(src);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.error().code, ErrorCode::invalid);
        EXPECT_NE(r.error().message.find(c.message), std::string::npos) << r.error().message;
    }
}

// The largest source the tables take is accepted and loads.
TEST(TimetableWriter, AcceptsEveryTableAtItsBound) {
    auto src = small_source();
    for (int i = 41; i <= 100; ++i) src.airports.push_back({airport_name(i), 9, 0, "", "", "", "*", 0});
    while (src.aircraft.size() < 50) src.aircraft.push_back({"T" + std::to_string(src.aircraft.size()), 0});
    while (src.companies.size() < 30)
        src.companies.push_back({"C" + std::to_string(src.companies.size()), "会社", 0});
    for (int k = 1; k <= 4; ++k) {
        SourceEdition e;
        for (int i = 0; i < 1100; ++i) {
            e.flights.push_back(
                flight(airport_name(1 + i % 50), airport_name(100 - i % 50), "C29", i, 700, 800));
            e.flights.push_back(
                flight(airport_name(100 - i % 50), airport_name(1 + i % 50), "C29", i, 700, 800));
        }
        src.editions[k] = e;
    }
    const SourceFare fare = src.fare_tables[1]->fares[0];
    for (int t = 1; t <= 2; ++t) src.fare_tables[t]->fares.resize(500, fare);
    const SourceDiscount discount = src.discounts[0];
    src.discounts.resize(3000, discount);
    const SourceAccess access = src.accesses[0];
    src.accesses.resize(400, access);
    const SourcePeriod period = src.periods[0];
    src.periods.resize(10, period);
    auto tt = load(build_or_fail(src));
    EXPECT_EQ(tt->airport_count, 100);
    EXPECT_EQ(tt->edition_flight_count[4], 2200);
    EXPECT_EQ(tt->route_count(4, 1), 1100);
    EXPECT_EQ(tt->route_count(4, 2), 1100);
    EXPECT_EQ(tt->segment_count, 100);
    EXPECT_EQ(tt->fare_count[2], 500);
    EXPECT_EQ(tt->discount_count, 3000);
    EXPECT_EQ(tt->access_count, 400);
    EXPECT_EQ(tt->period_count, 10);
    EXPECT_EQ(tt->company_code[30], "C29");
    // Flight i of the last edition: company 30 in the table.
    EXPECT_EQ(tt->flight_company[4][1], "30");
}

}  // namespace
}  // namespace quorvel
