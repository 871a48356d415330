// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

class QWidget;

namespace quorvel {

struct AppState;
struct Services;
struct HotelHosts;

// The hosts of the reservation services as this deployment configures them.
HotelHosts hotel_hosts(const AppState& app);

// Before hotel pages open, the first three times: the user takes responsibility for bookings.
// False when the user cancelled (nothing is to be opened).
bool reservation_notice(AppState& app, Services& services);

// Opens each non-empty web address in the registered browser as a normal window, in order.
void open_hotel_pages(AppState& app, Services& services, const std::array<std::string, 3>& addresses);

}  // namespace quorvel
