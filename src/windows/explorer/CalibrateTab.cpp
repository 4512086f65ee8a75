#include "windows/explorer/CalibrateTab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/CalibrationReport.h"
#include "analysis/ReportText.h"
#include "platform/FileDialogs.h"
#include "platform/QtPrinting.h"
#include "windows/Controls.h"
#include "windows/explorer/DialScaleView.h"
#include "windows/explorer/HeatRunSection.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

namespace {

enum Column { PositionColumn, MeasuredColumn, ModelColumn, ResidualColumn, Columns };

// An editable cell, right-aligned as the computed ones.
QTableWidgetItem* entryCell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString cellText(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item != nullptr ? item->text().trimmed() : QString();
}

}  // namespace

CalibrateTab::CalibrateTab(QWidget* parent) : QWidget(parent) {
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(buildReadings());
    splitter->addWidget(buildScale());
    heatRun_ = new HeatRunSection;
    auto* heatRun = new QGroupBox("Heat run");
    heatRun->setObjectName("heatRunGroup");
    auto* inGroup = new QVBoxLayout(heatRun);
    inGroup->addWidget(heatRun_);
    splitter->addWidget(heatRun);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
}

QWidget* CalibrateTab::buildReadings() {
    table_ = new QTableWidget(0, Columns);
    table_->setObjectName("readingsTable");
    table_->setAccessibleName("Counter readings");
    table_->setHorizontalHeaderLabels({"C38 position %", "Measured Hz", "Model Hz", "Residual Hz"});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    report_ = reportBox("calibrationReport", "Calibration results");
    auto* add = namedButton("Add reading", "addReading");
    auto* remove = namedButton("Remove reading", "removeReading");
    apply_ = namedButton("Apply to design", "applyCalibration");
    apply_->setEnabled(false);
    keep_ = namedButton("Use with this design", "keepReadings");
    keep_->setVisible(false);
    connect(keep_, &QPushButton::clicked, this, [this] {
        setReadingsChange("");
        emit readingsEdited();
    });
    connect(table_, &QTableWidget::itemChanged, this, [this] { tableEdited(); });
    connect(add, &QPushButton::clicked, this, [this] { addReading(); });
    connect(remove, &QPushButton::clicked, this, [this] { removeReading(); });
    connect(apply_, &QPushButton::clicked, this, [this] { emit applyCalibration(result_.design); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(keep_);
    buttons->addWidget(apply_);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    // Wrapped, so that the sentence does not hold the tab, and the curve beside it, wide.
    auto* what = new QLabel(
        "What the counter shows with D9 at its nominal capacitance and "
        "C38 at a position of its range (0 % = Min, 100 % = Max):");
    what->setWordWrap(true);
    layout->addWidget(what);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    layout->addWidget(report_, 1);
    return page;
}

QWidget* CalibrateTab::buildScale() {
    bandLow_ = new QLineEdit("7M");
    bandLow_->setObjectName("calibrationBandLow");
    bandLow_->setAccessibleName("Band to land, low edge");
    bandHigh_ = new QLineEdit("7.2M");
    bandHigh_->setObjectName("calibrationBandHigh");
    bandHigh_->setAccessibleName("Band to land, high edge");
    mix_ = new QComboBox;
    mix_->setObjectName("calibrationMix");
    mix_->setAccessibleName("Mix of the band and the dial scale");
    mix_->addItems({"RF difference (IF - VFO)", "RF sum (IF + VFO)"});
    bench_ = new QLabel;
    bench_->setObjectName("benchChange");
    bench_->setWordWrap(true);
    radius_ = new QSpinBox;
    radius_->setObjectName("calibratedRadius");
    radius_->setAccessibleName("Dial radius");
    radius_->setLocale(QLocale::c());
    radius_->setRange(20, 110);
    radius_->setValue(50);
    radius_->setSuffix(" mm");
    scale_ = new DialScaleView;
    scale_->setObjectName("calibratedScale");
    auto* print = namedButton("Print...", "printCalibratedScale");
    auto* save = namedButton("Save PDF...", "saveCalibratedScalePdf");
    connect(bandLow_, &QLineEdit::textChanged, this, [this] { refreshBench(); });
    connect(bandHigh_, &QLineEdit::textChanged, this, [this] { refreshBench(); });
    connect(mix_, &QComboBox::currentIndexChanged, this, [this] {
        refreshBench();
        refreshScale();
    });
    connect(radius_, qOverload<int>(&QSpinBox::valueChanged), this, [this] { refreshScale(); });
    connect(print, &QPushButton::clicked, this, [this] { printScale(); });
    connect(save, &QPushButton::clicked, this, [this] { saveScalePdf(); });

    auto* band = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{new QLabel("Land the band"), bandLow_,
                                                      new QLabel("to"), bandHigh_, mix_}) {
        band->addWidget(w);
    }
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(new QLabel("Dial scale of the built VFO, radius:"));
    scaleRow->addWidget(radius_);
    scaleRow->addStretch(1);
    scaleRow->addWidget(print);
    scaleRow->addWidget(save);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(band);
    layout->addWidget(bench_);
    layout->addLayout(scaleRow);
    layout->addWidget(scale_, 1);
    return page;
}

void CalibrateTab::setDesign(const DesignRecord& design) {
    design_ = design;
    solve();
}

void CalibrateTab::setReadings(const std::vector<CalibrationReading>& readings) {
    filling_ = true;
    table_->setRowCount(static_cast<int>(readings.size()));
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const int row = static_cast<int>(i);
        table_->setItem(row, PositionColumn, entryCell(PlainNumber(readings[i].positionPercent)));
        table_->setItem(row, MeasuredColumn, entryCell(PlainNumber(readings[i].frequencyHz, 12)));
    }
    filling_ = false;
    readings_ = readings;
    solve();
}

