#include "windows/HarmonicsPlot.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "windows/PlotAxes.h"

namespace calbrine {

namespace {

// The scale reaches 20 dB below the lowest harmonic shown, in steps of 20 dB, to at most
// 160 dB.
double levelFloor(const HarmonicLevels& levels) {
    double lowest = 0;
    for (double level : levels.dbc) {
        lowest = std::min(lowest, std::max(level, -160.0));
    }
    return std::floor(lowest / 20) * 20 - 20;
}

}  // namespace

HarmonicsPlot::HarmonicsPlot(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HarmonicsPlot::setLevels(const HarmonicLevels& levels, QString caption) {
    levels_ = levels;
    caption_ = std::move(caption);
    update();
}

void HarmonicsPlot::render(QPainter& p, const QRectF& area) const {
    p.save();
    const QRectF plot = plotFrame(p, area, caption_, "-000", "0");
    if (levels_.measured && plot.width() > 10 && plot.height() > 10) {
        const double floor = levelFloor(levels_);
        std::vector<double> marks;
        for (double db = 0; db >= floor; db -= 20) {
            marks.push_back(db);
        }
        const auto whole = [](double v) { return QString::number(std::lround(v)); };
        drawGrid(p, plot, {0.5, SpectrumHarmonics + 0.5, {1, 2, 3, 4, 5}, whole},
                 {floor, 0, marks, whole});
        const double h = QFontMetricsF(p.font()).height();
        p.drawText(QRectF(plot.left(), plot.bottom() + 1.3 * h, plot.width(), h), Qt::AlignHCenter,
                   "harmonic");
        p.drawText(QRectF(area.left() + 4, plot.top() - 1.3 * h, plot.width(), h), Qt::AlignLeft,
                   "dBc");
        const double slot = plot.width() / SpectrumHarmonics;
        for (int k = 0; k < SpectrumHarmonics; ++k) {
            const double level = std::max(levels_.dbc[k], floor);
            const double top = plot.top() + level / floor * plot.height();
            p.fillRect(QRectF(plot.left() + (k + 0.3) * slot, top, 0.4 * slot, plot.bottom() - top),
                       QColor(20, 60, 150));
        }
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(plot);
    p.restore();
}

void HarmonicsPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    render(painter, rect());
}

}  // namespace calbrine
