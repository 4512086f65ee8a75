// A window's background filled on a second processor while the drawing over it is made.
// Pressing Start repaints the whole screen: the background is the one step of that repaint
// that grows with the screen's pixels (33 MB to write at 3840 x 2160), and it needs no
// computing, only memory; the schematic's lines and texts need computing and few pixels.
// So the background is written by a helper thread, row by row, in the order in which the
// drawing steps need their rows. Before a step is drawn, the painting thread fills the rows
// the step covers that the helper has not taken yet and waits for those the helper is
// filling. Every pixel is filled once, before anything is drawn over it, so the picture is
// the one `QPainter::fillRect` followed by the steps gives, however the two threads run.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QRegion>
#include <atomic>
#include <cstddef>
#include <memory>
#include <thread>
#include <vector>

namespace calbrine {

// The order in which rows `first` to `last` of a picture are filled: the rows of the first
// step, then the rows of the second not yet listed, and so on, then the rest from the top.
// `steps` gives each step's rows as a first and a last row (a last row before the first row
// stands for a step that needs none). `needed[i]` is how many rows of the order must be
// filled before step i is drawn.
struct FillOrder {
    std::vector<int> rows;
    std::vector<std::size_t> needed;
};
FillOrder PlanFillOrder(int first, int last, const std::vector<std::pair<int, int>>& steps);

class BackgroundFill {
  public:
    // Starts filling `area` (the painter's logical pixels, inside what the painter may paint)
    // with the opaque `colour`; `steps` are the places (logical pixels) of the drawing steps
    // that will be drawn over it, in their order. When the picture cannot be written directly
    // (a printer, a transformed or clipped painter, an unusual pixel format), the area is
    // small or there is no second processor, the area is filled at once through the painter.
    BackgroundFill(QPainter& painter, const QRect& area, const QColor& colour,
                   const std::vector<QRectF>& steps);
    // Finishes the whole background.
    ~BackgroundFill();
    BackgroundFill(const BackgroundFill&) = delete;
    BackgroundFill& operator=(const BackgroundFill&) = delete;

    // Returns once every row that step `index` covers is filled.
    void WaitForStep(std::size_t index) const;

  private:
    bool StartDirect(QPainter& painter, const QRect& area, const QColor& colour,
                     const std::vector<QRectF>& steps);
    // Takes the next rows of the order, until `count` rows are taken, and fills them.
    void FillRowsUpTo(std::size_t count) const;

    std::vector<QRect> parts_;  // the picture's pixels to fill
    unsigned char* bits_ = nullptr;
    qsizetype bytesPerLine_ = 0;
    quint32 value_ = 0;
    FillOrder order_;
    mutable std::atomic<std::size_t> taken_{0};  // rows of the order taken by either thread
    std::unique_ptr<std::atomic<bool>[]> done_;  // for each row of the order: filled
    mutable std::size_t ready_ = 0;              // rows of the order seen filled
    std::thread helper_;
};

}  // namespace calbrine
