// The welcome, design and exit windows on the small screens of many laptops: no control
// covers another or leaves the screen. The suite runs these once for each screen under
// tests/data/screens/, which the offscreen platform takes as its own; at the default offscreen
// screen they do not run.
#include <QDialog>
#include <QScreen>

#include "GuiTestSupport.h"
#include "design/DesignSession.h"
#include "windows/DesignCompanions.h"
#include "windows/DesignPage.h"
#include "windows/ExitDialog.h"
#include "windows/OpeningPage.h"
#include "windows/explorer/ExplorerWindow.h"

using namespace calbrine;

namespace {

using SmallScreenTest = calbrine_test::WindowTest;

// "name over name" for every pair of shown controls that share a pixel, "name off" for a
// control not wholly on the screen.
std::vector<std::string> Collisions(QWidget* window) {
    std::vector<std::pair<std::string, QRect>> controls;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    std::vector<std::string> found;
    for (QWidget* control : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (control->isHidden() || control->objectName().isEmpty()) {
            continue;
        }
        const QRect place(control->mapToGlobal(QPoint(0, 0)), control->size());
        const std::string name = control->objectName().toStdString();
        if (!screen.contains(place)) {
            found.push_back(name + " off");
        }
        for (const auto& [other, rect] : controls) {
            if (rect.intersects(place)) {
                found.push_back(name + " over " + other);
            }
        }
        controls.emplace_back(name, place);
    }
    return found;
}

bool SmallScreen() {
    const QSize size = QGuiApplication::primaryScreen()->size();
    return size == QSize(1366, 768) || size == QSize(1280, 720);
}

}  // namespace

TEST_F(SmallScreenTest, NoControlCoversAnotherOrLeavesTheScreen) {
    if (!SmallScreen()) {
        GTEST_SKIP() << "runs on the small screens only";
    }
    OpeningPage* opening = showOpeningPage();
    Settle();
    EXPECT_EQ(Collisions(opening), std::vector<std::string>{});
    showDesignPage();
    EXPECT_EQ(Collisions(Design()), std::vector<std::string>{});
    std::vector<std::string> inExit{"not shown"};
    SetModalRunner([&](QDialog& dialog) {
        dialog.show();
        inExit = Collisions(&dialog);
        return static_cast<int>(QDialog::Rejected);
    });
    showExitDialog();
    EXPECT_EQ(inExit, std::vector<std::string>{});
    static calbrine::OwnDesignSession session;  // outlives the explorer it is shown in
    session.Session().design = calbrine_test::workedExample;
    QWidget* explorer = showExplorer(session.Session());
    Settle();
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->availableGeometry().contains(explorer->frameGeometry()));
}
