// The exit confirmation: "Exit / Quit" writes the last session and ends the program,
// "Cancel / Continue" (or the close box) returns to the design window unchanged.
#pragma once

#include <QDialog>
#include <QPushButton>

namespace calbrine {

class frmExit : public QDialog {
    Q_OBJECT

  public:
    explicit frmExit(QWidget* parent = nullptr);
    void Form_Load();

    QPushButton* cmdCancel;
    QPushButton* cmdExit;

  public slots:
    void cmdCancel_Click();
    void cmdExit_Click();
};

// Shows the exit window modally over the active window.
void ShowExitWindow();

}  // namespace calbrine
