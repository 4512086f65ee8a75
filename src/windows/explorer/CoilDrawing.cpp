#include "windows/explorer/CoilDrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "analysis/ReportText.h"

namespace calbrine {

namespace {

constexpr double Pi = 3.14159265358979323846;
// Turns that lie well apart are spread over this much of the ring, leaving room for the leads,
// as builders wind them; turns that crowd the inner edge take up to all of it.
constexpr double SpreadDegrees = 330;
// An air coil's form reaches this fraction of its diameter beyond the winding at each end.
constexpr double FormBeyondWinding = 0.25;
const QColor Copper(184, 115, 51);
const QColor CopperEdge(110, 60, 20);
const QColor Core(128, 128, 136);
const QColor Form(232, 220, 188);

// A turn's outline, drawn where its turns are wide enough to tell apart.
QPen TurnPen(double widthPx) {
    return widthPx >= 4 ? QPen(CopperEdge, 1) : QPen(Qt::NoPen);
}

// A round length for a scale bar near a quarter of `extentMm`: 1, 2 or 5 times a power of ten.
double ScaleBarMm(double extentMm) {
    const double wanted = extentMm / 4;
    const double decade = std::pow(10, std::floor(std::log10(wanted)));
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * decade <= wanted) {
            return step * decade;
        }
    }
    return decade;
}

}  // namespace

CoilDrawing::CoilDrawing(QWidget* parent) : QWidget(parent) {
    setObjectName("coilDrawing");
    setAccessibleName("Drawing of the wound coil");
    setMinimumSize(minimumSizeHint());
}

void CoilDrawing::showToroid(const ToroidWinding& w) {
    kind_ = Kind::Toroid;
    outerMm_ = w.core.outerMm;
    innerMm_ = w.core.innerMm;
    wireMm_ = w.wire.overallMm;
    turns_ = w.turns;
    // Spread over more of the ring as the turns fill the inner edge, all of it once they do.
    const double room = Pi * (innerMm_ - wireMm_) / wireMm_;
    const double spread = std::clamp(360 * turns_ / room, SpreadDegrees, 360.0);
    angles_.clear();
    for (int k = 0; k < turns_; ++k) {
        angles_.push_back((360 - spread) / 2 + (k + 0.5) * spread / turns_);
    }
    caption_ = QString::fromStdString(
        w.core.Name() + ", " + PlainNumber(outerMm_, 4) + " mm OD, " + PlainNumber(innerMm_, 4) +
        " mm ID, from above: " + std::to_string(turns_) + " turns of " + w.wire.name);
    update();
}

void CoilDrawing::showAirCoil(const AirCoil& c) {
    kind_ = Kind::Air;
    formMm_ = c.formMm;
    wireMm_ = c.wire.overallMm;
    turns_ = static_cast<int>(c.turns);
    lengthMm_ = c.lengthM * 1000;
    angles_.clear();
    caption_ =
        QString::fromStdString("Air coil on a " + PlainNumber(formMm_, 4) +
                               " mm form, from the side: " + std::to_string(turns_) + " turns of " +
                               c.wire.name + ", " + PlainNumber(lengthMm_, 4) + " mm long");
    update();
}

void CoilDrawing::showNothing() {
    kind_ = Kind::Nothing;
    angles_.clear();
    caption_.clear();
    update();
}

QSizeF CoilDrawing::extentMm() const {
    switch (kind_) {
        case Kind::Toroid:
            return {outerMm_ + 2 * wireMm_, outerMm_ + 2 * wireMm_};
        case Kind::Air:
            return {lengthMm_ + 2 * FormBeyondWinding * formMm_, formMm_ + 2 * wireMm_};
        case Kind::Nothing:
            break;
    }
    return {};
}

// The widget less a margin and the two lines of text under the drawing.
QRectF CoilDrawing::drawingArea() const {
    const double line = fontMetrics().height();
    return QRectF(rect()).adjusted(line, line, -line, -3.5 * line);
}

