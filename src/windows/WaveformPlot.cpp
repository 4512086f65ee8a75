#include "windows/WaveformPlot.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/ReportText.h"
#include "engineering/EngineeringText.h"
#include "windows/CurvePlot.h"

namespace calbrine {

namespace {

struct Ranges {
    double t0, t1, v0, v1;
};

Ranges RangesOf(const std::vector<double>& time, const std::vector<double>& volts) {
    const auto [low, high] = std::minmax_element(volts.begin(), volts.end());
    const double pad = std::max((*high - *low) * 0.08, 1e-3);
    return {time.front(), std::max(time.back(), time.front() + 1e-12), *low - pad, *high + pad};
}

// Grid values of a span; a value within a millionth of a step of zero is zero, so that the
// axis does not read "1E-14m".
std::vector<double> Grid(double lo, double hi, int count) {
    std::vector<double> values = GridValues(lo, hi, count);
    for (double& v : values) {
        if (std::fabs(v) < (hi - lo) * 1e-9) {
            v = 0;
        }
    }
    return values;
}

QString SecondsText(double seconds) {
    std::string text;
    FormatEngSmall(seconds, text);
    const std::size_t first = text.find_first_not_of(' ');
    return QString::fromStdString(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

void DrawGrid(QPainter& p, const QRectF& plot, const Ranges& r) {
    const QFontMetricsF metrics(p.font());
    const QPen grid(QColor(215, 215, 215), 0);
    for (double t : Grid(0, r.t1 - r.t0, 8)) {
        const double x = plot.left() + t / (r.t1 - r.t0) * plot.width();
        p.setPen(grid);
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(Qt::black);
        const QString text = SecondsText(t);
        p.drawText(
            QPointF(x - metrics.horizontalAdvance(text) / 2, plot.bottom() + metrics.height()),
            text);
    }
    for (double v : Grid(r.v0, r.v1, 6)) {
        const double y = plot.bottom() - (v - r.v0) / (r.v1 - r.v0) * plot.height();
        p.setPen(grid);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        p.setPen(Qt::black);
        const QString text = QString::fromStdString(SignedFrequencyText(v));
        p.drawText(QPointF(plot.left() - metrics.horizontalAdvance(text) - 6,
                           y + metrics.ascent() / 2 - 1),
                   text);
    }
}

}  // namespace

WaveformPlot::WaveformPlot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WaveformPlot::SetTrace(std::vector<double> time, std::vector<double> volts, QString caption) {
    time_ = std::move(time);
    volts_ = std::move(volts);
    volts_.resize(std::min(time_.size(), volts_.size()));
    time_.resize(volts_.size());
    caption_ = std::move(caption);
    update();
}

void WaveformPlot::Render(QPainter& p, const QRectF& area) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    const QFontMetricsF metrics(p.font());
    const double h = metrics.height();
    const QRectF plot = area.adjusted(metrics.horizontalAdvance("-00.00m") + 14, 2.6 * h,
                                      -metrics.horizontalAdvance("000n"), -2.6 * h);
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top() + 0.3 * h, area.width(), 2 * h),
               Qt::AlignHCenter | Qt::AlignTop, caption_);
    if (time_.size() >= 2 && plot.width() > 10 && plot.height() > 10) {
        const Ranges r = RangesOf(time_, volts_);
        DrawGrid(p, plot, r);
        p.drawText(QRectF(plot.left(), plot.bottom() + 1.3 * h, plot.width(), h), Qt::AlignHCenter,
                   "time (s) after " + SecondsText(r.t0) + "s of the run");
        p.drawText(QRectF(area.left() + 4, plot.top() - 1.3 * h, plot.left(), h), Qt::AlignLeft,
                   "volts");
        QPolygonF line;
        for (std::size_t i = 0; i < time_.size(); ++i) {
            line << QPointF(plot.left() + (time_[i] - r.t0) / (r.t1 - r.t0) * plot.width(),
                            plot.bottom() - (volts_[i] - r.v0) / (r.v1 - r.v0) * plot.height());
        }
        p.setPen(QPen(QColor(20, 60, 150), 1.5));
        p.drawPolyline(line);
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(plot);
    p.restore();
}

void WaveformPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Render(painter, rect());
}

}  // namespace calbrine
