// The opening page: a blue gradient, a decorative schematic, the program's name, version,
// copyright line and web address, and the Start and Exit buttons.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <memory>
#include <string>

#include "windows/PicturePage.h"
#include "windows/WindowUnits.h"

namespace calbrine {

// Blue of gradient line y: the integer nearest to y x 255 / 12000 (a half to the even
// neighbour), kept between 1 and 255.
int GradientBlue(float y);

class OpeningPage : public PicturePage {
    Q_OBJECT

  public:
    explicit OpeningPage(QWidget* parent = nullptr);
    ~OpeningPage() override;

    // Paints the gradient, sets the program constants, reads the last session, draws the
    // schematic and lays the texts and Start out for the screen.
    void load();

    QLabel* titleLabel;
    QLabel* versionLabel;
    QLabel* copyrightLabel;
    QLabel* websiteLabel;
    QPushButton* startButton;
    QPushButton* exitButton;

  private slots:
    void onStart();
    void onExit();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    WindowUnits units_{};
    bool designPrepared_ = false;
};

// Makes, loads and shows the opening page: the program's start.
OpeningPage* showOpeningPage();

// The start with a design file named on the command line, in place of the opening page:
// the program constants and the last session as the opening page reads them, then the file
// as "Read file" reads it (the design file name included), then the design page. A file that
// cannot be read is reported and leaves the last session's values.
void StartWithDesignFile(const std::string& name);

}  // namespace calbrine
