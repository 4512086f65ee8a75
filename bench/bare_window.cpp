// The yardstick for start-up: a bare Qt Widgets program with one empty maximized window.
// With --with-text the window also shows one line of text, which makes Qt load its fonts.
#include <QLabel>
#include <QScreen>
#include <cstring>

#include "PaintProbe.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    if (argc > 1 && std::strcmp(argv[1], "--with-text") == 0) {
        new QLabel(QStringLiteral("Calbrine"), &window);
    }
    calbrine_bench::PaintProbe probe;
    window.installEventFilter(&probe);
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
