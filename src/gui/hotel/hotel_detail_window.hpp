// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quorvel {

struct AppState;
struct Services;
class WindowLifecycle;

// Every field of one hotel of the list, and its pages: each of the three boxes says whether its
// page opens. It deletes itself when it closes.
class HotelDetailWindow final : public QWidget {
    Q_OBJECT
  public:
    HotelDetailWindow(AppState& app, Services& services, QWidget* parent, int hotel);
    ~HotelDetailWindow() override;
    HotelDetailWindow(const HotelDetailWindow&) = delete;
    HotelDetailWindow& operator=(const HotelDetailWindow&) = delete;

    std::array<QLineEdit*, 7> fields{};  // 住所, ホテル名, 電話番号, 部屋数, 交通, 料金, 備考
    QCheckBox* madoguchi_box = nullptr;     // 旅の窓口予約可
    QCheckBox* best_reserve_box = nullptr;  // ベストリザーブ予約可
    QCheckBox* home_page_box = nullptr;     // ホームページ
    QPushButton* info_button = nullptr;     // ホテル情報
    QPushButton* reserve_button = nullptr;  // ホテル予約
    QPushButton* end_button = nullptr;      // 終了

    int hotel() const { return hotel_; }
    void end_window();

  private:
    void build();
    void open_pages(bool reserve);

    AppState& app_;
    Services& services_;
    WindowLifecycle* lifecycle_;
    int hotel_;
};

}  // namespace quorvel
