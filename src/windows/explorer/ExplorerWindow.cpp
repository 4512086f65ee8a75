#include "windows/explorer/ExplorerWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "analysis/CoilWinding.h"
#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "platform/FileDialogs.h"
#include "platform/QtPrinting.h"
#include "services/RunTimeServices.h"
#include "windows/explorer/BoughtPartsTab.h"
#include "windows/explorer/CalibrateTab.h"
#include "windows/explorer/CoilTab.h"
#include "windows/explorer/CurvePlot.h"
#include "windows/explorer/CurveSimulation.h"
#include "windows/explorer/DialTab.h"
#include "windows/explorer/FitTab.h"
#include "windows/explorer/HeatRunSection.h"
#include "windows/explorer/MonteCarloTab.h"
#include "windows/explorer/PartsTab.h"
#include "windows/explorer/QualityTab.h"
#include "windows/explorer/ScaleTab.h"
#include "windows/explorer/SheetPrinting.h"
#include "windows/explorer/TabHelpers.h"

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

ExplorerWindow::ExplorerWindow(const DesignRecord& design, QWidget* parent,
                               const DesignSession& session)
    : QWidget(parent), session_(session), design_(design) {
    setWindowTitle("Calbrine - Design explorer");
    setObjectName("ExplorerWindow");
    plot_ = new CurvePlot;
    dial_ = new DialTab;
    scale_ = new ScaleTab;
    fit_ = new FitTab;
    parts_ = new PartsTab;
    monteCarlo_ = new MonteCarloTab;
    quality_ = new QualityTab;
    calibrate_ = new CalibrateTab;
    // The makers' tables ship beside the program.
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    bought_ = new BoughtPartsTab(programFolder);
    coil_ = new CoilTab(programFolder);
    auto* tabs = new QTabWidget;
    tabs->addTab(dial_, "Dial table");
    tabs->addTab(scale_, "Dial scale");
    tabs->addTab(fit_, "Fit to band");
    tabs->addTab(parts_, "Drift and tolerance");
    tabs->addTab(monteCarlo_, "Monte Carlo");
    tabs->addTab(quality_, "Quality");
    tabs->addTab(calibrate_, "Calibrate");
    tabs->addTab(bought_, "Parts");
    tabs->addTab(coil_, "Coil");
    connect(dial_, &DialTab::curveChanged, this, [this] {
        refreshCurve();
        refreshScale();
    });
    connect(fit_, &FitTab::applyFit, this, &ExplorerWindow::applyFit);
    connect(parts_, &PartsTab::settingsEdited, this, [this](const PartSettings& edited) {
        settings_ = edited;
        settingsEdited();
    });
    // The readings go with the parts' settings; the calibrated design is applied as a fit is.
    connect(calibrate_, &CalibrateTab::readingsEdited, this, [this] {
        settings_.readings = calibrate_->readings();
        settings_.readingsDesign = design_;
        settingsEdited();
    });
    // The calibrated design is the one the readings now describe.
    connect(calibrate_, &CalibrateTab::applyCalibration, this,
            [this](const DesignRecord& calibrated) {
                settings_.readingsDesign = calibrated;
                settingsEdited();
                emit applyFit(calibrated);
            });
    connect(bought_, &BoughtPartsTab::useBought, this, &ExplorerWindow::applyFit);
    // The coil goes with the parts' settings; a core chosen gives L7 its coefficient.
    connect(coil_, &CoilTab::coilChosen, this, [this](const CoilChoice& choice) {
        ChooseCoil(settings_, choice, coil_->cores());
        parts_->showSettings(settings_);
        settingsEdited();
    });
    connect(calibrate_->heatRun(), &HeatRunSection::recordEdited, this, [this] {
        settings_.heatRun = calibrate_->heatRun()->record();
        settingsEdited();
    });
    connect(calibrate_->heatRun(), &HeatRunSection::applyCompensation, this,
            [this] { applyHeatRun(); });

    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(plot_, 1);
    leftLayout->addWidget(buildButtons());

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(left);
    splitter->addWidget(tabs);
    // The tabs as wide as their captions, so that none hides behind the tab bar's arrows.
    const int tabsWidth = std::max(560, tabs->tabBar()->sizeHint().width() + 16);
    splitter->setSizes({1260 - tabsWidth, tabsWidth});
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
        {"Print build sheet\u2026", "printBuildSheet", [this] { printBuildSheet(); }},
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
    design_ = design;
    if (settingsFor_ != session_.fileName) {
        followSettingsFile(sameDesign);
    }
    dial_->setDesign(design_);
    refreshCurve();
    refreshScale();
    refreshParts();
    fit_->setDesign(design_);
    calibrate_->setDesign(design_);
    calibrate_->setReadingsChange(ReadingsDesignChange(settings_, design_));
    bought_->setDesign(design_);
    coil_->setInductance(design_.L7);
}

