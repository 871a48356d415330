// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "gui/main_window.hpp"
#include "gui/search/result_window.hpp"
#include "gui/support/test_services.hpp"
#include "timetable/timetable_reader.hpp"

namespace quorvel::test {

// The main window on the sample timetable, opening result windows as the program does.
struct SampleSearch {
    explicit SampleSearch(Printer* printer = nullptr)
        : services{t.boxes, t.launcher, t.help, printer != nullptr ? *printer : t.printer,
                   t.clock, t.keys,     {},     ""} {
        auto tt = load_timetable_file(std::filesystem::path(QUORVEL_BIN_DIR) / "timedata.dat");
        if (!tt) qFatal("sample timetable: %s", tt.error().message.c_str());
        t.app.timetable = std::move(*tt);
        t.app.settings.result_order = 3;
        MainWindowHooks hooks;
        hooks.open_results = [this](MainWindow& main) {
            auto* w = new ResultWindow(t.app, services, main, result_hooks);
            main.attach_result_window(*w);
            results = w;
            if (w->run_search()) w->show();
        };
        window = std::make_unique<MainWindow>(t.app, services, hooks);
        window->show();
    }

    // Fills the form as a user types it; the travel date is 2004/01/20, a Tuesday.
    void form(const char* from, const char* to, QRadioButton* connections, const char* dep_from = "6",
              const char* dep_to = "17") {
        MainWindow& w = *window;
        w.from_airport->setText(QString::fromUtf8(from));
        w.to_airport->setText(QString::fromUtf8(to));
        w.departure.from_hour->setText(QString::fromUtf8(dep_from));
        w.departure.from_minute->setText("0");
        w.departure.to_hour->setText(QString::fromUtf8(dep_to));
        w.departure.to_minute->setText("0");
        w.arrival.from_hour->setText("6");
        w.arrival.from_minute->setText("0");
        w.arrival.to_hour->setText("23");
        w.arrival.to_minute->setText("59");
        w.max_wait->setText("60");
        w.travel_day->setText("20");
        QTest::mouseClick(connections, Qt::LeftButton);
        QTest::mouseClick(w.all_per_flight, Qt::LeftButton);
    }
    // 検索開始, answering the question about connections with OK.
    ResultWindow* search() {
        t.boxes.answers.push_back(MessageAnswer::ok);
        QTest::mouseClick(window->search_button, Qt::LeftButton);
        if (results.isNull()) {
            QString texts;
            for (QLineEdit* f : window->findChildren<QLineEdit*>()) texts += f->text() + "|";
            qWarning("no result window: %s", qPrintable(texts));
        }
        return results.data();
    }

    TestApp t;
    Services services;
    ResultWindowHooks result_hooks;
    std::unique_ptr<MainWindow> window;
    QPointer<ResultWindow> results;
};

}  // namespace quorvel::test
