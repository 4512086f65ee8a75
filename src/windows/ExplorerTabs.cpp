// The three tabs of the design explorer: dial table, fit to band, drift and tolerance.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/ExplorerCommands.h"
#include "analysis/ReportText.h"
#include "windows/ExplorerWindow.h"

namespace calbrine {

namespace {

QPlainTextEdit* Report(const char* name, const char* spokenName) {
    auto* box = new QPlainTextEdit;
    box->setObjectName(name);
    box->setAccessibleName(spokenName);
    box->setReadOnly(true);
    box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    return box;
}

QPushButton* Button(const char* text, const char* name) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    return button;
}

QTableWidgetItem* Cell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

QWidget* ExplorerWindow::BuildDialTab() {
    auto* tab = new QWidget;
    steps_ = new QSpinBox;
    steps_->setObjectName("steps");
    steps_->setAccessibleName("Steps of rotation");
    steps_->setRange(2, 101);
    steps_->setValue(11);
    dialTable_ = new QTableWidget(0, 7);
    dialTable_->setObjectName("dialTable");
    dialTable_->setAccessibleName("Dial table");
    dialTable_->setHorizontalHeaderLabels(
        {"Step", "C38", "VFO", "RF sum", "RF diff", "Fine span", "Hz/step"});
    dialTable_->verticalHeader()->hide();
    dialTable_->setWordWrap(false);
    dialTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    dialTable_->horizontalHeader()->setStretchLastSection(true);
    auto* copy = Button("Copy as text", "copyDial");
    auto* save = Button("Save CSV...", "saveDialCsv");
    connect(steps_, qOverload<int>(&QSpinBox::valueChanged), this, [this] { RefreshDial(); });
    connect(copy, &QPushButton::clicked, this, [this] { CopyDialTable(); });
    connect(save, &QPushButton::clicked, this, [this] { SaveDialCsv(); });

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Steps of rotation:"));
    top->addWidget(steps_);
    top->addStretch(1);
    top->addWidget(copy);
    top->addWidget(save);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(top);
    layout->addWidget(dialTable_, 1);
    return tab;
}

void ExplorerWindow::RefreshDial() {
    const std::vector<CurvePoint> curve = TuningCurve(design_, steps_->value());
    dialTable_->setRowCount(static_cast<int>(curve.size()));
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const CurvePoint& p = curve[i];
        const std::string perStep =
            i == 0 ? "" : SignedFrequencyText(static_cast<double>(p.vfo) - curve[i - 1].vfo);
        const std::string cells[] = {
            std::to_string(i),
            CapacitanceText(p.ccoarse),
            FrequencyText(p.vfo),
            FrequencyText(p.rfSum),
            FrequencyText(p.rfDiff),
            SignedFrequencyText(static_cast<double>(p.fineHigh) - p.fineLow),
            perStep};
        for (int c = 0; c < 7; ++c) {
            dialTable_->setItem(static_cast<int>(i), c, Cell(cells[c]));
        }
    }
}

