#include "windows/Navigation.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <vector>

namespace calbrine {

namespace {

// Asked first with the most derived class name, so that it answers for the program's windows
// before Qt's own factory answers for their base, QWidget.
QAccessibleInterface* windowInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->isWindow() || qobject_cast<QDialog*>(object) != nullptr ||
        !className.startsWith(QLatin1String("calbrine::"))) {
        return nullptr;
    }
    return new QAccessibleWidget(widget, QAccessible::Window);
}

// Refuses a box's claim on the keys of its window's buttons, so that the shortcut goes to the
// button; every other key stays the box's own. It watches the whole program, ahead of the
// boxes themselves, so it also covers boxes made later.
class ShortcutPass : public QObject {
  public:
    explicit ShortcutPass(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride ||
            qobject_cast<QLineEdit*>(watched) == nullptr ||
            !window_->isAncestorOf(static_cast<QWidget*>(watched))) {
            return false;
        }
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAbstractButton* button : window_->findChildren<QAbstractButton*>()) {
            if (!button->shortcut().isEmpty() && button->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
        return false;
    }

  private:
    QWidget* window_;
};

}  // namespace

void LetShortcutsPassBoxes(QWidget* window) {
    QCoreApplication::instance()->installEventFilter(new ShortcutPass(window));
}

void CloseOnEscape(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

void KeepOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    if (window->layout() != nullptr) {
        window->layout()->activate();  // so that the window cannot shrink below its layout
    }
    // The frame's extra size around the client area; before the first show it is not known,
    // so a title bar's worth is kept free then.
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    QSize extra(outer.width() - inner.width(), outer.height() - inner.height());
    if (!window->testAttribute(Qt::WA_WState_Created) || extra.isEmpty()) {
        extra = extra.expandedTo(QSize(0, 40));
    }
    const QSize size = inner.size().boundedTo(area.size() - extra);
    window->resize(size);
    QRect placed(outer.topLeft(), size + extra);
    if (!window->isVisible()) {
        placed.moveCenter(area.center());
    }
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() + 1 - placed.height()));
    window->move(placed.topLeft());
}

void InstallWindowAccessibility() {
    QAccessible::installFactory(windowInterface);
}

void GiveShortcut(QAbstractButton* button, const QKeySequence& keys) {
    button->setShortcut(keys);
    button->setToolTip(button->text() + QStringLiteral(" (") +
                       keys.toString(QKeySequence::NativeText) + QLatin1Char(')'));
}

void OrderTabsByPlace(QWidget* window) {
    std::vector<QWidget*> controls;
    for (QWidget* child : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if ((child->focusPolicy() & Qt::TabFocus) != 0) {
            controls.push_back(child);
        }
    }
    const auto byTop = [](QWidget* a, QWidget* b) { return a->y() < b->y(); };
    std::stable_sort(controls.begin(), controls.end(), byTop);
    std::vector<QWidget*> order;
    for (auto row = controls.begin(); row != controls.end();) {
        const int rowEnd = (*row)->y() + (*row)->height() / 2;
        const auto next =
            std::find_if(row, controls.end(), [rowEnd](QWidget* w) { return w->y() >= rowEnd; });
        std::vector<QWidget*> cells(row, next);
        std::stable_sort(cells.begin(), cells.end(),
                         [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
        order.insert(order.end(), cells.begin(), cells.end());
        row = next;
    }
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

}  // namespace calbrine
