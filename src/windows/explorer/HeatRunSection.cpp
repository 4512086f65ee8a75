#include "windows/explorer/HeatRunSection.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/ReportText.h"
#include "windows/Controls.h"
#include "windows/explorer/HeatRunPlot.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

namespace {

enum Column { TemperatureColumn, MeasuredColumn, ResidualColumn, Columns };

QTableWidgetItem* entryCell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString cellText(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item != nullptr ? item->text().trimmed() : QString();
}

QComboBox* choice(const char* name, const char* spoken, const QStringList& items,
                  const QString& current) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setAccessibleName(spoken);
    box->addItems(items);
    box->setCurrentText(current);
    return box;
}

}  // namespace

HeatRunSection::HeatRunSection(QWidget* parent) : QWidget(parent) {
    setObjectName("heatRunSection");
    table_ = new QTableWidget(0, Columns);
    table_->setObjectName("heatRunTable");
    table_->setAccessibleName("Heat run readings");
    table_->setHorizontalHeaderLabels({"degC", "Measured Hz", "Residual Hz"});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    plot_ = new HeatRunPlot;
    plot_->setObjectName("heatRunPlot");
    report_ = reportBox("heatRunReport", "Heat run results");
    report_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* add = namedButton("Add reading", "addHeatReading");
    auto* remove = namedButton("Remove reading", "removeHeatReading");
    apply_ = namedButton("Apply", "applyHeatRun");
    apply_->setEnabled(false);
    connect(table_, &QTableWidget::itemChanged, this, [this] { tableEdited(); });
    connect(add, &QPushButton::clicked, this, [this] { addReading(); });
    connect(remove, &QPushButton::clicked, this, [this] { removeReading(); });
    connect(apply_, &QPushButton::clicked, this, [this] {
        const Compensation& c = result_.compensation;
        applied_ = "Applied: " + std::string(PartName(c.request.part)) + " " + PairText(c) + ", " +
                   PlainNumber(c.effectivePpm, 4) +
                   " ppm/degC as one part. The readings were of the build before the change: "
                   "take a new heat run of the changed build.\n";
        emit applyCompensation();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(apply_);
    auto* readings = new QVBoxLayout;
    readings->addWidget(table_, 1);
    readings->addLayout(buttons);
    auto* upper = new QHBoxLayout;
    upper->addLayout(readings, 3);
    upper->addWidget(plot_, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildChoices());
    layout->addLayout(upper, 2);
    layout->addWidget(report_, 1);
    workOut();
}

QWidget* HeatRunSection::buildChoices() {
    setting_ = new QLineEdit(QString::fromStdString(DialSettingText(record_.setting)));
    setting_->setObjectName("heatRunSetting");
    setting_->setAccessibleName("Heat run setting: VfoMin, VfoMax or C38's position in percent");
    setting_->setToolTip(setting_->accessibleName());
    setting_->setMinimumWidth(setting_->fontMetrics().horizontalAdvance("VfoMax") * 3 / 2);
    QStringList parts, kinds, series;
    for (Part part : AllParts) {
        if (IsFixedCapacitor(part)) {
            parts << PartName(part);
        }
    }
    for (const NegativeKind& kind : NegativeKinds) {
        kinds << kind.name;
    }
    for (const ValueSeries& one : shippedValueSeries()) {
        series << QString::fromStdString(one.name);
    }
    part_ = choice("heatRunPart", "Capacitor to split", parts, "C37");
    kind_ = choice("heatRunKind", "Negative-coefficient kind", kinds, "N750");
    series_ = choice("heatRunSeries", "Value series", series, "E12");
    connect(setting_, &QLineEdit::textEdited, this, [this] { settingEdited(); });
    for (QComboBox* box : {part_, kind_, series_}) {
        connect(box, &QComboBox::currentTextChanged, this, [this] { workOut(); });
    }
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{
             new QLabel("Counter at"), setting_, new QLabel("by temperature; split"), part_,
             new QLabel("into NP0 +"), kind_, new QLabel("of"), series_}) {
        layout->addWidget(w);
    }
    layout->addStretch(1);
    return row;
}

void HeatRunSection::setDesign(const DesignRecord& design, const PartSettings& settings) {
    design_ = design;
    settings_ = settings;
    workOut();
}

void HeatRunSection::setRecord(const HeatRunRecord& record) {
    filling_ = true;
    setting_->setText(QString::fromStdString(DialSettingText(record.setting)));
    table_->setRowCount(static_cast<int>(record.readings.size()));
    for (std::size_t i = 0; i < record.readings.size(); ++i) {
        const int row = static_cast<int>(i);
        const HeatReading& r = record.readings[i];
        table_->setItem(row, TemperatureColumn, entryCell(PlainNumber(r.temperatureC)));
        table_->setItem(row, MeasuredColumn, entryCell(PlainNumber(r.frequencyHz, 12)));
    }
    filling_ = false;
    record_ = record;
    workOut();
}

void HeatRunSection::addReading() {
    const int row = table_->rowCount();
    filling_ = true;
    table_->insertRow(row);
    table_->setItem(row, TemperatureColumn, entryCell(""));
    table_->setItem(row, MeasuredColumn, entryCell(""));
    filling_ = false;
    table_->setCurrentCell(row, TemperatureColumn);
    table_->editItem(table_->item(row, TemperatureColumn));
}

void HeatRunSection::removeReading() {
    const int row = table_->currentRow() >= 0 ? table_->currentRow() : table_->rowCount() - 1;
    if (row >= 0) {
        table_->removeRow(row);
        tableEdited();
    }
}

// Every row that holds something must read as a reading; rows left empty are passed over.
void HeatRunSection::tableEdited() {
    if (filling_) {
        return;
    }
    std::vector<HeatReading> readings;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QString temperature = cellText(table_, row, TemperatureColumn);
        const QString measured = cellText(table_, row, MeasuredColumn);
        if (temperature.isEmpty() && measured.isEmpty()) {
            continue;
        }
        HeatReading reading;
        const std::string wrong =
            temperature.isEmpty() || measured.isEmpty()
                ? "give both the temperature and the frequency"
                : ParseHeatReading((temperature + "=" + measured).toStdString(), reading);
        if (!wrong.empty()) {
            showResult("Row " + std::to_string(row + 1) + ": " + wrong);
            return;
        }
        readings.push_back(reading);
    }
    record_.readings = readings;
    applied_.clear();
    emit recordEdited();
    workOut();
}

