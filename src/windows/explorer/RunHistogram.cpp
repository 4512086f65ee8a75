#include "windows/explorer/RunHistogram.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "analysis/ReportText.h"
#include "windows/PlotAxes.h"

namespace calbrine {

namespace {

// About two bins for each square root of the runs, at least 8 and at most 50.
int binsFor(std::size_t runs) {
    const int bins = static_cast<int>(std::lround(2 * std::sqrt(static_cast<double>(runs))));
    return std::clamp(bins, 8, 50);
}

}  // namespace

std::vector<int> binCounts(const std::vector<double>& values, double from, double to, int bins) {
    std::vector<int> counts(static_cast<std::size_t>(std::max(bins, 0)), 0);
    if (counts.empty() || !(to > from)) {
        return counts;
    }
    for (double v : values) {
        if (v < from || v > to) {
            continue;
        }
        const auto bin = static_cast<std::size_t>((v - from) / (to - from) * bins);
        ++counts[std::min(bin, counts.size() - 1)];
    }
    return counts;
}

RunHistogram::RunHistogram(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RunHistogram::setRuns(std::vector<double> hz, double worstLowHz, double worstHighHz,
                           QString caption) {
    hz_ = std::move(hz);
    worstLowHz_ = worstLowHz;
    worstHighHz_ = worstHighHz;
    caption_ = std::move(caption);
    counts_.clear();
    if (!hz_.empty()) {
        // The bins span the runs and the worst case, with a little room at both sides.
        const auto [low, high] = std::minmax_element(hz_.begin(), hz_.end());
        double lo = *low, hi = *high;
        for (double end : {worstLowHz_, worstHighHz_}) {
            if (end > 0) {
                lo = std::min(lo, end);
                hi = std::max(hi, end);
            }
        }
        const double pad = std::max((hi - lo) * 0.04, std::fabs(hi) * 1e-6 + 1);
        from_ = lo - pad;
        to_ = hi + pad;
        counts_ = binCounts(hz_, from_, to_, binsFor(hz_.size()));
    }
    update();
}

void RunHistogram::render(QPainter& p, const QRectF& area) const {
    p.save();
    const QRectF plot = plotFrame(p, area, caption_, "000", "00.00M");
    if (!counts_.empty() && plot.width() > 10 && plot.height() > 10) {
        const int most = *std::max_element(counts_.begin(), counts_.end());
        const double top = std::max(1.0, most * 1.1);
        std::vector<double> marks;
        for (double v : gridValues(0, top, 4)) {
            if (v == std::floor(v)) {
                marks.push_back(v);
            }
        }
        drawGrid(p, plot,
                 {from_, to_, gridValues(from_, to_, 6),
                  [](double v) { return QString::fromStdString(FrequencyText(v)); }},
                 {0, top, marks, [](double v) { return QString::number(std::lround(v)); }});
        const double slot = plot.width() / counts_.size();
        for (std::size_t k = 0; k < counts_.size(); ++k) {
            const double height = counts_[k] / top * plot.height();
            p.fillRect(QRectF(plot.left() + k * slot + 1, plot.bottom() - height,
                              std::max(slot - 2, 1.0), height),
                       QColor(20, 60, 150));
        }
        // The worst case's ends as dashed red lines.
        p.setPen(QPen(QColor(190, 30, 30), 1.5, Qt::DashLine));
        for (double end : {worstLowHz_, worstHighHz_}) {
            if (end > 0) {
                const double x = plot.left() + (end - from_) / (to_ - from_) * plot.width();
                p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            }
        }
    }
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(plot);
    p.restore();
}

void RunHistogram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    render(painter, rect());
}

}  // namespace calbrine
