#include "windows/explorer/ScaleTab.h"

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
#include "windows/Controls.h"
#include "windows/explorer/DialScaleView.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

ScaleTab::ScaleTab(QWidget* parent) : QWidget(parent) {
    setObjectName("scaleTab");
    mix_ = new QComboBox;
    mix_->setObjectName("scaleMix");
    mix_->setAccessibleName("Dial scale mix");
    mix_->addItems({"RF difference (IF - VFO)", "RF sum (IF + VFO)"});
    radius_ = new QSpinBox;
    radius_->setObjectName("scaleRadius");
    radius_->setAccessibleName("Dial radius");
    radius_->setLocale(QLocale::c());
    radius_->setRange(20, 110);
    radius_->setValue(50);
    radius_->setSuffix(" mm");
    view_ = new DialScaleView;
    view_->setObjectName("dialScale");
    auto* print = namedButton("Print...", "printScale");
    auto* save = namedButton("Save PDF...", "saveScalePdf");
    connect(mix_, &QComboBox::currentIndexChanged, this, [this] { refreshScale(); });
    connect(radius_, qOverload<int>(&QSpinBox::valueChanged), this, [this] { refreshScale(); });
    connect(print, &QPushButton::clicked, this, [this] { printScale(); });
    connect(save, &QPushButton::clicked, this, [this] { saveScalePdf(); });

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Mix:"));
    top->addWidget(mix_);
    top->addWidget(new QLabel("Radius:"));
    top->addWidget(radius_);
    top->addStretch(1);
    top->addWidget(print);
    top->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view_, 1);
    layout->addWidget(
        new QLabel("Prints at true size: cut along the dashed line and centre "
                   "the cross on the tuning shaft."));
}

void ScaleTab::setCurve(const DesignRecord& design, VfoCurve simulated) {
    design_ = design;
    simulated_ = std::move(simulated);
    refreshScale();
}

void ScaleTab::refreshScale() {
    const Mix mix = mix_->currentIndex() == 0 ? Mix::Difference : Mix::Sum;
    const int radius = radius_->value();
    view_->setFace(simulated_ ? LayOutDial(design_, mix, radius, simulated_, "simulated curve")
                              : LayOutDial(design_, mix, radius));
}

void ScaleTab::printScale() {
    PrintThroughDialog(
        [this](QPrinter& printer) { return printDialAtTrueSize(printer, view_->face()); });
}

void ScaleTab::saveScalePdf() {
    const auto path =
        AskSaveName({"Save dial scale as PDF", "PDF files (*.pdf)|*.pdf", "dial.pdf", ""});
    if (path && !saveDialPdf(QString::fromStdString(*path), view_->face())) {
        sayNotWritten(*path);
    }
}

}  // namespace calbrine
