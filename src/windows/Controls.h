// Making and placing the controls of the program's windows.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "windows/WindowUnits.h"

namespace calbrine {

// A label with a transparent background and left-aligned text.
QLabel* makeLabel(QWidget* parent, const char* name, const char* text);
// An entry box; `spokenName` says in words what it holds, for screen readers and its tooltip.
QLineEdit* makeTextBox(QWidget* parent, const char* name, const char* spokenName,
                       Qt::Alignment alignment);
// A light grey (0xE0E0E0) button.
QPushButton* makeButton(QWidget* parent, const char* name, const char* caption);

// A button of the newer windows, in the style of the desktop, with its objectName.
QPushButton* namedButton(const char* caption, const char* name);
// A label of the newer windows whose text wraps, with its objectName.
QLabel* wrappedLabel(const char* name);
// Places a control at a position and size given in window units.
void place(QWidget* control, const WindowUnits& units, double left, double top, double width,
           double height);

}  // namespace calbrine