double CoilDrawing::pixelsPerMm() const {
    const QSizeF extent = extentMm();
    const QRectF area = drawingArea();
    if (extent.isEmpty() || area.isEmpty()) {
        return 0;
    }
    return std::min(area.width() / extent.width(), area.height() / extent.height());
}

QPointF CoilDrawing::placeOf(QPointF mm) const {
    const double k = pixelsPerMm();
    const QPointF centre = drawingArea().center();
    return {centre.x() + mm.x() * k, centre.y() - mm.y() * k};
}

void CoilDrawing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    p.setRenderHint(QPainter::Antialiasing);
    if (kind_ == Kind::Nothing || pixelsPerMm() <= 0) {
        return;
    }
    if (kind_ == Kind::Toroid) {
        drawToroid(p);
    } else {
        drawAirCoil(p);
    }
    drawScaleBar(p);
    p.setPen(palette().text().color());
    const double line = fontMetrics().height();
    p.drawText(QRectF(line, height() - 1.5 * line, width() - 2 * line, line),
               Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

void CoilDrawing::drawToroid(QPainter& p) const {
    const double k = pixelsPerMm();
    const QPointF centre = placeOf({0, 0});
    QPainterPath ring;
    ring.addEllipse(centre, outerMm_ / 2 * k, outerMm_ / 2 * k);
    ring.addEllipse(centre, innerMm_ / 2 * k, innerMm_ / 2 * k);
    p.setPen(QPen(Core.darker(150), 1));
    p.setBrush(Core);
    p.drawPath(ring);
    // A turn seen from above: the wire across the top face, from where it lies against the
    // inner wall to where it lies against the outer one.
    const double from = (innerMm_ / 2 - wireMm_) * k;
    const double to = (outerMm_ / 2 + wireMm_) * k;
    const double width = std::max(1.0, wireMm_ * k);
    p.setPen(TurnPen(width));
    p.setBrush(Copper);
    for (double angle : angles_) {
        p.save();
        p.translate(centre);
        p.rotate(-90 - angle);  // from the top, anticlockwise on the screen
        p.drawRect(QRectF(from, -width / 2, to - from, width));
        p.restore();
    }
}

void CoilDrawing::drawAirCoil(QPainter& p) const {
    const double k = pixelsPerMm();
    const double formEnd = lengthMm_ / 2 + FormBeyondWinding * formMm_;
    p.setPen(QPen(Form.darker(160), 1));
    p.setBrush(Form);
    p.drawRect(QRectF(placeOf({-formEnd, formMm_ / 2}), placeOf({formEnd, -formMm_ / 2})));
    // A turn seen from the side: the wire across the front of the form, one pitch (its overall
    // diameter) from the next, moving on half a pitch from bottom to top.
    const double half = formMm_ / 2 + wireMm_;
    const double width = std::max(1.0, wireMm_ * k);
    p.setPen(TurnPen(width));
    p.setBrush(Copper);
    for (int n = 0; n < turns_; ++n) {
        const double x = -lengthMm_ / 2 + n * wireMm_;
        const double d = wireMm_;
        const QPointF band[] = {placeOf({x - d / 4, -half}), placeOf({x + 0.75 * d, -half}),
                                placeOf({x + 1.25 * d, half}), placeOf({x + d / 4, half})};
        p.drawPolygon(band, 4);
    }
}

void CoilDrawing::drawScaleBar(QPainter& p) const {
    const QSizeF extent = extentMm();
    const double mm = ScaleBarMm(std::max(extent.width(), extent.height()));
    const double line = fontMetrics().height();
    const QPointF left(line, height() - 2.5 * line);
    const QPointF right = left + QPointF(mm * pixelsPerMm(), 0);
    p.setPen(QPen(palette().text().color(), 1.5));
    p.drawLine(left, right);
    p.drawLine(left - QPointF(0, line / 4), left + QPointF(0, line / 4));
    p.drawLine(right - QPointF(0, line / 4), right + QPointF(0, line / 4));
    p.drawText(QRectF(right.x() + line / 2, left.y() - line / 2, 10 * line, line),
               Qt::AlignLeft | Qt::AlignVCenter, QString::fromStdString(PlainNumber(mm) + " mm"));
}

}  // namespace calbrine
