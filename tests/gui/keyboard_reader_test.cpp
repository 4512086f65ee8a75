// The windows without a mouse and through a screen reader: spoken names, the tab order of
// the design window and its shortcuts.
#include <QAccessible>
#include <QDialog>
#include <QKeyEvent>
#include <QScreen>
#include <QTextBrowser>

#include "GuiTestSupport.h"
#include "engineering/EngineeringText.h"
#include "files/DesignFiles.h"
#include "windows/BlankPage.h"
#include "windows/DesignCompanions.h"
#include "windows/DesignPage.h"
#include "windows/ExitDialog.h"
#include "windows/HelpWindow.h"
#include "windows/Navigation.h"
#include "windows/OpeningPage.h"
#include "windows/explorer/ExplorerWindow.h"

using namespace calbrine;

namespace {

// A box as some desktops' line edits are: it claims Ctrl+E (end of line) for itself.
class ClaimsCtrlE : public QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) {
            return false;  // only then is the event a key event
        }
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_E && key->modifiers() == Qt::ControlModifier) {
            event->accept();
            return true;
        }
        return false;
    }
};

QString Spoken(QObject* object) {
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(object);
    return reader != nullptr ? reader->text(QAccessible::Name) : QString();
}

// "window: control" for the window when a reader does not present it as a window called by
// its caption, and for every control the keyboard reaches that a reader names by nothing or
// by its objectName. A control that hands its focus to another (a spin box's own line edit)
// counts as that one; the controls of every tab count, not only those of the tab on show.
std::vector<std::string> Unnamed(QWidget* window) {
    std::vector<std::string> unnamed;
    const std::string where = window->objectName().toStdString() + ": ";
    // A page of the program's frame is read as the frame, which carries the page's caption.
    const QAccessible::Role role = QAccessible::queryAccessibleInterface(window->window())->role();
    if (Spoken(window->window()) != window->windowTitle() ||
        (role != QAccessible::Window && role != QAccessible::Dialog)) {
        unnamed.push_back(where + Spoken(window).toStdString() + " " + std::to_string(role));
    }
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QString name = Spoken(control);
        const bool reached = (control->focusPolicy() & Qt::TabFocus) != 0 &&
                             control->focusProxy() == nullptr && !control->isHidden() &&
                             control->window() == window->window();
        if (reached && (name.trimmed().isEmpty() || name == control->objectName())) {
            unnamed.push_back(where + control->metaObject()->className() + " " +
                              control->objectName().toStdString());
        }
    }
    return unnamed;
}

class KeyboardReaderTest : public calbrine_test::WindowTest {
  protected:
    // The design's undo (Ctrl+Alt+Z), or its redo with Shift, pressed from the IF box.
    static void Press(bool redo) {
        Design()->boxIF->setFocus();
        QTest::keyClick(
            Design()->boxIF, Qt::Key_Z,
            Qt::ControlModifier | Qt::AltModifier | (redo ? Qt::ShiftModifier : Qt::NoModifier));
        Settle();
    }
    // Types into a box and reads the entries with Enter.
    static void Enter(QLineEdit* box, const QString& text) {
        Type(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
};

}  // namespace

TEST_F(KeyboardReaderTest, EveryWindowAndEveryControlTheKeyboardReachesHasASpokenName) {
    ExplorerWindow explorer(DesignValues);
    std::vector<std::string> unnamed;
    const auto check = [&](QWidget* window) {
        const std::vector<std::string> found = Unnamed(window);
        unnamed.insert(unnamed.end(), found.begin(), found.end());
    };
    check(showOpeningPage());  // each checked while it is the page on top
    check(showDesignPage());
    check(showBlankPage());
    check(&explorer);
    SetModalRunner([&](QDialog& dialog) {
        check(&dialog);
        return 0;
    });
    showExitDialog();
    EXPECT_EQ(unnamed, std::vector<std::string>{});
    EXPECT_EQ(Spoken(Design()->boxCfineMin), "Fine-tune varicap minimum capacitance");
    EXPECT_EQ(Spoken(Design()->boxL7), "L7 inductance");
    QAccessibleInterface* result = QAccessible::queryAccessibleInterface(Design()->resultVfo);
    EXPECT_EQ(result->role(), QAccessible::StaticText);
    EXPECT_EQ(result->text(QAccessible::Name), Design()->resultVfo->text());
}

TEST_F(KeyboardReaderTest, TabGoesFromTheIfBoxThroughTheBoxesToTheButtonsAsTheyStand) {
    showDesignPage();
    QStringList visited;
    QWidget* control = Design()->boxIF;
    do {
        if ((control->focusPolicy() & Qt::TabFocus) != 0) {
            visited << control->objectName();
        }
        control = control->nextInFocusChain();
    } while (control != Design()->boxIF);
    EXPECT_EQ(
        visited.join(' ').toStdString(),
        "TxtIF Text9 Text6 Text7 Text8 Text10 Text2 Text4 Text1 Text0 Text3 Text5 "
        "cmdAccept cmdExplore cmdSimulate cmdDefaults cmdReadFile cmdSaveFile cmdSpice cmdPrint "
        "cmdExit cmdHelp");
}

// Start pressed from the keyboard leaves the keys in the design page's first box, its text
// selected so that typing replaces it, not in the opening page's hidden button.
TEST_F(KeyboardReaderTest, StartByKeyboardLeavesTheKeysInTheIfBox) {
    OpeningPage* opening = showOpeningPage();
    opening->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(opening));
    opening->startButton->setFocus();
    QTest::keyClick(opening->startButton, Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([] { return Design() != nullptr && Design()->isVisible(); }));
    EXPECT_EQ(QApplication::focusWidget(), Design()->boxIF);
    EXPECT_EQ(Design()->boxIF->selectedText(), Design()->boxIF->text());
}

