#include "windows/explorer/FitTab.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstring>

#include "analysis/Reports.h"
#include "windows/Controls.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

FitTab::FitTab(QWidget* parent) : QWidget(parent) {
    setObjectName("fitTab");
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
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(fitReport_, 1);
}

void FitTab::setDesign(const DesignRecord& design) {
    const bool changed = std::memcmp(&design, &design_, sizeof design) != 0;
    design_ = design;
    if (changed && apply_->isEnabled()) {
        solve();
    }
}

void FitTab::solve() {
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
