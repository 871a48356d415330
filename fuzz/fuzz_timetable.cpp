// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the timetable reader and to the data tool's decoder. Neither may crash
// or read outside the input; whatever the decoder accepts and the writer builds must load, and
// decoding and building it again must give the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "datatools/timetable_writer.hpp"
#include "timetable/timetable_reader.hpp"

namespace {

using namespace quorvel;

void check_loaded(const Timetable& tt) {
    for (std::size_t k = 1; k <= bounds::editions; ++k) {
        if (tt.route_count(static_cast<int>(k), 1) > bounds::route_entries ||
            tt.route_count(static_cast<int>(k), 2) > bounds::route_entries)
            std::abort();
        for (std::size_t i = 1; i <= static_cast<std::size_t>(tt.edition_flight_count[k]); ++i)
            if (tt.flight_from[k][i] < 1 || tt.flight_from[k][i] > tt.airport_count ||
                tt.flight_to[k][i] < 1 || tt.flight_to[k][i] > tt.airport_count)
                std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
    if (auto tt = load_timetable(bytes); tt.ok()) check_loaded(**tt);

    auto source = decode_timetable(bytes);
    if (!source.ok()) return 0;
    auto built = build_timetable(*source);
    if (!built.ok()) return 0;
    auto loaded = load_timetable(*built);
    if (!loaded.ok()) std::abort();
    check_loaded(**loaded);
    auto again = decode_timetable(*built);
    if (!again.ok()) std::abort();
    auto rebuilt = build_timetable(*again);
    if (!rebuilt.ok() || *rebuilt != *built) std::abort();
    return 0;
}
