// SPDX-License-Identifier: GPL-3.0-or-later
#include "pickers/airport_list.hpp"

namespace quorvel {

const std::vector<RegionOption>& region_options() {
    static const std::vector<RegionOption> options{
        {"北海道エリア", 1}, {"東北エリア", 2}, {"北陸・中部エリア", 3}, {"東京エリア", 4}, {"大阪エリア", 5},
        {"中国エリア", 6},   {"四国エリア", 7}, {"九州エリア", 8},       {"沖縄エリア", 9}, {"全国", 0},
    };
    return options;
}

std::vector<std::string> airports_of_region(const Timetable& tt, int region) {
    std::vector<std::string> list;
    for (int i = 1; i <= tt.airport_count; ++i) {
        const auto a = static_cast<std::size_t>(i);
        if (region == 0 || tt.airport_region[a] == region) list.push_back(tt.airport_name[a]);
    }
    return list;
}

PickerTexts picker_texts(AirportField field) {
    if (field == AirportField::arrival)
        return {"到着地の選択", "到着地", "エリアの到着地より到着地を選択して下さい"};
    return {"出発地の選択", "出発地", "エリアの出発地より出発地を選択して下さい"};
}

}  // namespace quorvel
