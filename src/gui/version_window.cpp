#include "gui/version_window.hpp"

#include <QLabel>
#include <QPushButton>

#include "gui/common/app_state.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/window_place.hpp"

namespace quorvel {

namespace {
constexpr const char* window_name = "time_table92";
}

VersionWindow::VersionWindow(AppState& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName(window_name);
    setWindowTitle(QStringLiteral("バージョン情報"));
    setFixedSize(360, 170);
    Label1 = new QLabel(qs(app.identity.app_title), this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(16, 20, 328, 24);
    Label2 = new QLabel(qs("Version  " + app.identity.app_version), this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(16, 54, 328, 22);
    Label3 = new QLabel(qs("データ " + app.identity.data_date), this);
    Label3->setObjectName("Label3");
    Label3->setGeometry(16, 80, 328, 22);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(244, 124, 100, 30);
    connect(Command1, &QPushButton::clicked, this, &VersionWindow::end_proc);
    if (const auto* pos = app.settings.position(window_name)) place_window(*this, *pos);
}

void VersionWindow::reject() { end_proc(); }

void VersionWindow::end_proc() {
    if (auto* pos = app_.settings.position(window_name)) remember_position(*this, *pos);
    QDialog::done(QDialog::Accepted);
}

}  // namespace quorvel
