// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>

namespace quorvel::cli {

// quorvel-cli(1) in roff, from the option table that --help prints.
void write_man_page(std::ostream& out);

}  // namespace quorvel::cli
