#include "windows/ExitDialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "files/DesignFiles.h"
#include "platform/QtRunTimeServices.h"
#include "windows/Controls.h"
#include "windows/PersistentPicture.h"

namespace calbrine {

namespace {
constexpr double designClientHeightTwips = 3240;

int Pixels(double twips) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}
}  // namespace

frmExit::frmExit(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmExit"));
    setWindowTitle(QStringLiteral("Calbrine - exit ?"));
    setModal(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    // First in the tab order and the default button, so that Enter continues.
    cmdCancel = MakeButton(this, "cmdCancel", "Cancel / Continue");
    cmdExit = MakeButton(this, "cmdExit", "Exit / Quit");
    cmdCancel->setDefault(true);
    cmdCancel->setAutoDefault(true);
    cmdExit->setAutoDefault(false);
    setTabOrder(cmdCancel, cmdExit);
    connect(cmdCancel, &QPushButton::clicked, this, &frmExit::cmdCancel_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmExit::cmdExit_Click);
}

void frmExit::Form_Load() {
    const QSize screen = ScreenSize();
    const double sw = screen.width() * TwipsPerPixel;
    const double sh = screen.height() * TwipsPerPixel;
    setFixedSize(Pixels(sw * 0.3), Pixels(designClientHeightTwips));
    const QFont font = ScaledFont(QStringLiteral("Microsoft Sans Serif"), sh * 0.0008);
    cmdCancel->setGeometry(Pixels(720), Pixels(sh * 0.05), Pixels(sw * 0.18), Pixels(480));
    cmdCancel->setFont(font);
    cmdExit->setGeometry(Pixels(720), Pixels(sh * 0.12), Pixels(sw * 0.18), Pixels(480));
    cmdExit->setFont(font);
    // Centred on the screen.
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        move(primary->geometry().center() - rect().center());
    }
    cmdCancel->setFocus();
}

void frmExit::cmdCancel_Click() {
    reject();
}

void frmExit::cmdExit_Click() {
    // A failed write shows its own message and does not stop the exit.
    WriteLastSession();
    accept();
    EndProgram();
}

void ShowExitWindow() {
    frmExit window(QApplication::activeWindow());
    window.Form_Load();
    RunModal(window);
}

}  // namespace calbrine
