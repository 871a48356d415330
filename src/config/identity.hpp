// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorvel {

// Who the program is; shown in captions, the splash and the version window.
struct Identity {
    std::string app_title = "ケルバ国内線時刻表＆ホテル情報";
    std::string app_version = "3.44";
    std::string data_date = "2004/01/07";
    std::string help_file_name = "quorvel6.hlp";
};

}  // namespace quorvel
