// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/program_data.hpp"

#include "timetable/timetable_reader.hpp"

namespace quorvel {

ProgramData load_program_data(const std::filesystem::path& settings_file,
                              const std::filesystem::path& data_dir, DayNumber today,
                              const std::function<Progress*(const Settings&)>& start_progress) {
    ProgramData data;
    if (auto settings = read_settings(settings_file, today)) {
        data.settings = std::move(*settings);
    } else {
        data.settings_error = settings.error();
        data.settings = preset_settings();
        apply_zero_defaults(data.settings);
        add_computed_holidays(data.settings, today);
    }
    if (auto sites = read_sites(data_dir / sites_file_name))
        data.sites = std::move(*sites);
    else
        data.sites_error = sites.error();
    Progress* progress = start_progress ? start_progress(data.settings) : nullptr;
    if (auto tt = load_timetable_file(data_dir / data_file_name, progress))
        data.timetable = std::move(*tt);
    else
        data.timetable_error = tt.error();
    return data;
}

}  // namespace quorvel
