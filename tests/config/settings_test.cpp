// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/settings.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "common/file_io.hpp"
#include "common/sjis.hpp"
#include "common/text.hpp"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

const DayNumber march_2003 = day_number(2003, 3, 15);

// Tests write their files in UTF-8 with LF and let this turn them into what the program reads.
std::string to_file(std::string_view utf8_lf) {
    std::string crlf;
    for (char c : utf8_lf) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    auto sjis = utf8_to_sjis(crlf);
    EXPECT_TRUE(sjis.ok());
    return sjis ? *sjis : std::string();
}

Settings read_text(std::string_view utf8_lf, DayNumber today = march_2003) {
    const std::string bytes = to_file(utf8_lf);
    return read_settings(as_bytes(bytes), today);
}

std::string written(const Settings& s) {
    auto bytes = write_settings(s);
    EXPECT_TRUE(bytes.ok()) << (bytes ? "" : bytes.error().message);
    return bytes ? *bytes : std::string();
}

int holiday(const Settings& s, int i) { return s.holiday_month[i] * 100 + s.holiday_day[i]; }

class TempDir {
  public:
    TempDir() {
        std::string templ = (fs::temp_directory_path() / "quorvel-settings-XXXXXX").string();
        path_ = ::mkdtemp(templ.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path_, fs::perms::owner_all, ec);
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::string file_contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(Settings, ControlKeysReadLastCharacterOrWholeValue) {
    const Settings s = read_text(
        "[Control]\n"
        "sel_option=13\n"
        "max_kensuu=1200\n"
        "sv_pop=10\n"
        "control9_flg=7\n"
        "control2_flg=x\n"
        "sv_count=\n"
        "sv_width12=12000\n");
    EXPECT_EQ(s.result_order, 3);
    EXPECT_EQ(s.hotel_limit, 1200);
    EXPECT_EQ(s.hotel_details_shown, 0);
    EXPECT_EQ(s.option_flags[9], 7);
    EXPECT_EQ(s.option_flags[2], 0);
    EXPECT_EQ(s.reservation_notices_shown, 0);
    EXPECT_EQ(s.hotel_list_width, 12000);
    EXPECT_EQ(read_text("[Control]\nsel_option=3\n").result_order, 3);
}

TEST(Settings, BrowserKindIsLastDigitAsText) {
    const struct {
        const char* line;
        const char* kind;
    } cases[] = {
        {"inet_data1=1", "1"},  {"inet_data1=12", "2"},  {"inet_data1=", "0"},
        {"inet_data1=IE", "0"}, {"inet_data1= 2 ", "2"}, {"unrelated=1", ""},
    };
    for (const auto& c : cases) {
        const Settings s =
            read_text(std::string("[Control]\n") + c.line + "\ninet_data2=  /opt/web browser/run  \n");
        EXPECT_EQ(stored_browser_kind(s.browser), c.kind) << c.line;
        EXPECT_EQ(s.browser.path, "/opt/web browser/run");
    }
}

TEST(Settings, DefaultsBeforeAndAfterReading) {
    const Settings empty = read_settings(std::span<const std::byte>(), march_2003);
    EXPECT_EQ(empty.hotel_limit, 500);
    EXPECT_EQ(empty.hotel_details_shown, 1);
    EXPECT_EQ(*empty.position("infhotel15"), (WindowPosition{5190, 3855}));
    EXPECT_EQ(*empty.position("time_table1"), (WindowPosition{0, 0}));
    EXPECT_EQ(empty.window_limit_hours, 12);
    EXPECT_EQ(empty.wait_limit_minutes, 240);
    EXPECT_EQ(empty.hotel_list_height, 5280);
    EXPECT_EQ(empty.hotel_grid_width, 9615);
    EXPECT_EQ(empty.hotel_column_widths, default_hotel_column_widths);
    EXPECT_EQ(stored_browser_kind(empty.browser), "");
    EXPECT_EQ(empty.holiday_saved_count, 0);
    EXPECT_EQ(empty.holiday_count, 2);

    // Zero in the file still gets the working default; the preset ones are overwritten by the file.
    const Settings s = read_text(
        "[Control]\nmax_kensuu=\nsv_pop=0\nsv_colwidth(3)=0\nsv_colwidth(4)=2222\nsv_height12=-40\n"
        "[Retrieval condition]\ncheck_hours=0\ncheck_minite=0\nwait_time=0\n");
    EXPECT_EQ(s.hotel_limit, 0);
    EXPECT_EQ(s.hotel_details_shown, 0);
    EXPECT_EQ(s.hotel_column_widths[3], 700);
    EXPECT_EQ(s.hotel_column_widths[4], 2222);
    EXPECT_EQ(s.hotel_list_height, 5280);
    EXPECT_EQ(s.window_limit_hours, 12);
    EXPECT_EQ(s.wait_limit_minutes, 240);
    EXPECT_EQ(s.max_wait, 0);

    TempDir dir;
    auto missing = read_settings(dir.path() / "quorvel6.ini", march_2003);
    ASSERT_TRUE(missing.ok());
    EXPECT_EQ(*missing, empty);
}

TEST(Settings, WindowPositionsByName) {
    const Settings s = read_text(
        "time_table1_top=1230\n"  // before any header the [Form] rules apply
        "[Form]\n"
        "infhotel11_left=2000\n"
        "infhotel15_top=100\n"
        "time_table2_left=-300\n"
        "time_table93_top=99999\n"
        "nowhere_top=5\n"
        "time_table1_middle=5\n");
    EXPECT_EQ(s.position("time_table1")->top, 1230);
    EXPECT_EQ(s.position("infhotel11")->left, 2000);
    EXPECT_EQ(s.position("infhotel11")->top, 0);
    EXPECT_EQ(*s.position("infhotel15"), (WindowPosition{100, 3855}));
    EXPECT_EQ(s.position("time_table2")->left, -300);
    EXPECT_EQ(s.position("time_table93")->top, 32767);  // beyond 16 bits: the nearest value, not a wrap
    EXPECT_EQ(s.position("nowhere"), nullptr);
}

TEST(Settings, HolidaysSkipMovedOnesAndAddSecondMondays) {
    const Settings s = read_text("[Holiday]\n101\n115\n211\n1010\n1103\n");
    ASSERT_EQ(s.holiday_saved_count, 3);
    ASSERT_EQ(s.holiday_count, 5);
    EXPECT_EQ(holiday(s, 1), 101);
    EXPECT_EQ(holiday(s, 2), 211);
    EXPECT_EQ(holiday(s, 3), 1103);
    // Today in March 2003: January is past, so 2004's; October is still ahead.
    EXPECT_EQ(second_monday(2004, 1), day_number(2004, 1, 12));
    EXPECT_EQ(second_monday(2003, 10), day_number(2003, 10, 13));
    EXPECT_EQ(holiday(s, 4), 112);
    EXPECT_EQ(holiday(s, 5), 1013);
    EXPECT_NE(written(s).find("[Holiday]\r\n101\r\n211\r\n1103\r\n"), std::string::npos);
    EXPECT_TRUE(written(s).ends_with("[Holiday]\r\n101\r\n211\r\n1103\r\n"));

    // The first line is stored whatever it is.
    const Settings first = read_text("[Holiday]\n115\n1010\n115\n");
    EXPECT_EQ(first.holiday_saved_count, 1);
    EXPECT_EQ(holiday(first, 1), 115);
}

TEST(Settings, ComputedHolidaysFollowToday) {
    const struct {
        DayNumber today;
        int january, october;
    } cases[] = {
        {day_number(2001, 1, 31), 108, 1008},   // 1 January 2001 is a Monday
        {day_number(2003, 10, 31), 112, 1013},  // October still counts for this year
        {day_number(2003, 11, 1), 112, 1011},   // November: next year's October (2004-10-11)
        {day_number(2004, 1, 1), 112, 1011},   {day_number(2004, 2, 1), 110, 1011},  // 2005-01-10
    };
    for (const auto& c : cases) {
        const Settings s = read_text("[Holiday]\n101\n", c.today);
        EXPECT_EQ(holiday(s, 2), c.january) << format_date(c.today);
        EXPECT_EQ(holiday(s, 3), c.october) << format_date(c.today);
    }
}

TEST(Settings, SecondMondayMatchesCalendarScan) {
    for (int year = 1950; year <= 2100; ++year) {
        for (int month = 1; month <= 12; ++month) {
            int mondays = 0;
            DayNumber expected = 0;
            for (int day = 1; mondays < 2; ++day)
                if (weekday(day_number(year, month, day)) == 2 && ++mondays == 2)
                    expected = day_number(year, month, day);
            ASSERT_EQ(second_monday(year, month), expected) << year << "/" << month;
        }
    }
}

TEST(Settings, MoreHolidaysThanTheTableHoldsAreSkipped) {
    std::string text = "[Holiday]\n";
    for (int month = 1; month <= 12; ++month)
        text += std::to_string(month * 100 + 1) + "\n" + std::to_string(month * 100 + 2) + "\n";
    const Settings s = read_text(text);
    EXPECT_EQ(s.holiday_saved_count, holiday_file_limit);
    EXPECT_EQ(s.holiday_count, holiday_table_size);
    EXPECT_EQ(holiday(s, 18), 902);
    EXPECT_EQ(holiday(s, 19), 112);

    // Damaged lines and impossible dates are not holidays.
    const Settings d = read_text("[Holiday]\n\nx\n0\n230\n1301\n-101\n229\n1231\n");
    EXPECT_EQ(d.holiday_saved_count, 2);
    EXPECT_EQ(holiday(d, 1), 229);
    EXPECT_EQ(holiday(d, 2), 1231);
}

TEST(Settings, DamagedLinesAreSkippedOneByOne) {
    const Settings s = read_text(
        "[Form]\n"
        "\n"
        "garbage without equals\n"
        "time_table1_top=500\n"
        "[Nonsense]\n"  // unknown: stays in [Form]
        "time_table1_left=600\n"
        "[Control]\n"
        "time_table2_top=1\n"  // a [Form] key elsewhere is unknown
        "sel_option\n"
        "=5\n"
        "sel_option=2\n"
        "[Retrieval condition]\n"
        "st_station=  東京／羽田 \n"
        "wait_count=2件\n"
        "st_time1=abc\n");
    EXPECT_EQ(*s.position("time_table1"), (WindowPosition{500, 600}));
    EXPECT_EQ(s.position("time_table2")->top, 0);
    EXPECT_EQ(s.result_order, 2);
    EXPECT_EQ(s.from_airport, "東京／羽田");
    EXPECT_EQ(s.connection_count, 2);
    EXPECT_EQ(s.departure_from, 0);

    // A line that is not Shift-JIS is lost alone.
    std::string bytes = to_file("[Control]\nsel_option=2\n");
    bytes += "max_kensuu=\x81\r\nsv_pop=0\r\n";
    const Settings bad = read_settings(as_bytes(bytes), march_2003);
    EXPECT_EQ(bad.result_order, 2);
    EXPECT_EQ(bad.hotel_limit, 500);
    EXPECT_EQ(bad.hotel_details_shown, 0);
}

TEST(Settings, TruncatedFileKeepsWhatCameBeforeTheCut) {
    Settings full = read_text("");
    full.result_order = 2;
    full.recent_departures[1] = "福岡";
    full.browser = browser_of_digit(1, full.browser.path);  // an empty kind comes back as "0"
    full.keyword_history[5] = "最後";
    full.holiday_saved_count = 1;
    full.holiday_month[1] = 5;
    full.holiday_day[1] = 3;
    add_computed_holidays(full, march_2003);
    const std::string bytes = written(full);
    const std::size_t sel_end = bytes.find("sel_option=2\r\n") + 14;
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        const Settings s = read_settings(as_bytes(std::string_view(bytes).substr(0, cut)), march_2003);
        ASSERT_LE(s.holiday_count, holiday_table_size);
        if (cut >= sel_end) {
            ASSERT_EQ(s.result_order, 2) << cut;
        }
    }
    EXPECT_EQ(read_settings(as_bytes(bytes), march_2003), full);
}

TEST(Settings, GroundSectionsTakeFiveLinesWhateverTheyHold) {
    const Settings s = read_text(
        "[Departure ground]\n"
        "\"東京／羽田\"\n"
        "\"  札幌 \"\n"
        "\"\"\n"
        "[Control]\n"  // the fourth line, even though it looks like a header
        "sel_option=2\n"
        "sel_option=1\n"  // after the five lines, still in [Departure ground]: ignored
        "[Arrival ground]\n"
        "福岡,沖縄\n"  // a comma ends an item early
        "\"鹿児島\"\n");
    EXPECT_EQ(s.recent_departures[1], "東京／羽田");
    EXPECT_EQ(s.recent_departures[2], "札幌");
    EXPECT_EQ(s.recent_departures[3], "");
    EXPECT_EQ(s.recent_departures[4], "[Control]");
    EXPECT_EQ(s.recent_departures[5], "sel_option=2");
    EXPECT_EQ(s.result_order, 0);
    EXPECT_EQ(s.recent_arrivals[1], "福岡");
    EXPECT_EQ(s.recent_arrivals[2], "沖縄");
    EXPECT_EQ(s.recent_arrivals[3], "鹿児島");
}

TEST(Settings, HistoriesCountOnlyLinesWithoutBracket) {
    const Settings s = read_text(
        "[Text1]\n福岡\n\n索引[1]\n大阪\n東京\n札幌\n那覇\n"
        "[Text2]\n博多駅\n[Holiday]\n101\n");
    EXPECT_EQ(s.key_history[1], "福岡");
    EXPECT_EQ(s.key_history[2], "");
    EXPECT_EQ(s.key_history[3], "大阪");
    EXPECT_EQ(s.key_history[5], "札幌");
    EXPECT_EQ(s.keyword_history[1], "博多駅");
    EXPECT_EQ(s.keyword_history[2], "");
    EXPECT_EQ(s.holiday_saved_count, 1);
}

TEST(Settings, WritesTheExactFile) {
    Settings s = read_settings(std::span<const std::byte>(), march_2003);
    s.position("time_table1")->top = 1230;
    s.position("time_table2")->left = -150;
    s.option_flags[2] = 3;
    s.option_flags[9] = 5;
    s.reservation_notices_shown = 2;
    s.hotel_limit = 0;
    s.hotel_details_shown = 0;
    s.result_order = 2;
    s.browser = browser_of_digit(1, s.browser.path);
    s.browser.path = "/usr/bin/firefox";
    s.hotel_column_widths[3] = 750;
    s.recent_departures[1] = "東京／羽田";
    s.recent_departures[2] = "福岡";
    s.recent_arrivals[1] = "札幌";
    s.from_airport = "東京／羽田";
    s.to_airport = "札幌";
    s.departure_from = 700;
    s.departure_to = 1200;
    s.arrival_to = 2400;
    s.max_wait = 60;
    s.connection_count = 1;
    s.one_result_per_flight = 1;
    s.key_history[1] = "福岡";
    s.keyword_history[1] = "博多駅";
    s.holiday_saved_count = 2;
    s.holiday_month[1] = 1, s.holiday_day[1] = 1;
    s.holiday_month[2] = 11, s.holiday_day[2] = 3;
    s.holiday_month[3] = 1, s.holiday_day[3] = 12;  // computed entries are never written
    s.holiday_count = 4;

    std::string form;
    for (std::string_view w : form_window_names) {
        const std::string name(w);
        const std::string top = name == "time_table1" ? "1230" : name == "infhotel15" ? "5190" : "0";
        const std::string left = name == "time_table2" ? "-150" : name == "infhotel15" ? "3855" : "0";
        form += name + "_top=" + top + "\n" + name + "_left=" + left + "\n";
    }
    const std::string expected = to_file(
        "[Form]\n" + form +
        "[Control]\n"
        "control1_flg=0\ncontrol2_flg=3\ncontrol3_flg=0\ncontrol4_flg=0\ncontrol5_flg=0\ncontrol6_flg=0\n"
        "control9_flg=5\nsv_count=2\nmax_kensuu=\nsv_pop=0\nsel_option=2\n"
        "inet_data1=1\ninet_data2=/usr/bin/firefox\n"
        "sv_height12=5280\nsv_width12=9810\nsv_grid1_height12=3975\nsv_grid1_width12=9615\n"
        "sv_colwidth(0)=1080\nsv_colwidth(1)=2300\nsv_colwidth(2)=1170\nsv_colwidth(3)=750\n"
        "sv_colwidth(4)=2100\nsv_colwidth(5)=900\nsv_colwidth(6)=1080\n"
        "[Departure ground]\n\"東京／羽田\"\n\"福岡\"\n\"\"\n\"\"\n\"\"\n"
        "[Arrival ground]\n\"札幌\"\n\"\"\n\"\"\n\"\"\n\"\"\n"
        "[Retrieval condition]\n"
        "st_station=東京／羽田\ned_station=札幌\nst_time1=700\nst_time2=1200\ned_time1=0\ned_time2=2400\n"
        "wait_time=60\nwait_count=1\ncombination_number=1\ncheck_hours=12\ncheck_minite=240\n"
        "[Text1]\n福岡\n\n\n\n\n"
        "[Text2]\n博多駅\n\n\n\n\n"
        "[Holiday]\n101\n1103\n");
    EXPECT_EQ(written(s), expected);
}

TEST(Settings, TextsTheLineFormatCannotCarryStayInTheirPlace) {
    Settings s = read_text("");
    s.key_history[1] = "A,B";
    s.key_history[2] = "[Holiday]";
    s.key_history[3] = "say \"hi\"";
    s.recent_departures[1] = "東京,羽田";
    s.recent_departures[2] = "line\nbreak";
    s.browser.path = "\"/opt/x\"";
    const Settings back = read_settings(as_bytes(written(s)), march_2003);
    EXPECT_EQ(back.key_history[1], "A，B");
    EXPECT_EQ(back.key_history[2], "［Holiday]");
    EXPECT_EQ(back.key_history[3], "say ＂hi＂");
    EXPECT_EQ(back.recent_departures[1], "東京，羽田");
    EXPECT_EQ(back.recent_departures[2], "line break");
    EXPECT_EQ(back.browser.path, "＂/opt/x＂");
    EXPECT_EQ(back.holiday_count, 2);  // nothing shifted into [Holiday]
}

TEST(Settings, TextWithoutShiftJisFormIsRefusedByName) {
    Settings s = read_text("");
    s.keyword_history[2] = "ホテル😀";
    s.to_airport = "札幌";
    const auto bytes = write_settings(s);
    ASSERT_FALSE(bytes.ok());
    EXPECT_EQ(bytes.error().code, ErrorCode::encoding);
    EXPECT_NE(bytes.error().message.find("keyword_history(2)"), std::string::npos);
    EXPECT_EQ(settings_unencodable_keys(s), std::vector<std::string>{"keyword_history(2)"});

    TempDir dir;
    const fs::path file = dir.path() / "quorvel6.ini";
    ASSERT_TRUE(write_file_atomically(file, "old").ok());
    EXPECT_FALSE(write_settings(file, s).ok());
    EXPECT_EQ(file_contents(file), "old");
}

Settings random_settings(std::mt19937& rng) {
    // Texts from characters that survive the trip through Shift-JIS; no comma or quote, trimmed.
    static const std::vector<std::string> pieces = {"a",  "Z",  "0", "9",  " ",  "東", "京", "／",
                                                    "羽", "田", "ﾎ", "ﾃﾙ", "ー", "　", "\\", "~",
                                                    "(",  ")",  ".", "-",  "＆", "①"};
    const auto text = [&]() {
        std::string t;
        const int n = std::uniform_int_distribution<int>(0, 8)(rng);
        for (int i = 0; i < n; ++i)
            t += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
        return trim(t);
    };
    const auto number = [&](int lo, int hi) {
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(lo, hi)(rng));
    };
    Settings s;
    for (auto& p : s.positions) p = WindowPosition{number(-32768, 32767), number(-32768, 32767)};
    for (int i : {1, 2, 3, 4, 5, 6, 9}) s.option_flags[i] = number(0, 9);
    s.reservation_notices_shown = number(0, 9);
    s.hotel_limit = number(-32768, 32767);
    s.hotel_details_shown = number(0, 9);
    s.result_order = number(0, 9);
    s.browser = browser_of_digit(number(0, 9), s.browser.path);
    s.browser.path = text();
    s.hotel_list_height = number(1, 32767);
    s.hotel_list_width = number(1, 32767);
    s.hotel_grid_height = number(1, 32767);
    s.hotel_grid_width = number(1, 32767);
    for (auto& w : s.hotel_column_widths) w = number(1, 32767);
    for (int i = 1; i <= 5; ++i) {
        s.recent_departures[i] = text();
        s.recent_arrivals[i] = text();
        s.key_history[i] = text();
        s.keyword_history[i] = text();
    }
    s.from_airport = text();
    s.to_airport = text();
    for (auto* v : {&s.departure_from, &s.departure_to, &s.arrival_from, &s.arrival_to, &s.max_wait,
                    &s.connection_count, &s.one_result_per_flight})
        *v = number(-32768, 32767);
    s.window_limit_hours = number(1, 32767);
    s.wait_limit_minutes = number(1, 32767);
    s.holiday_saved_count = number(0, holiday_file_limit);
    for (int i = 1; i <= s.holiday_saved_count; ++i) {
        int v = 0;
        do {
            const int month = number(1, 12);
            v = month * 100 + number(1, static_cast<int>(days_in_month(2000, month)));
        } while (i > 1 && (v == 115 || v == 1010));
        s.holiday_month[i] = static_cast<std::int16_t>(v / 100);
        s.holiday_day[i] = static_cast<std::int16_t>(v % 100);
    }
    return s;
}

