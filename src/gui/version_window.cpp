// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/version_window.hpp"

#include <QLabel>
#include <QPushButton>

#include "gui/common/app_state.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/window_lifecycle.hpp"

namespace quorvel {

namespace {
constexpr const char* object_name = "version_window";
constexpr const char* settings_key = "time_table92";  // its position in the settings file
}  // namespace

VersionWindow::VersionWindow(AppState& app, QWidget* parent)
    : QDialog(parent),
      app_(app),
      lifecycle_(new WindowLifecycle(*this, app.settings, settings_key, nullptr, [this] { finish(); })) {
    setObjectName(object_name);
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(360, 170);
    title_label = new QLabel(qs(app.identity.app_title), this);
    title_label->setObjectName("title_label");
    title_label->setGeometry(16, 20, 328, 24);
    version_label = new QLabel(qs("Version  " + app.identity.app_version), this);
    version_label->setObjectName("version_label");
    version_label->setGeometry(16, 54, 328, 22);
    data_date_label = new QLabel(qs("データ " + app.identity.data_date), this);
    data_date_label->setObjectName("data_date_label");
    data_date_label->setGeometry(16, 80, 328, 22);
    ok_button = new QPushButton(QStringLiteral("OK"), this);
    ok_button->setObjectName("ok_button");
    ok_button->setGeometry(244, 124, 100, 30);
    connect(ok_button, &QPushButton::clicked, this, &VersionWindow::finish);
    lifecycle_->watch();
    lifecycle_->place();
}

void VersionWindow::reject() { finish(); }

void VersionWindow::finish() {
    if (!lifecycle_->end_once()) return;
    QDialog::done(QDialog::Accepted);
}

}  // namespace quorvel
