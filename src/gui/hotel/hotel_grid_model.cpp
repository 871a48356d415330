// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/hotel_grid_model.hpp"

#include <QColor>

#include "common/text.hpp"
#include "gui/common/qt_text.hpp"
#include "hotel/hotel_search.hpp"

namespace quorvel {

namespace {
constexpr int price_column = 5;

QString cell_text(const HotelData& d, int k, int column) {
    const auto i = static_cast<std::size_t>(k);
    switch (column) {
        case 0:
            return qs(d.hotel_district[i]);
        case 1:
            return qs(d.hotel_name[i]);
        case 2:
            return qs(d.hotel_tel[i]);
        case 3:
            return qs(format_rooms(d.hotel_rooms[i]));
        case 4:
            return qs(d.hotel_access[i]);
        case price_column:
            return qs(yen_for_display(d.hotel_price[i]));
        default:
            return qs(d.hotel_note[i]);
    }
}
}  // namespace

void HotelGridModel::set_hits(const HotelData* data, std::vector<int> hits, const std::string& sort_key) {
    beginResetModel();
    data_ = data;
    hits_ = std::move(hits);
    const auto headings = grid_headings(sort_key);
    for (std::size_t c = 0; c < headings.size(); ++c) headings_[c] = qs(headings[c]);
    endResetModel();
}

int HotelGridModel::hotel_at(int row) const {
    return row >= 0 && row < static_cast<int>(hits_.size()) ? hits_[static_cast<std::size_t>(row)] : 0;
}

int HotelGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(hits_.size());
}

int HotelGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_columns;
}

QVariant HotelGridModel::data(const QModelIndex& index, int role) const {
    const int k = hotel_at(index.row());
    if (data_ == nullptr || k == 0) return {};
    if (role == Qt::DisplayRole) return cell_text(*data_, k, index.column());
    if (role == Qt::BackgroundRole) {
        const Rgb c = hotel_row_colour(*data_, k);
        return QColor(c.r, c.g, c.b);
    }
    if (role == Qt::TextAlignmentRole && index.column() == 3)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignTop);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignTop);
    return {};
}

QVariant HotelGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= grid_columns)
        return {};
    return headings_[static_cast<std::size_t>(section)];
}

}  // namespace quorvel
