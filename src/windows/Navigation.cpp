#include "windows/Navigation.h"

#include <QAccessibleWidget>
#include <QDialog>
#include <algorithm>
#include <vector>

namespace calbrine {

namespace {

// Asked first with the most derived class name, so that it answers for the program's windows
// before Qt's own factory answers for their base, QWidget.
QAccessibleInterface* WindowInterface(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->isWindow() || qobject_cast<QDialog*>(object) != nullptr ||
        !className.startsWith(QLatin1String("calbrine::"))) {
        return nullptr;
    }
    return new QAccessibleWidget(widget, QAccessible::Window);
}

}  // namespace

void InstallWindowAccessibility() {
    QAccessible::installFactory(WindowInterface);
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
