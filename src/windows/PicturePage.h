// A page of the program that keeps its drawing in a persistent picture. Closing it with the
// title-bar close box ends the program, as no other window is then left; unload() closes it
// the way the program itself does, without ending anything.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "windows/PersistentPicture.h"

namespace calbrine {

class PicturePage : public QWidget {
  public:
    explicit PicturePage(QWidget* parent = nullptr);
    ~PicturePage() override;

    // The page's own drawing as it paints it, without its controls.
    QImage picture();
    // Closes the page; it is released once the current event has run.
    void unload();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    std::unique_ptr<PersistentPicture> picture_;

  private:
    bool unloading_ = false;
};

}  // namespace calbrine
