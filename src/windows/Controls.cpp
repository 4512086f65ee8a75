#include "windows/Controls.h"

#include <cmath>

namespace calbrine {

QLabel* makeLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(false);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QLineEdit* makeTextBox(QWidget* parent, const char* name, const char* spokenName,
                       Qt::Alignment alignment) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(QLatin1String(spokenName));
    box->setToolTip(QLatin1String(spokenName));
    box->setAlignment(alignment | Qt::AlignVCenter);
    box->setTextMargins(1, 0, 1, 0);
    // The boxes are only 270 units high; Qt's own frame and padding would hide the text.
    box->setStyleSheet(QStringLiteral(
        "QLineEdit { border: 1px solid #7a7a7a; padding: 0px; background: white; }"));
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: #e0e0e0; border: 1px solid #8a8a8a; padding: 0px; }"
        "QPushButton:hover { background-color: #e8e8e8; }"
        "QPushButton:pressed { background-color: #c8c8c8; }"
        "QPushButton:focus { border: 1px solid #2a5db0; }"));
    return button;
}

QPushButton* namedButton(const char* caption, const char* name) {
    auto* button = new QPushButton(QString::fromUtf8(caption));
    button->setObjectName(QLatin1String(name));
    return button;
}

QLabel* wrappedLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

void place(QWidget* control, const WindowUnits& units, double left, double top, double width,
           double height) {
    const int x = static_cast<int>(std::lround(units.x(left)));
    const int y = static_cast<int>(std::lround(units.y(top)));
    const int right = static_cast<int>(std::lround(units.x(left + width)));
    const int bottom = static_cast<int>(std::lround(units.y(top + height)));
    control->setGeometry(x, y, right - x, bottom - y);
}

}  // namespace calbrine
