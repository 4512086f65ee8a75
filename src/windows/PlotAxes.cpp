#include "windows/PlotAxes.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace calbrine {

std::vector<double> gridValues(double lo, double hi, int count) {
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

// The caption with each line too wide for `width` broken where its parts are spaced apart
// ("VFO ...    RF sum ..."), so that a narrow plot shows all of it.
QString fittedCaption(const QString& caption, const QFontMetricsF& metrics, double width) {
    const QString gap = QStringLiteral("    ");
    QStringList lines;
    for (const QString& line : caption.split('\n')) {
        QString current;
        for (const QString& piece : line.split(gap)) {
            const QString longer = current.isEmpty() ? piece : current + gap + piece;
            if (!current.isEmpty() && metrics.horizontalAdvance(longer) > width) {
                lines << current;
                current = piece;
            } else {
                current = longer;
            }
        }
        lines << current;
    }
    return lines.join('\n');
}

}  // namespace

QRectF plotFrame(QPainter& p, const QRectF& area, const QString& caption, const QString& widestY,
                 const QString& widestX) {
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    const QFontMetricsF metrics(p.font());
    const double h = metrics.height();
    p.setPen(Qt::black);
    // Room for two lines of caption, or for as many as it has once fitted to the width.
    const QString fitted = fittedCaption(caption, metrics, area.width());
    const double lines = std::max<qsizetype>(2, fitted.count('\n') + 1);
    p.drawText(QRectF(area.left(), area.top() + 0.3 * h, area.width(), lines * h),
               Qt::AlignHCenter | Qt::AlignTop, fitted);
    return area.adjusted(metrics.horizontalAdvance(widestY) + 14, (lines + 0.6) * h,
                         -metrics.horizontalAdvance(widestX), -2.6 * h);
}

void drawGrid(QPainter& p, const QRectF& plot, const GridAxis& x, const GridAxis& y) {
    const QFontMetricsF metrics(p.font());
    const QPen grid(QColor(215, 215, 215), 0);
    for (double v : x.values) {
        const double at = plot.left() + (v - x.from) / (x.to - x.from) * plot.width();
        p.setPen(grid);
        p.drawLine(QPointF(at, plot.top()), QPointF(at, plot.bottom()));
        p.setPen(Qt::black);
        const QString text = x.text(v);
        p.drawText(
            QPointF(at - metrics.horizontalAdvance(text) / 2, plot.bottom() + metrics.height()),
            text);
    }
    for (double v : y.values) {
        const double at = plot.bottom() - (v - y.from) / (y.to - y.from) * plot.height();
        p.setPen(grid);
        p.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at));
        p.setPen(Qt::black);
        const QString text = y.text(v);
        p.drawText(QPointF(plot.left() - metrics.horizontalAdvance(text) - 6,
                           at + metrics.ascent() / 2 - 1),
                   text);
    }
}

}  // namespace calbrine
