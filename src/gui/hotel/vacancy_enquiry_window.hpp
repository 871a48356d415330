// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvel {

struct AppState;
struct Services;
class WindowLifecycle;

// The vacancy-enquiry list: the regional vacancy pages of the hotel data; 検索＆予約 opens the
// chosen one in the browser. It deletes itself when it closes.
class VacancyEnquiryWindow final : public QWidget {
    Q_OBJECT
  public:
    VacancyEnquiryWindow(AppState& app, Services& services, QWidget* parent);
    ~VacancyEnquiryWindow() override;
    VacancyEnquiryWindow(const VacancyEnquiryWindow&) = delete;
    VacancyEnquiryWindow& operator=(const VacancyEnquiryWindow&) = delete;

    QListWidget* page_list = nullptr;
    QLineEdit* hint = nullptr;
    QPushButton* open_button = nullptr;  // 検索＆予約
    QPushButton* end_button = nullptr;   // 終了

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void open_page();

    AppState& app_;
    Services& services_;
    WindowLifecycle* lifecycle_;
    std::vector<std::string> addresses_;  // the page of each line, by row
};

}  // namespace quorvel
