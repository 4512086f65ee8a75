#include "windows/explorer/BoughtPartsTab.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/MakersTables.h"
#include "windows/Controls.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

namespace {

constexpr const char* DefaultSeries = "E12";

}  // namespace

BoughtPartsTab::BoughtPartsTab(const std::string& programFolder, QWidget* parent)
    : QWidget(parent) {
    setObjectName("boughtPartsTab");
    const std::string unread = ReadSeriesTable(programFolder, table_);
    series_ = new QComboBox;
    series_->setObjectName("series");
    series_->setAccessibleName("Value series");
    for (const ValueSeries& series : table_) {
        series_->addItem(QString::fromStdString(series.name));
    }
    series_->setCurrentText(DefaultSeries);
    auto* seriesLabel = new QLabel("&Series:");
    seriesLabel->setBuddy(series_);
    use_ = namedButton("Use these values", "useBought");
    seriesNote_ = wrappedLabel("seriesNote");
    parts_ = reportTable("boughtParts", "Fixed capacitors as bought");
    ends_ = reportTable("boughtEnds", "Band ends designed and as bought");
    endsNote_ = wrappedLabel("boughtEndsNote");
    connect(series_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    connect(use_, &QPushButton::clicked, this, [this] { emit useBought(bought_.bought); });

    auto* row = new QHBoxLayout;
    row->addWidget(seriesLabel);
    row->addWidget(series_);
    row->addStretch(1);
    row->addWidget(use_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(seriesNote_);
    layout->addWidget(parts_, 0, Qt::AlignLeft);
    layout->addWidget(ends_, 0, Qt::AlignLeft);
    layout->addWidget(endsNote_);
    layout->addStretch(1);
    if (!unread.empty()) {
        seriesNote_->setText(flowingText("Cannot buy the parts: " + unread + "."));
        series_->setEnabled(false);
        use_->setEnabled(false);
        parts_->hide();
        ends_->hide();
    }
}

void BoughtPartsTab::setDesign(const DesignRecord& design) {
    design_ = design;
    refresh();
}

void BoughtPartsTab::refresh() {
    const ValueSeries* series = SeriesNamed(table_, series_->currentText().toStdString());
    if (series == nullptr) {
        return;  // the table was not read: the tab says why
    }
    bought_ = BuyDesign(design_, *series);
    showTable(parts_, BoughtPartsTable(bought_));
    showTable(ends_, BandEndsTable(bought_));
    fitTableToContents(parts_);
    fitTableToContents(ends_);
    seriesNote_->setText(flowingText(BoughtSeriesNote(bought_)));
    endsNote_->setText(flowingText(BandEndsNote()));
    // Values that are bought as designed leave nothing to use.
    use_->setEnabled(BoughtChangesDesign(bought_));
}

}  // namespace calbrine
