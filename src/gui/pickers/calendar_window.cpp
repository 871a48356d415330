// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pickers/calendar_window.hpp"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "common/day_number.hpp"
#include "gui/common/app_state.hpp"
#include "gui/common/qt_text.hpp"
#include "gui/common/window_lifecycle.hpp"

namespace quorvel {

namespace {

constexpr const char* object_name = "calendar_window";
constexpr const char* settings_key = "time_table12";  // its position in the settings file
constexpr int left = 12;
constexpr int cell_w = 40, cell_h = 30, step_x = 42, step_y = 32;
constexpr int labels_y = 48, days_y = 70;
constexpr int grid_right = left + 7 * step_x;

QPushButton* button(QWidget* parent, int n, const QString& caption, QRect r) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(n == 43 ? QStringLiteral("close_button") : QStringLiteral("day_button_%1").arg(n));
    b->setGeometry(r);
    // Enter in the year/month field must not press a day.
    b->setAutoDefault(false);
    return b;
}

}  // namespace

CalendarWindow::CalendarWindow(AppState& app, QWidget& owner)
    : QDialog(&owner),
      app_(app),
      lifecycle_(new WindowLifecycle(*this, app.settings, settings_key, nullptr, [this] { finish(); })) {
    setObjectName(object_name);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    build();
    show_month();
}

CalendarWindow::~CalendarWindow() = default;

CalendarWindow* CalendarWindow::open(AppState& app, QWidget& owner) {
    auto* calendar = owner.findChild<CalendarWindow*>(object_name, Qt::FindDirectChildrenOnly);
    // One that has closed may still wait for its deletion.
    if (calendar == nullptr || calendar->lifecycle_->ended()) calendar = new CalendarWindow(app, owner);
    calendar->show();
    calendar->raise();
    calendar->activateWindow();
    return calendar;
}

void CalendarWindow::build() {
    setFixedSize(grid_right + 18 + left, days_y + 6 * step_y + 10);

    month_field = new QLineEdit(this);
    month_field->setObjectName("month_field");
    month_field->setGeometry(left, 12, 100, 26);
    month_field->setAlignment(Qt::AlignCenter);

    close_button = button(this, 43, QStringLiteral("終了"), {grid_right + 18 - 88, 12, 88, 26});
    day_buttons[43] = close_button;
    connect(close_button, &QPushButton::clicked, this, &CalendarWindow::finish);

    const char* weekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int i = 0; i < 7; ++i) {
        auto* l = new QLabel(QString::fromLatin1(weekdays[i]), this);
        l->setObjectName(QStringLiteral("weekday_label_%1").arg(i + 1));
        l->setGeometry(left + i * step_x, labels_y, cell_w, 20);
        l->setAlignment(Qt::AlignCenter);
        // Sundays red and Saturdays blue, as on a Japanese wall calendar.
        if (i == 0) l->setStyleSheet(QStringLiteral("color: #c00000"));
        if (i == 6) l->setStyleSheet(QStringLiteral("color: #0000c0"));
        weekday_labels[i + 1] = l;
    }
    for (int n = 1; n <= 42; ++n) {
        const int row = (n - 1) / 7, col = (n - 1) % 7;
        QPushButton* b =
            button(this, n, QString(), {left + col * step_x, days_y + row * step_y, cell_w, cell_h});
        connect(b, &QPushButton::clicked, this, [this, n] { choose_day(n); });
        day_buttons[n] = b;
    }

    month_scroll = new QScrollBar(Qt::Vertical, this);
    month_scroll->setObjectName("month_scroll");
    month_scroll->setGeometry(grid_right, labels_y, 18, days_y - labels_y + 6 * step_y - (step_y - cell_h));
    // This month sits at the bottom and pushing the thumb up goes forward in time. A Qt scroll bar
    // grows downwards and its arrows keep their direction when only the picture is inverted, so
    // the bar runs from -60 at the top to -1 at the bottom and its value is minus the month.
    month_scroll->setRange(-calendar_months, -1);
    month_scroll->setPageStep(1);
    month_scroll->setValue(-1);
    connect(month_scroll, &QScrollBar::valueChanged, this, [this](int value) { scroll_to_month(-value); });

    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    lifecycle_->watch();
    set_title_and_position();
    month_field->setFocus();
}

void CalendarWindow::set_title_and_position() {
    setWindowTitle(qs(app_.identity.app_title));
    lifecycle_->place();
    // The calendar always opens on the current month.
    const CivilDate today = civil_date(app_.today);
    today_year_ = today.year;
    today_month_ = today.month;
    cal_ = {today_year_, today_month_};
    month_field->setText(qs(calendar_text(cal_)));
}

void CalendarWindow::show_month() {
    button_day_ = quorvel::month_grid(cal_);
    for (std::size_t n = 1; n <= 42; ++n) {
        QPushButton* b = day_buttons[n];
        if (button_day_[n] != 0) {
            b->setText(QString::number(button_day_[n]));
            b->show();
        } else {
            b->setText(QString());
            b->hide();
        }
    }
}

int CalendarWindow::months_ahead() const { return -month_scroll->value(); }

void CalendarWindow::set_months_ahead(int v) { month_scroll->setValue(-v); }

void CalendarWindow::scroll_to_month(int v) {
    cal_ = month_for_scroll(today_year_, today_month_, v);
    month_field->setText(qs(calendar_text(cal_)));
    show_month();
}

void CalendarWindow::enter_month() {
    const auto typed = parse_calendar_text(ss(month_field->text()), today_year_, today_month_);
    month_field->selectAll();
    if (!typed) return;  // refused: the month shown stays, the focus stays for a new try
    cal_ = *typed;
    // The bar follows the typed month so that its arrows go on from there. Its own change
    // handler would only compute the same month again.
    const int offset = (cal_.cal_year - today_year_) * 12 + (cal_.cal_month - today_month_);
    month_scroll->blockSignals(true);
    set_months_ahead(offset + 1);
    month_scroll->blockSignals(false);
    month_field->setText(qs(calendar_text(cal_)));
    month_field->selectAll();
    show_month();
}

void CalendarWindow::choose_day(int n) {
    const auto choice = calendar_choice(cal_, button_day_[n]);
    if (choice) {
        SearchConditions& c = app_.cond;
        c.travel_year = choice->travel_year;
        c.travel_month = choice->travel_month;
        c.travel_day = choice->travel_day;
        c.travel_date = choice->travel_date;
        c.travel_weekday = choice->travel_weekday;
    }
    finish();
    if (choice)
        emit date_chosen(qs(choice->year_text), qs(choice->month_text), qs(choice->day_text),
                         qs(choice->weekday_text));
}

bool CalendarWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && watched == month_field) {
            enter_month();
            return true;
        }
    } else if (event->type() == QEvent::FocusIn && watched == month_field) {
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, month_field, [t = month_field] { t->selectAll(); });
    }
    return QDialog::eventFilter(watched, event);
}

void CalendarWindow::reject() { finish(); }

void CalendarWindow::finish() {
    if (!lifecycle_->end_once()) return;
    QDialog::done(QDialog::Rejected);
}

}  // namespace quorvel
