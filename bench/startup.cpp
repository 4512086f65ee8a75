// Calbrine's start-up as the program does it, up to the opening window painted.
#include "PaintProbe.h"
#include "platform/QtRunTimeServices.h"
#include "windows/OpeningPage.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    calbrine::InstallQtRunTimeServices();
    calbrine_bench::PaintProbe probe;
    calbrine::OpeningPage* window = calbrine::showOpeningPage();
    window->installEventFilter(&probe);
    return QApplication::exec();
}
