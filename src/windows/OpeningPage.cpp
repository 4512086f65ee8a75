#include "windows/OpeningPage.h"

#include <QTimer>
#include <algorithm>
#include <cmath>

#include "design/DesignSession.h"
#include "design/ProgramConstants.h"
#include "files/DesignFiles.h"
#include "platform/QtRunTimeServices.h"
#include "schematic/MakerWebAddress.h"
#include "schematic/OpeningSchematic.h"
#include "services/RunTimeServices.h"
#include "windows/Controls.h"
#include "windows/DesignPage.h"
#include "windows/ProgramFrame.h"

namespace calbrine {

namespace {

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// The gradient is 9000 lines one unit apart, y = 1 to 9000, each from x 0 to 12100; a pixel
// row shows the last of the lines that fall on it. Rows of one blue are kept together as one
// band, at the window's resolution: at most one band for each blue, however large the screen.
void paintGradient(QtSchematicSurface& surface, const WindowUnits& units, qreal ratio) {
    const double perRow = units.pixelsPerUnitY * ratio;
    const double width = std::ceil(units.x(12100) * ratio) / ratio;
    const int rows = static_cast<int>(std::lround(units.y(9000) * ratio + 0.5));
    std::vector<QtSchematicSurface::Band> bands;
    int top = 0;
    int blue = 0;  // of the band that ends at this row; rows above line 1 keep the background
    for (int row = 0; row <= rows; ++row) {
        int rowBlue = 0;
        if (row < rows) {
            const double y = std::min(std::ceil((row + 0.5) / perRow) - 1, 9000.0);
            rowBlue = y < 1 ? 0 : GradientBlue(static_cast<float>(y));
        }
        if (rowBlue != blue || row == rows) {
            if (blue != 0) {
                bands.push_back(
                    {QRectF(0, top / ratio, width, (row - top) / ratio), QColor(0, 0, blue)});
            }
            top = row;
            blue = rowBlue;
        }
    }
    surface.SetBackdrop(std::move(bands));
}

}  // namespace

int GradientBlue(float y) {
    const double exact = static_cast<double>(y) * 255.0 / 12000.0;
    const int blue = static_cast<int>(std::nearbyint(exact));  // ties to even
    return blue < 1 ? 1 : (blue > 255 ? 255 : blue);
}

OpeningPage::OpeningPage(QWidget* parent) : PicturePage(parent) {
    setObjectName(QStringLiteral("frmOpening"));
    setWindowTitle(QStringLiteral("Welcome to Calbrine !"));
    titleLabel = makeLabel(this, "lblTitle", "Calbrine");
    versionLabel = makeLabel(this, "lblVersion", "");
    copyrightLabel = makeLabel(this, "lblCopyright", "");
    websiteLabel = makeLabel(this, "lblWebsite", "");
    for (QLabel* label : {titleLabel, versionLabel, copyrightLabel, websiteLabel}) {
        setTextColour(label, Qt::white);
    }
    startButton = makeButton(this, "cmdStart", "Start");
    exitButton = makeButton(this, "cmdExit", "Exit");
    exitButton->setFont(scaledFont(QStringLiteral("Microsoft Sans Serif"), 12));
    // The Exit button keeps its place of 240, 5400 twips, 1545 x 420, on every screen.
    exitButton->setGeometry(16, 360, 103, 28);
    connect(startButton, &QPushButton::clicked, this, &OpeningPage::onStart);
    connect(exitButton, &QPushButton::clicked, this, &OpeningPage::onExit);
}

OpeningPage::~OpeningPage() = default;

void OpeningPage::load() {
    units_ = screenUnits(OpeningWindowClientWidth, OpeningWindowClientHeight);
    const double sh = units_.screenHeightTwips;
    picture_ = std::make_unique<PersistentPicture>(*this, units_, ToQColor(0xFF0000));

    paintGradient(picture_->surface(), units_, devicePixelRatioF());

    SetProgramConstants();
    ReadLastSessionRecord(ProgramSession().design);
    DrawOpeningSchematic(picture_->surface());

    const QString face = QStringLiteral("Arial");
    place(titleLabel, units_, 1000, 500, 6000, 2000);
    titleLabel->setFont(scaledFont(QStringLiteral("Times New Roman"), sh * 0.005));
    place(versionLabel, units_, 1000, 2500, 5000, 270);
    versionLabel->setFont(scaledFont(face, sh * 0.0012));
    versionLabel->setText(QStringLiteral("Version ") + QString::fromStdString(VersionText));
    place(copyrightLabel, units_, 1000, 3000, 5000, 270);
    copyrightLabel->setFont(scaledFont(face, sh * 0.0012));
    copyrightLabel->setText(QString::fromStdString(CopyrightText));
    place(websiteLabel, units_, 1000, 3500, 5000, 270);
    websiteLabel->setFont(scaledFont(face, sh * 0.0012));
    websiteLabel->setText(QString::fromLatin1(MakerWebAddress));
    place(startButton, units_, 1000, 4500, 1500, 270);
    startButton->setFont(scaledFont(QStringLiteral("Microsoft Sans Serif"), sh * 0.0008));
    // On a low screen Start comes down onto Exit's fixed place: Exit then stands below it.
    const QRect start = startButton->geometry();
    const QRect exit(16, 360, 103, 28);
    exitButton->setGeometry(exit.intersects(start) ? exit.translated(0, start.bottom() + 9 - 360)
                                                   : exit);
}

void OpeningPage::paintEvent(QPaintEvent* event) {
    PicturePage::paintEvent(event);
    if (!designPrepared_) {
        // Once this page is on the screen, the design page's controls are made while the user
        // reads it, so that Start has only to load and show them.
        designPrepared_ = true;
        QTimer::singleShot(0, this, [this] { prepareDesignPage(this); });
    }
}

void OpeningPage::onStart() {
    startButton->hide();
    exitButton->hide();
    setTextColour(titleLabel, Qt::white);
    picture_->fill(Qt::white);
    update();
    showDesignPage();
    unload();
}

void OpeningPage::onExit() {
    unload();
    EndProgram();  // the last session is not written on this path
}

OpeningPage* showOpeningPage() {
    auto* page = new OpeningPage;
    page->load();
    ProgramFrame::showPage(*page);
    return page;
}

void StartWithDesignFile(const std::string& name) {
    SetProgramConstants();
    DesignSession& session = ProgramSession();
    ReadLastSessionRecord(session.design);
    session.fileName = name;
    // A file that cannot be read is said, and the last session stays, not the built-in values
    // that Read file would put in its place.
    const DesignFileRead read = ReadDesignRecord(name, session.design);
    if (read.read) {
        session.design = read.design;
        session.notes = read.notes;
    } else {
        Services().ShowMessage(read.error, "Calbrine");
    }
    showDesignPage();
}

}  // namespace calbrine
