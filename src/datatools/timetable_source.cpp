// SPDX-License-Identifier: GPL-3.0-or-later
#include "datatools/timetable_source.hpp"

#include <charconv>
#include <cstdio>
#include <functional>
#include <limits>
#include <system_error>
#include <type_traits>

#include "common/file_io.hpp"
#include "common/sjis.hpp"

namespace quorvel {

namespace source_files {
std::string flights(int edition) { return "flights" + std::to_string(edition) + ".tsv"; }
std::string fares(int table) { return "fares" + std::to_string(table) + ".tsv"; }
}  // namespace source_files

std::string source_place(const std::string& file, int line, std::size_t record) {
    if (line > 0) return file + " line " + std::to_string(line);
    return file + " record " + std::to_string(record);
}

namespace {

static_assert(std::is_same_v<int, std::int32_t>, "numbers of the sources are read as int32");

// ---- Tab-separated text -------------------------------------------------------------------------
// Fields are separated by one tab. A backslash escapes what a field cannot hold: \t, \n, \r, \\,
// a '#' that would start the line (lines starting with '#' are comments) and \e for an empty line,
// which would otherwise be skipped as blank.

std::string escape(const std::string& field) {
    std::string out;
    for (char c : field) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string unescape(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        switch (field[i + 1]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case '#':
                out += '#';
                break;
            case 'e':
                break;
            default:
                out += field.substr(i, 2);
        }
        ++i;
    }
    return out;
}

struct Row {
    std::vector<std::string> fields;
    int line = 0;
};

std::vector<Row> split_rows(const std::string& text) {
    std::vector<Row> rows;
    std::size_t pos = 0;
    int line = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string s = text.substr(pos, end - pos);
        pos = end + 1;
        ++line;
        if (!s.empty() && s.back() == '\r') s.pop_back();
        if (s.empty() || s[0] == '#') continue;
        Row row;
        row.line = line;
        std::size_t p = 0;
        while (true) {
            const std::size_t tab = s.find('\t', p);
            row.fields.push_back(
                unescape(s.substr(p, tab == std::string::npos ? std::string::npos : tab - p)));
            if (tab == std::string::npos) break;
            p = tab + 1;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string join_row(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += '\t';
        line += escape(fields[i]);
    }
    if (line.empty()) line = "\\e";
    if (line[0] == '#') line = "\\" + line;
    return line + '\n';
}

// ---- Field parsing -------------------------------------------------------------------------------

class RowReader {
  public:
    RowReader(const std::string& file, const Row& row, const std::vector<const char*>& columns)
        : file_(file), row_(row), columns_(columns) {}

    Status check_width() const {
        if (row_.fields.size() > columns_.size())
            return fail(0, std::to_string(row_.fields.size()) + " columns, at most " +
                               std::to_string(columns_.size()) + " expected");
        return ok_status();
    }

    // Missing trailing columns read as empty.
    const std::string& text(std::size_t column) const {
        static const std::string empty;
        return column < row_.fields.size() ? row_.fields[column] : empty;
    }

    Status number(std::size_t column, std::int32_t& out) const {
        const std::string& s = text(column);
        std::int64_t v = 0;
        const char* first = s.data();
        const char* last = s.data() + s.size();
        auto [ptr, ec] = std::from_chars(first, last, v);
        if (s.empty() || ec != std::errc() || ptr != last || v < std::numeric_limits<std::int32_t>::min() ||
            v > std::numeric_limits<std::int32_t>::max())
            return fail(column, "\"" + s + "\" is not a whole number");
        out = static_cast<std::int32_t>(v);
        return ok_status();
    }

    // A date as yyyy/mm/dd, or a plain day number for values no calendar date stands for.
    Status date(std::size_t column, std::int32_t& out) const {
        const std::string& s = text(column);
        if (s.find('/') != std::string::npos) {
            auto d = parse_date(s);
            if (!d) return fail(column, "\"" + s + "\" is not a date yyyy/mm/dd");
            out = *d;
            return ok_status();
        }
        return number(column, out);
    }

    Error fail(std::size_t column, const std::string& what) const {
        std::string where = file_ + " line " + std::to_string(row_.line);
        if (column < columns_.size() && what.find("columns") == std::string::npos)
            where += std::string(", column ") + columns_[column];
        return make_error(ErrorCode::invalid, where + ": " + what);
    }

    int line() const { return row_.line; }

  private:
    const std::string& file_;
    const Row& row_;
    const std::vector<const char*>& columns_;
};

std::string date_text(std::int32_t day) {
    // Day 1 .. 9999/12/31 have a calendar form; anything else is kept as a number.
    if (day >= 1 && day <= 2958465) return format_date(day);
    return std::to_string(day);
}

std::string time_text(int hhmm) {
    if (hhmm < 0 || hhmm > 9999) return std::to_string(hhmm);
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04d", hhmm);
    return buf;
}

// ---- Tables --------------------------------------------------------------------------------------

const std::vector<const char*> control_columns{"key", "value"};
const std::vector<const char*> help_columns{"company", "row", "topic"};
const std::vector<const char*> airport_columns{"name", "group", "flag", "code1", "code2", "code3", "code4"};
const std::vector<const char*> aircraft_columns{"name"};
const std::vector<const char*> company_columns{"code", "name"};
const std::vector<const char*> flight_columns{"from", "to",       "company", "number", "dep",
                                              "arr",  "aircraft", "sun",     "mon",    "tue",
                                              "wed",  "thu",      "fri",     "sat",    "remark"};
const std::vector<const char*> fare_columns{"from",    "to",     "company", "kind",   "amount1", "amount2",
                                            "amount3", "g1_ord", "g1_peak", "g2_ord", "g2_peak", "g3_ord",
                                            "g3_peak", "g4_ord", "g4_peak", "extra",  "g5",      "g6"};
const std::vector<const char*> discount_columns{"from",  "to",  "company", "flight",     "sel_c",   "sel_b",
                                                "sel_a", "cal", "cal2",    "valid_from", "valid_to"};
const std::vector<const char*> access_columns{"airport", "kind", "value", "code", "text"};
const std::vector<const char*> period_columns{"from", "to", "season"};

std::string header(const std::vector<const char*>& columns) {
    std::string line = "# ";
    for (std::size_t i = 0; i < columns.size(); ++i) line += (i ? "\t" : "") + std::string(columns[i]);
    return line + '\n';
}

// Parses every row of one file with `one`, which gets a reader of the row.
template <class F>
Status each_row(const std::string& file, const std::string& text, const std::vector<const char*>& columns,
                F one) {
    for (const Row& row : split_rows(text)) {
        RowReader r(file, row, columns);
        if (Status s = r.check_width(); !s) return s;
        if (Status s = one(r); !s) return s;
    }
    return ok_status();
}

struct ControlKey {
    const char* name;
    std::function<std::int32_t&(SourceControl&)> field;
};

std::vector<ControlKey> control_keys() {
    return {
        {"tt_valid_to_1", [](SourceControl& c) -> std::int32_t& { return c.edition_valid_to[1]; }},
        {"tt_valid_to_2", [](SourceControl& c) -> std::int32_t& { return c.edition_valid_to[2]; }},
        {"tt_valid_to_3", [](SourceControl& c) -> std::int32_t& { return c.edition_valid_to[3]; }},
        {"tt_valid_to_4", [](SourceControl& c) -> std::int32_t& { return c.edition_valid_to[4]; }},
        {"tt_data_valid_to", [](SourceControl& c) -> std::int32_t& { return c.data_valid_to; }},
        {"fare_valid_from_1", [](SourceControl& c) -> std::int32_t& { return c.fare_valid_from[1]; }},
        {"fare_valid_from_2", [](SourceControl& c) -> std::int32_t& { return c.fare_valid_from[2]; }},
    };
}

Status parse_control(const std::string& file, const std::string& text, SourceControl& control) {
    const auto keys = control_keys();
    return each_row(file, text, control_columns, [&](const RowReader& r) -> Status {
        for (const auto& key : keys)
            if (r.text(0) == key.name) return r.date(1, key.field(control));
        return r.fail(0, "unknown key \"" + r.text(0) + "\"");
    });
}

Status parse_flight(const RowReader& r, SourceFlight& f) {
    f.from = r.text(0);
    f.to = r.text(1);
    f.company = r.text(2);
    f.aircraft = r.text(6);
    f.remark = r.text(14);
    f.line = r.line();
    if (Status s = r.number(3, f.number); !s) return s;
    if (Status s = r.number(4, f.dep_time); !s) return s;
    if (Status s = r.number(5, f.arr_time); !s) return s;
    for (std::size_t w = 1; w <= 7; ++w)
        if (Status s = r.number(6 + w, f.adjust[w]); !s) return s;
    return ok_status();
}

Status parse_fare(const RowReader& r, SourceFare& f) {
    f.from = r.text(0);
    f.to = r.text(1);
    f.company = r.text(2);
    f.line = r.line();
    std::vector<std::pair<std::size_t, int*>> numbers{
        {3, &f.kind}, {15, &f.extra}, {16, &f.grid5}, {17, &f.grid6}};
    for (std::size_t j = 1; j <= 4; ++j)
        for (std::size_t m = 1; m <= 2; ++m) numbers.emplace_back(7 + (j - 1) * 2 + (m - 1), &f.grid[j][m]);
    for (auto [column, field] : numbers)
        if (Status s = r.number(column, *field); !s) return s;
    for (auto [column, field] :
         {std::pair{4u, &f.amount1}, std::pair{5u, &f.amount2}, std::pair{6u, &f.amount3}})
        if (Status s = r.number(column, *field); !s) return s;
    return ok_status();
}

Status parse_discount(const RowReader& r, SourceDiscount& d) {
    d.from = r.text(0);
    d.to = r.text(1);
    d.company = r.text(2);
    d.line = r.line();
    for (auto [column, field] : {std::pair{3u, &d.flight}, std::pair{4u, &d.sel_c}, std::pair{5u, &d.sel_b},
                                 std::pair{6u, &d.sel_a}})
        if (Status s = r.number(column, *field); !s) return s;
    if (Status s = r.number(7, d.cal); !s) return s;
    if (Status s = r.number(8, d.cal2); !s) return s;
    if (Status s = r.date(9, d.valid_from); !s) return s;
    return r.date(10, d.valid_to);
}

}  // namespace

namespace {

Status parse_help_topic(const RowReader& r, SourceHelpTopic& h) {
    h.line = r.line();
    for (auto [column, field] : {std::pair{0u, &h.company}, std::pair{1u, &h.row}, std::pair{2u, &h.topic}})
        if (Status st = r.number(column, *field); !st) return st;
    return ok_status();
}

Status parse_airport(const RowReader& r, SourceAirport& a) {
    a.name = r.text(0);
    a.line = r.line();
    if (Status st = r.number(1, a.group); !st) return st;
    if (Status st = r.number(2, a.flag); !st) return st;
    a.code1 = r.text(3);
    a.code2 = r.text(4);
    a.code3 = r.text(5);
    a.code4 = r.text(6);
    return ok_status();
}

Status parse_aircraft(const RowReader& r, SourceAircraft& a) {
    a = {r.text(0), r.line()};
    return ok_status();
}

Status parse_company(const RowReader& r, SourceCompany& c) {
    c = {r.text(0), r.text(1), r.line()};
    return ok_status();
}

Status parse_access(const RowReader& r, SourceAccess& a) {
    a.airport = r.text(0);
    a.line = r.line();
    if (Status st = r.number(1, a.kind); !st) return st;
    if (Status st = r.number(2, a.value); !st) return st;
    a.code = r.text(3);
    a.text = r.text(4);
    return ok_status();
}

Status parse_period(const RowReader& r, SourcePeriod& p) {
    p.line = r.line();
    if (Status st = r.date(0, p.from); !st) return st;
    if (Status st = r.date(1, p.to); !st) return st;
    return r.number(2, p.season);
}

// Every row of one source file into `rows`; a missing file is an empty table, and says so.
template <class Row, class Parse>
Status read_rows(const SourceFiles& files, const std::string& name, const std::vector<const char*>& columns,
                 std::vector<Row>& rows, Parse parse, bool* present = nullptr) {
    const auto it = files.find(name);
    if (present) *present = it != files.end();
    if (it == files.end()) return ok_status();
    return each_row(name, it->second, columns, [&](const RowReader& r) -> Status {
        Row row;
        if (Status st = parse(r, row); !st) return st;
        rows.push_back(std::move(row));
        return ok_status();
    });
}

}  // namespace

Result<TimetableSource> parse_timetable_source(const SourceFiles& files) {
    TimetableSource src;
    if (const auto it = files.find(source_files::control); it != files.end())
        if (Status s = parse_control(source_files::control, it->second, src.control); !s) return s.error();

    const Status tables[] = {
        read_rows(files, source_files::help, help_columns, src.help, parse_help_topic),
        read_rows(files, source_files::airports, airport_columns, src.airports, parse_airport),
        read_rows(files, source_files::aircraft, aircraft_columns, src.aircraft, parse_aircraft),
        read_rows(files, source_files::companies, company_columns, src.companies, parse_company),
    };
    for (const Status& s : tables)
        if (!s) return s.error();

    for (int k = 1; k <= 4; ++k) {
        SourceEdition edition;
        bool present = false;
        if (Status s = read_rows(files, source_files::flights(k), flight_columns, edition.flights,
                                 parse_flight, &present);
            !s)
            return s.error();
        if (present) src.editions[static_cast<std::size_t>(k)] = std::move(edition);
    }
    for (int t = 1; t <= 2; ++t) {
        SourceFareTable fares;
        bool present = false;
        if (Status s =
                read_rows(files, source_files::fares(t), fare_columns, fares.fares, parse_fare, &present);
            !s)
            return s.error();
        if (present) src.fare_tables[static_cast<std::size_t>(t)] = std::move(fares);
    }

    const Status rest[] = {
        read_rows(files, source_files::discounts, discount_columns, src.discounts, parse_discount),
        read_rows(files, source_files::access, access_columns, src.accesses, parse_access),
        read_rows(files, source_files::periods, period_columns, src.periods, parse_period),
    };
    for (const Status& s : rest)
        if (!s) return s.error();
    return src;
}

SourceFiles format_timetable_source(const TimetableSource& src) {
    SourceFiles files;
    const auto n = [](std::int64_t v) { return std::to_string(v); };

    std::string& control = files[source_files::control];
    control = header(control_columns);
    auto keys = control_keys();
    SourceControl copy = src.control;
    for (const auto& key : keys) control += join_row({key.name, date_text(key.field(copy))});

    std::string& help = files[source_files::help];
    help = header(help_columns);
    for (const auto& h : src.help) help += join_row({n(h.company), n(h.row), n(h.topic)});

    std::string& airports = files[source_files::airports];
    airports = header(airport_columns);
    for (const auto& a : src.airports)
        airports += join_row({a.name, n(a.group), n(a.flag), a.code1, a.code2, a.code3, a.code4});

    std::string& aircraft = files[source_files::aircraft];
    aircraft = header(aircraft_columns);
    for (const auto& a : src.aircraft) aircraft += join_row({a.name});

    std::string& companies = files[source_files::companies];
    companies = header(company_columns);
    for (const auto& c : src.companies) companies += join_row({c.code, c.name});

    for (int k = 1; k <= 4; ++k) {
        const auto& edition = src.editions[k];
        if (!edition) continue;
        std::string& text = files[source_files::flights(k)];
        text = header(flight_columns);
        for (const auto& f : edition->flights) {
            std::vector<std::string> row{
                f.from,    f.to, f.company, n(f.number), time_text(f.dep_time), time_text(f.arr_time),
                f.aircraft};
            for (std::size_t w = 1; w <= 7; ++w) row.push_back(n(f.adjust[w]));
            row.push_back(f.remark);
            text += join_row(row);
        }
    }

    for (int t = 1; t <= 2; ++t) {
        const auto& table = src.fare_tables[t];
        if (!table) continue;
        std::string& text = files[source_files::fares(t)];
        text = header(fare_columns);
        for (const auto& f : table->fares) {
            std::vector<std::string> row{f.from,       f.to,         f.company,   n(f.kind),
                                         n(f.amount1), n(f.amount2), n(f.amount3)};
            for (std::size_t j = 1; j <= 4; ++j)
                for (std::size_t m = 1; m <= 2; ++m) row.push_back(n(f.grid[j][m]));
            row.push_back(n(f.extra));
            row.push_back(n(f.grid5));
            row.push_back(n(f.grid6));
            text += join_row(row);
        }
    }

    std::string& discounts = files[source_files::discounts];
    discounts = header(discount_columns);
    for (const auto& d : src.discounts)
        discounts += join_row({d.from, d.to, d.company, n(d.flight), n(d.sel_c), n(d.sel_b), n(d.sel_a),
                               n(d.cal), n(d.cal2), date_text(d.valid_from), date_text(d.valid_to)});

    std::string& access = files[source_files::access];
    access = header(access_columns);
    for (const auto& a : src.accesses) access += join_row({a.airport, n(a.kind), n(a.value), a.code, a.text});

    std::string& periods = files[source_files::periods];
    periods = header(period_columns);
    for (const auto& p : src.periods) periods += join_row({date_text(p.from), date_text(p.to), n(p.season)});
    return files;
}

Result<TimetableSource> read_timetable_source(const std::filesystem::path& dir) {
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec))
        return make_error(ErrorCode::missing, dir.string() + ": no such directory");
    SourceFiles files;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".tsv") continue;
        auto bytes = read_file_bytes(entry.path());
        if (!bytes) return bytes.error();
        files[entry.path().filename().string()] = std::string(as_chars(*bytes));
    }
    if (ec) return make_error(ErrorCode::io, dir.string() + ": " + ec.message());
    if (!files.count(source_files::airports))
        return make_error(ErrorCode::missing, (dir / source_files::airports).string() + ": no such file");
    return parse_timetable_source(files);
}

Status write_timetable_source(const TimetableSource& source, const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) return make_error(ErrorCode::io, dir.string() + ": " + ec.message());
    // Stale edition or fare files would bring back tables the timetable does not have.
    for (int k = 1; k <= 4; ++k) std::filesystem::remove(dir / source_files::flights(k), ec);
    for (int t = 1; t <= 2; ++t) std::filesystem::remove(dir / source_files::fares(t), ec);
    for (const auto& [name, text] : format_timetable_source(source))
        if (Status s = write_file_atomically(dir / name, text); !s) return s;
    return ok_status();
}

}  // namespace quorvel
