// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <fstream>
#include <iterator>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "common/text.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/hotel/area_picker.hpp"
#include "gui/hotel/hotel_loading.hpp"
#include "gui/hotel/hotel_windows.hpp"
#include "gui/hotel/user_hotel_edit_window.hpp"
#include "gui/hotel/user_hotel_list_window.hpp"
#include "gui/support/sample_hotels.hpp"
#include "hotel/hotel_user.hpp"

using namespace quorvel;
using namespace quorvel::test;

namespace {

namespace fs = std::filesystem;

std::string file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The sample hotels loaded, and the registry open on them as the menu command opens it.
struct Registry {
    explicit Registry(bool load = true) { sample_hotels(t, load); }
    UserHotelListWindow* open() {
        window = new UserHotelListWindow(t.app, t.services, &owner);
        window->show();
        QApplication::setActiveWindow(window);
        return window;
    }
    HotelData& data() { return *t.app.hotel.data; }
    fs::path file() const { return t.dir() / user_hotel_file_name; }
    QString cell(int row, int column) const { return window->grid->item(row, column)->text(); }
    QString heading(int column) const { return window->grid->horizontalHeaderItem(column)->text(); }
    void double_click_heading(int column) const {
        QHeaderView* header = window->grid->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    void double_click_row(int row) const {
        QTableWidget* g = window->grid;
        const QPoint at = g->visualRect(g->model()->index(row, 3)).center();
        // A view takes a double click only on the cell its first click pressed.
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, at);
    }
    void click_row(int row) const {
        QTableWidget* g = window->grid;
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(row, 0)).center());
    }
    UserHotelEditWindow* editor() const {
        UserHotelEditWindow* e = window->edit_window();
        if (e != nullptr) QApplication::setActiveWindow(e);
        return e;
    }

    TestApp t;
    QWidget owner;
    QPointer<UserHotelListWindow> window;
};

QString message(const UserHotelEditWindow* e) { return e->message_field->toPlainText(); }

}  // namespace

class UserHotelWindowsTest : public QObject {
    Q_OBJECT
  private slots:
    void lists_sorts_by_a_heading_and_escape_saves() {
        Registry r;
        UserHotelListWindow* w = r.open();
        QCOMPARE(w->grid->rowCount(), 4);
        QCOMPARE(w->grid->columnWidth(3), 2000 / 15);
        QCOMPARE(r.cell(0, 7), QStringLiteral("¥7,800"));
        QCOMPARE(r.cell(1, 3), QStringLiteral("梅田ステイ \"北\"館"));
        QVERIFY(w->add_button->isEnabled());
        QVERIFY(!w->change_button->isEnabled());

        r.double_click_heading(5);
        QCOMPARE(r.heading(5), QStringLiteral("▼ 部屋数"));
        const QStringList by_rooms = {"12", "30", "45", "120"};
        for (int row = 0; row < 4; ++row) QCOMPARE(r.cell(row, 5), by_rooms[row]);
        // A heading without an order of its own sorts by prefecture and marks that heading.
        r.double_click_heading(6);
        QCOMPARE(r.heading(0), QStringLiteral("▼ 都道府県"));
        QCOMPARE(r.heading(5), QStringLiteral("部屋数"));
        QCOMPARE(r.cell(0, 0), QStringLiteral("北海道"));

        r.click_row(0);
        r.t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(w->delete_button, Qt::LeftButton);
        QCOMPARE(r.t.boxes.asked.back().text, std::string("本当に削除しますよ！！"));
        QCOMPARE(r.t.boxes.asked.back().help_topic, 251);
        QCOMPARE(r.cell(0, 0), QStringLiteral("東京都"));
        QVERIFY(!w->delete_button->isEnabled());
        press(w->grid, Qt::Key_Escape);
        QTRY_VERIFY(r.window.isNull());
        HotelData reread;
        load_user_hotel_file(r.file(), reread);
        QCOMPARE(reread.user_hotel_count, 3);
        QCOMPARE(reread.user_hotel_name[3], std::string("博多ゲストハウス"));
    }

