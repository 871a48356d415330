// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

struct SearchConditions;
struct FlightSearchResult;
struct Sites;

// The seat enquiry (SeatEnquiry): a set of static pages written into the program's tmp folder.
// inq.htm lets the user adjust the date, the airports and (JAL) the time band and pick airlines;
// it opens one relay page per airline, which fills that airline's own form and submits it.
//
// The pages run from file://, where every file is an origin of its own, so no page touches another
// window's document: inq.htm hands the values to a relay page in its address (?MONTH=..&DAY=..),
// the relay page reads its own location.search, and the date pop-up answers with postMessage.

// Airline numbers of airport_options and the order of the blocks, forms and check boxes.
enum class Airline { jal = 1, ana = 2, jas = 3 };

// Which airlines the enquiry offers (1 = offer), as the result list set them.
struct InquiryFlags {
    int enquire_jal = 0, enquire_ana = 0, enquire_jas = 0;
};

// The working values of check_enquiry_airports.
struct AirportCheck {
    int enquiry_from_row = 0, enquiry_to_row = 0;       // 0 = not in the airport table
    Table<std::string, bounds::airports> offer_flag{};  // "y" = listed in FROM/TO
    // airport_code1..3 trimmed (JAL, ANA, JAS form codes), indexed [airline - 1][airport].
    std::array<Table<std::string, bounds::airports>, 3> code{};
};

AirportCheck check_enquiry_airports(const Timetable& tt, const SearchConditions& cond,
                                    const InquiryFlags& flags);

// The JavaScript list of one airline's codes for the airports listed in FROM/TO: the k-th element
// belongs to the k-th option; an airport the airline does not serve gives "".
std::string airport_options(Airline airline, const Timetable& tt, const AirportCheck& check);

// inq_time_flag: JAL asks for a time band only between a Tokyo airport and 福岡, 札幌 or an Osaka
// airport, in either direction.
bool jal_time_band(const Timetable& tt, int enquiry_from_row, int enquiry_to_row);

// The airlines offered, in block order (block index = position in this list).
std::vector<Airline> offered_airlines(const InquiryFlags& flags);

// Text safe inside an HTML element or a quoted attribute value.
std::string html_escape(std::string_view text);
// Text safe inside a double-quoted JavaScript string within a <SCRIPT> element.
std::string js_escape(std::string_view text);

inline constexpr std::string_view inq_page_name = "inq.htm";

struct InquiryPage {
    std::string file_name;  // "JAL_send.htm", ...
    std::string text;       // UTF-8, lines ending in "\n"; the writer turns them into CR LF
};

// The pages in the order build_inquiry_pages writes them: the relay pages of JAL, ANA and JAS, calender.htm,
// inq.htm. A relay page is left out only for an airline that is not offered and has no host.
struct InquiryPages {
    std::vector<InquiryPage> pages;
    const InquiryPage* find(std::string_view file_name) const;
};

// The relay pages, the date pop-up and the enquiry page for the searched route. The relay pages
// post to the airline hosts of sites.ini; an offered airline whose host is not configured is an
// error naming its key, since its page could only fail.
Result<InquiryPages> build_inquiry_pages(const Timetable& tt, const SearchConditions& cond,
                                         const InquiryFlags& flags, const Sites& sites);

// The pages of the seat enquiry for a search's listed direct flights, on its own conditions.
Result<InquiryPages> seat_enquiry_pages(const Timetable& tt, const FlightSearchResult& search,
                                        const Sites& sites);

// Writes the pages into `dir` (created when missing; an existing folder is fine) in Shift-JIS with
// CR LF line ends and returns the path of inq.htm, the page to open in the browser.
Result<std::filesystem::path> write_inquiry_pages(const std::filesystem::path& dir,
                                                  const InquiryPages& pages);

}  // namespace quorvel
