// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quorvel {

struct AppState;
struct Services;

// Every window of the hotel directory shows this caption.
inline constexpr const char* hotel_caption = "ケルバホテル情報＆予約";

// The first hotel command of a run asks whether to read the hotel data (it takes a moment) and
// reads it with the progress window; Cancel reads nothing and the next command asks again. What
// could not be read is reported once. The caller opens its window either way.
void load_hotel_directory(AppState& app, Services& services, QWidget* parent);

}  // namespace quorvel
