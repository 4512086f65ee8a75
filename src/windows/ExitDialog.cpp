#include "windows/ExitDialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "design/DesignSession.h"
#include "files/DesignFiles.h"
#include "platform/QtRunTimeServices.h"
#include "windows/Controls.h"
#include "windows/PersistentPicture.h"

namespace calbrine {

namespace {
constexpr double designClientHeightTwips = 3240;

int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}
}  // namespace

ExitDialog::ExitDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmExit"));
    setWindowTitle(QStringLiteral("Calbrine - exit ?"));
    setModal(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    // First in the tab order and the default button, so that Enter continues.
    cancelButton = makeButton(this, "cmdCancel", "Cancel / Continue");
    exitButton = makeButton(this, "cmdExit", "Exit / Quit");
    cancelButton->setDefault(true);
    cancelButton->setAutoDefault(true);
    exitButton->setAutoDefault(false);
    setTabOrder(cancelButton, exitButton);
    connect(cancelButton, &QPushButton::clicked, this, &ExitDialog::onCancel);
    connect(exitButton, &QPushButton::clicked, this, &ExitDialog::onExit);
}

void ExitDialog::load() {
    const QSize screen = screenSize();
    const double sw = screen.width() * TwipsPerPixel;
    const double sh = screen.height() * TwipsPerPixel;
    setFixedSize(toPixels(sw * 0.3), toPixels(designClientHeightTwips));
    const QFont font = scaledFont(QStringLiteral("Microsoft Sans Serif"), sh * 0.0008);
    cancelButton->setGeometry(toPixels(720), toPixels(sh * 0.05), toPixels(sw * 0.18),
                              toPixels(480));
    cancelButton->setFont(font);
    exitButton->setGeometry(toPixels(720), toPixels(sh * 0.12), toPixels(sw * 0.18), toPixels(480));
    exitButton->setFont(font);
    // Centred on the screen.
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        move(primary->geometry().center() - rect().center());
    }
    cancelButton->setFocus();
}

void ExitDialog::onCancel() {
    reject();
}

void ExitDialog::onExit() {
    // A failed write shows its own message and does not stop the exit.
    WriteLastSessionRecord(ProgramSession().design);
    accept();
    EndProgram();
}

void showExitDialog() {
    ExitDialog dialog(QApplication::activeWindow());
    dialog.load();
    RunModal(dialog);
}

}  // namespace calbrine