QWidget* ExplorerWindow::BuildFitTab() {
    auto* tab = new QWidget;
    bandLow_ = new QLineEdit("7M");
    bandLow_->setObjectName("bandLow");
    bandHigh_ = new QLineEdit("7.2M");
    bandHigh_->setObjectName("bandHigh");
    mix_ = new QComboBox;
    mix_->setObjectName("mix");
    mix_->addItems({"RF difference (IF - VFO)", "RF sum (IF + VFO)"});
    solve_ = new QComboBox;
    solve_->setObjectName("solve");
    solve_->addItems({"L7 and padding C37", "Coarse capacitor C38 ends"});
    auto* solveButton = Button("Solve", "solveFit");
    apply_ = Button("Apply to design", "applyFit");
    apply_->setEnabled(false);
    fitReport_ = Report("fitReport", "Fit to band report");
    connect(solveButton, &QPushButton::clicked, this, [this] { Solve(); });
    connect(apply_, &QPushButton::clicked, this, [this] { emit ApplyFit(fitted_); });

    auto* form = new QFormLayout;
    form->addRow("Band low edge:", bandLow_);
    form->addRow("Band high edge:", bandHigh_);
    form->addRow("Mix:", mix_);
    form->addRow("Solve for:", solve_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(solveButton);
    buttons->addWidget(apply_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(fitReport_, 1);
    return tab;
}

void ExplorerWindow::Solve() {
    FitOptions options;
    std::string error = ParseBand(
        bandLow_->text().toStdString() + ":" + bandHigh_->text().toStdString(), options.band);
    options.mix = mix_->currentIndex() == 0 ? Mix::Difference : Mix::Sum;
    options.solve =
        solve_->currentIndex() == 0 ? FitSolve::InductorAndPadding : FitSolve::CoarseCapacitor;
    CommandOutput out;
    if (error.empty()) {
        out = FitText(design_, options);
        error = out.error;
    }
    const bool reached = error.empty();
    fitted_ =
        reached ? FitToBand(design_, options.band, options.mix, options.solve).design : design_;
    apply_->setEnabled(reached);
    fitReport_->setPlainText(QString::fromStdString(reached ? out.text : error));
}

QWidget* ExplorerWindow::BuildPartsTab() {
    auto* tab = new QWidget;
    partsTable_ = new QTableWidget(static_cast<int>(PartCount), 3);
    partsTable_->setObjectName("partsTable");
    partsTable_->setAccessibleName("Temperature coefficients and tolerances of the parts");
    partsTable_->setHorizontalHeaderLabels({"Part", "ppm/degC", "Tolerance %"});
    partsTable_->verticalHeader()->hide();
    partsTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    compensated_ = new QComboBox;
    compensated_->setObjectName("compensated");
    compensated_->setAccessibleName("Cancel mid-band drift with");
    for (Part part : AllParts) {
        const int row = static_cast<int>(part);
        partsTable_->setItem(row, 0, Cell(PartName(part)));
        auto* tc = new QComboBox;
        tc->setEditable(true);
        const QString name = QString::fromLatin1(PartName(part));
        tc->setAccessibleName(name + " temperature coefficient");
        tc->lineEdit()->setAccessibleName(tc->accessibleName());
        for (const TcPreset& preset : TcPresets) {
            tc->addItem(preset.name);
        }
        tc->setCurrentText(QString::fromStdString(PlainNumber(settings_.Tc(part))));
        connect(tc, &QComboBox::currentTextChanged, this, [this, part](const QString& text) {
            if (const auto ppm = TcFromText(text.toStdString())) {
                settings_.Tc(part) = *ppm;
                RefreshParts();
            }
        });
        partsTable_->setCellWidget(row, 1, tc);
        auto* tolerance = new QDoubleSpinBox;
        tolerance->setRange(0, 50);
        tolerance->setAccessibleName(name + " tolerance");
        tolerance->setValue(settings_.Tolerance(part));
        connect(tolerance, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
                [this, part](double value) {
                    settings_.Tolerance(part) = value;
                    RefreshParts();
                });
        partsTable_->setCellWidget(row, 2, tolerance);
        compensated_->addItem(PartName(part));
    }
    compensated_->setCurrentText("C37");
    connect(compensated_, &QComboBox::currentTextChanged, this, [this] { RefreshParts(); });
    partsReport_ = Report("partsReport", "Drift and tolerance report");

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Cancel mid-band drift with:"));
    row->addWidget(compensated_);
    row->addStretch(1);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(partsTable_);
    layout->addLayout(row);
    layout->addWidget(partsReport_, 1);
    return tab;
}

void ExplorerWindow::RefreshParts() {
    if (partsReport_ == nullptr) {
        return;
    }
    DriftOptions options{settings_, Part::C37};
    if (const auto part = PartFromName(compensated_->currentText().toStdString())) {
        options.compensated = *part;
    }
    partsReport_->setPlainText(QString::fromStdString(DriftText(design_, options) + "\n" +
                                                      ToleranceText(design_, settings_)));
}

}  // namespace calbrine
