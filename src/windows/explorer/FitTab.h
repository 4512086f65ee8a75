// The explorer's fit to band tab: the band, the mix and what to solve for, the design solved
// to land the band with its report, and "Apply to design" for the design window's accept step.
#pragma once

#include <QWidget>

#include "design/DesignRecord.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace calbrine {

class FitTab : public QWidget {
    Q_OBJECT
  public:
    explicit FitTab(QWidget* parent = nullptr);

    // The design the band is fitted from. A fit of another design is solved again for this
    // one, so that Apply never applies a fit of a design that is gone.
    void setDesign(const DesignRecord& design);

  signals:
    // The solved design; the design window takes its values into its boxes.
    void applyFit(const calbrine::DesignRecord& fitted);

  private:
    void solve();

    DesignRecord design_{};
    DesignRecord fitted_{};

    QLineEdit* bandLow_ = nullptr;
    QLineEdit* bandHigh_ = nullptr;
    QComboBox* mix_ = nullptr;
    QComboBox* solve_ = nullptr;
    QPlainTextEdit* fitReport_ = nullptr;
    QPushButton* apply_ = nullptr;
};

}  // namespace calbrine