void CalibrateTab::addReading() {
    const int row = table_->rowCount();
    filling_ = true;
    table_->insertRow(row);
    table_->setItem(row, PositionColumn, entryCell(""));
    table_->setItem(row, MeasuredColumn, entryCell(""));
    filling_ = false;
    table_->setCurrentCell(row, PositionColumn);
    table_->editItem(table_->item(row, PositionColumn));
}

void CalibrateTab::removeReading() {
    const int row = table_->currentRow() >= 0 ? table_->currentRow() : table_->rowCount() - 1;
    if (row >= 0) {
        table_->removeRow(row);
        tableEdited();
    }
}

// Every row that holds something must read as a reading; rows left empty are passed over.
void CalibrateTab::tableEdited() {
    if (filling_) {
        return;
    }
    std::vector<CalibrationReading> readings;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QString position = cellText(table_, row, PositionColumn);
        const QString measured = cellText(table_, row, MeasuredColumn);
        if (position.isEmpty() && measured.isEmpty()) {
            continue;
        }
        CalibrationReading reading;
        const std::string wrong =
            position.isEmpty() || measured.isEmpty()
                ? "give both the position and the frequency"
                : ParseReading((position + "=" + measured).toStdString(), reading);
        if (!wrong.empty()) {
            result_ = Calibration{};
            result_.reason = "Row " + std::to_string(row + 1) + ": " + wrong;
            showFits();
            return;
        }
        readings.push_back(reading);
    }
    readings_ = readings;
    otherDesign_.clear();
    keep_->setVisible(false);
    emit readingsEdited();
    solve();
}

void CalibrateTab::setReadingsChange(const std::string& change) {
    otherDesign_ = change;
    keep_->setVisible(!change.empty() && !readings_.empty());
    solve();
}

void CalibrateTab::solve() {
    if (!otherDesign_.empty() && !readings_.empty()) {
        result_ = Calibration{};
        result_.reason = "these readings were taken against another design (" + otherDesign_ +
                         "); they are not solved against this one. \"Use with this design\" "
                         "takes them for it, or enter readings of this design.";
        showFits();
        return;
    }
    result_ = Calibrate(design_, readings_);
    showFits();
}

void CalibrateTab::showFits() {
    const std::vector<std::vector<std::string>> fits =
        result_.solved ? ReadingRows(readings_, result_) : std::vector<std::vector<std::string>>{};
    filling_ = true;
    std::size_t k = 0;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const bool blank = cellText(table_, row, PositionColumn).isEmpty() &&
                           cellText(table_, row, MeasuredColumn).isEmpty();
        const std::vector<std::string> cells =
            !blank && k < fits.size() ? fits[k++] : std::vector<std::string>(Columns);
        table_->setItem(row, ModelColumn, cell(cells[ModelColumn]));
        table_->setItem(row, ResidualColumn, cell(cells[ResidualColumn]));
    }
    filling_ = false;
    report_->setPlainText(QString::fromStdString(result_.solved
                                                     ? CalibrationSummary(design_, result_)
                                                     : "Cannot calibrate: " + result_.reason));
    apply_->setEnabled(result_.solved);
    refreshBench();
    refreshScale();
}

Mix CalibrateTab::selectedMix() const {
    return mix_->currentIndex() == 0 ? Mix::Difference : Mix::Sum;
}

void CalibrateTab::refreshBench() {
    RfBand band;
    std::string wrong = bandEdge(bandLow_->text(), "low", band.lowHz);
    if (wrong.empty()) {
        wrong = bandEdge(bandHigh_->text(), "high", band.highHz);
    }
    bench_->setText(QString::fromStdString(
        !result_.solved ? ""
        : wrong.empty() ? BenchChangeText(result_.design, band, selectedMix())
                        : wrong));
}

void CalibrateTab::refreshScale() {
    scale_->setFace(result_.solved ? LayOutDial(result_.design, selectedMix(), radius_->value())
                                   : DialFace{});
}

void CalibrateTab::printScale() {
    PrintThroughDialog(
        [this](QPrinter& printer) { return printDialAtTrueSize(printer, scale_->face()); });
}

void CalibrateTab::saveScalePdf() {
    const auto path = AskSaveName(
        {"Save calibrated dial scale as PDF", "PDF files (*.pdf)|*.pdf", "dial-built.pdf", ""});
    if (path && !saveDialPdf(QString::fromStdString(*path), scale_->face())) {
        sayNotWritten(*path);
    }
}

}  // namespace calbrine
