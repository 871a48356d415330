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
#include "gui/common/window_place.hpp"
#include "platform/browser_search.hpp"

namespace quorvel {

namespace {
constexpr const char* window_name = "infhotel92";
}

BrowserSetupWindow::BrowserSetupWindow(AppState& app, Services& services, QWidget* parent)
    : QDialog(parent), app_(app), services_(services) {
    setObjectName(window_name);
    init_sec();
    set_form1();
}

BrowserSetupWindow::~BrowserSetupWindow() = default;

void BrowserSetupWindow::init_sec() {
    setWindowTitle(QStringLiteral("ケルバホテル情報＆予約"));
    setFixedSize(420, 250);

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(16, 12, 388, 36);
    Label1->setWordWrap(true);

    auto* frame = new QGroupBox(QStringLiteral("ブラウザの選択"), this);
    frame->setObjectName("Frame1");
    frame->setGeometry(16, 54, 250, 100);
    Option1 = new QRadioButton(QStringLiteral("Internet Explorer"), frame);
    Option2 = new QRadioButton(QStringLiteral("Netscape Navigator"), frame);
    Option3 = new QRadioButton(QStringLiteral("未使用"), frame);
    int y = 22;
    for (QRadioButton* o : {Option1, Option2, Option3}) {
        o->setObjectName(QStringLiteral("Option%1").arg((y - 22) / 24 + 1));
        // As wide as its caption: a click beside the text must not choose it.
        o->setGeometry(14, y, o->sizeHint().width(), 22);
        y += 24;
    }
    // On this platform the two choices find the browsers that took their place.
    Option1->setToolTip(QStringLiteral("Chromium / Google Chrome"));
    Option2->setToolTip(QStringLiteral("Firefox"));

    Command2 = new QPushButton(QStringLiteral("検索開始"), this);
    Command2->setObjectName("Command2");
    Command2->setGeometry(290, 70, 110, 30);
    Command1 = new QPushButton(QStringLiteral("終了"), this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(290, 112, 110, 30);

    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(16, 164, 388, 20);
    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setGeometry(16, 190, 388, 24);
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::NoFocus);

    connect(Option1, &QRadioButton::clicked, this, [this] { Option_Click(1); });
    connect(Option2, &QRadioButton::clicked, this, [this] { Option_Click(2); });
    connect(Option3, &QRadioButton::clicked, this, &BrowserSetupWindow::Option3_Click);
    connect(Command2, &QPushButton::clicked, this, &BrowserSetupWindow::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &BrowserSetupWindow::end_proc);
}

void BrowserSetupWindow::set_form1() {
    Label1->setText(QStringLiteral("インストール直後のためブラウザを選択してください。"));
    Command2->setEnabled(false);
    if (const auto* pos = app_.settings.position(window_name)) place_window(*this, *pos);
}

void BrowserSetupWindow::Option_Click(int) {
    Label1->setText(
        QStringLiteral("検索開始ボタンをクリックして下さい。\nブラウザの環境設定には少々時間がかかります。"));
    Command2->setEnabled(true);
}

void BrowserSetupWindow::Option3_Click() {
    const Question q{"確認メッセージ", "インターネットを利用した予約は行えません\n処理を続行しますか",
                     MessageIcon::exclamation, MessageButtons::ok_cancel, 0};
    if (services_.boxes.ask(q) != MessageAnswer::ok) return;
    app_.set_browser({"3", ""});
    end_proc();
}

void BrowserSetupWindow::show_file(const std::filesystem::path& file) {
    // Repainting once per file would make the search crawl; a few times a second is enough to see it move.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - last_repaint_ms_ < 80) return;
    last_repaint_ms_ = now;
    Text1->setText(QString::fromStdString(file.string()));
    QApplication::processEvents();
}

void BrowserSetupWindow::Command2_Click() {
    const int option = Option1->isChecked() ? 1 : Option2->isChecked() ? 2 : 0;
    if (option == 0) return;
    Label2->setText(QStringLiteral("検索中..."));
    Command2->setEnabled(false);
    Option1->setEnabled(option == 1);
    Option2->setEnabled(option == 2);
    Option3->setEnabled(false);

    BrowserSearch search(search_targets_for(option),
                         [this](const std::filesystem::path& f) { show_file(f); });
    search_ = &search;
    const auto roots =
        services_.browser_roots.empty() ? browser_search_roots(services_.path_env) : services_.browser_roots;
    const bool found = search.search(roots);
    search_ = nullptr;

    if (found) {
        app_.set_browser({option == 1 ? "1" : "2", search.search_target()});
        // The choice is kept at once: a crash before the normal exit must not lose the long search.
        (void)write_settings(app_.ini_file(), app_.settings);
    }
    if (browser_ready(app_.browser())) Command2->setEnabled(true);
    end_proc();
}

void BrowserSetupWindow::reject() { end_proc(); }

void BrowserSetupWindow::end_proc() {
    if (search_ != nullptr) {
        // 終了 during a search: stop walking; the search's caller closes the window.
        search_->stop();
        return;
    }
    if (auto* pos = app_.settings.position(window_name)) remember_position(*this, *pos);
    QDialog::done(browser_ready(app_.browser()) ? QDialog::Accepted : QDialog::Rejected);
}

}  // namespace quorvel
