#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace quorvel {

struct AppState;

// The version window.
class VersionWindow final : public QDialog {
    Q_OBJECT
  public:
    explicit VersionWindow(AppState& app, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  // the title
    QLabel* Label2 = nullptr;  // the version
    QLabel* Label3 = nullptr;  // the data's date
    QPushButton* Command1 = nullptr;

    void reject() override;
    void end_proc();

  private:
    AppState& app_;
};

}  // namespace quorvel
