#include "windows/PictureWindow.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "platform/QtRunTimeServices.h"

namespace calbrine {

PictureWindow::PictureWindow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The picture paints every pixel, its background included.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureWindow::~PictureWindow() = default;

void PictureWindow::Unload() {
    unloading_ = true;
    close();
}

QImage PictureWindow::Picture() {
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    render(&image, QPoint(), QRegion(), {});
    return image;
}

void PictureWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (picture_) {
        picture_->Paint(painter, event->rect());
    } else {
        painter.fillRect(event->rect(), palette().window());
    }
}

void PictureWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!unloading_) {
        EndProgram();
    }
}

}  // namespace calbrine
