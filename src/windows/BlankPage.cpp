#include "windows/BlankPage.h"

#include <QIcon>
#include <QPixmap>
#include <QPointer>

#include "windows/PersistentPicture.h"
#include "windows/ProgramFrame.h"

namespace calbrine {

namespace {
QPointer<BlankPage> blankPage;
}

BlankPage::BlankPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmBlank"));
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    // The blank page carries no icon: an empty picture in place of the program's.
    QPixmap empty(16, 16);
    empty.fill(Qt::transparent);
    setWindowIcon(QIcon(empty));
}

void BlankPage::load() {
    units_ = screenUnits(DesignWindowClientWidth, DesignWindowClientHeight);
    setFont(scaledFont(QStringLiteral("Microsoft Sans Serif"), units_.fontPoints()));
}

BlankPage* showBlankPage() {
    if (!blankPage) {
        blankPage = new BlankPage;
        blankPage->load();
    }
    ProgramFrame::showPage(*blankPage);
    return blankPage;
}

void unloadBlankPage() {
    if (blankPage) {
        BlankPage* page = blankPage;
        blankPage = nullptr;
        page->close();
    }
}

}  // namespace calbrine