    void a_new_hotel_passes_every_check_and_is_written() {
        Registry r;
        UserHotelListWindow* w = r.open();
        QTest::mouseClick(w->add_button, Qt::LeftButton);
        UserHotelEditWindow* e = r.editor();
        QVERIFY(e != nullptr && e->isVisible());
        QVERIFY(!e->add_update_button->isEnabled());
        // The registry waits while a hotel is edited.
        for (QWidget* c : std::initializer_list<QWidget*>{w->grid, w->add_button, w->save_button})
            QVERIFY(!c->isEnabled());
        // Without history the place is Fukuoka, which names an airport but no prefecture.
        QCOMPARE(e->fields[1]->text(), QStringLiteral("福岡"));
        QCOMPARE(message(e), QStringLiteral("都道府県を選択して下さい\n入力例：東京"));
        type_and_enter(e->fields[0], "福岡");
        QCOMPARE(message(e), QStringLiteral("都道府県名の入力誤りです"));
        QVERIFY(e->fields[0]->hasFocus());
        type_and_enter(e->fields[0], "東京都");
        QCOMPARE(message(e), QStringLiteral("空港名を選択して下さい\n入力例：東京／羽田"));
        type_and_enter(e->fields[1], "羽田");
        QCOMPARE(message(e), QStringLiteral("空港名の入力誤りです"));
        type_and_enter(e->fields[1], "東京／羽田");
        type_and_enter(e->fields[2], "");
        QCOMPARE(e->fields[2]->text(), QStringLiteral("東京／羽田"));
        type_and_enter(e->fields[3], "羽田テスト旅館😀");
        QCOMPARE(message(e), QStringLiteral("ホテル名に使用できない文字があります"));
        QVERIFY(e->fields[3]->hasFocus());
        type_and_enter(e->fields[3], "羽田テスト旅館");
        type_and_enter(e->fields[4], "03-1111-2222");
        type_and_enter(e->fields[5], "二十");
        QCOMPARE(message(e), QStringLiteral("部屋数の入力に誤り(数字のみ可)"));
        type_and_enter(e->fields[5], "20");
        type_and_enter(e->fields[6], "");
        QCOMPARE(message(e), QStringLiteral("料金を入力して下さい\n入力例：¥10,000"));
        type_and_enter(e->fields[7], "￥");
        QCOMPARE(message(e), QStringLiteral("料金は省略できません"));
        type_and_enter(e->fields[7], "8000");
        QCOMPARE(e->fields[7]->text(), QStringLiteral("¥8,000"));
        type_and_enter(e->fields[8], "静か");
        QVERIFY(e->update_button->hasFocus());

        // Cancel at the confirmation stores nothing; Enter on the focused button asks again.
        r.t.boxes.answers = {MessageAnswer::cancel, MessageAnswer::ok};
        press(e->update_button, Qt::Key_Return);
        QCOMPARE(r.data().user_hotel_count, 4);
        press(e->update_button, Qt::Key_Return);
        QCOMPARE(r.t.boxes.asked.back().text, std::string("追加しますよ！！"));
        QCOMPARE(r.t.boxes.asked.back().help_topic, 253);
        QTRY_VERIFY(w->edit_window() == nullptr);
        // The registry shows the new hotel at once and takes commands again.
        QCOMPARE(r.cell(4, 3), QStringLiteral("羽田テスト旅館"));
        QVERIFY(w->add_button->isEnabled());
        QCOMPARE(r.data().user_hotel_merged, 0);

        QTest::mouseClick(w->save_button, Qt::LeftButton);
        QTRY_VERIFY(r.window.isNull());
        HotelData reread;
        QVERIFY(load_user_hotel_file(r.file(), reread).whole());
        QCOMPARE(reread.user_hotel_count, 5);
        const UserHotelFields typed = {"東京都",       "東京／羽田", "東京／羽田", "羽田テスト旅館",
                                       "03-1111-2222", "20",         "",           "\\8,000",
                                       "静か"};
        QCOMPARE(reread.user_fields(5), typed);
        QCOMPARE(reread.user_price_value[5], 8000);
    }

