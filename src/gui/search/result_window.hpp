#pragma once

#include <functional>

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quorvel {

struct AppState;
struct Services;
class MainWindow;
class ResultWindow;

// What the result window hands on to windows of other parts of the program; a missing one makes
// its button stop after the browser check.
struct ResultWindowHooks {
    std::function<void(ResultWindow&)> open_hotel_search;  // infhotel11, after loading the hotel data
    // Writes the seat-enquiry pages for the listed direct flights and opens them in the browser.
    std::function<void(ResultWindow&)> seat_inquiry;
};

// The result window: runs the search while it loads, lists the itineraries, prints them, opens the
// fare sheet of a row and hands on to the hotel search and the seat enquiry.
class ResultWindow final : public QWidget {
    Q_OBJECT
  public:
    // A top-level window that belongs to the main window (it goes when the main window goes).
    ResultWindow(AppState& app, Services& services, MainWindow& main_window, ResultWindowHooks hooks = {});
    ~ResultWindow() override;
    ResultWindow(const ResultWindow&) = delete;
    ResultWindow& operator=(const ResultWindow&) = delete;

    // Validates the timetable for the travel date, searches and fills the list, with the progress
    // window up. False when the window has closed itself (a seat enquiry without direct flights,
    // or a seat enquiry handed on); true when it is to be shown.
    bool Form_Load();

    QPushButton* Command4 = nullptr;  // the header: route, date, order, validity warning
    QTableWidget* MSFlexGrid1 = nullptr;
    QLineEdit* Text1 = nullptr;       // the no-result message
    QPushButton* Command1 = nullptr;  // 検索終了
    QPushButton* Command2 = nullptr;  // 印刷
    QPushButton* Command3 = nullptr;  // ﾎﾃﾙ情報
    QPushButton* Command6 = nullptr;  // 空席照会

    // Fills the grid from the listed itineraries of the last search.
    void edit_data2();
    // The fare sheet of grid row r (1-based, as the list counts).
    void open_fare_sheet(int r);
    void Command2_Click();
    void end_proc();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void set_form1();
    void Command3_Click();
    void Command6_Click();
    void refuse_inquiry();

    AppState& app_;
    Services& services_;
    MainWindow& main_;
    ResultWindowHooks hooks_;
    bool ended_ = false;
};

}  // namespace quorvel
