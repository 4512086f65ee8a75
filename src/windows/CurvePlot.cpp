#include "windows/CurvePlot.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "analysis/ReportText.h"

namespace calbrine {

std::vector<double> GridValues(double lo, double hi, int count) {
    std::vector<double> values;
    if (!(hi > lo)) {
        return values;
    }
    const double raw = (hi - lo) / count;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    double step = decade;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        if (m * decade >= raw) {
            step = m * decade;
            break;
        }
    }
    for (double v = std::ceil(lo / step) * step; v <= hi + step * 1e-9; v += step) {
        values.push_back(v);
    }
    return values;
}

namespace {

struct Ranges {
    double c0, c1, f0, f1;
};

Ranges RangesOf(const std::vector<CurvePoint>& curve) {
    Ranges r{curve.front().ccoarse, curve.front().ccoarse, curve.front().vfo, curve.front().vfo};
    for (const CurvePoint& p : curve) {
        r.c0 = std::min<double>(r.c0, p.ccoarse);
        r.c1 = std::max<double>(r.c1, p.ccoarse);
        r.f0 = std::min({r.f0, static_cast<double>(p.fineLow), static_cast<double>(p.fineHigh)});
        r.f1 = std::max({r.f1, static_cast<double>(p.fineLow), static_cast<double>(p.fineHigh)});
    }
    const double pad = std::max((r.f1 - r.f0) * 0.05, 1.0);
    r.f0 -= pad;
    r.f1 += pad;
    if (r.c1 <= r.c0) {
        r.c1 = r.c0 + 1e-12;
    }
    return r;
}

void DrawGrid(QPainter& p, const QRectF& plot, const Ranges& r) {
    const QFontMetricsF metrics(p.font());
    for (double c : GridValues(r.c0, r.c1, 8)) {
        const double x = plot.left() + (c - r.c0) / (r.c1 - r.c0) * plot.width();
        p.setPen(QPen(QColor(215, 215, 215), 0));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(Qt::black);
        const QString text = QString::fromStdString(CapacitanceText(c));
        p.drawText(
            QPointF(x - metrics.horizontalAdvance(text) / 2, plot.bottom() + metrics.height()),
            text);
    }
    for (double f : GridValues(r.f0, r.f1, 8)) {
        const double y = plot.bottom() - (f - r.f0) / (r.f1 - r.f0) * plot.height();
        p.setPen(QPen(QColor(215, 215, 215), 0));
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        const QString text = QString::fromStdString(FrequencyText(f));
        p.drawText(QPointF(plot.left() - metrics.horizontalAdvance(text) - 6,
                           y + metrics.ascent() / 2 - 1),
                   text);
    }
}

}  // namespace

CurvePlot::CurvePlot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CurvePlot::SetCurve(std::vector<CurvePoint> curve, QString caption) {
    curve_ = std::move(curve);
    caption_ = std::move(caption);
    update();
}

void CurvePlot::Render(QPainter& p, const QRectF& area) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    const QFontMetricsF metrics(p.font());
    const double h = metrics.height();
    const QRectF plot = area.adjusted(metrics.horizontalAdvance("00.000M") + 14, 2.6 * h,
                                      -metrics.horizontalAdvance("000pF"), -2.6 * h);
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top() + 0.3 * h, area.width(), 2 * h),
               Qt::AlignHCenter | Qt::AlignTop, caption_);
    p.drawText(QRectF(plot.left(), plot.bottom() + 1.3 * h, plot.width(), h), Qt::AlignHCenter,
               "Coarse-tune capacitor C38");
    if (curve_.size() >= 2 && plot.width() > 10 && plot.height() > 10) {
        const Ranges r = RangesOf(curve_);
        DrawGrid(p, plot, r);
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
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(plot);
    p.restore();
}

void CurvePlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Render(painter, rect());
}

bool CurvePlot::SavePng(const QString& path) const {
    QImage image(QSize(1200, 800), QImage::Format_RGB32);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(18);
    painter.setFont(font);
    Render(painter, image.rect());
    painter.end();
    return image.save(path, "PNG");
}

bool CurvePlot::SaveSvg(const QString& path) const {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(900, 600));
    svg.setViewBox(QRect(0, 0, 900, 600));
    svg.setTitle(caption_);
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    Render(painter, QRectF(0, 0, 900, 600));
    return painter.end();
}

}  // namespace calbrine
