#include "windows/DesignPage.h"

#include <QPointer>
#include <QShortcut>
#include <algorithm>
#include <exception>
#include <iterator>
#include <map>

#include "design/Acceptance.h"
#include "design/DesignFields.h"
#include "design/Tuning.h"
#include "engineering/EngineeringText.h"
#include "engineering/EntryNote.h"
#include "platform/QtRunTimeServices.h"
#include "schematic/DesignSchematic.h"
#include "windows/Controls.h"
#include "windows/DesignCompanions.h"
#include "windows/HelpWindow.h"
#include "windows/Navigation.h"
#include "windows/ProgramFrame.h"

namespace calbrine {

namespace {

QPointer<DesignPage> shownPage;
QPointer<DesignPage> preparedPage;  // made, not yet loaded

// Left, top, width and height of each control in window units, in the order the load
// places them.
struct Placement {
    const char* name;
    double left, top, width, height;
};

constexpr Placement placements[] = {
    {"cmdAccept", 1500, 7400, 7200, 270},   {"cmdDefaults", 1500, 8000, 1450, 270},
    {"cmdReadFile", 3000, 8000, 1450, 270}, {"cmdSaveFile", 4500, 8000, 1450, 270},
    {"cmdSpice", 6000, 8000, 1450, 270},    {"cmdPrint", 7500, 8000, 1450, 270},
    {"cmdExit", 9000, 8000, 1450, 270},     {"cmdHelp", 10500, 8000, 1450, 270},
    {"lblFreqMin", 1000, 1500, 4000, 270},  {"lblSpan", 1000, 2600, 4000, 270},
    {"lblFineSpan", 1000, 2900, 3000, 270}, {"lblSum", 1000, 1900, 4000, 270},
    {"lblDiff", 1000, 2200, 4000, 270},     {"Text10", 1650, 6170, 700, 270},
    {"Text1", 1650, 6500, 700, 270},        {"Text2", 3000, 6200, 700, 270},
    {"Text3", 5950, 6500, 700, 270},        {"Text4", 4400, 6170, 700, 270},
    {"Text0", 4400, 6500, 700, 270},        {"Text5", 7050, 6500, 700, 270},
    {"Text6", 7020, 3000, 700, 270},        {"Text7", 8020, 3000, 700, 270},
    {"Text8", 8020, 4500, 700, 270},        {"Text9", 5450, 3000, 700, 270},
    {"lblIF", 1000, 1000, 1600, 270},       {"TxtIF", 2600, 1000, 700, 270},
    {"lblNotes", 1500, 7690, 10380, 290},
};

// Explore and Simulate: beside the wide button, above the free end of the button row, so that
// none of the controls above moves.
constexpr Placement companionPlacements[] = {
    {"cmdExplore", 9000, 7400, 1450, 270},
    {"cmdSimulate", 10500, 7400, 1450, 270},
};

const char* const windowFace = "Microsoft Sans Serif";

// Ctrl and these keys press the buttons; their tooltips say so.
constexpr std::pair<const char*, Qt::Key> buttonShortcuts[] = {
    {"cmdDefaults", Qt::Key_D}, {"cmdReadFile", Qt::Key_O}, {"cmdSaveFile", Qt::Key_S},
    {"cmdSpice", Qt::Key_L},    {"cmdPrint", Qt::Key_P},    {"cmdExit", Qt::Key_Q},
    {"cmdExplore", Qt::Key_E},  {"cmdSimulate", Qt::Key_R}};

// Marks a box whose text was not taken in full: its tooltip and spoken description say what
// was read, and a tinted background shows it, until the user edits the box.
void markEntry(QLineEdit* box, const std::string& note) {
    box->setToolTip(QString::fromStdString(note));
    box->setAccessibleDescription(QString::fromStdString(note));
    box->setStyleSheet(note.empty() ? QString() : QStringLiteral("background: #fff0b3"));
    if (!note.empty()) {
        QObject::connect(
            box, &QLineEdit::textEdited, box, [box] { markEntry(box, ""); },
            Qt::SingleShotConnection);
    }
}

}  // namespace

DesignPage::DesignPage(QWidget* parent, DesignSession& session)
    : PicturePage(parent), session_(session) {
    setObjectName(QStringLiteral("frmDesign"));
    setWindowTitle(QStringLiteral("Calbrine - Design page"));
    createControls();
}

DesignPage::~DesignPage() = default;

// The twelve boxes, named and spoken of as the field table says, the IF's first: each box's
// member and the side its text keeps to, in the table's order.
void DesignPage::createBoxes() {
    const std::pair<QLineEdit * DesignPage::*, Qt::Alignment> boxes[DesignFieldCount] = {
        {&DesignPage::boxCfineMin, Qt::AlignRight},   {&DesignPage::boxCfineMax, Qt::AlignRight},
        {&DesignPage::boxC39, Qt::AlignHCenter},      {&DesignPage::boxC37, Qt::AlignLeft},
        {&DesignPage::boxCcoarseMin, Qt::AlignRight}, {&DesignPage::boxCcoarseMax, Qt::AlignRight},
        {&DesignPage::boxC90, Qt::AlignLeft},         {&DesignPage::boxC15, Qt::AlignLeft},
        {&DesignPage::boxC34, Qt::AlignLeft},         {&DesignPage::boxC35, Qt::AlignLeft},
        {&DesignPage::boxL7, Qt::AlignRight},         {&DesignPage::boxIF, Qt::AlignLeft}};
    for (std::size_t k = 0; k < DesignFieldCount; ++k) {
        const std::size_t i = (k + DesignFieldCount - 1) % DesignFieldCount;  // the IF first
        this->*boxes[i].first =
            makeTextBox(this, DesignFields[i].box, DesignFields[i].caption, boxes[i].second);
    }
}

void DesignPage::createControls() {
    title = makeLabel(this, "Label1", "Calbrine Utility");
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    captionIF = makeLabel(this, "lblIF", "Intermediate freq: ");
    createBoxes();
    captionIF->setBuddy(boxIF);
    resultVfo = makeLabel(this, "lblFreqMin", "lblFreqMin");
    resultSum = makeLabel(this, "lblSum", "lblSum");
    resultDiff = makeLabel(this, "lblDiff", "lblDiff");
    resultCoarseSpan = makeLabel(this, "lblSpan", "lblSpan");
    resultFineSpan = makeLabel(this, "lblFineSpan", "lblFineSpan");
    noteLine = makeLabel(this, "lblNotes", "");
    noteLine->setTextFormat(Qt::PlainText);
    noteLine->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    noteLine->setStyleSheet(QStringLiteral("color: #7a4b00"));
    acceptButton = makeButton(this, "cmdAccept", "Read entries and compute results");
    defaultsButton = makeButton(this, "cmdDefaults", "Get defaults");
    readFileButton = makeButton(this, "cmdReadFile", "Read file");
    saveFileButton = makeButton(this, "cmdSaveFile", "Save file");
    spiceButton = makeButton(this, "cmdSpice", "LTspice");
    printButton = makeButton(this, "cmdPrint", "Print");
    exitButton = makeButton(this, "cmdExit", "Exit");
    exploreButton = makeButton(this, "cmdExplore", "Explore");
    simulateButton = makeButton(this, "cmdSimulate", "Simulate");
    helpButton = makeButton(this, "cmdHelp", "Help");
    helpButton->setToolTip(QStringLiteral("Help (F1)"));

    connect(acceptButton, &QPushButton::clicked, this, &DesignPage::onAccept);
    connect(defaultsButton, &QPushButton::clicked, this, &DesignPage::onDefaults);
    connect(readFileButton, &QPushButton::clicked, this, &DesignPage::onReadFile);
    connect(saveFileButton, &QPushButton::clicked, this, &DesignPage::onSaveFile);
    connect(spiceButton, &QPushButton::clicked, this, &DesignPage::onSpice);
    connect(printButton, &QPushButton::clicked, this, &DesignPage::onPrint);
    connect(exitButton, &QPushButton::clicked, this, &DesignPage::onExit);
    connect(exploreButton, &QPushButton::clicked, this, &DesignPage::onExplore);
    connect(simulateButton, &QPushButton::clicked, this, &DesignPage::onSimulate);
    connect(helpButton, &QPushButton::clicked, this, [] { showHelp(); });
    for (const auto& [name, key] : buttonShortcuts) {
        auto* button = findChild<QPushButton*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
        GiveShortcut(button, QKeySequence(Qt::CTRL | key));
    }
    LetShortcutsPassBoxes(this);
    // Undo and redo of the design take keys that leave Ctrl+Z to the boxes' own typing.
    auto* undo = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z), this);
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_Z), this);
    connect(undo, &QShortcut::activated, this, &DesignPage::onUndo);
    connect(redo, &QShortcut::activated, this, &DesignPage::onRedo);
    acceptButton->setToolTip(acceptButton->text() + QStringLiteral(" (Enter); ") +
                             undo->key().toString(QKeySequence::NativeText) +
                             QStringLiteral(" undoes a change of the design, ") +
                             redo->key().toString(QKeySequence::NativeText) +
                             QStringLiteral(" redoes it"));
    // Enter in any entry box reads the entries, as the wide button does.
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        connect(box, &QLineEdit::returnPressed, this, &DesignPage::onAccept);
    }
}

