// SPDX-License-Identifier: GPL-3.0-or-later
#include <fstream>

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

#include "gui/hotel/hotel_detail_window.hpp"
#include "gui/hotel/hotel_list_window.hpp"
#include "gui/hotel/hotel_search_window.hpp"
#include "gui/hotel/hotel_windows.hpp"
#include "gui/hotel/user_hotel_list_window.hpp"
#include "gui/support/sample_hotels.hpp"
#include "gui/support/test_services.hpp"
#include "hotel/hotel_user.hpp"

using namespace quorvel;
using namespace quorvel::test;

namespace {

// The hotel windows of a run on the sample directory, with a browser set up.
struct Harness {
    explicit Harness(bool load = true) {
        sample_hotels(t, load);
        t.app.settings.browser = {BrowserKind::firefox_family, "/usr/bin/firefox", 0};
        t.app.sites.values[static_cast<std::size_t>(Site::tabinomado_info)] = "https://info.example";
        t.app.sites.values[static_cast<std::size_t>(Site::tabinomado_reserve)] = "https://rsv.example";
        t.app.sites.values[static_cast<std::size_t>(Site::bestreserve)] = "https://best.example";
        t.app.settings.reservation_notices_shown = 3;
    }
    HotelSearchWindow* open_search() {
        windows().open_search();
        HotelSearchWindow* s = windows().search_window();
        QApplication::setActiveWindow(s);
        [&] { QVERIFY(QTest::qWaitForWindowActive(s)); }();
        return s;
    }
    // Chooses a kind, types the key and starts the search as the user does.
    HotelListWindow* search(int kind, const char* key) {
        HotelSearchWindow* s = windows().search_window() ? windows().search_window() : open_search();
        QTest::mouseClick(s->kind_buttons[kind], Qt::LeftButton, {}, QPoint(4, 8));
        type_and_enter(s->key_field, QString::fromUtf8(key));
        QTest::mouseClick(s->start_button, Qt::LeftButton);
        return windows().list_window();
    }
    HotelWindows& windows() { return HotelWindows::of(t.app, t.services, owner); }
    QString cell(int row, int column) {
        QTableView* g = windows().list_window()->grid;
        return g->model()->index(row, column).data().toString();
    }
    void click_row(int row) {
        QTableView* g = windows().list_window()->grid;
        const QRect r = g->visualRect(g->model()->index(row, 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }
    TestApp t;
    QWidget owner;
};

}  // namespace

class HotelSearchListTest : public QObject {
    Q_OBJECT
  private slots:
    void the_load_is_asked_for_until_confirmed() {
        Harness h(false);
        h.t.boxes.answers = {MessageAnswer::cancel};
        HotelSearchWindow* s = h.open_search();
        QVERIFY(s != nullptr && s->isVisible());
        QCOMPARE(h.t.boxes.asked.at(0).text,
                 std::string("ホテル情報データを読み込みます。少々時間がかかります。"));
        // Nothing read: no prefecture is known.
        QTest::mouseClick(s->start_button, Qt::LeftButton);
        QCOMPARE(s->hint_line->text(), QStringLiteral("検索条件の入力エラーです"));
        QVERIFY(h.windows().list_window() == nullptr);
        h.t.boxes.answers = {MessageAnswer::ok};
        h.open_search();
        QCOMPARE(h.t.boxes.asked.size(), std::size_t{2});
        QCOMPARE(h.t.app.hotel.data->hotel_base_count, 3174);
        h.open_search();  // read once per run
        QCOMPARE(h.t.boxes.asked.size(), std::size_t{2});

        // The registry after a cancelled load has nothing to show and must not write that over the
        // user's file.
        Harness cancelled(false);
        const auto csv = cancelled.t.dir() / user_hotel_file_name;
        const auto bytes = [&csv] {
            std::ifstream in(csv, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        const std::string before = bytes();
        QVERIFY(!before.empty());
        cancelled.t.boxes.answers = {MessageAnswer::cancel};
        cancelled.windows().open_registry();
        QPointer<UserHotelListWindow> registry = cancelled.windows().registry_window();
        QVERIFY(registry && registry->grid->rowCount() == 0);
        QTest::mouseClick(registry->save_button, Qt::LeftButton);
        QTRY_VERIFY(registry.isNull());
        cancelled.windows().end_of_program();
        QVERIFY(bytes() == before);

        // A damaged file is reported once, naming it; the windows open with what was read.
        Harness broken(false);
        std::filesystem::resize_file(broken.t.dir() / hotel_file_name, 2000);
        broken.t.boxes.answers = {MessageAnswer::ok, MessageAnswer::ok};
        QVERIFY(broken.open_search() != nullptr);
        QCOMPARE(broken.t.boxes.asked.size(), std::size_t{2});
        QVERIFY(broken.t.boxes.asked[1].text.find("infhotel.dat") != std::string::npos);
    }

    void the_key_is_checked_and_enter_moves_to_the_start() {
        Harness h;
        HotelSearchWindow* s = h.open_search();
        QCOMPARE(s->key_field->text(), QStringLiteral("福岡"));  // no history yet
        type_and_enter(s->key_field, "福");
        QCOMPARE(s->hint_line->text(), QStringLiteral("検索条件の入力エラーです"));
        QVERIFY(s->key_field->hasFocus());
        type_and_enter(s->key_field, "福岡");  // the second spelling of 福岡県
        QCOMPARE(s->key_field->text(), QStringLiteral("福岡県"));
        QVERIFY(s->start_button->hasFocus());
        QVERIFY(!s->picker_button->isVisible());
        QCOMPARE(h.t.app.settings.key_history[1], std::string("福岡県"));
        // Choosing the free keyword after a hotel name keeps the text.
        QTest::mouseClick(s->kind_buttons[3], Qt::LeftButton, {}, QPoint(4, 8));
        QCOMPARE(s->key_field->text(), QString());
        s->key_field->setText("ﾎﾃﾙ");
        QTest::mouseClick(s->kind_buttons[6], Qt::LeftButton, {}, QPoint(4, 8));
        QCOMPARE(s->key_field->text(), QStringLiteral("ﾎﾃﾙ"));
        QVERIFY(!s->picker_button->isVisible());
        press(s->key_field, Qt::Key_Escape);
        QTRY_VERIFY(h.windows().search_window() == nullptr);
    }

    void the_list_shows_sorts_and_opens_pages() {
        Harness h;
        HotelListWindow* list = h.search(1, "福岡県");
        QVERIFY(list != nullptr && list->isVisible());
        const int n = list->grid->model()->rowCount();
        QCOMPARE(list->title_line->text(), QStringLiteral("都道府県別検索：福岡県 地区 (%1件)").arg(n));
        QVERIFY(n > 5 && list->refine_button->isEnabled());
        // Prices show the yen sign, not the byte's backslash.
        bool yen = false;
        for (int r = 0; r < n; ++r) {
            QVERIFY(!h.cell(r, 5).contains('\\'));
            yen = yen || h.cell(r, 5).contains(QChar(0xA5));
        }
        QVERIFY(yen);

        // A double click on a heading sorts by it; one on the first hotel does not.
        h.click_row(0);
        QTest::mouseDClick(list->grid->viewport(), Qt::LeftButton, {},
                           list->grid->visualRect(list->grid->model()->index(0, 1)).center());
        QCOMPARE(list->grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("ホテル名"));
        QHeaderView* head = list->grid->horizontalHeader();
        QTest::mouseDClick(head->viewport(), Qt::LeftButton, {},
                           QPoint(head->sectionViewportPosition(1) + 10, head->height() / 2));
        QCOMPARE(list->grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("▼ ホテル名"));
        for (int r = 1; r < n; ++r) QVERIFY(h.cell(r - 1, 1).toStdString() <= h.cell(r, 1).toStdString());

        // A hotel bookable at 旅の窓口: both buttons, its detail window, its pages.
        const HotelData& d = *h.t.app.hotel.data;
        int row = -1;
        for (int r = 0; r < n && row < 0; ++r)
            if (d.hotel_site_code[static_cast<std::size_t>(h.t.app.hotel.hits.hotel_hit_list[r])] != 0)
                row = r;
        QVERIFY(row >= 0);
        h.click_row(row);
        QVERIFY(list->info_button->isEnabled() && list->reserve_button->isEnabled());
        QPointer<HotelDetailWindow> detail = list->detail_window();
        QVERIFY(detail && detail->isVisible());
        QCOMPARE(detail->fields[1]->text(), h.cell(row, 1));
        QVERIFY(detail->madoguchi_box->isChecked());
        h.t.app.settings.reservation_notices_shown = 2;
        h.t.boxes.answers = {MessageAnswer::ok};
        QTest::mouseClick(list->info_button, Qt::LeftButton);
        QCOMPARE(h.t.app.settings.reservation_notices_shown, 3);
        QVERIFY(!h.t.launcher.launches.empty());
        QVERIFY(h.t.launcher.launches[0].args[0].starts_with("https://info.example/HOTEL/"));
        // The detail window opens only the pages whose boxes stay checked.
        h.t.launcher.launches.clear();
        detail->madoguchi_box->setChecked(false);
        QTest::mouseClick(detail->reserve_button, Qt::LeftButton);
        for (const auto& l : h.t.launcher.launches) QVERIFY(!l.args[0].starts_with("https://rsv.example"));

        // The list's end closes the detail window with it and keeps the sizes.
        press(list->end_button, Qt::Key_Escape);
        QTRY_VERIFY(detail.isNull());
        QVERIFY(h.t.app.settings.hotel_list_width > 0);
    }

    void a_new_search_shows_its_own_hits_and_the_users_hotels() {
        Harness h;
        QPointer<HotelListWindow> list = h.search(2, "福岡");
        QVERIFY(list);
        h.click_row(0);
        QVERIFY(list->detail_window() != nullptr);
        // The open list runs the new search, from its own order, without the old details.
        h.search(3, "博多");
        QCOMPARE(h.windows().list_window(), list.data());
        QVERIFY(list->title_line->text().startsWith(QStringLiteral("ホテル名検索：博多 (")));
        QTRY_VERIFY(list->detail_window() == nullptr);

        // A hotel the registry adds is found by the next search, without reopening anything.
        UserHotelFields f = {"福岡県", "福岡",   "中洲", "中洲リバーイン", "092-000-0000", "20",
                             "",       "\\6000", ""};
        QVERIFY(add_user_hotel(*h.t.app.hotel.data, f));
        h.search(3, "中洲リバーイン");
        QCOMPARE(list->grid->model()->rowCount(), 1);
        QCOMPARE(h.cell(0, 5), QString::fromUtf8("¥6,000"));
        // The user's hotel has no pages: a click enables nothing.
        h.click_row(0);
        QVERIFY(!list->info_button->isEnabled() && !list->reserve_button->isEnabled());

        // Nothing found: the message, and the list closes.
        h.t.boxes.answers = {MessageAnswer::ok};
        h.search(3, "存在しないホテル");
        QCOMPARE(h.t.boxes.asked.back().text, std::string("ホテルデータなし"));
        QTRY_VERIFY(list.isNull());
    }
};

QTEST_MAIN(HotelSearchListTest)
#include "hotel_search_list_test.moc"