// Ctrl+Q, then Tab and Space in the exit window, leave the program through "Exit / Quit".
TEST_F(KeyboardReaderTest, ShortcutsNamedInTheTooltipsAndExitByKeyboard) {
    const std::pair<const char*, const char*> shortcuts[] = {
        {"cmdDefaults", "Get defaults (Ctrl+D)"}, {"cmdReadFile", "Read file (Ctrl+O)"},
        {"cmdSaveFile", "Save file (Ctrl+S)"},    {"cmdSpice", "LTspice (Ctrl+L)"},
        {"cmdPrint", "Print (Ctrl+P)"},           {"cmdExit", "Exit (Ctrl+Q)"}};
    showDesignPage();
    for (const auto& [name, tip] : shortcuts) {
        auto* button = Design()->findChild<QPushButton*>(QLatin1String(name));
        EXPECT_EQ(button->toolTip(), QLatin1String(tip));
        EXPECT_EQ(button->shortcut().toString() + ")", QString::fromLatin1(tip).section('(', 1));
    }
    QString focusInExit;  // the exit window is gone once it has been answered
    SetModalRunner([&](QDialog& dialog) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        focusInExit = dialog.focusWidget()->objectName();
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
        return dialog.result();
    });
    Design()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Design()));
    QTest::keyClick(Design()->window()->windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    // A shortcut presses its button as a click does, after a short animation.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !focusInExit.isEmpty(); }));
    EXPECT_EQ(focusInExit, "cmdCancel");
    EXPECT_EQ(programEnds, 1);
    EXPECT_TRUE(std::filesystem::exists("LastSession.TXT"));
}

// Ctrl+E from a box that claims the key opens the explorer above the design window and wholly
// on the screen; Escape closes it.
TEST_F(KeyboardReaderTest, ShortcutFromABoxAndEscapeClosesTheExplorer) {
    showDesignPage();
    ClaimsCtrlE claim;
    QLineEdit* box = Design()->boxL7;
    box->installEventFilter(&claim);
    Design()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Design()));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_E, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return openExplorer() != nullptr; }));
    QWidget* explorer = openExplorer();
    EXPECT_EQ(explorer->parentWidget(), Design()->window());
    EXPECT_TRUE(explorer->isWindow());
    // Wholly within the screen's height; the small screens' run checks the width too.
    const QRect area = explorer->screen()->availableGeometry();
    EXPECT_GE(explorer->frameGeometry().top(), area.top());
    EXPECT_LE(explorer->frameGeometry().bottom(), area.bottom());
    ASSERT_TRUE(QTest::qWaitForWindowActive(explorer));
    QTest::keyClick(explorer->focusWidget() ? explorer->focusWidget() : explorer, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([] { return openExplorer() == nullptr; }));
}

// F1 from a box of the design page and from the explorer opens the one help window, which
// holds the guide and the command line's help; the Help button raises it, Escape closes it.
TEST_F(KeyboardReaderTest, FOneOpensTheHelpFromAnyWindow) {
    SetCommandLineHelp("Usage: calbrine [options] [command]");
    InstallHelpKey();
    showDesignPage();
    const auto shownHelp = [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == "frmHelp" && w->isVisible()) {
                return qobject_cast<QTextBrowser*>(w);
            }
        }
        return static_cast<QTextBrowser*>(nullptr);
    };
    ASSERT_EQ(shownHelp(), nullptr);
    QTest::keyClick(Design()->boxL7, Qt::Key_F1);
    QTextBrowser* help = shownHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), QString("Calbrine - Help"));
    EXPECT_TRUE(help->toPlainText().contains("The design explorer"));
    EXPECT_TRUE(help->toPlainText().contains("Usage: calbrine [options] [command]"));
    QTest::mouseClick(Design()->helpButton, Qt::LeftButton);
    EXPECT_EQ(showHelp(), help);
    QTest::keyClick(help, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&shownHelp] { return shownHelp() == nullptr; }));
    QTest::mouseClick(Design()->exploreButton, Qt::LeftButton);
    ASSERT_NE(openExplorer(), nullptr);
    QTest::keyClick(openExplorer(), Qt::Key_F1);
    EXPECT_NE(shownHelp(), nullptr);
}