void ExplorerWindow::setSimulatorOptions(const SimulatorOptions& options) {
    dial_->simulation()->panel()->simulatorOptions() = options;
    parts_->driftPanel()->simulatorOptions() = options;
    monteCarlo_->panel()->simulatorOptions() = options;
    quality_->panel()->simulatorOptions() = options;
    fit_->simulation()->simulatorOptions() = options;
}

void ExplorerWindow::closeEvent(QCloseEvent* event) {
    // Stopped here, not later: at the end of the program the window may never be deleted.
    dial_->simulation()->panel()->stop();
    parts_->driftPanel()->stop();
    monteCarlo_->panel()->stop();
    quality_->panel()->stop();
    fit_->simulation()->stop();
    event->accept();
}

void ExplorerWindow::refreshCurve() {
    std::vector<CurvePoint> curve = TuningCurve(design_, CurvePoints);
    const SimulatedCurveOutcome* simulated = dial_->simulation()->panel()->outcome();
    const QString caption = curveCaption(design_, curve, simulated != nullptr);
    plot_->setCurve(std::move(curve), caption);
    plot_->setSimulated(simulated ? simulated->points : std::vector<SimulatedCurvePoint>{});
}

void ExplorerWindow::refreshScale() {
    scale_->setCurve(design_, dial_->simulation()->dialCurve());
}

// The tabs and the simulations drop results of another design or other settings.
void ExplorerWindow::refreshParts() {
    parts_->setDesign(design_, settings_);
    monteCarlo_->setDesign(design_, settings_);
    quality_->setDesign(design_, settings_.coilQ);
    dial_->simulation()->setCoilQ(settings_.coilQ);
    fit_->setCoilQ(settings_.coilQ);
    calibrate_->heatRun()->setDesign(design_, settings_);
}

// The pair's coefficient goes into the settings at once; its sum goes the fit's way, through
// the design window's accept step. The readings were of the build before the change.
void ExplorerWindow::applyHeatRun() {
    const Compensation c = calibrate_->heatRun()->result().compensation;
    settings_.Tc(c.request.part) = c.effectivePpm;
    settings_.heatRun.readings.clear();
    settingsEdited();
    parts_->showSettings(settings_);
    calibrate_->heatRun()->setRecord(settings_.heatRun);
    emit applyFit(c.design);
}

void ExplorerWindow::settingsEdited() {
    refreshParts();
    if (settingsFor_ && !settingsFor_->empty() &&
        !WriteSettingsFile(SettingsPath(*settingsFor_), settings_)) {
        Services().ShowMessage("Could not write " + SettingsPath(*settingsFor_), "Calbrine");
    }
}

void ExplorerWindow::followSettingsFile(bool sameDesign) {
    settingsFor_ = session_.fileName;
    if (session_.fileName.empty()) {
        return;
    }
    const std::string path = SettingsPath(session_.fileName);
    if (std::filesystem::exists(path)) {
        PartSettings read;
        const std::string error = ReadSettingsFile(path, read);
        if (!error.empty()) {
            Services().ShowMessage(path + ": " + error, "Calbrine");
        }
        settings_ = read;
    } else if (sameDesign) {
        settingsEdited();
    } else {
        settings_ = PartSettings{};
    }
    parts_->showSettings(settings_);
    calibrate_->setReadings(settings_.readings);
    coil_->showChoice(settings_.coil);
    calibrate_->heatRun()->setRecord(settings_.heatRun);
}

void ExplorerWindow::savePicture(bool svg) {
    const auto path = AskSaveName(
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

// The sheet with the series of the parts tab and the coil chosen in the coil tab (the
// defaults where none was chosen).
void ExplorerWindow::printBuildSheet() {
    SheetChoice choice;
    choice.series = bought_->seriesName();
    choice.core = settings_.coil.core;
    choice.wire = settings_.coil.wire;
    choice.formMm = settings_.coil.formMm;
    PrintBuildSheet(design_, settings_, session_.fileName, choice,
                    QCoreApplication::applicationDirPath().toStdString());
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
                     QString::fromStdString(dial_->dialText()));
    return painter.end();
}

}  // namespace calbrine
