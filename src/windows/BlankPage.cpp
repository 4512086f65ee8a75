#include "windows/BlankPage.h"

#include <QIcon>
#include <QPixmap>
#include <QPointer>

#include "windows/PersistentPicture.h"
#include "windows/ProgramFrame.h"

namespace calbrine {

namespace {
QPointer<frmBlank> blankWindow;
}

frmBlank::frmBlank(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmBlank"));
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    // The blank window carries no icon: an empty picture in place of the program's.
    QPixmap empty(16, 16);
    empty.fill(Qt::transparent);
    setWindowIcon(QIcon(empty));
}

void frmBlank::Form_Load() {
    units_ = ScreenUnits(DesignWindowClientWidth, DesignWindowClientHeight);
    setFont(ScaledFont(QStringLiteral("Microsoft Sans Serif"), units_.FontPoints()));
}

frmBlank* ShowBlankWindow() {
    if (!blankWindow) {
        blankWindow = new frmBlank;
        blankWindow->Form_Load();
    }
    ProgramFrame::Show(*blankWindow);
    return blankWindow;
}

void UnloadBlankWindow() {
    if (blankWindow) {
        frmBlank* window = blankWindow;
        blankWindow = nullptr;
        window->close();
    }
}

frmBlank* BlankWindow() {
    return blankWindow;
}

}  // namespace calbrine
