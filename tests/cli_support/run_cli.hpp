// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace quorvel::test {

// What a run of quorvel-cli gave back.
struct CliRun {
    int status = -1;
    std::string out, err;
};

inline std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs a shell command line that starts quorvel-cli, its standard error going to err_file.
inline CliRun run_cli(const std::string& command_line, const std::filesystem::path& err_file) {
    CliRun r;
    const std::string command = command_line + " 2>'" + err_file.string() + "'";
    FILE* p = ::popen(command.c_str(), "r");
    if (p == nullptr) return r;
    std::array<char, 4096> buf{};
    std::size_t n = 0;
    while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int raw = ::pclose(p);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.err = slurp(err_file);
    std::filesystem::remove(err_file);
    return r;
}

}  // namespace quorvel::test
