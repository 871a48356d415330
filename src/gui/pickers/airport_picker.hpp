// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QDialog>

#include "pickers/airport_list.hpp"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace quorvel {

struct AppState;
class WindowLifecycle;

// The airport picker: narrows the airport list by region and reports the chosen airport for the
// departure or arrival field of the window that opened it. Modeless; it deletes itself when it closes.
class AirportPicker final : public QDialog {
    Q_OBJECT
  public:
    AirportPicker(AppState& app, QWidget& owner, AirportField field);
    ~AirportPicker() override;
    AirportPicker(const AirportPicker&) = delete;
    AirportPicker& operator=(const AirportPicker&) = delete;

    // Shows the picker for a field, reusing the one already open (then only its task changes).
    static AirportPicker* open(AppState& app, QWidget& owner, AirportField field);

    // The region choices 1..10 in the order of region_options() (index 0 unused).
    std::array<QRadioButton*, 11> region_buttons{};
    QGroupBox* field_frame = nullptr;
    QPushButton* field_caption = nullptr;  // names the field being filled
    QLineEdit* instruction = nullptr;      // the instruction
    QListWidget* airport_list = nullptr;
    QPushButton* choose_button = nullptr;  // 選択確定
    QPushButton* cancel_button = nullptr;  // 取消終了

    AirportField field() const { return field_; }
    void set_field(AirportField field);

    void reject() override;  // Escape in any control and the close button cancel like 取消終了

  signals:
    // 選択確定: the airport for the field the picker fills.
    void airport_chosen(AirportField field, const QString& name);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    void set_title_and_position();
    void show_region(int region);
    void choose();
    void finish();

    AppState& app_;
    AirportField field_ = AirportField::departure;
    WindowLifecycle* lifecycle_;
};

}  // namespace quorvel
