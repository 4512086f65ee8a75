// A window's background is filled by a helper thread while the schematic is drawn over it.
// The picture must come out as an ordinary fill followed by the drawing gives it, wherever the
// window sits, at any scale and inside the area the painter may paint.
#include <gtest/gtest.h>

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <map>
#include <string>

#include "../support/Fixtures.h"
#include "design/DesignValues.h"
#include "platform/BackgroundFill.h"
#include "platform/QtSchematicSurface.h"
#include "schematic/DesignSchematic.h"

using namespace calbrine;

namespace {

TEST(PictureFill, RowsComeInTheOrderTheStepsNeedThem) {
    // Rows 0 to 9; the steps jump up and down, reach past the picture or need no row.
    const FillOrder order = PlanFillOrder(0, 9, {{5, 7}, {6, 8}, {-3, 1}, {20, 30}, {4, 3}});
    EXPECT_EQ(order.rows, (std::vector<int>{5, 6, 7, 8, 0, 1, 2, 3, 4, 9}));
    EXPECT_EQ(order.needed, (std::vector<std::size_t>{3, 4, 6, 6, 6}));
}

TEST(PictureFill, AStepIsDrawnOnlyWhenAllItsRowsAreFilled) {
    // The second step covers every row: the last row filled for it is the one just above
    // the first step. Tried a few times, as the helper thread may be early or late.
    for (int attempt = 0; attempt < 8; ++attempt) {
        QImage picture(1400, 1000, QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter painter(&picture);
        BackgroundFill fill(painter, picture.rect(), Qt::white,
                            {QRectF(0, 900, 10, 99), QRectF(0, 0, 10, 999)});
        fill.WaitForStep(1);
        ASSERT_EQ(picture.pixel(1399, 897), 0xffffffffu) << "attempt " << attempt;
    }
}

struct Placing {
    const char* name;
    QImage::Format format;
    QTransform transform;
    QRegion allowed;  // the painter's system clip, in the picture's pixels; empty for none
};

// A picture with a different colour in every pixel, so that any pixel left unfilled shows.
QImage Patterned(QImage::Format format) {
    QImage picture(1400, 1000, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            row[x] = qRgb(x & 255, y & 255, (x + y) & 255);
        }
    }
    return picture.convertToFormat(format);
}

// The design schematic replayed over its background. A clip that takes nothing away makes
// the painter fill the background itself, before the drawing: the reference.
QImage Replayed(const QtSchematicSurface& surface, const Placing& placing, bool reference) {
    QImage picture = Patterned(placing.format);
    // As a window sets it: before the painter begins.
    picture.paintEngine()->setSystemClip(placing.allowed);
    QPainter painter(&picture);
    painter.setTransform(placing.transform);
    // Smoothed, an area's fill shows where its edges fall between pixels.
    painter.setRenderHint(QPainter::Antialiasing);
    if (reference) {
        painter.setClipRect(QRect(-100, -100, 3000, 3000));
    }
    surface.Replay(painter, QRect(0, 0, 1400, 1000));
    painter.end();
    return picture;
}

// How many pixels differ, and where the first one is.
std::string Differences(const QImage& one, const QImage& other) {
    int count = 0;
    QPoint first;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            if (one.pixel(x, y) != other.pixel(x, y) && count++ == 0) {
                first = QPoint(x, y);
            }
        }
    }
    return count == 0 ? std::string()
                      : std::to_string(count) + " pixels, the first at " +
                            std::to_string(first.x()) + "," + std::to_string(first.y());
}

}  // namespace

TEST(PictureFill, TheSchematicOverItsBackgroundAsOverAnOrdinaryFill) {
    DesignValues = calbrine_test::workedExample;
    QtSchematicSurface surface(0.1, 0.1, [](const QRectF&) {});
    surface.SetBackground(QColor(0xf0, 0xe8, 0x40));
    std::map<std::string, std::string> boxes;
    DrawDesignSchematic(surface, boxes);

    const QRegion holed = QRegion(10, 20, 1300, 900).subtracted(QRegion(400, 300, 170, 90));
    const Placing placings[] = {
        {"the whole picture", QImage::Format_RGB32, QTransform(), QRegion()},
        {"moved and doubled", QImage::Format_ARGB32_Premultiplied, QTransform(2, 0, 0, 2, 17, -5),
         QRegion()},
        {"inside a clip with a hole", QImage::Format_RGB32, QTransform::fromTranslate(-6, 2),
         holed},
        {"half pixels", QImage::Format_RGB32, QTransform(1.5, 0, 0, 1.5, 0.5, 0.5), QRegion()},
    };
    for (const Placing& placing : placings) {
        const QImage ordinary = Replayed(surface, placing, true);
        ASSERT_EQ(ordinary.pixel(30, 30), 0xfff0e840u) << placing.name;
        EXPECT_EQ(Differences(Replayed(surface, placing, false), ordinary), "") << placing.name;
    }
}
