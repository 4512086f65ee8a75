// The exit confirmation: "Exit / Quit" writes the last session and ends the program,
// "Cancel / Continue" (or the close box) returns to the design page unchanged.
#pragma once

#include <QDialog>
#include <QPushButton>

namespace calbrine {

class ExitDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ExitDialog(QWidget* parent = nullptr);
    // Sizes the dialog and its buttons from the screen and centres it there.
    void load();

    QPushButton* cancelButton;
    QPushButton* exitButton;

  private slots:
    void onCancel();
    void onExit();
};

// Asks, modally over the active window, whether to leave the program.
void showExitDialog();

}  // namespace calbrine
