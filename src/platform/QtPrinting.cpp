#include "platform/QtPrinting.h"

#include <QApplication>
#include <QFile>
#include <QPageLayout>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <cmath>
#include <stdexcept>

#include "schematic/PrintedPage.h"
#include "services/RunTimeServices.h"

namespace calbrine {

namespace {

std::function<bool(QPrinter&)> printDialogRunner;

constexpr double unitsPerInch = 1440.0;

bool ShowPrintDialog(QPrinter& printer) {
    if (printDialogRunner) {
        return printDialogRunner(printer);
    }
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Print"));
    return dialog.exec() == QDialog::Accepted;
}

// Why a printer took no document: a file it could not write, or the printer itself.
std::string PrinterFailure(const QPrinter& printer) {
    return printer.outputFileName().isEmpty()
               ? "The printer could not be started."
               : "The file " + printer.outputFileName().toStdString() + " could not be written.";
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

void PrintThroughDialog(const std::function<bool(QPrinter&)>& print) {
    QPrinter printer(QPrinter::HighResolution);
    try {
        if (!ShowPrintDialog(printer) || print(printer)) {
            return;
        }
    } catch (const std::exception& error) {
        Services().ShowMessage(error.what(), "Printer Error");
        return;
    }
    Services().ShowMessage(PrinterFailure(printer), "Printer Error");
}

void PrintSchematic(const DesignRecord& design, const TuningRecord& tuning) {
    PrintPage([&](PrinterSurface& printer) { DrawPrintedPage(printer, design, tuning); });
}

void PrintPage(const std::function<void(PrinterSurface&)>& draw) {
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
        draw(surface);
    } catch (const std::exception& error) {
        surface.Abort();
        Services().ShowMessage(error.what(), "Printer Error");
    }
}

std::string PdfOfPage(const std::function<void(PrinterSurface&)>& draw, std::string& pdf) {
    // The printer writes its file as it goes; the caller puts the whole document in place.
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        return "no folder for the printer's file: " + folder.errorString().toStdString();
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("page.pdf")));
    try {
        QtPrinterSurface surface(printer);
        draw(surface);
    } catch (const std::exception& error) {
        return error.what();
    }
    QFile file(printer.outputFileName());
    if (!file.open(QIODevice::ReadOnly)) {
        return "the printer's file could not be read";
    }
    const QByteArray bytes = file.readAll();
    pdf.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return "";
}

// Letters are printed one by one, without ligatures, so that a search or a text extraction of
// the printed document finds each word as it is written ("fine", not its "fi" ligature).
QtPrinterSurface::QtPrinterSurface(QPrinter& printer) : printer_(printer) {
    font_.setStyleStrategy(QFont::PreferNoShaping);
}

QtPrinterSurface::~QtPrinterSurface() {
    Abort();
}

QPainter& QtPrinterSurface::Painter() {
    if (!painter_.isActive()) {
        if (!painter_.begin(&printer_)) {
            throw std::runtime_error(PrinterFailure(printer_));
        }
        scale_ = printer_.resolution() / unitsPerInch;
        painter_.setRenderHint(QPainter::Antialiasing);
    }
    return painter_;
}

QPointF QtPrinterSurface::Map(float x, float y) const {
    return QPointF((x - origin_.x()) * scale_, (y - origin_.y()) * scale_);
}

void QtPrinterSurface::Emit(PaintStep step) {
    PaintStepOn(Painter(), step, [this](float x, float y) { return Map(x, y); });
}

void QtPrinterSurface::SetOrientation(PageOrientation orientation) {
    const auto qtOrientation =
        orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (!painter_.isActive()) {
        printer_.setPageOrientation(qtOrientation);
    }
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
