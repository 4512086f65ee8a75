#include "windows/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>

#include "windows/Navigation.h"

namespace calbrine {

namespace {

std::string& commandLineHelp() {
    static std::string text;
    return text;
}

QString HelpMarkdown() {
    QFile guide(QStringLiteral(":/help/guide.md"));
    QString text = guide.open(QIODevice::ReadOnly) ? QString::fromUtf8(guide.readAll())
                                                   : QStringLiteral("# Calbrine\n");
    if (!commandLineHelp().empty()) {
        text += QStringLiteral("\n## The command line\n\n```\n") +
                QString::fromStdString(commandLineHelp()) + QStringLiteral("\n```\n");
    }
    return text;
}

// F1 anywhere in the program: the key reaches the application before any window's control.
class HelpKey : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 && watched->isWidgetType()) {
            showHelp();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void SetCommandLineHelp(const std::string& text) {
    commandLineHelp() = text;
}

QWidget* showHelp() {
    static QPointer<QTextBrowser> window;
    if (!window) {
        window = new QTextBrowser;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setObjectName(QStringLiteral("frmHelp"));
        window->setWindowTitle(QStringLiteral("Calbrine - Help"));
        window->setAccessibleName(window->windowTitle());
        window->setOpenExternalLinks(false);
        window->setMarkdown(HelpMarkdown());
        window->resize(window->fontMetrics().averageCharWidth() * 96,
                       window->fontMetrics().height() * 40);
        CloseOnEscape(window);
        KeepOnScreen(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void InstallHelpKey() {
    static HelpKey* key = new HelpKey(qApp);
    qApp->installEventFilter(key);
}

}  // namespace calbrine
