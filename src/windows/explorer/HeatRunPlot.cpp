#include "windows/explorer/HeatRunPlot.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/ReportText.h"
#include "analysis/Reports.h"
#include "windows/PlotAxes.h"

namespace calbrine {

HeatRunPlot::HeatRunPlot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName("Heat run: the readings and the measured line");
}

void HeatRunPlot::setRun(std::vector<HeatReading> readings, const MeasuredDrift& drift) {
    readings_ = std::move(readings);
    drift_ = drift;
    update();
}

void HeatRunPlot::render(QPainter& p, const QRectF& area) const {
    p.save();
    const QString caption =
        drift_.measured ? QString::fromStdString(
                              "Hz from " + FrequencyText(drift_.meanFrequencyHz) +
                              " against degC\nline: " + DriftRateText(drift_.hzPerC) + " Hz/degC")
                        : QString("Heat run\nno line yet");
    const QRectF plot = plotFrame(p, area, caption, "-0000", "-00");
    if (drift_.measured && plot.width() > 10 && plot.height() > 10) {
        // Hertz from the mean, and the span of the readings and the line with some room.
        const auto offset = [this](double hz) { return hz - drift_.meanFrequencyHz; };
        const double padT = std::max(1.0, (drift_.warmestC - drift_.coldestC) * 0.08);
        const double t0 = drift_.coldestC - padT, t1 = drift_.warmestC + padT;
        const auto line = [this](double t) {
            return drift_.hzPerC * (t - drift_.meanTemperatureC);
        };
        double lo = std::min(line(t0), line(t1)), hi = std::max(line(t0), line(t1));
        for (const HeatReading& r : readings_) {
            lo = std::min(lo, offset(r.frequencyHz));
            hi = std::max(hi, offset(r.frequencyHz));
        }
        const double padF = std::max(1.0, (hi - lo) * 0.1);
        lo -= padF;
        hi += padF;
        const auto text = [](double v) { return QString::fromStdString(PlainNumber(v, 4)); };
        drawGrid(p, plot, {t0, t1, gridValues(t0, t1, 5), text},
                 {lo, hi, gridValues(lo, hi, 4), text});
        const auto at = [&](double t, double hz) {
            return QPointF(plot.left() + (t - t0) / (t1 - t0) * plot.width(),
                           plot.bottom() - (hz - lo) / (hi - lo) * plot.height());
        };
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(190, 30, 30), 1.5));
        p.drawLine(at(t0, line(t0)), at(t1, line(t1)));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 60, 150));
        for (const HeatReading& r : readings_) {
            p.drawEllipse(at(r.temperatureC, offset(r.frequencyHz)), 3.5, 3.5);
        }
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    p.restore();
}

void HeatRunPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    render(painter, rect());
}

}  // namespace calbrine
