// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/hotel/hotel_windows.hpp"

#include <QWidget>

#include "gui/common/app_state.hpp"
#include "gui/hotel/district_filter_window.hpp"
#include "gui/hotel/hotel_list_window.hpp"
#include "gui/hotel/hotel_loading.hpp"
#include "gui/hotel/hotel_search_window.hpp"
#include "gui/hotel/user_hotel_list_window.hpp"
#include "gui/hotel/vacancy_enquiry_window.hpp"

namespace quorvel {

namespace {
constexpr const char* object_name = "hotel_windows";

template <class W>
void bring_up(W* window) {
    window->show();
    window->raise();
    window->activateWindow();
}
}  // namespace

HotelWindows::HotelWindows(AppState& app, Services& services, QWidget& owner)
    : QObject(&owner), app_(app), services_(services), owner_(owner) {
    setObjectName(object_name);
}

HotelWindows& HotelWindows::of(AppState& app, Services& services, QWidget& owner) {
    auto* windows = owner.findChild<HotelWindows*>(object_name, Qt::FindDirectChildrenOnly);
    return windows != nullptr ? *windows : *new HotelWindows(app, services, owner);
}

HotelSearchWindow* HotelWindows::search_window() const { return search_; }
HotelListWindow* HotelWindows::list_window() const { return list_; }
DistrictFilterWindow* HotelWindows::district_filter_window() const { return filter_; }
VacancyEnquiryWindow* HotelWindows::vacancy_window() const { return vacancy_; }
UserHotelListWindow* HotelWindows::registry_window() const { return registry_; }

void HotelWindows::open_search() {
    load_hotel_directory(app_, services_, &owner_);
    if (search_ == nullptr) {
        search_ = new HotelSearchWindow(app_, services_, &owner_);
        connect(search_, &HotelSearchWindow::search_requested, this, &HotelWindows::show_list);
    }
    bring_up(search_.data());
}

void HotelWindows::show_list() {
    // A refinement being chosen belongs to the previous search.
    if (filter_ != nullptr) filter_->close();
    if (list_ == nullptr) {
        list_ = new HotelListWindow(app_, services_, &owner_);
        connect(list_, &HotelListWindow::refine_requested, this, &HotelWindows::refine_districts);
    }
    if (list_->run_search()) bring_up(list_.data());
}

void HotelWindows::refine_districts() {
    if (list_ != nullptr) list_->close();
    if (filter_ == nullptr) {
        filter_ = new DistrictFilterWindow(app_, &owner_);
        connect(filter_, &DistrictFilterWindow::finished_refining, this, [this](bool) { show_list(); });
    }
    bring_up(filter_.data());
}

void HotelWindows::open_registry() {
    load_hotel_directory(app_, services_, &owner_);
    if (registry_ == nullptr) registry_ = new UserHotelListWindow(app_, services_, &owner_);
    bring_up(registry_.data());
}

void HotelWindows::open_vacancy_list() {
    load_hotel_directory(app_, services_, &owner_);
    if (vacancy_ == nullptr) vacancy_ = new VacancyEnquiryWindow(app_, services_, &owner_);
    bring_up(vacancy_.data());
}

void HotelWindows::end_of_program() {
    if (registry_ != nullptr)
        registry_->end_of_program();
    else
        save_unsaved_user_hotels(app_, services_);
}

}  // namespace quorvel
