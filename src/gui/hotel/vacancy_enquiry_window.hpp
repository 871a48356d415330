#pragma once

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

  private:
    AppState& app_;
    Services& services_;
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
