// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "common/day_number.hpp"

namespace quorvel::cli {

// Exit statuses of every command.
inline constexpr int exit_ok = 0;
inline constexpr int exit_data = 1;      // a data file cannot be read
inline constexpr int exit_usage = 2;     // bad arguments or rejected conditions
inline constexpr int exit_no_sheet = 3;  // fare-sheet: a leg has no adult one-way fare

// The arguments of one command with the options common to all of them taken out.
struct Invocation {
    std::vector<std::string> args;   // what follows the command name, common options removed
    std::filesystem::path data_dir;  // --data, default the sample data beside the executable
    DayNumber today = 0;             // --today, default the system date
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
};

// Options of the form --name VALUE, in order; repeated options keep every value.
class Options {
  public:
    // Splits args into options; anything that is not "--name VALUE" (or a flag in `flags`) is an error.
    static std::optional<Options> parse(const std::vector<std::string>& args,
                                        const std::vector<std::string>& flags, std::string& error);
    bool has(const std::string& name) const;
    std::optional<std::string> get(const std::string& name) const;  // the last value given
    std::vector<std::string> all(const std::string& name) const;
    // Names that are not in `known`, to refuse options a command does not take.
    std::vector<std::string> unknown(const std::vector<std::string>& known) const;

  private:
    std::vector<std::pair<std::string, std::string>> items_;
};

// Each command is a function; main dispatches on the first argument.
using CommandFunction = int (*)(const Invocation&);

int run_data(const Invocation& inv);
int run_fare(const Invocation& inv);
int run_fare_sheet(const Invocation& inv);
int run_hotels(const Invocation& inv);
int run_inquiry(const Invocation& inv);
int run_search(const Invocation& inv);

}  // namespace quorvel::cli
