// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvel::cli {

// One option of a command: its name, the form of its value (empty for a flag), what it does and
// what holds without it. The table is the one source of --help and of the manual page.
struct OptionHelp {
    std::string name;
    std::string value;
    std::string description;
    std::string fallback;  // empty: required (or, for a flag, off)
};

struct CommandHelp {
    std::string name;
    std::string synopsis;  // after "quorvel-cli NAME"
    std::string summary;
    std::vector<OptionHelp> options;
};

// Every command, in the order the overall help lists them, and the options all of them take.
const std::vector<CommandHelp>& command_help();
const std::vector<OptionHelp>& common_option_help();
// The exit statuses, as "status  meaning" lines.
const std::vector<std::pair<int, std::string>>& exit_status_help();

// quorvel-cli --help, and quorvel-cli help COMMAND; false when there is no such command.
void write_overall_help(std::ostream& out);
bool write_command_help(std::ostream& out, const std::string& command);

}  // namespace quorvel::cli
