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

QString Caption(const DesignRecord& d, const std::vector<CurvePoint>& curve, bool simulated) {
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

bool SaveExplorerText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        SayNotWritten(path);
        return false;
    }
    return true;
}

void SayNotWritten(const std::string& path) {
    Services().ShowMessage("Could not write " + path, "Calbrine");
}

ExplorerWindow::ExplorerWindow(const DesignRecord& design, QWidget* parent)
    : QWidget(parent), design_(design), fitted_(design) {
    setWindowTitle("Calbrine - Design explorer");
    setObjectName("ExplorerWindow");
    plot_ = new CurvePlot;
    auto* tabs = new QTabWidget;
    tabs->addTab(BuildDialTab(), "Dial table");
    tabs->addTab(BuildScaleTab(), "Dial scale");
    tabs->addTab(BuildFitTab(), "Fit to band");
    tabs->addTab(BuildPartsTab(), "Drift and tolerance");
    monteCarlo_ = new MonteCarloTab;
    tabs->addTab(monteCarlo_, "Monte Carlo");
    // The readings go with the parts' settings; the calibrated design is applied as a fit is.
    calibrate_ = new CalibrateTab;
    connect(calibrate_, &CalibrateTab::ReadingsEdited, this, [this] {
        settings_.readings = calibrate_->Readings();
        SettingsEdited();
    });
    connect(calibrate_, &CalibrateTab::ApplyCalibration, this, &ExplorerWindow::ApplyFit);
    tabs->addTab(calibrate_, "Calibrate");

    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(plot_, 1);
    leftLayout->addWidget(BuildButtons());

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(left);
    splitter->addWidget(tabs);
    splitter->setSizes({700, 560});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    resize(1280, 720);
    FollowDesign(design);
}

QWidget* ExplorerWindow::BuildButtons() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::tuple<const char*, const char*, std::function<void()>> buttons[] = {
        {"Print...", "printCurve", [this] { Print(); }},
        {"Save PNG...", "savePng", [this] { SavePicture(false); }},
        {"Save SVG...", "saveSvg", [this] { SavePicture(true); }}};
    layout->addStretch(1);
    for (const auto& [text, name, action] : buttons) {
        auto* button = new QPushButton(text);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, action);
        layout->addWidget(button);
    }
    return row;
}

void ExplorerWindow::FollowDesign(const DesignRecord& design) {
    const bool sameDesign = settingsFor_ && std::memcmp(&design, &design_, sizeof design) == 0;
    const bool changed = std::memcmp(&design, &design_, sizeof design) != 0;
    design_ = design;
    if (settingsFor_ != DesignFileName) {
        FollowSettingsFile(sameDesign);
    }
    curveSimulation_->SetDesign(design_, steps_->value());
    RefreshCurve();
    RefreshDial();
    RefreshScale();
    RefreshParts();
    // A fit belongs to the design it was solved for: solved again for the new one, so that
    // Apply never applies a fit of a design that is gone.
    if (changed && apply_->isEnabled()) {
        Solve();
    }
    calibrate_->SetDesign(design_);
}

void ExplorerWindow::SetSimulatorOptions(const SimulatorOptions& options) {
    curveSimulation_->SetSimulatorOptions(options);
    driftSimulation_->SetSimulatorOptions(options);
    monteCarlo_->SetSimulatorOptions(options);
}

void ExplorerWindow::closeEvent(QCloseEvent* event) {
    // Stopped here, not later: at the end of the program the window may never be deleted.
    curveSimulation_->Stop();
    driftSimulation_->Stop();
    monteCarlo_->Stop();
    event->accept();
}

void ExplorerWindow::RefreshCurve() {
    std::vector<CurvePoint> curve = TuningCurve(design_, CurvePoints);
    const auto& simulated = curveSimulation_->Outcome();
    const QString caption = Caption(design_, curve, simulated.has_value());
    plot_->SetCurve(std::move(curve), caption);
    plot_->SetSimulated(simulated ? simulated->points : std::vector<SimulatedCurvePoint>{});
}

void ExplorerWindow::CopyDialTable() {
    QApplication::clipboard()->setText(QString::fromStdString(DialText()));
}

void ExplorerWindow::SaveDialCsv() {
    const auto path =
        Dialogs().ShowSave({"Save dial table", "CSV files (*.csv)|*.csv", "dial.csv", ""});
    if (path) {
        SaveExplorerText(*path, ShownDialTable().Csv());
    }
}

void ExplorerWindow::SavePicture(bool svg) {
    const auto path = Dialogs().ShowSave(
        svg ? FileDialogRequest{"Save curve as SVG", "SVG pictures (*.svg)|*.svg", "curve.svg", ""}
            : FileDialogRequest{"Save curve as PNG", "PNG pictures (*.png)|*.png", "curve.png",
                                ""});
    if (path) {
        const QString name = QString::fromStdString(*path);
        if (!(svg ? plot_->SaveSvg(name) : plot_->SavePng(name))) {
            SayNotWritten(*path);
        }
    }
}

void ExplorerWindow::Print() {
    PrintThroughDialog([this](QPrinter& printer) { return PrintOn(printer); });
}

bool ExplorerWindow::PrintOn(QPrinter& printer) const {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF area(0, 0, page.width(), page.height());
    QFont font("Liberation Sans", 9);
    painter.setFont(font);
    plot_->Render(painter, QRectF(area.left(), area.top(), area.width(), area.height() * 0.55));
    font.setFamily("Liberation Mono");
    painter.setFont(font);
    painter.drawText(area.adjusted(0, area.height() * 0.58, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                     QString::fromStdString(DialText()));
    return painter.end();
}

}  // namespace calbrine
