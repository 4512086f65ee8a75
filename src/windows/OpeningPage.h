// The opening window: a blue gradient, a decorative schematic, the program's name, version,
// copyright line and web address, and the Start and Exit buttons.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <memory>
#include <string>

#include "windows/PictureWindow.h"
#include "windows/WindowUnits.h"

namespace calbrine {

// Blue of gradient line y: the integer nearest to y x 255 / 12000 (a half to the even
// neighbour), kept between 1 and 255.
int GradientBlue(float y);

class frmOpening : public PictureWindow {
    Q_OBJECT

  public:
    explicit frmOpening(QWidget* parent = nullptr);
    ~frmOpening() override;

    void Form_Load();

    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblCopyright;
    QLabel* lblWebsite;
    QPushButton* cmdStart;
    QPushButton* cmdExit;

  public slots:
    void cmdStart_Click();
    void cmdExit_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    WindowUnits units_{};
    bool designPrepared_ = false;
};

frmOpening* ShowOpeningWindow();

// The start with a design file named on the command line, in place of the opening window:
// the program constants and the last session as the opening window reads them, then the file
// as "Read file" reads it (DesignFileName included), then the design window. A file that
// cannot be read is reported and leaves the last session's values.
void StartWithDesignFile(const std::string& name);

}  // namespace calbrine
