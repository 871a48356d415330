// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include <QPointer>
#include <QWidget>

#include "hotel/hotel_data.hpp"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorvel {

struct AppState;
struct Services;
class AreaPicker;
class WindowLifecycle;
enum class AreaPickerMode;

enum class UserHotelEditMode { add, change };

// The edit window of the user's hotel registry: adds a hotel or changes one, field by field with a
// check on Enter, and stores it in the user tables once every field passes and the user confirms.
// The prefecture and airport can be picked with the area picker. It deletes itself when it closes.
class UserHotelEditWindow final : public QWidget {
    Q_OBJECT
  public:
    // `hotel` is the user hotel that change mode shows and rewrites; add mode ignores it.
    UserHotelEditWindow(AppState& app, Services& services, QWidget& owner, UserHotelEditMode mode, int hotel);
    ~UserHotelEditWindow() override;
    UserHotelEditWindow(const UserHotelEditWindow&) = delete;
    UserHotelEditWindow& operator=(const UserHotelEditWindow&) = delete;

    // Closes without storing anything, keeping the window's place (取消終了, Escape).
    void finish();

    // 都道府県名 … 備考, in the order of UserHotelFields.
    std::array<QLineEdit*, 9> fields{};
    QPlainTextEdit* message_field = nullptr;  // the prompt of the focused field, or why it was refused
    QLabel* mode_label = nullptr;
    QPushButton* pref_picker_button = nullptr;     // "?" beside 都道府県名
    QPushButton* airport_picker_button = nullptr;  // "?" beside 空港名
    QPushButton* update_button = nullptr;          // 更新
    QPushButton* add_update_button = nullptr;      // 追加更新
    QPushButton* cancel_button = nullptr;          // 取消終了

  signals:
    // User hotel `hotel` was stored; `added` when it is a new one.
    void stored(int hotel, bool added);
    void closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void fill();
    int field_of(const QObject* widget) const;
    void field_focused(int field);
    void show_picker_button(QPushButton* button);
    void enter_in(int field);
    void refuse(int field, const std::string& message);
    void save(bool add_update);
    void open_picker(AreaPickerMode mode);
    void take_pick(AreaPickerMode mode, const QString& name);
    UserHotelFields typed() const;
    void show_field(int field, const std::string& text);

    AppState& app_;
    Services& services_;
    UserHotelEditMode mode_;
    int hotel_;
    WindowLifecycle* lifecycle_;
    QPointer<AreaPicker> picker_;
};

}  // namespace quorvel
