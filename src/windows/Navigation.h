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

// Keeps the buttons' shortcuts working while an entry box of `window` has the keys: a line
// edit claims some Ctrl keys for its own editing (Ctrl+E moves to the end of the line, Ctrl+D
// deletes, on some desktops), which would leave the shortcut dead; for the keys of the
// window's buttons the box lets them through.
void LetShortcutsPassBoxes(QWidget* window);

// Makes a companion window close on Escape.
void CloseOnEscape(QWidget* window);

// Keeps a top-level window wholly inside the available area of its screen: shrinks it to fit
// and moves it back inside, counting the window manager's frame when it has one.
void KeepOnScreen(QWidget* window);

// Puts a window's focusable controls in the tab order of their places: rows from top to
// bottom, left to right within a row. Controls whose tops differ by less than half the first
// one's height stand in one row.
void OrderTabsByPlace(QWidget* window);

}  // namespace calbrine
