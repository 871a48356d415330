// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/browser_setup_window.hpp"

#include <QApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/common/app_state.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/services.hpp"
#include "gui/common/window_lifecycle.hpp"
#include "platform/browser_search.hpp"

namespace quorvel {

namespace {
constexpr const char* object_name = "browser_setup_window";
constexpr const char* settings_key = "infhotel92";  // its position in the settings file
}  // namespace

BrowserSetupWindow::BrowserSetupWindow(AppState& app, Services& services, QWidget* parent)
    : QDialog(parent),
      app_(app),
      services_(services),
      lifecycle_(
          new WindowLifecycle(*this, app.settings, settings_key, &services.help, [this] { finish(); })) {
    setObjectName(object_name);
    build();
    set_title_and_position();
}

BrowserSetupWindow::~BrowserSetupWindow() = default;

void BrowserSetupWindow::build() {
    setWindowTitle(QStringLiteral("ケルバホテル情報＆予約"));
    setFixedSize(420, 250);

    instructions = new QLabel(this);
    instructions->setObjectName("instructions");
    instructions->setGeometry(16, 12, 388, 36);
    instructions->setWordWrap(true);

    auto* frame = new QGroupBox(QStringLiteral("ブラウザの選択"), this);
    frame->setObjectName("frame");
    frame->setGeometry(16, 54, 250, 100);
    chromium_choice = new QRadioButton(QStringLiteral("Chromium / Google Chrome"), frame);
    firefox_choice = new QRadioButton(QStringLiteral("Firefox"), frame);
    no_browser_choice = new QRadioButton(QStringLiteral("未使用"), frame);
    chromium_choice->setObjectName("chromium_choice");
    firefox_choice->setObjectName("firefox_choice");
    no_browser_choice->setObjectName("no_browser_choice");
    int y = 22;
    for (QRadioButton* o : {chromium_choice, firefox_choice, no_browser_choice}) {
        // As wide as its caption: a click beside the text must not choose it.
        o->setGeometry(14, y, o->sizeHint().width(), 22);
        y += 24;
    }

    search_button = new QPushButton(QStringLiteral("検索開始"), this);
    search_button->setObjectName("search_button");
    search_button->setGeometry(290, 70, 110, 30);
    close_button = new QPushButton(QStringLiteral("終了"), this);
    close_button->setObjectName("close_button");
    close_button->setGeometry(290, 112, 110, 30);

    searching_label = new QLabel(this);
    searching_label->setObjectName("searching_label");
    searching_label->setGeometry(16, 164, 388, 20);
    current_file = new QLineEdit(this);
    current_file->setObjectName("current_file");
    current_file->setGeometry(16, 190, 388, 24);
    current_file->setReadOnly(true);
    current_file->setFocusPolicy(Qt::NoFocus);

    connect(chromium_choice, &QRadioButton::clicked, this, [this] { choice_clicked(1); });
    connect(firefox_choice, &QRadioButton::clicked, this, [this] { choice_clicked(2); });
    connect(no_browser_choice, &QRadioButton::clicked, this, &BrowserSetupWindow::no_browser_chosen);
    connect(search_button, &QPushButton::clicked, this, &BrowserSetupWindow::search_for_browser);
    connect(close_button, &QPushButton::clicked, this, &BrowserSetupWindow::finish);
    lifecycle_->watch();
}

void BrowserSetupWindow::set_title_and_position() {
    instructions->setText(QStringLiteral("インストール直後のためブラウザを選択してください。"));
    search_button->setEnabled(false);
    lifecycle_->place();
}

void BrowserSetupWindow::choice_clicked(int) {
    instructions->setText(
        QStringLiteral("検索開始ボタンをクリックして下さい。\nブラウザの環境設定には少々時間がかかります。"));
    search_button->setEnabled(true);
}

void BrowserSetupWindow::no_browser_chosen() {
    const Question q{"確認メッセージ", "インターネットを利用した予約は行えません\n処理を続行しますか",
                     MessageIcon::exclamation, MessageButtons::ok_cancel, 0};
    if (services_.boxes.ask(q) != MessageAnswer::ok) return;
    app_.set_browser({BrowserKind::none_wanted, ""});
    finish();
}

void BrowserSetupWindow::show_file(const std::filesystem::path& file) {
    // Repainting once per file would make the search crawl; a few times a second is enough to see it move.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - last_repaint_ms_ < 80) return;
    last_repaint_ms_ = now;
    current_file->setText(QString::fromStdString(file.string()));
    QApplication::processEvents();
}

void BrowserSetupWindow::search_for_browser() {
    const int option = chromium_choice->isChecked() ? 1 : firefox_choice->isChecked() ? 2 : 0;
    if (option == 0) return;
    searching_label->setText(QStringLiteral("検索中..."));
    search_button->setEnabled(false);
    chromium_choice->setEnabled(option == 1);
    firefox_choice->setEnabled(option == 2);
    no_browser_choice->setEnabled(false);

    BrowserSearch search(search_targets_for(option),
                         [this](const std::filesystem::path& f) { show_file(f); });
    search_ = &search;
    const auto roots =
        services_.browser_roots.empty() ? browser_search_roots(services_.path_env) : services_.browser_roots;
    const bool found = search.search(roots);
    search_ = nullptr;

    if (found) {
        app_.set_browser({option == 1 ? BrowserKind::chromium_family : BrowserKind::firefox_family,
                          search.search_target()});
        // The choice is kept at once: a crash before the normal exit must not lose the long search.
        (void)write_settings(app_.ini_file(), app_.settings);
    }
    if (browser_ready(app_.browser())) search_button->setEnabled(true);
    finish();
}

void BrowserSetupWindow::reject() { finish(); }

void BrowserSetupWindow::finish() {
    if (search_ != nullptr) {
        // 終了 during a search: stop walking; the search's caller closes the window.
        search_->stop();
        return;
    }
    if (!lifecycle_->end_once()) return;
    QDialog::done(browser_ready(app_.browser()) ? QDialog::Accepted : QDialog::Rejected);
}

}  // namespace quorvel
