// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/man_page.hpp"

#include <ostream>
#include <string>

#include "cli/help.hpp"
#include "config/identity.hpp"

namespace quorvel::cli {

namespace {

// Text as roff reads it: backslashes doubled, a line never starting with a control character, and
// hyphens in option names kept as hyphens.
std::string roff(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    std::string lines;
    std::size_t start = 0;
    while (start <= out.size()) {
        const auto end = out.find('\n', start);
        std::string line = out.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && (line[0] == '.' || line[0] == '\'')) line.insert(0, "\\&");
        lines += line;
        if (end == std::string::npos) break;
        lines += '\n';
        start = end + 1;
    }
    return lines;
}

void write_options(std::ostream& out, const std::vector<OptionHelp>& options) {
    for (const OptionHelp& o : options) {
        out << ".TP\n\\fB\\-\\-" << roff(o.name) << "\\fR";
        if (!o.value.empty()) out << " \\fI" << roff(o.value) << "\\fR";
        out << '\n' << roff(o.description);
        if (!o.fallback.empty()) out << " (default: " << roff(o.fallback) << ')';
        out << '\n';
    }
}

}  // namespace

void write_man_page(std::ostream& out) {
    const Identity id;
    out << ".TH QUORVEL\\-CLI 1 \"\" \"quorvel " << id.app_version << "\" \"User Commands\"\n"
        << ".SH NAME\nquorvel\\-cli \\- Japanese domestic flights and hotels, searched without a window\n"
        << ".SH SYNOPSIS\n.B quorvel\\-cli\n.I COMMAND\n[\\fB\\-\\-data\\fR \\fIDIR\\fR] "
           "[\\fB\\-\\-today\\fR \\fIYYYY/MM/DD\\fR] [\\fIOPTIONS\\fR]\n.br\n"
           ".B quorvel\\-cli help\n.I COMMAND\n.br\n.B quorvel\\-cli \\-\\-version\n"
        << ".SH DESCRIPTION\n"
           "Runs the searches of\n.BR quorvel (1)\n"
           "on its data: the flights between two airports with their fares and seat\\-enquiry pages, and "
           "the hotel directory with the user's own hotels. The output is the program's, in UTF\\-8.\n"
        << ".SH COMMANDS\n";
    for (const CommandHelp& c : command_help()) {
        out << ".SS " << c.name << "\n.B quorvel\\-cli " << roff(c.name) << '\n'
            << roff(c.synopsis) << "\n.PP\n"
            << roff(c.summary) << '\n';
        write_options(out, c.options);
    }
    out << ".SH OPTIONS OF EVERY COMMAND\n";
    write_options(out, common_option_help());
    out << ".SH EXIT STATUS\n";
    for (const auto& [status, meaning] : exit_status_help())
        out << ".TP\n.B " << status << '\n' << roff(meaning) << '\n';
    out << ".SH FILES\n"
           "The data files timedata.dat and infhotel.dat, the help file quorvel6.hlp and the web addresses "
           "of "
           "sites.ini are read from the folder of the programs (\\fI/usr/lib/quorvel\\fR in an installed "
           "copy), or from \\fB\\-\\-data\\fR. The user's quorvel6.ini and hotelusr.csv are read from there "
           "as well.\n"
        << ".SH SEE ALSO\n.BR quorvel (1)\n";
}

}  // namespace quorvel::cli
