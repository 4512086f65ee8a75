#include "windows/ProgramFrame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>

namespace calbrine {

namespace {
QPointer<ProgramFrame> frame;

// The keys go to the page that comes on top: its first tab stop takes the focus as Tab gives
// it, so that an entry box has its text selected and typing replaces it.
void focusFirstTabStop(QWidget& page) {
    for (QWidget* control = page.nextInFocusChain(); control != &page;
         control = control->nextInFocusChain()) {
        if (page.isAncestorOf(control) && (control->focusPolicy() & Qt::TabFocus) != 0 &&
            control->isVisible() && control->isEnabled()) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
}  // namespace

ProgramFrame::ProgramFrame() {
    setObjectName(QStringLiteral("programFrame"));
    setAttribute(Qt::WA_DeleteOnClose);
    connect(this, &QStackedWidget::currentChanged, this, &ProgramFrame::followCurrentPage);
}

void ProgramFrame::showPage(QWidget& page) {
    if (!frame) {
        frame = new ProgramFrame;
    }
    if (!frame->isVisible()) {
        // Without a window manager to maximize it, the frame takes the available area itself.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            frame->setGeometry(screen->availableGeometry());
        }
    }
    if (frame->currentWidget() != &page) {
        const QScopedValueRollback<bool> switching(frame->switching_, true);
        // The page shown last is the last of the stack, so that when it closes the stack puts
        // the page shown before it on top.
        frame->removeWidget(&page);
        frame->addWidget(&page);
        page.installEventFilter(frame);
        // The page going under gives up the keys here; the stack would hand them on itself, to
        // whichever of the new page's controls followed in the order the pages were made, and
        // without the selection that Tab makes.
        if (QWidget* focused = frame->focusWidget()) {
            focused->clearFocus();
        }
        frame->setCurrentWidget(&page);
    }
    if (!frame->isVisible()) {
        frame->showMaximized();
        focusFirstTabStop(page);  // its controls could not take the keys before they were shown
    }
}

ProgramFrame* ProgramFrame::current() {
    return frame;
}

void ProgramFrame::followCurrentPage() {
    if (QWidget* page = currentWidget()) {
        setWindowTitle(page->windowTitle());
        setWindowIcon(page->windowIcon());
        focusFirstTabStop(*page);
    } else {
        hide();  // the last page has gone; the program is ending
    }
}

void ProgramFrame::closeEvent(QCloseEvent* event) {
    QWidget* page = currentWidget();
    event->setAccepted(page == nullptr || page->close());
}

bool ProgramFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::HideToParent && !switching_) {  // a page closed or hidden
        // Out of the stack: if it was on top, the page shown before it takes its place.
        removeWidget(static_cast<QWidget*>(watched));
    }
    return QStackedWidget::eventFilter(watched, event);
}

}  // namespace calbrine