QLineEdit* DesignPage::boxNamed(const std::string& name) const {
    return findChild<QLineEdit*>(QString::fromStdString(name), Qt::FindDirectChildrenOnly);
}

void DesignPage::load() {
    units_ = screenUnits(DesignWindowClientWidth, DesignWindowClientHeight);
    const double points = units_.fontPoints();
    setFont(scaledFont(windowFace, points));
    picture_ =
        std::make_unique<PersistentPicture>(*this, units_, palette().color(QPalette::Window));
    picture_->surface().SetFont(font());
    picture_->surface().SetTextColour(Qt::black);

    place(title, units_, 15, 300, 12000, 500);
    title->setFont(scaledFont(windowFace, 24));
    for (const Placement& p : placements) {
        auto* control = findChild<QWidget*>(QLatin1String(p.name), Qt::FindDirectChildrenOnly);
        place(control, units_, p.left, p.top, p.width, p.height);
        control->setFont(scaledFont(windowFace, points));
    }
    for (const Placement& p : companionPlacements) {
        auto* button = findChild<QWidget*>(QLatin1String(p.name), Qt::FindDirectChildrenOnly);
        place(button, units_, p.left, p.top, p.width, p.height);
        button->setFont(scaledFont(windowFace, points));
    }

    // Tab goes from the IF box through the component boxes to the buttons, as they stand.
    OrderTabsByPlace(this);

    boxIF->setText(QString::fromStdString(FieldText(*FieldNamed("IF"), session_.design.IF)));
    drawSchematic();
    computeTuning();
    showNotes();
    followDesignWindow(session_.design);
}

