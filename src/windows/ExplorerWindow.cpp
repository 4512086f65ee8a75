#include "windows/ExplorerWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cstring>
#include <fstream>
#include <tuple>

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "design/DesignValues.h"
#include "platform/FileDialogs.h"
#include "platform/QtPrinting.h"
#include "services/RunTimeServices.h"
#include "windows/CurvePlot.h"
#include "windows/ExplorerCalibrateTab.h"
#include "windows/ExplorerCurveSimulation.h"
#include "windows/ExplorerDriftSimulation.h"
#include "windows/ExplorerMonteCarloTab.h"

namespace calbrine {

namespace {

constexpr int CurvePoints = 101;

QString curveCaption(const DesignRecord& d, const std::vector<CurvePoint>& curve, bool simulated) {
    const CurvePoint& a = curve.back();
    const CurvePoint& b = curve.front();
    return QString::fromStdString(
        "VFO " + FrequencyText(a.vfo) + " to " + FrequencyText(b.vfo) + "    RF sum " +
        FrequencyText(a.rfSum) + " to " + FrequencyText(b.rfSum) + "    RF diff " +
        FrequencyText(a.rfDiff) + " to " + FrequencyText(b.rfDiff) + "    IF " +
        FrequencyText(d.IF) + "\nshaded: fine-tune range of D9 at every setting" +
        (simulated ? "\nrings: simulated with ngspice, with their error bars" : ""));
}

}  // namespace

bool saveExplorerText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        sayNotWritten(path);
        return false;
    }
    return true;
}

void sayNotWritten(const std::string& path) {
    Services().ShowMessage("Could not write " + path, "Calbrine");
}

ExplorerWindow::ExplorerWindow(const DesignRecord& design, QWidget* parent)
    : QWidget(parent), design_(design), fitted_(design) {
    setWindowTitle("Calbrine - Design explorer");
    setObjectName("ExplorerWindow");
    plot_ = new CurvePlot;
    auto* tabs = new QTabWidget;
    tabs->addTab(buildDialTab(), "Dial table");
    tabs->addTab(buildScaleTab(), "Dial scale");
    tabs->addTab(buildFitTab(), "Fit to band");
    tabs->addTab(buildPartsTab(), "Drift and tolerance");
    monteCarlo_ = new MonteCarloTab;
    tabs->addTab(monteCarlo_, "Monte Carlo");
    // The readings go with the parts' settings; the calibrated design is applied as a fit is.
    calibrate_ = new CalibrateTab;
    connect(calibrate_, &CalibrateTab::readingsEdited, this, [this] {
        settings_.readings = calibrate_->readings();
        settingsEdited();
    });
    connect(calibrate_, &CalibrateTab::applyCalibration, this, &ExplorerWindow::applyFit);
    tabs->addTab(calibrate_, "Calibrate");

    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(plot_, 1);
    leftLayout->addWidget(buildButtons());

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(left);
    splitter->addWidget(tabs);
    splitter->setSizes({700, 560});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(1280, 720);
    followDesign(design);
}

QWidget* ExplorerWindow::buildButtons() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::tuple<const char*, const char*, std::function<void()>> buttons[] = {
        {"Print...", "printCurve", [this] { print(); }},
        {"Save PNG...", "savePng", [this] { savePicture(false); }},
        {"Save SVG...", "saveSvg", [this] { savePicture(true); }}};
    layout->addStretch(1);
    for (const auto& [text, name, action] : buttons) {
        auto* button = new QPushButton(text);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, action);
        layout->addWidget(button);
    }
    return row;
}

void ExplorerWindow::followDesign(const DesignRecord& design) {
    const bool sameDesign = settingsFor_ && std::memcmp(&design, &design_, sizeof design) == 0;
    const bool changed = std::memcmp(&design, &design_, sizeof design) != 0;
    design_ = design;
    if (settingsFor_ != DesignFileName) {
        followSettingsFile(sameDesign);
    }
    curveSimulation_->setDesign(design_, steps_->value());
    refreshCurve();
    refreshDial();
    refreshScale();
    refreshParts();
    // A fit belongs to the design it was solved for: solved again for the new one, so that
    // Apply never applies a fit of a design that is gone.
    if (changed && apply_->isEnabled()) {
        solve();
    }
    calibrate_->setDesign(design_);
}

void ExplorerWindow::setSimulatorOptions(const SimulatorOptions& options) {
    curveSimulation_->setSimulatorOptions(options);
    driftSimulation_->setSimulatorOptions(options);
    monteCarlo_->setSimulatorOptions(options);
}

void ExplorerWindow::closeEvent(QCloseEvent* event) {
    // Stopped here, not later: at the end of the program the window may never be deleted.
    curveSimulation_->stop();
    driftSimulation_->stop();
    monteCarlo_->stop();
    event->accept();
}

void ExplorerWindow::refreshCurve() {
    std::vector<CurvePoint> curve = TuningCurve(design_, CurvePoints);
    const auto& simulated = curveSimulation_->outcome();
    const QString caption = curveCaption(design_, curve, simulated.has_value());
    plot_->setCurve(std::move(curve), caption);
    plot_->setSimulated(simulated ? simulated->points : std::vector<SimulatedCurvePoint>{});
}

void ExplorerWindow::copyDialTable() {
    QApplication::clipboard()->setText(QString::fromStdString(dialText()));
}

void ExplorerWindow::saveDialCsv() {
    const auto path =
        Dialogs().ShowSave({"Save dial table", "CSV files (*.csv)|*.csv", "dial.csv", ""});
    if (path) {
        saveExplorerText(*path, shownDialTable().Csv());
    }
}

void ExplorerWindow::savePicture(bool svg) {
    const auto path = Dialogs().ShowSave(
        svg ? FileDialogRequest{"Save curve as SVG", "SVG pictures (*.svg)|*.svg", "curve.svg", ""}
            : FileDialogRequest{"Save curve as PNG", "PNG pictures (*.png)|*.png", "curve.png",
                                ""});
    if (path) {
        const QString name = QString::fromStdString(*path);
        if (!(svg ? plot_->saveSvg(name) : plot_->savePng(name))) {
            sayNotWritten(*path);
        }
    }
}

void ExplorerWindow::print() {
    PrintThroughDialog([this](QPrinter& printer) { return printOn(printer); });
}

bool ExplorerWindow::printOn(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF area(0, 0, page.width(), page.height());
    QFont font("Liberation Sans", 9);
    painter.setFont(font);
    plot_->render(painter, QRectF(area.left(), area.top(), area.width(), area.height() * 0.55));
    font.setFamily("Liberation Mono");
    painter.setFont(font);
    painter.drawText(area.adjusted(0, area.height() * 0.58, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(dialText()));
    return painter.end();
}

}  // namespace calbrine
