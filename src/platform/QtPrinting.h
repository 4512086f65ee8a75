// Printing the design: the print dialog, then the page drawn on the chosen printer (or into a
// PDF file, which Qt's print dialog offers as a printer).
#pragma once

#include <QPrinter>
#include <functional>
#include <string>

#include "design/DesignRecord.h"
#include "platform/QtPaintedSurface.h"

namespace calbrine {

// Shows the print dialog and prints the one-page drawing of `design` and its `tuning`. Cancel
// abandons the print; a failure shows the printer's description under "Printer Error" and
// discards the document.
void PrintSchematic(const DesignRecord& design, const TuningRecord& tuning);

// Shows the print dialog and prints the page `draw` draws, on the printer that keeps the
// user's choice from one print to the next, as PrintSchematic does.
void PrintPage(const std::function<void(PrinterSurface&)>& draw);

// Prints the page `draw` draws as a PDF document on a fresh printer, with the default page
// for the locale, and gives the document's bytes in `pdf`; empty text, or why it could not.
// Needs a painting application, no display.
std::string PdfOfPage(const std::function<void(PrinterSurface&)>& draw, std::string& pdf);

// Shows the print dialog for a fresh printer and, when accepted, prints with `print`, which
// says whether the printer took the document; when it did not, says so under "Printer Error".
void PrintThroughDialog(const std::function<bool(QPrinter&)>& print);

// Tests answer the print dialog with their own function: it may set up the printer (a PDF
// file, say) and returns whether to print. An empty function restores the dialog.
void SetPrintDialogRunner(std::function<bool(QPrinter&)> runner);

// The printer as a drawing surface, in units of 1/1440 inch. The document begins with the
// first drawing step, once the orientation is set.
class QtPrinterSurface final : public QtPaintedSurface<PrinterSurface> {
  public:
    explicit QtPrinterSurface(QPrinter& printer);
    ~QtPrinterSurface() override;

    void Clear() override {}
    void SetOrientation(PageOrientation orientation) override;
    void SetOrigin(float x, float y) override { origin_ = QPointF(x, y); }
    void SetFontSize(float points) override { font_.setPointSizeF(points); }
    void SetTextPosition(float x, float y) override { text_ = QPointF(x, y); }
    void EndDocument() override;

    // Discards a document that was begun and not finished.
    void Abort();

  protected:
    void Emit(PaintStep step) override;

  private:
    QPainter& Painter();
    QPointF Map(float x, float y) const;

    QPrinter& printer_;
    QPainter painter_;
    double scale_ = 1;  // device pixels per unit
    QPointF origin_;    // page coordinates of the printable area's top-left corner
};

}  // namespace calbrine