void DesignPage::showNotes() {
    static const DesignRecord none{};
    const bool empty = std::all_of(
        std::begin(DesignFields), std::end(DesignFields),
        [this](const DesignField& f) { return session_.design.*f.member == none.*f.member; });
    std::string text;
    for (const std::string& note : session_.notes) {
        text += (text.empty() ? "" : "; ") + note;
    }
    if (text.empty() && empty) {
        text =
            "No design yet: \"Get defaults\" (Ctrl+D) loads the example design, \"Read "
            "file\" (Ctrl+O) one of yours.";
    }
    const QString shown = QString::fromStdString(text);
    // One line: the whole text is in the tooltip and the spoken description when it is longer.
    noteLine->setText(noteLine->fontMetrics().elidedText(shown, Qt::ElideRight, noteLine->width()));
    noteLine->setToolTip(shown);
    noteLine->setAccessibleName(QStringLiteral("Notes"));
    noteLine->setAccessibleDescription(shown);
}

void DesignPage::drawSchematic() {
    std::map<std::string, std::string> boxTexts;
    bool failed = false;
    try {
        DrawDesignSchematicOf(picture_->surface(), session_.design, boxTexts);
    } catch (const std::exception&) {
        failed = true;
    }
    // Boxes written before a failure keep their new texts.
    for (const auto& [name, text] : boxTexts) {
        if (QLineEdit* box = boxNamed(name)) {
            box->setText(QString::fromStdString(text));
        }
    }
    if (failed) {
        Services().ShowMessage("We had a schematic error", "Calbrine");
    }
}

void DesignPage::computeTuning() {
    session_.tuning = TuneDesign(session_.design);
    const TuningCaptions captions = CaptionsOf(session_.design, session_.tuning);
    resultVfo->setText(QString::fromStdString(captions.lblFreqMin));
    resultSum->setText(QString::fromStdString(captions.lblSum));
    resultDiff->setText(QString::fromStdString(captions.lblDiff));
    resultCoarseSpan->setText(QString::fromStdString(captions.lblSpan));
    resultFineSpan->setText(QString::fromStdString(captions.lblFineSpan));
}

void DesignPage::onAccept() {
    const DesignRecord before = session_.design;
    std::array<std::string, DesignFieldCount> typed;
    for (std::size_t i = 0; i < DesignFieldCount; ++i) {
        typed[i] = boxNamed(DesignFields[i].box)->text().toStdString();
    }
    const AcceptedEntries accepted = AcceptEntries(typed);
    for (std::size_t i = 0; i < DesignFieldCount; ++i) {
        QLineEdit* box = boxNamed(DesignFields[i].box);
        box->setText(QString::fromStdString(accepted.boxTexts[i]));
        markEntry(box, accepted.notes[i]);
    }
    session_.design = accepted.design;
    session_.notes = accepted.lines;

    drawSchematic();
    computeTuning();
    showNotes();
    followDesignWindow(session_.design);
    session_.history.Note(before, session_.design);
}

DesignPage* showDesignPage() {
    if (!shownPage) {
        shownPage = preparedPage ? preparedPage.data() : new DesignPage;
        preparedPage = nullptr;
        shownPage->load();
    }
    ProgramFrame::showPage(*shownPage);
    return shownPage;
}

void prepareDesignPage(QWidget* holder) {
    if (!shownPage && !preparedPage) {
        preparedPage = new DesignPage(holder);
        preparedPage->hide();
        preparedPage->ensurePolished();
    }
}

void unloadDesignPage() {
    if (!shownPage) {
        return;
    }
    DesignPage* page = shownPage;
    shownPage = nullptr;
    page->unload();
}

DesignPage* designPage() {
    return shownPage;
}

}  // namespace calbrine
