// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QWidget>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quorvel {

struct AppState;
struct Services;
class WindowLifecycle;

// Where every hotel search starts: one of six kinds, a key checked against the hotel tables, and
// 検索開始, which asks for the list by search_requested(). Prefecture and airport keys can be picked
// from the area picker. It deletes itself when it closes; the list stays open.
class HotelSearchWindow final : public QWidget {
    Q_OBJECT
  public:
    HotelSearchWindow(AppState& app, Services& services, QWidget* parent);
    ~HotelSearchWindow() override;
    HotelSearchWindow(const HotelSearchWindow&) = delete;
    HotelSearchWindow& operator=(const HotelSearchWindow&) = delete;

    std::array<QRadioButton*, 7> kind_buttons{};  // kinds 1..6 (index 0 unused)
    QLineEdit* key_field = nullptr;
    QLineEdit* hint_line = nullptr;        // the kind's prompt or the error
    QPushButton* start_button = nullptr;   // 検索開始
    QPushButton* end_button = nullptr;     // 検索終了
    QPushButton* picker_button = nullptr;  // ？

    int kind() const { return kind_; }

  signals:
    void search_requested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private slots:
    void take_picked(const QString& name);

  private:
    void build();
    void choose_kind(int kind);
    bool accept_key();
    void key_entered();
    void start_search();
    void open_picker();
    void end_window();

    AppState& app_;
    Services& services_;
    WindowLifecycle* lifecycle_;
    int kind_ = 1;
};

}  // namespace quorvel
