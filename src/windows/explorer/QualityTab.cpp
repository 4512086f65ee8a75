#include "windows/explorer/QualityTab.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "engineering/StrictNumber.h"
#include "windows/Controls.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

namespace {

// A box of the options: its caption, objectName, spoken name, unit, first text, and the range
// it takes with what it wants, the command line's option's.
struct OptionBox {
    const char* caption;
    const char* name;
    const char* spoken;
    const char* unit;
    const char* first;
    QualityOptionLimit limit;
};

const std::array<OptionBox, QualityOptionBoxes> Boxes{{
    {"&Load:", "qualityLoad", "Load from the output to ground", "ohm", "1k", LoadLimit},
    {"&Noise figure:", "qualityNoiseFigure", "Noise figure of the transistor stage", "dB", "6",
     NoiseFigureLimit},
    {"&Flicker corner:", "qualityFlicker", "Flicker corner", "Hz", "1k", FlickerLimit},
    {"Receiver &bandwidth:", "qualityBandwidth", "Receiver bandwidth", "Hz", "2.4k",
     BandwidthLimit},
}};

// The box's caption without its accelerator and colon: "Noise figure".
std::string boxWords(const OptionBox& box) {
    QString words = QString(box.caption).remove('&');
    words.chop(1);
    return words.toStdString();
}

// The colours of the settings' lines, in the order of AllTuningSettings.
const QColor SettingColours[] = {QColor(20, 60, 150), QColor(190, 30, 30), QColor(30, 130, 60),
                                 QColor(200, 120, 0)};

QString qualitySaid(const QualityOutcome& outcome, double seconds) {
    return QString("Simulated %1 settings in %2 s.")
        .arg(outcome.settings.size())
        .arg(seconds, 0, 'f', 1);
}

}  // namespace

std::string readQualityOptions(const std::array<QString, QualityOptionBoxes>& typed,
                               QualityOptions& options, std::size_t& bad) {
    std::array<double, QualityOptionBoxes> values{};
    for (std::size_t i = 0; i < QualityOptionBoxes; ++i) {
        const OptionBox& box = Boxes[i];
        const std::string text = typed[i].toStdString();
        bad = i;
        if (const std::string wrong = ReadStrictNumber(text, values[i]); !wrong.empty()) {
            return boxWords(box) + ": " + wrong + ".";
        }
        if (!std::isfinite(values[i]) || values[i] < box.limit.low || values[i] > box.limit.high) {
            return boxWords(box) + " wants " + box.limit.wants + ", not \"" + text + "\".";
        }
    }
    options.loadOhms = values[0];
    options.noiseFigureDb = static_cast<float>(values[1]);
    options.flickerHz = static_cast<float>(values[2]);
    options.bandwidthHz = static_cast<float>(values[3]);
    return "";
}

QString qualityNotes(const QualityOutcome& outcome) {
    std::string report = QualityReport(outcome);
    const std::string table = QualityTable(outcome).Text();
    if (const std::size_t at = report.find(table); at != std::string::npos) {
        report.erase(at, table.size());
    }
    return flowingText(report);
}

std::vector<PhaseNoiseLine> phaseNoiseLines(const QualityOutcome& outcome) {
    std::vector<PhaseNoiseLine> lines;
    for (const SettingQuality& q : outcome.settings) {
        if (q.leeson) {
            const auto setting = static_cast<std::size_t>(q.setting);
            lines.push_back({SettingName(q.setting),
                             SettingColours[setting % std::size(SettingColours)],
                             LeesonCurve(*q.leeson)});
        }
    }
    return lines;
}

