// The plain white window that covers the screen while the design window is rebuilt.
#pragma once

#include <QWidget>

#include "windows/WindowUnits.h"

namespace calbrine {

class frmBlank : public QWidget {
    Q_OBJECT

  public:
    explicit frmBlank(QWidget* parent = nullptr);
    void Form_Load();

  private:
    WindowUnits units_{};
};

frmBlank* ShowBlankWindow();
void UnloadBlankWindow();
frmBlank* BlankWindow();

}  // namespace calbrine
