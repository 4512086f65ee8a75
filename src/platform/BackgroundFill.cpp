#include "platform/BackgroundFill.h"

#include <QImage>
#include <QPaintEngine>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <system_error>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace calbrine {
namespace {

// Below this many pixels (4 MB of picture) the fill takes less than a few tenths of a
// millisecond and is not worth a thread.
constexpr qint64 largeArea = 1 << 20;

// Writes `count` copies of `value` from `row` on. The aligned middle is written past the
// caches: a screen-sized picture is bigger than all of them, and ordinary stores would first
// read each line of it from memory only to overwrite it.
void FillRow(quint32* row, int count, quint32 value) {
    int i = 0;
#if defined(__SSE2__)
    while (i < count && (reinterpret_cast<quintptr>(row + i) & 15) != 0) {
        row[i++] = value;
    }
    const __m128i four = _mm_set1_epi32(static_cast<int>(value));
    for (; i + 4 <= count; i += 4) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(row + i), four);
    }
#endif
    for (; i < count; ++i) {
        row[i] = value;
    }
}

// The picture behind `painter` when its pixels can be written directly, else null.
QImage* DirectPicture(QPainter& painter) {
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster || painter.hasClipping() ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() != 1.0 || painter.deviceTransform().type() > QTransform::TxScale) {
        return nullptr;
    }
    QPaintDevice* device = engine->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image) {
        return nullptr;
    }
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    const bool plain = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                       format == QImage::Format_ARGB32_Premultiplied;
    return plain ? image : nullptr;
}

// `area` in the picture's own pixels, when its edges fall on whole pixels.
bool DevicePixels(const QPainter& painter, const QRect& area, QRect* pixels) {
    const QRectF mapped = painter.deviceTransform().mapRect(QRectF(area));
    const QRect whole(QPoint(std::lround(mapped.left()), std::lround(mapped.top())),
                      QPoint(std::lround(mapped.right()) - 1, std::lround(mapped.bottom()) - 1));
    const double slack = 1e-6;
    const QRectF back(whole);
    if (std::abs(back.left() - mapped.left()) > slack ||
        std::abs(back.top() - mapped.top()) > slack ||
        std::abs(back.right() - mapped.right()) > slack ||
        std::abs(back.bottom() - mapped.bottom()) > slack) {
        return false;
    }
    *pixels = whole;
    return true;
}

}  // namespace

FillOrder PlanFillOrder(int first, int last, const std::vector<std::pair<int, int>>& steps) {
    FillOrder order;
    const int count = std::max(0, last - first + 1);
    std::vector<bool> listed(static_cast<std::size_t>(count), false);
    const auto list = [&](int from, int to) {
        for (int row = std::max(from, first); row <= std::min(to, last); ++row) {
            if (!listed[static_cast<std::size_t>(row - first)]) {
                listed[static_cast<std::size_t>(row - first)] = true;
                order.rows.push_back(row);
            }
        }
    };
    for (const auto& [from, to] : steps) {
        list(from, to);
        order.needed.push_back(order.rows.size());
    }
    list(first, last);
    return order;
}

BackgroundFill::BackgroundFill(QPainter& painter, const QRect& area, const QColor& colour,
                               const std::vector<QRectF>& steps) {
    if (!StartDirect(painter, area, colour, steps)) {
        painter.fillRect(area, colour);
        order_.needed.assign(steps.size(), 0);
    }
}

BackgroundFill::~BackgroundFill() {
    // Whatever the helper has not yet taken is filled here, while it finishes its rows.
    FillRowsUpTo(order_.rows.size());
    if (helper_.joinable()) {
        helper_.join();
    }
}

bool BackgroundFill::StartDirect(QPainter& painter, const QRect& area, const QColor& colour,
                                 const std::vector<QRectF>& steps) {
    QImage* picture = DirectPicture(painter);
    QRect pixels;
    if (picture == nullptr || colour.alpha() != 255 || steps.empty() ||
        std::thread::hardware_concurrency() < 2 || !DevicePixels(painter, area, &pixels) ||
        qint64(pixels.width()) * pixels.height() < largeArea) {
        return false;
    }
    QRegion target(pixels & picture->rect());
    const QRegion allowed = painter.paintEngine()->systemClip();
    if (!allowed.isEmpty()) {
        target &= allowed;
    }
    parts_.assign(target.begin(), target.end());
    // The pixels are written where the painter writes them: in the picture's own buffer,
    // which a non-const access would copy if the picture were shared.
    const QImage& shared = *picture;
    bits_ = const_cast<uchar*>(shared.constBits());
    bytesPerLine_ = shared.bytesPerLine();
    value_ = colour.rgba();
    const QTransform toPixels = painter.deviceTransform();
    std::vector<std::pair<int, int>> rows;
    rows.reserve(steps.size());
    for (const QRectF& step : steps) {
        // A row more on each side, for the rounding of the step's place to whole rows.
        const QRectF place = toPixels.mapRect(step);
        rows.emplace_back(static_cast<int>(std::floor(place.top())) - 1,
                          static_cast<int>(std::ceil(place.bottom())) + 1);
    }
    const QRect bounds = target.boundingRect();
    order_ = PlanFillOrder(bounds.top(), bounds.bottom(), rows);
    done_ = std::make_unique<std::atomic<bool>[]>(order_.rows.size());
    try {
        helper_ = std::thread([this] { FillRowsUpTo(order_.rows.size()); });
    } catch (const std::system_error&) {
        // Without a helper, each step fills the rows it needs, and the end the rest.
    }
    return true;
}

void BackgroundFill::FillRowsUpTo(std::size_t count) const {
    std::size_t next = taken_.load(std::memory_order_relaxed);
    while (next < count) {
        if (!taken_.compare_exchange_weak(next, next + 1, std::memory_order_relaxed)) {
            continue;
        }
        const int row = order_.rows[next];
        auto* line = reinterpret_cast<quint32*>(bits_ + row * bytesPerLine_);
        for (const QRect& part : parts_) {
            if (row >= part.top() && row <= part.bottom()) {
                FillRow(line + part.left(), part.width(), value_);
            }
        }
#if defined(__SSE2__)
        // The row's stores went past the caches; they are made visible before the row is
        // reported filled.
        _mm_sfence();
#endif
        done_[next].store(true, std::memory_order_release);
        next = taken_.load(std::memory_order_relaxed);
    }
}

void BackgroundFill::WaitForStep(std::size_t index) const {
    // The rows the step needs that the helper has not taken yet are filled here; a row the
    // helper is filling is waited for.
    const std::size_t needed = order_.needed[index];
    FillRowsUpTo(needed);
    for (; ready_ < needed; ++ready_) {
        while (!done_[ready_].load(std::memory_order_acquire)) {
#if defined(__SSE2__)
            _mm_pause();
#endif
        }
    }
}

}  // namespace calbrine
