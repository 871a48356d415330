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

// The airport picker: narrows the airport list by region and reports the chosen airport for the
// departure or arrival field of the window that opened it. Modeless; it deletes itself when it closes.
class AirportPicker final : public QDialog {
    Q_OBJECT
  public:
    // picker_mode 11 fills the departure field, 12 the arrival field.
    AirportPicker(AppState& app, QWidget& owner, int picker_mode);
    ~AirportPicker() override;
    AirportPicker(const AirportPicker&) = delete;
    AirportPicker& operator=(const AirportPicker&) = delete;

    // Shows the picker for a field, reusing the one already open (then only its task changes).
    static AirportPicker* open(AppState& app, QWidget& owner, int picker_mode);

    // Option[n] holds Optionn (index 0 unused).
    std::array<QRadioButton*, 11> Option{};
    QGroupBox* Frame1 = nullptr;
    QPushButton* Command4 = nullptr;  // names the field being filled
    QLineEdit* Text1 = nullptr;       // the instruction
    QListWidget* List1 = nullptr;
    QPushButton* Command3 = nullptr;  // 選択確定
    QPushButton* Command1 = nullptr;  // 取消終了

    int picker_mode() const { return picker_mode_; }
    void set_mode(int picker_mode);

    void reject() override;  // Escape in any control and the close button cancel like 取消終了

  signals:
    // 選択確定: the airport for the field that picker_mode names.
    void airport_chosen(int picker_mode, const QString& name);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void init_set();
    void set_form1();
    void set_list1(int indx);
    void Command3_Click();
    void end_proc();

    AppState& app_;
    int picker_mode_ = 11;
    bool ended_ = false;
};

}  // namespace quorvel
