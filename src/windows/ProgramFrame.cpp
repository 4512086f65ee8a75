#include "windows/ProgramFrame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace calbrine {

namespace {
QPointer<ProgramFrame> frame;

// The keys go to the page on top: a page shown without a focused control of its own gives
// the focus to its first tab stop, as Tab would, so that an entry box has its text selected
// and typing replaces it. Otherwise where the keys went would depend on the order in which
// the pages were made.
void FocusFirstTabStop(QWidget& page) {
    const QWidget* focused = frame->focusWidget();
    if (focused != nullptr && page.isAncestorOf(focused) && focused->isVisible()) {
        return;
    }
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
    if (page.parentWidget() != frame) {
        page.setParent(frame);
        page.installEventFilter(frame);
    }
    page.setGeometry(frame->rect());
    page.raise();
    page.show();
    frame->followTopPage();
    if (!frame->isVisible()) {
        frame->showMaximized();
    }
    FocusFirstTabStop(page);
}

QWidget* ProgramFrame::topPage() const {
    const QObjectList& pages = children();  // raise() moves a page to the end
    for (auto page = pages.rbegin(); page != pages.rend(); ++page) {
        auto* widget = qobject_cast<QWidget*>(*page);
        if (widget != nullptr && !widget->isHidden()) {
            return widget;
        }
    }
    return nullptr;
}

void ProgramFrame::followTopPage() {
    if (QWidget* page = topPage()) {
        setWindowTitle(page->windowTitle());
        setWindowIcon(page->windowIcon());
    } else {
        hide();  // the last page has gone; the program is ending
    }
}

void ProgramFrame::closeEvent(QCloseEvent* event) {
    QWidget* page = topPage();
    event->setAccepted(page == nullptr || page->close());
}

void ProgramFrame::resizeEvent(QResizeEvent* event) {
    for (QObject* child : children()) {
        if (auto* page = qobject_cast<QWidget*>(child)) {
            page->setGeometry(rect());
        }
    }
    QWidget::resizeEvent(event);
}

bool ProgramFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::HideToParent) {  // a page closed or hidden
        followTopPage();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace calbrine