QualityTab::QualityTab(QWidget* parent) : QWidget(parent) {
    setObjectName("qualityTab");
    panel_ = new OutcomePanel<QualityOutcome>("Simulate", "quality", qualitySaid);
    panel_->setToolTip(
        "Simulates each setting settled, with the supply moved, with the load and ringing down");
    connect(panel_, &RunPanel::startPressed, this, [this] { start(); });
    connect(panel_, &RunPanel::outcomeChanged, this, [this] { showResults(); });
    refused_ = wrappedLabel("qualityRefused");
    refused_->hide();
    table_ = reportTable("qualityTable", "Quality of each setting");
    plot_ = new PhaseNoisePlot;
    plot_->setObjectName("phaseNoisePlot");
    notes_ = wrappedLabel("qualityNotes");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildOptions());
    layout->addWidget(refused_);
    layout->addWidget(panel_);
    layout->addWidget(table_);
    layout->addWidget(plot_, 1);
    layout->addWidget(notes_);
    followInputs();
}

QLayout* QualityTab::buildOptions() {
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < QualityOptionBoxes; ++i) {
        const OptionBox& box = Boxes[i];
        QLineEdit*& edit = boxes_[i];
        edit = new QLineEdit(box.first);
        edit->setObjectName(box.name);
        edit->setAccessibleName(box.spoken);
        edit->setToolTip(QString("%1, in engineering text such as 1k").arg(box.spoken));
        edit->setMaximumWidth(110);
        connect(edit, &QLineEdit::textChanged, this, [this] {
            sayRefusal("");
            followInputs();
        });
        auto* label = new QLabel(box.caption);
        label->setBuddy(edit);
        // Two boxes to a row: the load and the noise figure, then the flicker corner and the
        // receiver's bandwidth.
        const int row = static_cast<int>(i / 2), column = static_cast<int>(i % 2) * 4;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        grid->addWidget(new QLabel(box.unit), row, column + 2);
    }
    grid->setColumnMinimumWidth(3, 16);
    grid->setColumnStretch(7, 1);
    return grid;
}

// The line that says why the options were refused takes room only while it says something.
void QualityTab::sayRefusal(const QString& text) {
    refused_->setText(text);
    refused_->setVisible(!text.isEmpty());
}

std::array<QString, QualityOptionBoxes> QualityTab::typed() const {
    std::array<QString, QualityOptionBoxes> texts;
    for (std::size_t i = 0; i < QualityOptionBoxes; ++i) {
        texts[i] = boxes_[i]->text();
    }
    return texts;
}

void QualityTab::setDesign(const DesignRecord& design, double coilQ) {
    design_ = design;
    coilQ_ = coilQ;
    followInputs();
}

// An outcome holds for the design, the coil's Q and the options it was simulated with.
void QualityTab::followInputs() {
    QByteArray inputs = runInputs(design_, coilQ_);
    for (const QString& text : typed()) {
        inputs.append(text.trimmed().toUtf8()).append('\0');
    }
    panel_->follow(inputs, "Stopped: the design, the coil's Q or an option changed.");
    showResults();
}

void QualityTab::start() {
    QualityOptions options;
    std::size_t bad = 0;
    const std::string refusal = readQualityOptions(typed(), options, bad);
    sayRefusal(QString::fromStdString(refusal));
    if (!refusal.empty()) {
        boxes_[bad]->setFocus();
        boxes_[bad]->selectAll();
        return;
    }
    panel_->start(SimulateQuality, design_, coilQ_, options);
}

// The table and the curves of the last run for these inputs; what the figures assume, for that
// run or, before one, for the options as typed.
void QualityTab::showResults() {
    const QualityOutcome* outcome = panel_->outcome();
    QualityOutcome none;
    none.coilQ = coilQ_;
    std::size_t bad = 0;
    readQualityOptions(typed(), none.options, bad);
    const QualityOutcome& shown = outcome != nullptr ? *outcome : none;
    showTable(table_, QualityTable(shown));
    fitTableHeight(table_, static_cast<int>(AllTuningSettings.size()));
    plot_->setLines(
        phaseNoiseLines(shown),
        "Phase noise by Leeson's model, an estimate (a few dB)\n" +
            QString(outcome != nullptr ? "one line per oscillating setting" : "no run yet"));
    notes_->setText(qualityNotes(shown));
}

}  // namespace calbrine
