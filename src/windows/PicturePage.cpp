#include "windows/PicturePage.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/QtRunTimeServices.h"

namespace calbrine {

PicturePage::PicturePage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The picture paints every pixel, its background included.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PicturePage::~PicturePage() = default;

void PicturePage::unload() {
    unloading_ = true;
    close();
}

QImage PicturePage::picture() {
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    render(&image, QPoint(), QRegion(), {});
    return image;
}

void PicturePage::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (picture_) {
        picture_->paint(painter, event->rect());
    } else {
        painter.fillRect(event->rect(), palette().window());
    }
}

void PicturePage::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!unloading_) {
        EndProgram();
    }
}

}  // namespace calbrine
