// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace quorvel {

struct AppState;
class WindowLifecycle;

enum class AreaPickerMode { prefecture, airport };

// The area picker of the hotel directory: the user narrows the prefectures or airports to an area
// and picks one from a list that shows how many hotels each has. The choice goes into the history
// of its kind and is reported by picked() to the window that opened the picker. Modeless; it
// deletes itself when it closes.
class AreaPicker final : public QDialog {
    Q_OBJECT
  public:
    AreaPicker(AppState& app, QWidget& owner, AreaPickerMode mode);
    ~AreaPicker() override;
    AreaPicker(const AreaPicker&) = delete;
    AreaPicker& operator=(const AreaPicker&) = delete;

    // Shows the picker for the owner, reusing one that is open (then it starts over in the new
    // mode). Connect picked() after every call: a reused picker drops the connections of its
    // earlier opening, so a choice is never delivered twice or to a field no longer asked for.
    static AreaPicker* open(AppState& app, QWidget& owner, AreaPickerMode mode);

    AreaPickerMode mode() const { return mode_; }

    // area_buttons[1..9] the nine areas, [10] the whole country (index 0 unused).
    std::array<QRadioButton*, 11> area_buttons{};
    QListWidget* name_list = nullptr;
    QLineEdit* hint = nullptr;
    QGroupBox* list_frame = nullptr;
    QPushButton* column_caption = nullptr;
    QPushButton* choose_button = nullptr;  // 選択確定
    QPushButton* reset_button = nullptr;   // 取消
    QPushButton* cancel_button = nullptr;  // 取消終了

    void reject() override;  // Escape, 取消終了 and the close button: no choice

  signals:
    void picked(const QString& name);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    void start_over();
    void show_area(int area);
    void choose();
    void finish();

    AppState& app_;
    AreaPickerMode mode_;
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
