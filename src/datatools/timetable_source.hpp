// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/day_number.hpp"
#include "common/result.hpp"

namespace quorvel {

// The raw records of timedata.dat as a data producer writes them: airports, aircraft and companies
// are referred to by name or code rather than by table position, and amounts stay in the file's
// units. The data tool reads this model from readable tab-separated files, writes it into the
// binary file (timetable_writer.hpp) and decodes it back from one.
//
// Every record remembers the line of its source file (0 when it was made in code), so that a
// refusal can say where the offending record is.

struct SourceAirport {
    std::string name;
    int group = 0;                           // region 0..9 (0 = listed only under "全国")
    int flag = 0;                            // 0 or 1
    std::string code1, code2, code3, code4;  // JAL, ANA, JAS form codes and the page-list value
    int line = 0;
};

struct SourceAircraft {
    std::string name;
    int line = 0;
};

struct SourceCompany {
    std::string code;
    std::string name;
    int line = 0;
};

// Weekday adjustments are indexed 1 = Sunday .. 7 = Saturday; 99 = no service that weekday.
struct SourceFlight {
    std::string from, to;  // airport names
    std::string company;   // company code
    int number = 0;
    int dep_time = 0, arr_time = 0;  // HHMM
    std::string aircraft;            // aircraft name; empty = none
    std::array<int, 8> adjust{};     // [1..7]
    std::string remark;              // the operating-day text; empty = none
    int line = 0;
};

struct SourceEdition {
    std::vector<SourceFlight> flights;
};

// Grid values and the extra amount are in the file's units of 10 yen; the three amounts in yen.
struct SourceFare {
    std::string from, to;  // airport names as stored (not folded)
    std::string company;
    int kind = 0;  // 0..15
    std::int32_t amount1 = 0, amount2 = 0, amount3 = 0;
    std::array<std::array<int, 3>, 5> grid{};  // grid[j][m], j = 1..4, m = 1 ordinary / 2 peak day
    int extra = 0;
    int grid5 = 0;  // busy-season grid value
    int grid6 = 0;
    int line = 0;
};

struct SourceFareTable {
    std::vector<SourceFare> fares;
};

struct SourceDiscount {
    std::string from, to, company;
    int flight = 0;                       // 999 = every flight of the company on the route
    int sel_a = 0, sel_b = 0, sel_c = 0;  // codes for the off-peak, busy and ordinary seasons
    std::int32_t cal = 0, cal2 = 0;       // yen
    DayNumber valid_from = 0, valid_to = 0;
    int line = 0;
};

struct SourceAccess {
    std::string airport;
    int kind = 0;      // 0..255
    int value = 0;     // 0..4095, in units of 10
    std::string code;  // two bytes in the file
    std::string text;
    int line = 0;
};

struct SourcePeriod {
    DayNumber from = 0, to = 0;
    std::int32_t season = 0;  // 1 ordinary, 2 busy, 3 off-peak
    int line = 0;
};

struct SourceHelpTopic {
    int company = 0;  // 1..21
    int row = 0;      // 1..20
    int topic = 0;
    int line = 0;
};

struct SourceControl {
    std::array<std::int32_t, 5> edition_valid_to{};  // [1..4]
    std::int32_t data_valid_to = 0;
    std::array<std::int32_t, 3> fare_valid_from{};  // [1..2]
};

struct TimetableSource {
    SourceControl control;
    std::vector<SourceHelpTopic> help;  // the non-zero fare-sheet help topics
    std::vector<SourceAirport> airports;
    std::vector<SourceAircraft> aircraft;
    std::vector<SourceCompany> companies;
    std::array<std::optional<SourceEdition>, 5> editions;       // [1..4]; empty = section absent
    std::array<std::optional<SourceFareTable>, 3> fare_tables;  // [1..2]; empty = section absent
    std::vector<SourceDiscount> discounts;
    std::vector<SourceAccess> accesses;
    std::vector<SourcePeriod> periods;
};

// The file names of the readable sources, one file per table.
namespace source_files {
inline constexpr const char* control = "control.tsv";
inline constexpr const char* help = "help.tsv";
inline constexpr const char* airports = "airports.tsv";
inline constexpr const char* aircraft = "aircraft.tsv";
inline constexpr const char* companies = "companies.tsv";
inline constexpr const char* discounts = "discounts.tsv";
inline constexpr const char* access = "access.tsv";
inline constexpr const char* periods = "periods.tsv";
std::string flights(int edition);  // "flights1.tsv" .. "flights4.tsv"
std::string fares(int table);      // "fares1.tsv", "fares2.tsv"
}  // namespace source_files

// "flights2.tsv line 17", or "flights2.tsv record 5" for a record made in code.
std::string source_place(const std::string& file, int line, std::size_t record);

// The sources as file name -> UTF-8 text. Absent editions and fare tables have no file.
using SourceFiles = std::map<std::string, std::string>;

// Parses the sources; a malformed line is refused with its file and line number. Only the shape of
// each field is checked here; table bounds and references are the writer's business.
Result<TimetableSource> parse_timetable_source(const SourceFiles& files);
SourceFiles format_timetable_source(const TimetableSource& source);

// The same on a directory of .tsv files.
Result<TimetableSource> read_timetable_source(const std::filesystem::path& dir);
Status write_timetable_source(const TimetableSource& source, const std::filesystem::path& dir);

}  // namespace quorvel
