#include "windows/explorer/CurvePlot.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <functional>

#include "analysis/ReportText.h"
#include "windows/PlotAxes.h"

namespace calbrine {

namespace {

struct Ranges {
    double c0, c1, f0, f1;
};

Ranges rangesOf(const std::vector<CurvePoint>& curve,
                const std::vector<SimulatedCurvePoint>& simulated) {
    Ranges r{curve.front().ccoarse, curve.front().ccoarse, curve.front().vfo, curve.front().vfo};
    for (const CurvePoint& p : curve) {
        r.c0 = std::min<double>(r.c0, p.ccoarse);
        r.c1 = std::max<double>(r.c1, p.ccoarse);
        r.f0 = std::min({r.f0, static_cast<double>(p.fineLow), static_cast<double>(p.fineHigh)});
        r.f1 = std::max({r.f1, static_cast<double>(p.fineLow), static_cast<double>(p.fineHigh)});
    }
    for (const SimulatedCurvePoint& p : simulated) {
        if (p.oscillates) {
            r.f0 = std::min(r.f0, p.simulatedHz - p.errorHz);
            r.f1 = std::max(r.f1, p.simulatedHz + p.errorHz);
        }
    }
    const double pad = std::max((r.f1 - r.f0) * 0.05, 1.0);
    r.f0 -= pad;
    r.f1 += pad;
    if (r.c1 <= r.c0) {
        r.c1 = r.c0 + 1e-12;
    }
    return r;
}

// Each simulated point as a ring with its error bar across it, capped at both ends: the bar
// is drawn however short it is, and the ring leaves it in sight.
void drawSimulated(QPainter& p, const std::vector<SimulatedCurvePoint>& points,
                   const std::function<QPointF(double, double)>& at) {
    p.setPen(QPen(QColor(200, 40, 30), 1.5));
    p.setBrush(Qt::NoBrush);
    for (const SimulatedCurvePoint& s : points) {
        if (!s.oscillates) {
            continue;
        }
        p.drawEllipse(at(s.ccoarse, s.simulatedHz), 4.5, 4.5);
        const QPointF low = at(s.ccoarse, s.simulatedHz - s.errorHz);
        const QPointF high = at(s.ccoarse, s.simulatedHz + s.errorHz);
        p.drawLine(low, high);
        for (const QPointF& end : {low, high}) {
            p.drawLine(end - QPointF(3, 0), end + QPointF(3, 0));
        }
    }
}

}  // namespace

CurvePlot::CurvePlot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CurvePlot::setCurve(std::vector<CurvePoint> curve, QString caption) {
    curve_ = std::move(curve);
    caption_ = std::move(caption);
    update();
}

void CurvePlot::setSimulated(std::vector<SimulatedCurvePoint> points) {
    simulated_ = std::move(points);
    update();
}

void CurvePlot::render(QPainter& p, const QRectF& area) const {
    p.save();
    const QRectF plot = plotFrame(p, area, caption_, "00.000M", "000pF");
    const double h = QFontMetricsF(p.font()).height();
    p.drawText(QRectF(plot.left(), plot.bottom() + 1.3 * h, plot.width(), h), Qt::AlignHCenter,
               "Coarse-tune capacitor C38");
    if (curve_.size() >= 2 && plot.width() > 10 && plot.height() > 10) {
        const Ranges r = rangesOf(curve_, simulated_);
        const auto text = [](std::string (*write)(double)) {
            return [write](double v) { return QString::fromStdString(write(v)); };
        };
        drawGrid(p, plot, {r.c0, r.c1, gridValues(r.c0, r.c1, 8), text(CapacitanceText)},
                 {r.f0, r.f1, gridValues(r.f0, r.f1, 8), text(FrequencyText)});
        auto at = [&](double c, double f) {
            return QPointF(plot.left() + (c - r.c0) / (r.c1 - r.c0) * plot.width(),
                           plot.bottom() - (f - r.f0) / (r.f1 - r.f0) * plot.height());
        };
        QPolygonF band, line;
        for (const CurvePoint& q : curve_) {
            band << at(q.ccoarse, q.fineHigh);
            line << at(q.ccoarse, q.vfo);
        }
        for (auto q = curve_.rbegin(); q != curve_.rend(); ++q) {
            band << at(q->ccoarse, q->fineLow);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 170, 230, 90));
        p.drawPolygon(band);
        p.setPen(QPen(QColor(20, 60, 150), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(line);
        drawSimulated(p, simulated_, at);
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(plot);
    p.restore();
}

void CurvePlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    render(painter, rect());
}

bool CurvePlot::savePng(const QString& path) const {
    QImage image(QSize(1200, 800), QImage::Format_RGB32);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(18);
    painter.setFont(font);
    render(painter, image.rect());
    painter.end();
    return image.save(path, "PNG");
}

bool CurvePlot::saveSvg(const QString& path) const {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(900, 600));
    svg.setViewBox(QRect(0, 0, 900, 600));
    svg.setTitle(caption_);
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    render(painter, QRectF(0, 0, 900, 600));
    return painter.end();
}

}  // namespace calbrine
