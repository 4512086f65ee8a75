#include "platform/QtPrinting.h"

#include <QApplication>
#include <QPageLayout>
#include <QPrintDialog>
#include <cmath>
#include <stdexcept>

#include "platform/QtSchematicSurface.h"
#include "platform/RunTimeServices.h"
#include "schematic/modPrintSchematic.h"

namespace calbrine {

namespace {

std::function<bool(QPrinter&)> printDialogRunner;

constexpr double unitsPerInch = 1440.0;
constexpr double pi = 3.14159265358979323846;

bool ShowPrintDialog(QPrinter& printer) {
    if (printDialogRunner) {
        return printDialogRunner(printer);
    }
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Print"));
    return dialog.exec() == QDialog::Accepted;
}

// The printer keeps the user's choice from one print to the next.
QPrinter& ProgramPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

}  // namespace

void SetPrintDialogRunner(std::function<bool(QPrinter&)> runner) {
    printDialogRunner = std::move(runner);
}

void PrintSchematic() {
    QPrinter& printer = ProgramPrinter();
    try {
        if (!ShowPrintDialog(printer)) {
            return;  // Cancel abandons the print
        }
    } catch (const std::exception& error) {
        Services().ShowMessage(error.what(), "Printer Error");
        return;
    }
    QtPrinterSurface surface(printer);
    try {
        DrawPrintedPage(surface);
    } catch (const std::exception& error) {
        surface.Abort();
        Services().ShowMessage(error.what(), "Printer Error");
    }
}

QtPrinterSurface::QtPrinterSurface(QPrinter& printer) : printer_(printer) {}

QtPrinterSurface::~QtPrinterSurface() {
    Abort();
}

QPainter& QtPrinterSurface::Painter() {
    if (!painter_.isActive()) {
        if (!painter_.begin(&printer_)) {
            throw std::runtime_error(printer_.outputFileName().isEmpty()
                                         ? "The printer could not be started."
                                         : "The file " + printer_.outputFileName().toStdString() +
                                               " could not be written.");
        }
        scale_ = printer_.resolution() / unitsPerInch;
        painter_.setRenderHint(QPainter::Antialiasing);
    }
    return painter_;
}

QPointF QtPrinterSurface::Map(float x, float y) const {
    return QPointF((x - origin_.x()) * scale_, (y - origin_.y()) * scale_);
}

QPen QtPrinterSurface::Pen(Colour colour) const {
    return QPen(ToQColor(colour), lineWidth_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void QtPrinterSurface::Clear() {}

void QtPrinterSurface::SetLineWidth(int pixels) {
    lineWidth_ = pixels < 1 ? 1 : pixels;
}

void QtPrinterSurface::DrawLine(float x1, float y1, float x2, float y2, Colour colour) {
    QPainter& painter = Painter();
    painter.setPen(Pen(colour));
    painter.drawLine(Map(x1, y1), Map(x2, y2));
    pen_ = QPointF(x2, y2);
}

void QtPrinterSurface::DrawLineTo(float x, float y, Colour colour) {
    DrawLine(pen_.x(), pen_.y(), x, y, colour);
}

void QtPrinterSurface::DrawArc(float cx, float cy, float r, Colour colour, float start, float end) {
    double span = std::fmod(static_cast<double>(end) - start, 2 * pi);
    if (span <= 0) {
        span += 2 * pi;
    }
    QPainter& painter = Painter();
    painter.setPen(Pen(colour));
    painter.drawArc(QRectF(Map(cx - r, cy - r), Map(cx + r, cy + r)),
                    static_cast<int>(std::lround(start * 180 / pi * 16)),
                    static_cast<int>(std::lround(span * 180 / pi * 16)));
}

void QtPrinterSurface::PlotPoint(float x, float y, Colour colour) {
    QPainter& painter = Painter();
    painter.setPen(Pen(colour));
    painter.drawPoint(Map(x, y));
    text_ = QPointF(x, y);
}

void QtPrinterSurface::PrintText(const std::string& text) {
    QPainter& painter = Painter();
    if (text.empty()) {
        return;
    }
    painter.setFont(font_);
    painter.setPen(Qt::black);
    const QPointF topLeft = Map(text_.x(), text_.y());
    painter.drawText(topLeft + QPointF(0, painter.fontMetrics().ascent()),
                     QString::fromStdString(text));
}

void QtPrinterSurface::SetOrientation(PageOrientation orientation) {
    const auto qtOrientation =
        orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (!painter_.isActive()) {
        printer_.setPageOrientation(qtOrientation);
    }
}

void QtPrinterSurface::SetOrigin(float x, float y) {
    origin_ = QPointF(x, y);
}

void QtPrinterSurface::SetFontSize(float points) {
    font_.setPointSizeF(points);
}

void QtPrinterSurface::SetTextPosition(float x, float y) {
    text_ = QPointF(x, y);
}

void QtPrinterSurface::EndDocument() {
    Painter();  // an empty page is still one page
    if (!painter_.end() || printer_.printerState() == QPrinter::Error) {
        throw std::runtime_error("The printer reported an error while finishing the page.");
    }
}

void QtPrinterSurface::Abort() {
    if (painter_.isActive()) {
        printer_.abort();
        painter_.end();
    }
}

}  // namespace calbrine
