// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "common/day_number.hpp"
#include "common/result.hpp"
#include "config/settings.hpp"
#include "config/sites.hpp"
#include "timetable/timetable.hpp"

namespace quorvel {

class Progress;

// Everything a program reads before it can search: the settings, the deployment's web addresses
// and the timetable. What could not be read is said in its error; each program decides what that
// means for it (the desktop program goes on with preset settings, quorvel-cli stops).
struct [[nodiscard]] ProgramData {
    Settings settings;  // preset values when the file could not be read
    std::optional<Error> settings_error;
    Sites sites;  // empty when the file could not be read
    std::optional<Error> sites_error;
    std::unique_ptr<Timetable> timetable;  // null when it could not be read
    std::optional<Error> timetable_error;
};

// Reads the settings file, then sites.ini and timedata.dat from the data directory. The timetable
// is read with the progress that `start_progress` returns once the settings are known (a progress
// window opens where the settings remember it); without it, or when it returns null, silently.
ProgramData load_program_data(const std::filesystem::path& settings_file,
                              const std::filesystem::path& data_dir, DayNumber today,
                              const std::function<Progress*(const Settings&)>& start_progress = {});

}  // namespace quorvel
