// The one top-level window in which the program's full-screen pages take turns: the opening
// page, the design page and the blank page that covers the screen while the design page is
// rebuilt. Each of them is a page of this stack rather than a native window of its own, so
// going from one to the next reuses the frame's native window and the image behind it instead
// of creating, mapping and filling a new screen-sized window each time. The frame carries the
// caption and icon of the page on top; its close box closes that page.
#pragma once

#include <QStackedWidget>

namespace calbrine {

class ProgramFrame : public QStackedWidget {
    Q_OBJECT

  public:
    // Puts `page` on top of the frame and shows it; the frame itself is shown maximized if it
    // is not on the screen yet. A page that closes or hides itself leaves the frame, and the
    // page shown before it is on top again.
    static void showPage(QWidget& page);
    // The frame, or null before the first page is shown and after the last one has gone.
    static ProgramFrame* current();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ProgramFrame();
    void followCurrentPage();

    bool switching_ = false;  // pages hidden now are covered, not closed
};

}  // namespace calbrine
