// The plain white page that covers the screen while the design page is rebuilt.
#pragma once

#include <QWidget>

#include "windows/WindowUnits.h"

namespace calbrine {

class BlankPage : public QWidget {
    Q_OBJECT

  public:
    explicit BlankPage(QWidget* parent = nullptr);
    // Takes the design page's font for the screen.
    void load();

  private:
    WindowUnits units_{};
};

// Shows the one blank page on top of the program frame, making and loading it first if needed.
BlankPage* showBlankPage();
// Closes the blank page, if it is shown; the page under it is on top again.
void unloadBlankPage();

}  // namespace calbrine
