// The design explorer's dial table and fit to band tabs.
#include <QComboBox>
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

}  // namespace

QTableWidgetItem* Cell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

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

}  // namespace calbrine
