// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

#include <QAbstractTableModel>

namespace quorvel {

struct HotelData;

// The hotel list's grid as a model: the cells are read from the hotel tables when the view paints
// them, so a list of 15,000 hotels is ready at once. Prices show the yen sign as "¥".
class HotelGridModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit HotelGridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void set_hits(const HotelData* data, std::vector<int> hits, const std::string& sort_key);
    int hotel_at(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const HotelData* data_ = nullptr;
    std::vector<int> hits_;
    std::array<QString, 7> headings_;
};

}  // namespace quorvel
