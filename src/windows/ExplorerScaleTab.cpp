// The explorer's dial scale tab: the half-circle scale for a chosen mix and radius, printed
// or saved as PDF at true size.
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/FileDialogs.h"
#include "platform/QtPrinting.h"
#include "windows/DialScaleView.h"
#include "windows/ExplorerCurveSimulation.h"
#include "windows/ExplorerWindow.h"

namespace calbrine {

QWidget* ExplorerWindow::buildScaleTab() {
    auto* tab = new QWidget;
    scaleMix_ = new QComboBox;
    scaleMix_->setObjectName("scaleMix");
    scaleMix_->setAccessibleName("Dial scale mix");
    scaleMix_->addItems({"RF difference (IF - VFO)", "RF sum (IF + VFO)"});
    scaleRadius_ = new QSpinBox;
    scaleRadius_->setObjectName("scaleRadius");
    scaleRadius_->setAccessibleName("Dial radius");
    scaleRadius_->setLocale(QLocale::c());
    scaleRadius_->setRange(20, 110);
    scaleRadius_->setValue(50);
    scaleRadius_->setSuffix(" mm");
    scaleView_ = new DialScaleView;
    scaleView_->setObjectName("dialScale");
    auto* print = new QPushButton("Print...");
    print->setObjectName("printScale");
    auto* save = new QPushButton("Save PDF...");
    save->setObjectName("saveScalePdf");
    connect(scaleMix_, &QComboBox::currentIndexChanged, this, [this] { refreshScale(); });
    connect(scaleRadius_, qOverload<int>(&QSpinBox::valueChanged), this,
            [this] { refreshScale(); });
    connect(print, &QPushButton::clicked, this, [this] { printScale(); });
    connect(save, &QPushButton::clicked, this, [this] { saveScalePdf(); });

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Mix:"));
    top->addWidget(scaleMix_);
    top->addWidget(new QLabel("Radius:"));
    top->addWidget(scaleRadius_);
    top->addStretch(1);
    top->addWidget(print);
    top->addWidget(save);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(top);
    layout->addWidget(scaleView_, 1);
    layout->addWidget(
        new QLabel("Prints at true size: cut along the dashed line and centre "
                   "the cross on the tuning shaft."));
    return tab;
}

void ExplorerWindow::refreshScale() {
    const Mix mix = scaleMix_->currentIndex() == 0 ? Mix::Difference : Mix::Sum;
    const int radius = scaleRadius_->value();
    const VfoCurve simulated = curveSimulation_->dialCurve();
    scaleView_->setFace(simulated ? LayOutDial(design_, mix, radius, simulated, "simulated curve")
                                  : LayOutDial(design_, mix, radius));
}

void ExplorerWindow::printScale() {
    PrintThroughDialog(
        [this](QPrinter& printer) { return printDialAtTrueSize(printer, scaleView_->face()); });
}

void ExplorerWindow::saveScalePdf() {
    const auto path =
        Dialogs().ShowSave({"Save dial scale as PDF", "PDF files (*.pdf)|*.pdf", "dial.pdf", ""});
    if (path && !saveDialPdf(QString::fromStdString(*path), scaleView_->face())) {
        sayNotWritten(*path);
    }
}

}  // namespace calbrine
