// SPDX-License-Identifier: GPL-3.0-or-later
// Writes quorvel-cli(1) at build time: quorvel-cli-man OUTPUT_FILE
#include <fstream>
#include <iostream>

#include "cli/man_page.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: quorvel-cli-man OUTPUT_FILE\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    quorvel::cli::write_man_page(out);
    out.close();
    return out ? 0 : 1;
}
