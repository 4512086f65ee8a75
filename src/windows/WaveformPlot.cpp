#include "windows/WaveformPlot.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/ReportText.h"
#include "engineering/Characters.h"
#include "engineering/EngineeringText.h"
#include "windows/PlotAxes.h"

namespace calbrine {

namespace {

struct Ranges {
    double t0, t1, v0, v1;
};

Ranges rangesOf(const std::vector<double>& time, const std::vector<double>& volts) {
    const auto [low, high] = std::minmax_element(volts.begin(), volts.end());
    const double pad = std::max((*high - *low) * 0.08, 1e-3);
    return {time.front(), std::max(time.back(), time.front() + 1e-12), *low - pad, *high + pad};
}

// Grid values of a span; a value within a millionth of a step of zero is zero, so that the
// axis does not read "1E-14m".
std::vector<double> gridOf(double lo, double hi, int count) {
    std::vector<double> values = gridValues(lo, hi, count);
    for (double& v : values) {
        if (std::fabs(v) < (hi - lo) * 1e-9) {
            v = 0;
        }
    }
    return values;
}

QString secondsText(double seconds) {
    std::string text;
    FormatEngSmall(seconds, text);
    return QString::fromStdString(WithoutBlanks(text));
}

}  // namespace

WaveformPlot::WaveformPlot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WaveformPlot::setTrace(std::vector<double> time, std::vector<double> volts, QString caption) {
    time_ = std::move(time);
    volts_ = std::move(volts);
    volts_.resize(std::min(time_.size(), volts_.size()));
    time_.resize(volts_.size());
    caption_ = std::move(caption);
    update();
}

void WaveformPlot::render(QPainter& p, const QRectF& area) const {
    p.save();
    const QRectF plot = plotFrame(p, area, caption_, "-00.00m", "000n");
    const double h = QFontMetricsF(p.font()).height();
    if (time_.size() >= 2 && plot.width() > 10 && plot.height() > 10) {
        const Ranges r = rangesOf(time_, volts_);
        const auto volts = [](double v) { return QString::fromStdString(SignedFrequencyText(v)); };
        drawGrid(p, plot, {0, r.t1 - r.t0, gridOf(0, r.t1 - r.t0, 8), secondsText},
                 {r.v0, r.v1, gridOf(r.v0, r.v1, 6), volts});
        p.drawText(QRectF(plot.left(), plot.bottom() + 1.3 * h, plot.width(), h), Qt::AlignHCenter,
                   "time (s) after " + secondsText(r.t0) + "s of the run");
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
    render(painter, rect());
}

}  // namespace calbrine
