// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command.hpp"
#include "common/file_io.hpp"
#include "common/sjis.hpp"
#include "datatools/hotel_source.hpp"
#include "datatools/timetable_source.hpp"
#include "datatools/timetable_writer.hpp"
#include "hotel/hotel_reader.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel::cli {

namespace {

namespace fs = std::filesystem;

// One kind of data file the tool knows: how to tell that a source directory holds its sources, how
// to compile them and how to turn a file of that kind back into sources.
struct DataKind {
    const char* file_name;
    bool (*has_sources)(const fs::path& src_dir);
    int (*build)(const fs::path& src_dir, const fs::path& out_file, const Invocation& inv);
    int (*dump)(const fs::path& file, const fs::path& out_dir, const Invocation& inv);
};

int fail(const Invocation& inv, const std::string& message) {
    *inv.err << "quorvel-cli data: " << message << '\n';
    return exit_data;
}

// ---- timedata.dat --------------------------------------------------------------------------------

bool has_timetable_sources(const fs::path& dir) {
    std::error_code ec;
    return fs::is_regular_file(dir / source_files::airports, ec);
}

int build_timetable_file(const fs::path& src_dir, const fs::path& out_file, const Invocation& inv) {
    auto source = read_timetable_source(src_dir);
    if (!source) return fail(inv, source.error().message);
    auto bytes = build_timetable(*source);
    if (!bytes) return fail(inv, (src_dir / bytes.error().message).string());
    // What the tool writes must be what the program can read.
    auto check = load_timetable(*bytes);
    if (!check) return fail(inv, "the built file does not load: " + check.error().message);
    if (Status s = write_file_atomically(out_file, as_chars(*bytes)); !s) return fail(inv, s.error().message);
    const Timetable& tt = **check;
    *inv.out << out_file.string() << ": " << tt.airport_count << " airports, " << tt.segment_count
             << " segments, " << tt.aircraft_count << " aircraft, " << tt.company_count
             << " companies, flights";
    for (std::size_t k = 1; k <= bounds::editions; ++k) *inv.out << ' ' << tt.edition_flight_count[k];
    *inv.out << ", fares " << tt.fare_count[1] << ' ' << tt.fare_count[2] << ", " << tt.discount_count
             << " discounts, " << tt.access_count << " access, " << tt.period_count << " periods, "
             << bytes->size() / block_size << " blocks\n";
    return exit_ok;
}

int dump_timetable_file(const fs::path& file, const fs::path& out_dir, const Invocation& inv) {
    auto bytes = read_file_bytes(file);
    if (!bytes) return fail(inv, bytes.error().message);
    auto source = decode_timetable(*bytes);
    if (!source) return fail(inv, file.string() + ": " + source.error().message);
    if (Status s = write_timetable_source(*source, out_dir); !s) return fail(inv, s.error().message);
    return exit_ok;
}

// ---- infhotel.dat (sources in the subdirectory hotel/) --------------------------------------------

bool has_hotel_sources(const fs::path& dir) {
    std::error_code ec;
    return fs::is_regular_file(dir / "hotel" / "hotels.tsv", ec);
}

int build_hotel(const fs::path& src_dir, const fs::path& out_file, const Invocation& inv) {
    auto source = read_hotel_source(src_dir / "hotel");
    if (!source) return fail(inv, source.error().message);
    auto bytes = write_hotel_file(*source);
    if (!bytes) return fail(inv, (src_dir / "hotel").string() + ": " + bytes.error().message);
    auto check = std::make_unique<HotelData>();
    if (auto report = load_hotel_data(as_bytes(*bytes), *check); !report.clean())
        return fail(inv, "the built file does not load: " + report.faults.front().message);
    if (Status s = write_file_atomically(out_file, *bytes); !s) return fail(inv, s.error().message);
    *inv.out << out_file.string() << ": " << check->pref_count << " prefectures, " << check->airport_count
             << " airports, " << check->district_count << " districts, " << check->hotel_count << " hotels, "
             << check->inquiry_count << " enquiry pages, " << bytes->size() / 1024 << " blocks\n";
    return exit_ok;
}

int dump_hotel(const fs::path& file, const fs::path& out_dir, const Invocation& inv) {
    if (Status s = dump_hotel_file(file, out_dir / "hotel"); !s) return fail(inv, s.error().message);
    return exit_ok;
}

// ---- The kinds, in the order build compiles them -------------------------------------------------

const std::vector<DataKind>& data_kinds() {
    static const std::vector<DataKind> kinds{
        {data_file_name, &has_timetable_sources, &build_timetable_file, &dump_timetable_file},
        {hotel_file_name, &has_hotel_sources, &build_hotel, &dump_hotel},
    };
    return kinds;
}

int usage(const Invocation& inv) {
    *inv.err << "usage: quorvel-cli data build SRC_DIR OUT_DIR\n"
                "       quorvel-cli data dump FILE OUT_DIR\n";
    return exit_usage;
}

int build(const fs::path& src_dir, const fs::path& out_dir, const Invocation& inv) {
    std::error_code ec;
    if (!fs::is_directory(src_dir, ec)) return fail(inv, src_dir.string() + ": no such directory");
    fs::create_directories(out_dir, ec);
    if (ec) return fail(inv, out_dir.string() + ": " + ec.message());
    bool any = false;
    for (const DataKind& kind : data_kinds()) {
        if (!kind.has_sources(src_dir)) continue;
        any = true;
        if (int rc = kind.build(src_dir, out_dir / kind.file_name, inv); rc != exit_ok) return rc;
    }
    if (!any) return fail(inv, src_dir.string() + ": no data sources found");
    return exit_ok;
}

int dump(const fs::path& file, const fs::path& out_dir, const Invocation& inv) {
    const std::string name = file.filename().string();
    for (const DataKind& kind : data_kinds())
        if (name == kind.file_name) return kind.dump(file, out_dir, inv);
    // A renamed copy (a test file, say) is taken for a timetable.
    return data_kinds().front().dump(file, out_dir, inv);
}

}  // namespace

// quorvel-cli data build SRC_DIR OUT_DIR | data dump FILE OUT_DIR
int run_data(const Invocation& inv) {
    if (inv.args.size() != 3) return usage(inv);
    if (inv.args[0] == "build") return build(inv.args[1], inv.args[2], inv);
    if (inv.args[0] == "dump") return dump(inv.args[1], inv.args[2], inv);
    return usage(inv);
}

}  // namespace quorvel::cli
