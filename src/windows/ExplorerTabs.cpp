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

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "engineering/StrictNumber.h"
#include "runs/SimulatedCurve.h"
#include "windows/ExplorerCurveSimulation.h"
#include "windows/ExplorerWindow.h"

namespace calbrine {

namespace {

QPlainTextEdit* reportBox(const char* name, const char* spokenName) {
    auto* box = new QPlainTextEdit;
    box->setObjectName(name);
    box->setAccessibleName(spokenName);
    box->setReadOnly(true);
    box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    return box;
}

QPushButton* namedButton(const char* text, const char* name) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    return button;
}

}  // namespace

// A band edge typed in engineering text, in hertz; empty text when it reads, otherwise why not.
std::string bandEdge(const QString& typed, const char* which, double& hz) {
    const std::string text = typed.toStdString();
    double value = 0;
    const std::string wrong = ReadStrictNumber(text, value);
    if (!wrong.empty()) {
        return std::string("The band's ") + which + " edge: " + wrong + ".";
    }
    if (!(value > 0)) {
        return std::string("The band's ") + which + " edge \"" + text +
               "\" is not a frequency above zero, such as 7M or 7.2M.";
    }
    hz = value;
    return "";
}

QTableWidgetItem* cell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

void showTable(QTableWidget* table, const ReportTable& report) {
    const std::vector<std::string> titles = report.Titles();
    QStringList headers;
    for (const std::string& title : titles) {
        headers << QString::fromStdString(title);
    }
    table->setColumnCount(static_cast<int>(titles.size()));
    table->setHorizontalHeaderLabels(headers);
    const std::vector<std::vector<std::string>> rows = report.TextRows();
    table->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            table->setItem(static_cast<int>(r), static_cast<int>(c), cell(rows[r][c]));
        }
    }
}

QWidget* ExplorerWindow::buildDialTab() {
    auto* tab = new QWidget;
    steps_ = new QSpinBox;
    steps_->setObjectName("steps");
    steps_->setAccessibleName("Steps of rotation");
    steps_->setRange(2, 101);
    steps_->setValue(11);
    dialTable_ = new QTableWidget;
    dialTable_->setObjectName("dialTable");
    dialTable_->setAccessibleName("Dial table");
    dialTable_->verticalHeader()->hide();
    dialTable_->setWordWrap(false);
    dialTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    dialTable_->horizontalHeader()->setStretchLastSection(true);
    auto* copy = namedButton("Copy as text", "copyDial");
    auto* save = namedButton("Save CSV...", "saveDialCsv");
    curveSimulation_ = new CurveSimulation;
    connect(steps_, qOverload<int>(&QSpinBox::valueChanged), this, [this] { stepsChanged(); });
    connect(curveSimulation_, &CurveSimulation::curveChanged, this, [this] { curveSimulated(); });
    connect(copy, &QPushButton::clicked, this, [this] { copyDialTable(); });
    connect(save, &QPushButton::clicked, this, [this] { saveDialCsv(); });

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("Steps of rotation:"));
    top->addWidget(steps_);
    top->addStretch(1);
    top->addWidget(copy);
    top->addWidget(save);
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(top);
    layout->addWidget(curveSimulation_);
    layout->addWidget(dialTable_, 1);
    // The keys go through the controls as they stand: the top row, the simulation's, the table.
    QWidget* previous = steps_;
    std::vector<QWidget*> order{copy, save};
    for (QAbstractButton* button : curveSimulation_->findChildren<QAbstractButton*>()) {
        order.push_back(button);
    }
    order.push_back(dialTable_);
    for (QWidget* next : order) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
    return tab;
}

// The simulated points belong to the steps they were simulated at.
void ExplorerWindow::stepsChanged() {
    curveSimulation_->setDesign(design_, steps_->value());
    curveSimulated();
}

void ExplorerWindow::curveSimulated() {
    refreshCurve();
    refreshDial();
    refreshScale();
}

ReportTable ExplorerWindow::shownDialTable() const {
    const int steps = steps_->value();
    const auto& simulated = curveSimulation_->outcome();
    if (const VfoCurve vfo = curveSimulation_->dialCurve()) {
        return DialTable(design_, steps, vfo);
    }
    return simulated ? SimulatedDialTable(design_, steps, *simulated) : DialTable(design_, steps);
}

std::string ExplorerWindow::dialText() const {
    const int steps = steps_->value();
    const auto& simulated = curveSimulation_->outcome();
    if (!curveSimulation_->dialCurve()) {
        return simulated ? SimulatedDialReport(design_, steps, *simulated)
                         : DialReport(design_, steps);
    }
    std::string text = DialReport(design_, steps);
    const std::string calculated = DialTable(design_, steps).Text();
    text.replace(text.size() - calculated.size(), calculated.size(), shownDialTable().Text());
    return text + "Frequencies from the simulated curve.\n";
}

void ExplorerWindow::refreshDial() {
    showTable(dialTable_, shownDialTable());
}

QWidget* ExplorerWindow::buildFitTab() {
    auto* tab = new QWidget;
    bandLow_ = new QLineEdit("7M");
    bandLow_->setObjectName("bandLow");
    bandHigh_ = new QLineEdit("7.2M");
    bandHigh_->setObjectName("bandHigh");
    mix_ = new QComboBox;
    mix_->setObjectName("mix");
    mix_->addItems(
        {"The product that reaches the band", "RF difference (IF - VFO)", "RF sum (IF + VFO)"});
    solve_ = new QComboBox;
    solve_->setObjectName("solve");
    solve_->addItems({"L7 and padding C37", "Coarse capacitor C38 ends"});
    auto* solveButton = namedButton("Solve", "solveFit");
    apply_ = namedButton("Apply to design", "applyFit");
    apply_->setEnabled(false);
    fitReport_ = reportBox("fitReport", "Fit to band report");
    connect(solveButton, &QPushButton::clicked, this, [this] { solve(); });
    connect(apply_, &QPushButton::clicked, this, [this] { emit applyFit(fitted_); });

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

void ExplorerWindow::solve() {
    FitRequest request;
    std::string error = bandEdge(bandLow_->text(), "low", request.band.lowHz);
    if (error.empty()) {
        error = bandEdge(bandHigh_->text(), "high", request.band.highHz);
    }
    request.mix = mix_->currentIndex() == 1 ? Mix::Difference : Mix::Sum;
    request.solve =
        solve_->currentIndex() == 0 ? FitSolve::InductorAndPadding : FitSolve::CoarseCapacitor;
    FitOutcome fit{request, {}, "", false};
    if (error.empty()) {
        fit = mix_->currentIndex() == 0 ? SolveFitEitherMix(design_, request)
                                        : FitOutcome{request, SolveFit(design_, request), ""};
        error = fit.result.reached    ? ""
                : fit.failure.empty() ? FitFailure(fit.result)
                                      : fit.failure;
    }
    const bool reached = error.empty();
    fitted_ = reached ? fit.result.design : design_;
    apply_->setEnabled(reached);
    const std::string chosen = mix_->currentIndex() == 0 ? MixLine(fit) : "";
    fitReport_->setPlainText(QString::fromStdString(
        reached ? chosen + FitReport(design_, fit.request, fit.result) : error));
}

}  // namespace calbrine
