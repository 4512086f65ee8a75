#include "windows/PictureWindow.h"

#include <QCloseEvent>

#include "platform/QtRunTimeServices.h"

namespace calbrine {

PictureWindow::PictureWindow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
}

PictureWindow::~PictureWindow() = default;

void PictureWindow::Unload() {
    unloading_ = true;
    close();
}

void PictureWindow::paintEvent(QPaintEvent*) {
    if (picture_) {
        picture_->Paint(*this);
    }
}

void PictureWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!unloading_) {
        EndProgram();
    }
}

}  // namespace calbrine
