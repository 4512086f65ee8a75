#include "windows/explorer/DialScaleView.h"

#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace calbrine {

namespace {

constexpr double MarginMm = 4;

double heightMm(const DialFace& face) {
    return face.cutRadiusMm - face.cutBaseMm;
}

void drawDialText(QPainter& p, const DialText& t, QPointF at, double unitsPerMm) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(t.heightMm * unitsPerMm))));
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const QString text = QString::fromStdString(t.text);
    const double width = metrics.horizontalAdvance(text);
    const double start = t.anchor == DialAnchor::Start    ? 0
                         : t.anchor == DialAnchor::Centre ? -width / 2
                                                          : -width;
    p.save();
    p.translate(at);
    p.rotate(-t.baselineDegrees);
    p.drawText(QRectF(start, -metrics.height() / 2, width, metrics.height()),
               Qt::AlignLeft | Qt::AlignVCenter, text);
    p.restore();
}

void drawCutLine(QPainter& p, const DialFace& face, QPointF centre, double k) {
    const double cut = face.cutRadiusMm * k;
    QPainterPath path;
    path.moveTo(centre + QPointF(-cut, -face.cutBaseMm * k));
    path.lineTo(centre + QPointF(-cut, 0));
    path.arcTo(QRectF(centre.x() - cut, centre.y() - cut, 2 * cut, 2 * cut), 180, -180);
    path.lineTo(centre + QPointF(cut, -face.cutBaseMm * k));
    path.closeSubpath();
    p.setPen(QPen(QColor(150, 150, 150), 0.2 * k, Qt::DashLine));
    p.drawPath(path);
}

}  // namespace

void drawDial(QPainter& p, const DialFace& face, QPointF centre, double k) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    auto at = [&](DialPoint q) { return QPointF(centre.x() + q.x * k, centre.y() - q.y * k); };
    drawCutLine(p, face, centre, k);
    const double r = face.radiusMm * k;
    p.setPen(QPen(Qt::black, 0.35 * k, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 0, 180 * 16);
    for (const DialTick& tick : face.ticks) {
        p.setPen(QPen(Qt::black, (tick.major ? 0.35 : 0.2) * k, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(at(tick.from), at(tick.to));
    }
    // The shaft: a circle of the hole to drill and a centre cross.
    const double shaft = face.shaftRadiusMm * k;
    p.setPen(QPen(Qt::black, 0.2 * k));
    p.drawEllipse(centre, shaft, shaft);
    p.drawLine(centre - QPointF(shaft + 3 * k, 0), centre + QPointF(shaft + 3 * k, 0));
    p.drawLine(centre - QPointF(0, shaft + 3 * k), centre + QPointF(0, shaft + 3 * k));
    for (const DialText& text : face.texts) {
        drawDialText(p, text, at(text.at), k);
    }
    p.restore();
}

bool printDialAtTrueSize(QPrinter& printer, const DialFace& face) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const double k = DeviceUnits(1, printer.resolution());
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const double top = std::max(0.0, (page.height() - heightMm(face) * k) / 2);
    drawDial(painter, face, QPointF(page.width() / 2, top + face.cutRadiusMm * k), k);
    return painter.end();
}

bool saveDialPdf(const QString& path, const DialFace& face) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    const bool wide = 2 * face.cutRadiusMm > 190;
    printer.setPageOrientation(wide ? QPageLayout::Landscape : QPageLayout::Portrait);
    return printDialAtTrueSize(printer, face);
}

DialScaleView::DialScaleView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DialScaleView::setFace(DialFace face) {
    face_ = std::move(face);
    update();
}

void DialScaleView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (face_.cutRadiusMm <= 0) {
        return;
    }
    const double k = std::min(width() / (2 * (face_.cutRadiusMm + MarginMm)),
                              height() / (heightMm(face_) + 2 * MarginMm));
    const double top = (height() - heightMm(face_) * k) / 2;
    drawDial(painter, face_, QPointF(width() / 2.0, top + face_.cutRadiusMm * k), k);
}

}  // namespace calbrine
