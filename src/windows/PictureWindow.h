// A program window that keeps its drawing in a persistent picture. Closing it with the
// title-bar close box ends the program, as no other window is then left; Unload closes it
// the way the program itself does, without ending anything.
#pragma once

#include <QWidget>
#include <memory>

#include "windows/PersistentPicture.h"

namespace calbrine {

class PictureWindow : public QWidget {
  public:
    explicit PictureWindow(QWidget* parent = nullptr);
    ~PictureWindow() override;

    const QImage& Picture() const { return picture_->Image(); }
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
