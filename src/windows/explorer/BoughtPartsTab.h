// The explorer's parts tab: the fixed capacitors as a builder buys them from a value series
// (the nearest stocked part, or a parallel pair), the band ends as bought beside the designed
// ones, and "Use these values" for the design window's accept step.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "analysis/BoughtParts.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace calbrine {

class BoughtPartsTab : public QWidget {
    Q_OBJECT
  public:
    // Reads the value series shipped beside the program in `programFolder`; a table that
    // cannot be read is said in the tab.
    explicit BoughtPartsTab(const std::string& programFolder, QWidget* parent = nullptr);

    // The design the parts are bought for.
    void setDesign(const DesignRecord& design);

  signals:
    // "Use these values": the design as bought, for the design window's accept step.
    void useBought(const calbrine::DesignRecord& bought);

  private:
    void refresh();

    std::vector<ValueSeries> table_;
    DesignRecord design_{};
    BoughtDesign bought_;

    QComboBox* series_ = nullptr;
    QPushButton* use_ = nullptr;
    QLabel* seriesNote_ = nullptr;
    QTableWidget* parts_ = nullptr;
    QTableWidget* ends_ = nullptr;
    QLabel* endsNote_ = nullptr;
};

}  // namespace calbrine
