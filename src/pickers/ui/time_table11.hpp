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
class time_table1;

// The airport picker: narrows the airport list by region and writes the chosen airport into the
// main window's departure or arrival field. Modeless; it deletes itself when it closes.
class time_table11 final : public QDialog {
    Q_OBJECT
  public:
    // picker_mode 11 fills the departure field, 12 the arrival field.
    time_table11(AppState& app, time_table1& main_window, int picker_mode);
    ~time_table11() override;
    time_table11(const time_table11&) = delete;
    time_table11& operator=(const time_table11&) = delete;

    // Shows the picker for a field, reusing the one already open (then only its task changes).
    static time_table11* open(AppState& app, time_table1& main_window, int picker_mode);

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

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void init_set();
    void set_form1();
    void set_list1(int indx);
    void Command3_Click();
    void end_proc();

    AppState& app_;
    time_table1& main_;
    int picker_mode_ = 11;
    bool ended_ = false;
};

}  // namespace quorvel