TEST(Settings, EveryRepresentableValueReadsBackUnchanged) {
    std::mt19937 rng(20030315);
    for (int round = 0; round < 300; ++round) {
        Settings s = random_settings(rng);
        const DayNumber today = day_number(2000, 1, 1) + std::uniform_int_distribution<int>(0, 20000)(rng);
        add_computed_holidays(s, today);
        const std::string bytes = written(s);
        const Settings back = read_settings(as_bytes(bytes), today);
        ASSERT_EQ(back, s) << "round " << round << "\n" << *sjis_to_utf8(bytes);
    }
}

TEST(Settings, AtomicWriteKeepsTheOldFileOnFailure) {
    TempDir dir;
    const fs::path file = dir.path() / "quorvel6.ini";
    Settings s = read_text("");
    s.result_order = 1;
    ASSERT_TRUE(write_settings(file, s).ok());
    const std::string old = file_contents(file);
    EXPECT_EQ(old, written(s));

    s.result_order = 2;
    // A file size limit makes the write itself fail, even for root.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Status status = write_settings(file, s);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(file_contents(file), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()),
              1);  // no leftovers

    if (::geteuid() != 0) {  // root writes into read-only directories anyway
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(write_settings(file, s).ok());
        EXPECT_EQ(file_contents(file), old);
        fs::permissions(dir.path(), fs::perms::owner_all);
    }
    EXPECT_FALSE(write_settings(dir.path() / "no such dir" / "quorvel6.ini", s).ok());

    ASSERT_TRUE(write_settings(file, s).ok());
    EXPECT_EQ(read_settings(file, march_2003)->result_order, 2);
}

TEST(Settings, ShippedFileIsWhatTheWriterWrites) {
    std::ifstream in(fs::path(QUORVEL_SOURCE_DIR) / "data" / "quorvel6.ini", std::ios::binary);
    ASSERT_TRUE(in);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string bytes = to_file(ss.str());
    const Settings s = read_settings(as_bytes(bytes), march_2003);
    EXPECT_EQ(written(s), bytes);
    ASSERT_GE(s.holiday_saved_count, 10);
    ASSERT_LE(s.holiday_saved_count, holiday_file_limit);
    std::vector<int> days;
    for (int i = 1; i <= s.holiday_saved_count; ++i) days.push_back(holiday(s, i));
    for (int fixed : {101, 211, 223, 429, 503, 504, 505, 811, 1103, 1123})
        EXPECT_NE(std::find(days.begin(), days.end(), fixed), days.end()) << fixed;
    EXPECT_EQ(stored_browser_kind(s.browser), "0");  // a first run looks for the browser
}

}  // namespace
}  // namespace quorvel
