// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

struct AppState;
struct Services;
struct FlightSearchResult;

// The seat-enquiry page generator: it has no window of its own. From a search's listed direct
// flights it writes the relay pages, the date pop-up and the enquiry page into tmp and
// opens the enquiry page in the browser, maximised. A page that cannot be written, or an airline
// whose address is not configured, is reported in a message box; the result says whether the
// browser was started.
bool open_seat_enquiry(AppState& app, Services& services, const FlightSearchResult& search);

}  // namespace quorvel
