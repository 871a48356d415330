// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/qt_services.hpp"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>

#include "common/file_io.hpp"
#include "common/sjis.hpp"
#include "common/text.hpp"
#include "gui/common/qt_text.hpp"
#include "platform/xdg_desktop.hpp"

namespace quorvel {

namespace {

constexpr const char* help_viewer_name = "help_viewer";

// The window a question belongs to: the active one, unless that is the help window, which must stay
// readable while the question waits; then another window of the program.
QWidget* question_owner() {
    QWidget* active = QApplication::activeWindow();
    if (active != nullptr && active->objectName() != help_viewer_name) return active;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->objectName() != help_viewer_name && !qobject_cast<QMessageBox*>(top))
            return top;
    return nullptr;
}

}  // namespace

MessageAnswer QtMessageBoxes::ask(const Question& q) {
    QMessageBox box(question_owner());
    box.setWindowTitle(qs(q.title));
    box.setText(qs(q.text));
    switch (q.icon) {
        case MessageIcon::information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    switch (q.buttons) {
        case MessageButtons::ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::ok_cancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::yes_no:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    if (q.help_topic != 0) {
        QPushButton* help = box.addButton(QMessageBox::Help);
        // Any button of the box's button row closes the box, Help as well: cut the button off from
        // the row, so that the help is looked up while the question stays and waits for its answer.
        help->disconnect();
        const int topic = q.help_topic;
        QObject::connect(help, &QPushButton::clicked, &box, [this, topic] { help_.show_topic(topic); });
    }
    // Modal to its own window only: the help window it opens can be scrolled and its links followed
    // while the question waits.
    box.setWindowModality(box.parentWidget() != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    switch (box.exec()) {
        case QMessageBox::Ok:
            return MessageAnswer::ok;
        case QMessageBox::Yes:
            return MessageAnswer::yes;
        case QMessageBox::No:
            return MessageAnswer::no;
        default:
            return q.buttons == MessageButtons::yes_no ? MessageAnswer::no : MessageAnswer::cancel;
    }
}

bool QtBrowserLauncher::launch(const std::string& program, const std::vector<std::string>& args,
                               WindowStyle) {
    // The window style is the window manager's to honour; browsers take no common option for it,
    // and the page must stay the one argument the browser is given.
    QStringList list;
    for (const auto& a : args) list << qs(a);
    return QProcess::startDetached(qs(program), list);
}

HelpWindow::~HelpWindow() { delete browser_.data(); }

void HelpWindow::open_at(const QString& anchor) {
    if (!browser_) {
        browser_ = new QTextBrowser;
        browser_->setObjectName(help_viewer_name);
        browser_->setWindowTitle(QStringLiteral("ヘルプ"));
        browser_->setOpenExternalLinks(false);
        browser_->resize(640, 520);
        QFile f(QString::fromStdString(file_.string()));
        if (f.open(QIODevice::ReadOnly))
            browser_->setHtml(QString::fromUtf8(f.readAll()));
        else
            browser_->setPlainText(QStringLiteral("ヘルプファイルが見つかりません: ") +
                                   QString::fromStdString(file_.string()));
    }
    browser_->show();
    browser_->raise();
    browser_->scrollToAnchor(anchor);
}

void HelpWindow::show_index() { open_at(QStringLiteral("index")); }
void HelpWindow::show_topic(int topic) { open_at(QStringLiteral("t%1").arg(topic)); }
void HelpWindow::close() {
    if (browser_) browser_->close();
}

namespace {

// A report line as the printer shows it: tabs run to the next multiple of eight columns, a
// full-width character taking two.
QString expand_tabs(const std::string& line) {
    QString out;
    int column = 0;
    for (const QChar c : qs(line)) {
        if (c == QLatin1Char('\t')) {
            const int next = (column / 8 + 1) * 8;
            out += QString(next - column, QLatin1Char(' '));
            column = next;
        } else {
            out += c;
            column += c.unicode() < 0x100 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? 1 : 2;
        }
    }
    return out;
}

}  // namespace

bool print_lines(QPrinter& printer, const PrintJob& job) {
    printer.setDocName(qs(job.title));
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSizeF(job.point_size);
    font.setStyleHint(QFont::Monospace);
    painter.setFont(font);
    const int line_height = painter.fontMetrics().lineSpacing();
    const QRect page = painter.viewport();
    int y = painter.fontMetrics().ascent();
    for (const auto& line : job.lines) {
        if (y > page.height() - line_height) {
            if (!printer.newPage()) return false;
            y = painter.fontMetrics().ascent();
        }
        painter.drawText(0, y, expand_tabs(line));
        y += line_height;
    }
    return painter.end();
}

PrintOutcome QtPrinter::print(const PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::cancelled;
    return print_lines(printer, job) ? PrintOutcome::printed : PrintOutcome::failed;
}

PrintOutcome PdfPrinter::print(const PrintJob& job) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file_.string()));
    ++jobs_;
    return print_lines(printer, job) ? PrintOutcome::printed : PrintOutcome::failed;
}

namespace {

std::string env(const char* name) {
    const QByteArray v = qgetenv(name);
    return std::string(v.constData(), static_cast<std::size_t>(v.size()));
}

// The desktop id of the default web browser: xdg-settings when installed, else the mimeapps files.
std::optional<std::string> default_browser_id(const XdgDirs& dirs) {
    QProcess p;
    p.start(QStringLiteral("xdg-settings"), {QStringLiteral("get"), QStringLiteral("default-web-browser")});
    if (p.waitForFinished(3000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) {
        const std::string id = trim_wide(ss(QString::fromUtf8(p.readAllStandardOutput()).trimmed()));
        if (!id.empty()) return id;
    }
    return default_browser_id_from_mimeapps(dirs);
}

}  // namespace

bool XdgKeyValueSource::read_value(std::string_view key, std::string_view, std::string& found) const {
    found.clear();
    if (key != http_command_key) return false;
    const XdgDirs dirs = xdg_dirs(env("HOME"), env("XDG_CONFIG_HOME"), env("XDG_CONFIG_DIRS"),
                                  env("XDG_DATA_HOME"), env("XDG_DATA_DIRS"));
    const auto id = default_browser_id(dirs);
    if (!id) return false;
    const auto file = find_desktop_file(dirs, *id);
    if (!file) return false;
    auto bytes = read_file_bytes(*file);
    if (!bytes) return false;
    auto exec = desktop_entry_value(as_chars(*bytes), "Exec");
    if (!exec) return false;
    found = *exec;
    return true;
}

}  // namespace quorvel
