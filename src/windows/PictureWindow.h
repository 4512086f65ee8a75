// A program window that keeps its drawing in a persistent picture. Closing it with the
// title-bar close box ends the program, as no other window is then left; Unload closes it
// the way the program itself does, without ending anything.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "windows/PersistentPicture.h"

namespace calbrine {

class PictureWindow : public QWidget {
  public:
    explicit PictureWindow(QWidget* parent = nullptr);
    ~PictureWindow() override;

    // The window's own drawing as it paints it, without its controls.
    QImage Picture();
    // Closes the window; it is released once the current event has run.
    void Unload();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    std::unique_ptr<PersistentPicture> picture_;

  private:
    bool unloading_ = false;
};

}  // namespace calbrine
