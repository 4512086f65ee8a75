// The dial scale drawn from its layout in millimetres: on screen to fit the widget, on paper
// and in PDF files at true size.
#pragma once

#include <QString>
#include <QWidget>

#include "analysis/DialFace.h"

class QPainter;
class QPrinter;

namespace calbrine {

// Draws `face` with the shaft centre at `centre` and `unitsPerMm` device units to the
// millimetre.
void DrawDial(QPainter& painter, const DialFace& face, QPointF centre, double unitsPerMm);
// At the printer's resolution, so the arc has the face's radius on paper; centred on the page.
bool printDialAtTrueSize(QPrinter& printer, const DialFace& face);
// An A4 PDF, turned to landscape when the dial is too wide for portrait.
bool saveDialPdf(const QString& path, const DialFace& face);

class DialScaleView : public QWidget {
    Q_OBJECT
  public:
    explicit DialScaleView(QWidget* parent = nullptr);

    void setFace(DialFace face);
    const DialFace& face() const { return face_; }

    QSize sizeHint() const override { return {520, 360}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    DialFace face_;
};

}  // namespace calbrine
