#include "windows/explorer/PhaseNoisePlot.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/ReportText.h"
#include "windows/PlotAxes.h"

namespace calbrine {

namespace {

// The levels shown: whole steps of 20 dB around every line.
std::pair<double, double> levelSpan(const std::vector<PhaseNoiseLine>& lines) {
    double low = 0, high = -1000;
    for (const PhaseNoiseLine& line : lines) {
        for (const PhaseNoisePoint& point : line.points) {
            low = std::min<double>(low, point.dbcPerHz);
            high = std::max<double>(high, point.dbcPerHz);
        }
    }
    return {std::floor(low / 20) * 20, std::max(std::ceil(high / 20) * 20, low + 20)};
}

// The settings' names beside their colours, in the plot's top right corner.
void drawLegend(QPainter& p, const QRectF& plot, const std::vector<PhaseNoiseLine>& lines) {
    const QFontMetricsF metrics(p.font());
    const double h = metrics.height();
    double widest = 0;
    for (const PhaseNoiseLine& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(line.name));
    }
    const QRectF box(plot.right() - widest - 46, plot.top() + 6, widest + 40,
                     h * static_cast<double>(lines.size()) + 8);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(box);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double y = box.top() + 4 + h * (static_cast<double>(i) + 0.5);
        p.setPen(QPen(lines[i].colour, 2));
        p.drawLine(QPointF(box.left() + 6, y), QPointF(box.left() + 28, y));
        p.setPen(Qt::black);
        p.drawText(QPointF(box.left() + 34, y + metrics.ascent() / 2 - 1), lines[i].name);
    }
}

}  // namespace

PhaseNoisePlot::PhaseNoisePlot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName("Phase noise of each setting against the offset from the carrier");
}

void PhaseNoisePlot::setLines(std::vector<PhaseNoiseLine> lines, QString caption) {
    lines_ = std::move(lines);
    caption_ = std::move(caption);
    update();
}

void PhaseNoisePlot::render(QPainter& p, const QRectF& area) const {
    p.save();
    const QRectF plot = plotFrame(p, area, caption_, "-000", "1MHz");
    if (!lines_.empty() && plot.width() > 10 && plot.height() > 10) {
        const double from = std::log10(CurveFromHz), to = std::log10(CurveToHz);
        std::vector<double> decades;
        for (double d = std::ceil(from); d <= to; ++d) {
            decades.push_back(d);
        }
        const auto [low, high] = levelSpan(lines_);
        const auto offset = [](double d) {
            return QString::fromStdString(FrequencyText(std::pow(10.0, d)) + "Hz");
        };
        const auto level = [](double v) { return QString::number(std::lround(v)); };
        drawGrid(p, plot, {from, to, decades, offset},
                 {low, high, gridValues(low, high, 6), level});
        const double h = QFontMetricsF(p.font()).height();
        p.drawText(QRectF(plot.left(), plot.bottom() + 1.3 * h, plot.width(), h), Qt::AlignHCenter,
                   "offset from the carrier");
        p.drawText(QRectF(area.left() + 4, plot.top() - 1.3 * h, plot.width(), h), Qt::AlignLeft,
                   "dBc/Hz");
        const auto at = [&](const PhaseNoisePoint& q) {
            return QPointF(
                plot.left() + (std::log10(q.offsetHz) - from) / (to - from) * plot.width(),
                plot.bottom() - (q.dbcPerHz - low) / (high - low) * plot.height());
        };
        p.save();
        p.setClipRect(plot);
        for (const PhaseNoiseLine& line : lines_) {
            QPolygonF polyline;
            for (const PhaseNoisePoint& q : line.points) {
                polyline << at(q);
            }
            p.setPen(QPen(line.colour, 2));
            p.drawPolyline(polyline);
        }
        p.restore();
        drawLegend(p, plot, lines_);
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    p.restore();
}

void PhaseNoisePlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    render(painter, rect());
}

}  // namespace calbrine