// A shown window partly off the screen comes back inside, one too big shrinks to fit, and one
// wholly inside stays where it is.
TEST_F(KeyboardReaderTest, KeepOnScreenBringsWindowsInside) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect rows[] = {
        {area.right() - 100, area.bottom() - 50, 300, 200},  // past the bottom right
        {area.left() - 40, area.top() - 30, 300, 200},       // past the top left
        {area.left() + 10, area.top() + 10, area.width() * 2, area.height() * 2},
        {area.left() + 20, area.top() + 50, 300, 200},  // inside
    };
    for (const QRect& row : rows) {
        QWidget window;
        window.setGeometry(row);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        KeepOnScreen(&window);
        EXPECT_TRUE(area.contains(window.frameGeometry())) << row.x() << "," << row.y();
        if (area.contains(row)) {
            EXPECT_EQ(window.geometry(), row);
        }
    }
}

// Ctrl+Alt+Z puts the design before each accept step and file read back, several steps back,
// Ctrl+Alt+Shift+Z redoes them; Ctrl+Z inside a box still undoes the typing only.
TEST_F(KeyboardReaderTest, UndoAndRedoOfTheDesignLeaveCtrlZToTheBoxes) {
    DesignValues = calbrine_test::workedExample;
    DesignValues.C37 = 100e-12f;
    WriteDesignFile("other.TXT");
    DesignValues = calbrine_test::workedExample;
    showDesignPage();
    const float originalC15 = DesignValues.C15, originalL7 = DesignValues.L7;
    Design()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Design()));
    Enter(Design()->boxC15, "33p");
    Enter(Design()->boxL7, "10u");
    Design()->boxL7->selectAll();
    QTest::keyClicks(Design()->boxL7, "1u");
    QTest::keyClick(Design()->boxL7, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Design()->boxL7->text(), "10uH");  // the box's own undo of the typing
    Press(false);
    EXPECT_EQ(DesignValues.L7, originalL7);
    EXPECT_EQ(DesignValues.C15, 33e-12f);
    float shownL7 = originalL7;
    FormatInductance(shownL7, WorkText);
    EXPECT_EQ(Design()->boxL7->text().toStdString(), WorkText);
    Press(false);
    EXPECT_EQ(DesignValues.C15, originalC15);
    Press(true);
    EXPECT_EQ(DesignValues.C15, 33e-12f);
    EXPECT_EQ(DesignValues.L7, originalL7);
    Press(true);
    EXPECT_EQ(DesignValues.L7, 10e-6f);
    EXPECT_EQ(Design()->boxL7->text(), "10uH");
    answers.files = {std::string("other.TXT")};
    QTest::mouseClick(Design()->readFileButton, Qt::LeftButton);
    EXPECT_EQ(DesignValues.C37, 100e-12f);
    Press(false);
    EXPECT_EQ(DesignValues.C37, calbrine_test::workedExample.C37);
    EXPECT_EQ(DesignValues.L7, 10e-6f);
}

// A change after an undo cuts the redo, whichever way it comes: an accept step, the
// explorer's Apply, a file read.
TEST_F(KeyboardReaderTest, AChangeAfterAnUndoLeavesNothingToRedo) {
    DesignValues = calbrine_test::workedExample;
    DesignValues.L7 = 15e-6f;
    WriteDesignFile("read.TXT");
    DesignValues = calbrine_test::workedExample;
    showDesignPage();
    DesignRecord fitted = calbrine_test::workedExample;
    fitted.L7 = 8.2e-6f;
    const std::function<void()> changes[] = {
        [] { Enter(Design()->boxL7, "12u"); }, [&fitted] { Design()->takeFittedDesign(fitted); },
        [this] {
            answers.files = {std::string("read.TXT")};
            QTest::mouseClick(Design()->readFileButton, Qt::LeftButton);
        }};
    for (const auto& change : changes) {
        SCOPED_TRACE(&change - changes);
        Enter(Design()->boxC15, "33p");
        Press(false);
        EXPECT_EQ(DesignValues.C15, calbrine_test::workedExample.C15);
        change();
        const DesignRecord changed = DesignValues;
        EXPECT_NE(changed.L7, calbrine_test::workedExample.L7);  // each changes the design
        Press(true);                                             // redo: the undone step is gone
        EXPECT_EQ(std::memcmp(&changed, &DesignValues, sizeof changed), 0);
        EXPECT_EQ(DesignValues.C15, calbrine_test::workedExample.C15);
        Press(false);  // back to before the change
        EXPECT_EQ(DesignValues.C15, calbrine_test::workedExample.C15);
    }
}
