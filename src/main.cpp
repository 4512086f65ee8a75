// Calbrine: the VFO design utility. The program starts at its opening window.
#include <QApplication>
#include <QIcon>

#include "design/Version.h"
#include "platform/QtRunTimeServices.h"
#include "windows/frmOpening.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calbrine"));
    QApplication::setApplicationVersion(QStringLiteral(CALBRINE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.calbrine.Calbrine"));
    QApplication::setWindowIcon(QIcon::fromTheme(
        QStringLiteral("org.calbrine.Calbrine"),
        QIcon(QStringLiteral(":/icons/org.calbrine.Calbrine.svg"))));
    calbrine::InstallQtRunTimeServices();
    calbrine::ShowOpeningWindow();
    return QApplication::exec();
}