void HeatRunSection::settingEdited() {
    DialSetting setting;
    const std::string wrong = ParseDialSetting(setting_->text().toStdString(), setting);
    if (!wrong.empty()) {
        showResult("Setting: " + wrong);
        return;
    }
    record_.setting = setting;
    emit recordEdited();
    workOut();
}

void HeatRunSection::workOut() {
    HeatRunRequest request;
    request.setting = record_.setting;
    request.part = PartFromName(part_->currentText().toStdString()).value_or(Part::C37);
    request.kind = *NegativeKindNamed(kind_->currentText().toStdString());
    const ValueSeries* series =
        SeriesNamed(shippedValueSeries(), series_->currentText().toStdString());
    if (series == nullptr) {
        showResult("The program's value series could not be read.");
        return;
    }
    request.series = *series;
    result_ = AnalyseHeatRun(design_, settings_, record_.readings, request);
    showResult("");
}

void HeatRunSection::showResult(const std::string& refusal) {
    if (!refusal.empty()) {
        result_ = HeatRun{};
    }
    const MeasuredDrift& drift = result_.drift;
    filling_ = true;
    std::size_t k = 0;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const bool blank = cellText(table_, row, TemperatureColumn).isEmpty() &&
                           cellText(table_, row, MeasuredColumn).isEmpty();
        std::string residual;
        if (!blank && drift.measured && k < record_.readings.size()) {
            const HeatReading& r = record_.readings[k++];
            residual = PlainNumber(r.frequencyHz - drift.meanFrequencyHz -
                                       drift.hzPerC * (r.temperatureC - drift.meanTemperatureC),
                                   4);
        }
        table_->setItem(row, ResidualColumn, cell(residual));
    }
    filling_ = false;
    plot_->setRun(drift.measured ? record_.readings : std::vector<HeatReading>{}, drift);
    const Compensation& c = result_.compensation;
    std::string text = refusal;
    if (text.empty()) {
        text = !drift.measured ? applied_ + "No heat run: " + drift.reason
               : c.possible    ? HeatRunText(result_)
                               : "Measured drift " + PlainNumber(drift.hzPerC, 4) +
                                  " Hz/degC.\nCannot compensate: " + c.reason;
    }
    report_->setPlainText(QString::fromStdString(text));
    apply_->setEnabled(refusal.empty() && drift.measured && c.possible);
}

}  // namespace calbrine