    void a_double_click_on_the_first_row_changes_it_and_cancel_end_undoes_everything() {
        Registry r;
        const std::string before = file_bytes(r.file());
        UserHotelListWindow* w = r.open();
        r.double_click_row(0);
        UserHotelEditWindow* e = r.editor();
        QVERIFY(e != nullptr);
        QCOMPARE(e->mode_label->text(), QStringLiteral("修正モード"));
        QCOMPARE(e->fields[3]->text(), QStringLiteral("ホテル蒲田やすらぎ"));
        QCOMPARE(e->fields[7]->text(), QStringLiteral("¥7,800"));
        // 追加更新 names the hotel's airport in its messages.
        e->fields[1]->setText("羽田");
        QTest::mouseClick(e->add_update_button, Qt::LeftButton);
        QCOMPARE(message(e), QStringLiteral("ホテル空港名の入力誤りです"));
        QVERIFY(e->fields[1]->hasFocus());
        QVERIFY(r.t.boxes.asked.empty());
        e->fields[1]->setText("東京／羽田");
        e->fields[3]->setText("ホテル蒲田やすらぎ新館");
        r.t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(e->update_button, Qt::LeftButton);
        QCOMPARE(r.t.boxes.asked.back().text, std::string("更新しますよ！！"));
        QCOMPARE(r.t.boxes.asked.back().help_topic, 252);
        QTRY_VERIFY(w->edit_window() == nullptr);
        QCOMPARE(r.cell(0, 3), QStringLiteral("ホテル蒲田やすらぎ新館"));

        r.click_row(1);
        r.t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(w->delete_button, Qt::LeftButton);
        QCOMPARE(w->grid->rowCount(), 3);
        QTest::mouseClick(w->discard_button, Qt::LeftButton);
        QTRY_VERIFY(r.window.isNull());
        QCOMPARE(file_bytes(r.file()), before);
        QCOMPARE(r.data().user_hotel_count, 4);
        QCOMPARE(r.data().user_hotel_name[1], std::string("ホテル蒲田やすらぎ"));
    }

    void a_file_that_could_not_be_read_is_only_shown() {
        for (const bool directory : {true, false}) {
            Registry r(false);
            if (directory) {
                fs::remove(r.file());
                fs::create_directory(r.file());
            } else {
                // A line that is not Shift-JIS: writing the rest back would lose it.
                std::ofstream(r.file(), std::ios::binary | std::ios::app) << "\"\x82\x20\"\r\n";
            }
            const std::string before = directory ? "" : file_bytes(r.file());
            r.t.boxes.answers = {MessageAnswer::ok, MessageAnswer::ok};
            load_hotel_directory(r.t.app, r.t.services, nullptr);
            UserHotelListWindow* w = r.open();
            QCOMPARE(w->grid->rowCount(), directory ? 0 : 4);
            QVERIFY(!w->add_button->isEnabled());
            if (!directory) {
                r.double_click_row(0);
                QVERIFY(w->edit_window() == nullptr);
                QVERIFY(!w->change_button->isEnabled());
                QVERIFY(!w->delete_button->isEnabled());
            }
            press(w->grid, Qt::Key_Escape);
            QTRY_VERIFY(r.window.isNull());
            QVERIFY(directory ? fs::is_directory(r.file()) : file_bytes(r.file()) == before);
        }
    }

