// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/hotel_detail_window.hpp"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/text.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/command_button.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "gui/hotel/hotel_loading.hpp"
#include "gui/hotel/hotel_pages.hpp"
#include "hotel/hotel_search.hpp"

namespace quorvel {

namespace {

constexpr const char* object_name = "hotel_detail_window";
constexpr const char* settings_key = "infhotel15";
constexpr std::array<const char*, 7> labels = {"住所　　　：", "ホテル名　：", "電話番号　：", "部屋数　　：",
                                               "交通　　　：", "料金　　　：", "備考　　　："};

}  // namespace

HotelDetailWindow::HotelDetailWindow(AppState& app, Services& services, QWidget* parent, int hotel)
    : QWidget(parent, Qt::Window),
      app_(app),
      services_(services),
      lifecycle_(
          new WindowLifecycle(*this, app.settings, settings_key, &services.help, [this] { end_window(); })),
      hotel_(hotel) {
    setObjectName(object_name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qs(hotel_caption));
    build();
    lifecycle_->place();
}

HotelDetailWindow::~HotelDetailWindow() = default;

void HotelDetailWindow::build() {
    setFixedSize(500, 352);
    auto* frame = new QGroupBox(QStringLiteral("ホテル情報"), this);
    frame->setGeometry(8, 6, 484, 296);
    const HotelData& d = *app_.hotel.data;
    const auto k = static_cast<std::size_t>(hotel_);
    const std::array<std::string, 7> values = {d.hotel_address[k], d.hotel_name[k],
                                               d.hotel_tel[k],     d.hotel_rooms[k],
                                               d.hotel_access[k],  yen_for_display(d.hotel_price[k]),
                                               d.hotel_note[k]};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int y = 24 + static_cast<int>(i) * 32;
        auto* label = new QLabel(qs(labels[i]), frame);
        label->setGeometry(12, y, 100, 26);
        auto* f = new QLineEdit(qs(values[i]), frame);
        f->setObjectName(QStringLiteral("field_%1").arg(i + 1));
        f->setGeometry(112, y, 360, 26);
        f->setReadOnly(true);
        f->setCursorPosition(0);
        fields[i] = f;
    }
    const std::string& query = d.hotel_reservation_query[k];
    madoguchi_box = new QCheckBox(QStringLiteral("旅の窓口予約可"), frame);
    madoguchi_box->setGeometry(12, 254, 150, 26);
    madoguchi_box->setChecked(d.hotel_site_code[k] != 0);
    best_reserve_box = new QCheckBox(QStringLiteral("ベストリザーブ予約可"), frame);
    best_reserve_box->setGeometry(166, 254, 180, 26);
    // A home page that holds the query already is that page: it opens once, as the home page.
    best_reserve_box->setChecked(!query.empty() && d.hotel_url[k].find(query) == std::string::npos);
    home_page_box = new QCheckBox(QStringLiteral("ホームページ"), frame);
    home_page_box->setGeometry(350, 254, 120, 26);
    home_page_box->setChecked(!d.hotel_url[k].empty());

    info_button = command_button(this, "info_button", "ホテル情報", {176, 314, 100, 30});
    reserve_button = command_button(this, "reserve_button", "ホテル予約", {284, 314, 100, 30});
    end_button = command_button(this, "end_button", "終了", {392, 314, 100, 30});
    const auto [info, reserve] = hotel_page_buttons(d, hotel_);
    info_button->setEnabled(info);
    reserve_button->setEnabled(reserve);
    connect(info_button, &QPushButton::clicked, this, [this] { open_pages(false); });
    connect(reserve_button, &QPushButton::clicked, this, [this] { open_pages(true); });
    connect(end_button, &QPushButton::clicked, this, &HotelDetailWindow::end_window);
    lifecycle_->watch();
}

void HotelDetailWindow::open_pages(bool reserve) {
    if (!reservation_notice(app_, services_)) return;
    auto addresses = hotel_page_addresses(*app_.hotel.data, hotel_,
                                          reserve ? HotelPage::reserve : HotelPage::info, hotel_hosts(app_));
    // The user may clear a box to skip its page.
    if (!madoguchi_box->isChecked()) addresses[0].clear();
    if (!best_reserve_box->isChecked()) addresses[1].clear();
    if (!home_page_box->isChecked()) addresses[2].clear();
    open_hotel_pages(app_, services_, addresses);
}

void HotelDetailWindow::end_window() {
    if (lifecycle_->end_once()) close();
}

}  // namespace quorvel
