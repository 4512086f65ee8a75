// Keyboard and screen-reader conventions the program's windows share: shortcuts that the
// buttons' tooltips name, and a tab order that follows where the controls stand.
#pragma once

#include <QAbstractButton>
#include <QKeySequence>

namespace calbrine {

// Makes screen readers present the program's own top-level windows as windows (frames named
// by their captions) rather than as anonymous panes; dialogs stay dialogs. Called once at start.
void InstallWindowAccessibility();

// Gives a button a shortcut and names it in the button's tooltip; the caption stays as it is.
void GiveShortcut(QAbstractButton* button, const QKeySequence& keys);

// Puts a window's focusable controls in the tab order of their places: rows from top to
// bottom, left to right within a row. Controls whose tops differ by less than half the first
// one's height stand in one row.
void OrderTabsByPlace(QWidget* window);

}  // namespace calbrine