    void a_write_that_fails_is_reported_and_kept_for_the_next_try() {
        Registry r;
        const fs::path home = r.t.app.paths.user_dir;
        UserHotelListWindow* w = r.open();
        r.click_row(3);
        r.t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(w->delete_button, Qt::LeftButton);
        r.t.app.paths.user_dir = home / "gone";
        w->close();  // the title bar's close button saves as 登録終了 does
        QTRY_VERIFY(r.window.isNull());
        const Question& failed = r.t.boxes.asked.back();
        const std::string said = "hotelusr.csv に保存できませんでした。\n";
        QCOMPARE(failed.title, std::string("エラーメッセージ"));
        QVERIFY(failed.text.starts_with(said) && failed.text.size() > said.size());
        QCOMPARE(r.data().user_hotel_count, 3);

        // At the end of the program the user may try again, or give up.
        const std::size_t asked = r.t.boxes.asked.size();
        r.t.boxes.answers = {MessageAnswer::yes, MessageAnswer::no};
        HotelWindows::of(r.t.app, r.t.services, r.owner).end_of_program();
        QCOMPARE(r.t.boxes.asked.size(), asked + 2);
        QCOMPARE(r.t.boxes.asked.back().text,
                 std::string("hotelusr.csv に保存できませんでした。もう一度保存しますか。"));

        // Once the place can be written again, the program's end writes the kept change with the
        // registry's own.
        r.t.app.paths.user_dir = home;
        r.open();
        r.click_row(0);
        r.t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(r.window->delete_button, Qt::LeftButton);
        r.window->end_of_program();
        QTRY_VERIFY(r.window.isNull());
        HotelData reread;
        load_user_hotel_file(r.file(), reread);
        QCOMPARE(reread.user_hotel_count, 2);
        QCOMPARE(reread.user_hotel_name[2], std::string("博多ゲストハウス"));
    }

    void the_picker_buttons_follow_the_focus_and_picks_fill_the_fields() {
        Registry r;
        UserHotelListWindow* w = r.open();
        QTest::mouseClick(w->add_button, Qt::LeftButton);
        UserHotelEditWindow* e = r.editor();
        QVERIFY(QTest::qWaitForWindowActive(e));
        QTRY_VERIFY(e->pref_picker_button->isVisible());
        QVERIFY(!e->airport_picker_button->isVisible());
        e->fields[2]->setFocus();
        QVERIFY(!e->pref_picker_button->isVisible());
        e->fields[0]->setFocus();

        QTest::mouseClick(e->pref_picker_button, Qt::LeftButton);
        AreaPicker* picker = e->findChild<AreaPicker*>();
        QVERIFY(picker != nullptr && picker->mode() == AreaPickerMode::prefecture);
        emit picker->picked("大阪府");
        QCOMPARE(e->fields[0]->text(), QStringLiteral("大阪府"));
        QTRY_VERIFY(e->fields[1]->hasFocus());
        QVERIFY(e->airport_picker_button->isVisible());
        delete picker;

        QTest::mouseDClick(e->fields[1], Qt::LeftButton);
        picker = e->findChild<AreaPicker*>();
        QVERIFY(picker != nullptr && picker->mode() == AreaPickerMode::airport);
        emit picker->picked("大阪／伊丹");
        QCOMPARE(e->fields[1]->text(), QStringLiteral("大阪／伊丹"));
        QTRY_VERIFY(e->fields[2]->hasFocus());

        // Escape leaves without storing, and the edit window opens again where it was left.
        e->move(e->pos() + QPoint(40, 30));
        const QPoint left_at = e->pos();
        press(e->fields[2], Qt::Key_Escape);
        QTRY_VERIFY(w->edit_window() == nullptr);
        QCOMPARE(r.data().user_hotel_count, 4);
        QTest::mouseClick(w->add_button, Qt::LeftButton);
        QCOMPARE(r.editor()->pos(), left_at);
    }

    void the_five_hundred_and_first_hotel_is_refused() {
        Registry r;
        const UserHotelFields f = r.data().user_fields(1);
        while (r.data().user_hotel_count < hotel_bounds::user_hotels) QVERIFY(add_user_hotel(r.data(), f));
        QTest::mouseClick(r.open()->add_button, Qt::LeftButton);
        UserHotelEditWindow* e = r.editor();
        for (std::size_t i = 0; i < f.size(); ++i) e->fields[i]->setText(qs(yen_for_display(f[i])));
        QTest::mouseClick(e->update_button, Qt::LeftButton);
        QCOMPARE(message(e), QStringLiteral("登録できるホテルは５００件までです"));
        QVERIFY(r.t.boxes.asked.empty());
        QCOMPARE(r.data().user_hotel_count, 500);
    }
};

QTEST_MAIN(UserHotelWindowsTest)
#include "user_hotel_windows_test.moc"
