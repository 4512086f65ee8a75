// The one top-level window in which the program's full-screen windows take turns: the
// opening window, the design window and the blank window that covers the screen while the
// design window is rebuilt. Each of them is a page of this frame rather than a native window
// of its own, so going from one to the next reuses the frame's native window and the image
// behind it instead of creating, mapping and filling a new screen-sized window each time.
// The frame carries the caption and icon of the page on top; its close box closes that page.
#pragma once

#include <QWidget>

namespace calbrine {

class ProgramFrame : public QWidget {
    Q_OBJECT

  public:
    // Puts `page` on top of the frame, filling it, and shows it; the frame itself is shown
    // maximized if it is not on the screen yet.
    static void showPage(QWidget& page);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ProgramFrame();
    QWidget* topPage() const;
    void followTopPage();
};

}  // namespace calbrine
