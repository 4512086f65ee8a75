#include "windows/explorer/MonteCarloTab.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/FileDialogs.h"
#include "windows/Controls.h"
#include "windows/explorer/RunHistogram.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

namespace {

QString histogramCaption(const SettingSpread& s) {
    return QString("%1: %2 of %3 runs oscillate\ndashed: the calculated worst case")
        .arg(SettingName(s.setting))
        .arg(s.oscillating)
        .arg(s.runs);
}

}  // namespace

QString oscillationLine(const std::array<SettingSpread, 2>& spreads) {
    if (spreads[0].oscillating == spreads[0].runs && spreads[1].oscillating == spreads[1].runs) {
        return QString("Every run oscillates at %1 and at %2.")
            .arg(SettingName(spreads[0].setting), SettingName(spreads[1].setting));
    }
    QString text = "Runs that did not oscillate:";
    for (const SettingSpread& s : spreads) {
        text += QString(" %1 of %2 at %3%4")
                    .arg(s.runs - s.oscillating)
                    .arg(s.runs)
                    .arg(SettingName(s.setting), &s == &spreads[0] ? "," : ".");
    }
    return text;
}

MonteCarloTab::MonteCarloTab(QWidget* parent) : QWidget(parent) {
    setObjectName("monteCarloTab");
    runs_ = new QSpinBox;
    runs_->setObjectName("monteCarloRuns");
    runs_->setAccessibleName("Monte Carlo runs");
    runs_->setLocale(QLocale::c());
    runs_->setRange(1, MostMonteCarloRuns);
    runs_->setValue(DefaultMonteCarloRuns);
    seed_ = new QDoubleSpinBox;
    seed_->setObjectName("monteCarloSeed");
    seed_->setAccessibleName("Seed of the random draws");
    seed_->setToolTip("The same seed draws the same parts again");
    seed_->setLocale(QLocale::c());
    seed_->setDecimals(0);
    seed_->setRange(0, 4294967295.0);
    seed_->setValue(1);
    panel_ = new OutcomePanel<MonteCarloOutcome>(
        "Start", "monteCarlo", [](const MonteCarloOutcome& outcome, double seconds) {
            return QString("Simulated %1 runs in %2 s.")
                .arg(outcome.runs.size())
                .arg(seconds, 0, 'f', 1);
        });
    connect(panel_, &RunPanel::startPressed, this, [this] { start(); });
    connect(panel_, &RunPanel::outcomeChanged, this, [this] { showResults(); });
    save_ = namedButton("Save CSV...", "saveMonteCarloCsv");
    save_->setToolTip("Every run's factors and results, a line per run and setting");
    connect(save_, &QPushButton::clicked, this, [this] { saveCsv(); });
    table_ = reportTable("monteCarloTable", "Spread of the runs");
    missing_ = wrappedLabel("monteCarloMissing");
    auto* pictures = new QHBoxLayout;
    for (RunHistogram*& histogram : histograms_) {
        histogram = new RunHistogram;
        pictures->addWidget(histogram, 1);
    }
    histograms_[0]->setObjectName("histogramVfoMin");
    histograms_[1]->setObjectName("histogramVfoMax");

    auto* fields = new QHBoxLayout;
    fields->addWidget(new QLabel("Runs:"));
    fields->addWidget(runs_);
    fields->addWidget(new QLabel("Seed:"));
    fields->addWidget(seed_);
    fields->addStretch(1);
    fields->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    auto* about = new QLabel(
        "Each run draws every part within its tolerance on the Drift and tolerance tab and is "
        "simulated at "
        "VfoMin and VfoMax.");
    about->setWordWrap(true);
    layout->addWidget(about);
    layout->addLayout(fields);
    layout->addWidget(panel_);
    layout->addWidget(table_);
    layout->addWidget(missing_);
    layout->addLayout(pictures, 1);
    showResults();
}

void MonteCarloTab::setDesign(const DesignRecord& design, const PartSettings& settings) {
    design_ = design;
    settings_ = settings;
    panel_->follow(runInputs(design, settings.tolerancePercent, settings.coilQ),
                   "Stopped: the design, the tolerances or the coil's Q changed.");
}

void MonteCarloTab::start() {
    panel_->start(RunMonteCarlo, design_, settings_, runs_->value(),
                  static_cast<std::uint32_t>(seed_->value()));
}

void MonteCarloTab::showResults() {
    static const std::vector<MonteCarloRun> none;
    const MonteCarloOutcome* outcome = panel_->outcome();
    const std::vector<MonteCarloRun>& runs = outcome != nullptr ? outcome->runs : none;
    const std::array<SettingSpread, 2> spreads = MonteCarloSpreads(design_, settings_, runs);
    showTable(table_, MonteCarloTable(spreads));
    const bool any = !runs.empty();
    if (!any) {
        table_->setRowCount(0);
    }
    missing_->setText(any ? oscillationLine(spreads) : "");
    save_->setEnabled(any);
    for (std::size_t i = 0; i < histograms_.size(); ++i) {
        std::vector<double> hz;
        for (const MonteCarloRun& run : runs) {
            if (run.settings[i].measure.oscillates) {
                hz.push_back(run.settings[i].measure.frequencyHz);
            }
        }
        histograms_[i]->setRuns(
            std::move(hz), spreads[i].worstLowHz, spreads[i].worstHighHz,
            any ? histogramCaption(spreads[i]) : SettingName(spreads[i].setting));
    }
    // Tall enough for the two rows, and a scroll bar below them when the tab is too narrow
    // for every column.
    fitTableHeight(table_, 2);
}

// The rows `calbrine montecarlo --csv` prints for the same runs.
void MonteCarloTab::saveCsv() {
    const auto path =
        AskSaveName({"Save Monte Carlo runs", "CSV files (*.csv)|*.csv", "montecarlo.csv", ""});
    if (path) {
        saveExplorerText(*path, MonteCarloCsv(panel_->outcome()->runs));
    }
}

}  // namespace calbrine
