// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace quorvel {

struct AppState;
struct Services;
class HotelSearchWindow;
class HotelListWindow;
class DistrictFilterWindow;
class VacancyEnquiryWindow;
class UserHotelListWindow;

// Opens the hotel directory's windows, each at most once at a time, after the hotel data is read,
// and carries what one window asks of another: the search window's 検索開始 to the list, the list's
// 地区の絞り込み to the refinement and back. One per owner (the main window), found with of().
class HotelWindows final : public QObject {
    Q_OBJECT
  public:
    HotelWindows(AppState& app, Services& services, QWidget& owner);
    static HotelWindows& of(AppState& app, Services& services, QWidget& owner);

    // The three hotel commands. The browser is already registered where one is needed.
    void open_search();
    void open_registry();
    void open_vacancy_list();

    // Runs the search window's search in the list, opening the list when it is not open.
    void show_list();
    // The list's 地区の絞り込み: the refinement window replaces the list until it is answered.
    void refine_districts();
    // The program is ending: the registry keeps the user's changes as closing it does.
    void end_of_program();

    HotelSearchWindow* search_window() const;
    HotelListWindow* list_window() const;
    DistrictFilterWindow* district_filter_window() const;
    VacancyEnquiryWindow* vacancy_window() const;
    UserHotelListWindow* registry_window() const;

  private:
    AppState& app_;
    Services& services_;
    QWidget& owner_;
    QPointer<HotelSearchWindow> search_;
    QPointer<HotelListWindow> list_;
    QPointer<DistrictFilterWindow> filter_;
    QPointer<VacancyEnquiryWindow> vacancy_;
    QPointer<UserHotelListWindow> registry_;
};

}  // namespace quorvel
