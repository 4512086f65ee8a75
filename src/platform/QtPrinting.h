// Printing the design: the print dialog, then the page drawn on the chosen printer (or into a
// PDF file, which Qt's print dialog offers as a printer).
#pragma once

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <functional>
#include <optional>

#include "schematic/SchematicSurface.h"

namespace calbrine {

// Shows the print dialog and prints the one-page drawing. Cancel abandons the print; a
// failure shows the printer's description under "Printer Error" and discards the document.
void PrintSchematic();

// Tests answer the print dialog with their own function: it may set up the printer (a PDF
// file, say) and returns whether to print. An empty function restores the dialog.
void SetPrintDialogRunner(std::function<bool(QPrinter&)> runner);

// The printer as a drawing surface, in units of 1/1440 inch.
class QtPrinterSurface final : public PrinterSurface {
  public:
    explicit QtPrinterSurface(QPrinter& printer);
    ~QtPrinterSurface() override;

    void Clear() override;
    void SetLineWidth(int pixels) override;
    void DrawLine(float x1, float y1, float x2, float y2, Colour colour) override;
    void DrawLineTo(float x, float y, Colour colour) override;
    void DrawArc(float cx, float cy, float r, Colour colour, float start, float end) override;
    void PlotPoint(float x, float y, Colour colour) override;
    void PrintText(const std::string& text) override;
    void SetOrientation(PageOrientation orientation) override;
    void SetOrigin(float x, float y) override;
    void SetFontSize(float points) override;
    void SetTextPosition(float x, float y) override;
    void EndDocument() override;

    // Discards a document that was begun and not finished.
    void Abort();

  private:
    QPainter& Painter();
    QPointF Map(float x, float y) const;
    QPen Pen(Colour colour) const;

    QPrinter& printer_;
    QPainter painter_;
    double scale_ = 1;  // device pixels per unit
    QPointF origin_;    // page coordinates of the printable area's top-left corner
    QFont font_;
    int lineWidth_ = 1;
    QPointF pen_;
    QPointF text_;
};

}  // namespace calbrine
