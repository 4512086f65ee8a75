#include "windows/explorer/CoilTab.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/MakersTables.h"
#include "analysis/ReportText.h"
#include "windows/Controls.h"
#include "windows/explorer/CoilDrawing.h"
#include "windows/explorer/TabHelpers.h"

namespace calbrine {

namespace {

constexpr const char* AirItem = "air";
constexpr const char* DefaultWireItem = "Default";

std::string Mm(double mm) {
    return PlainNumber(mm, 4) + " mm";
}

// "Wire AWG26, 0.452 mm over the enamel: the thickest that fits one layer."
std::string WireLine(const Wire& wire, const char* why) {
    return "Wire " + wire.name + ", " + Mm(wire.overallMm) + " over the enamel: " + why + ".";
}

}  // namespace

CoilTab::CoilTab(const std::string& programFolder, QWidget* parent) : QWidget(parent) {
    setObjectName("coilTab");
    std::string unread = ReadCoresTable(programFolder, cores_);
    unread = unread.empty() ? ReadWiresTable(programFolder, wires_) : unread;
    if (!unread.empty()) {
        cores_.clear();
        wires_.clear();
    }
    QLayout* choices = buildChoices();  // first, so that Tab goes from them to the figures
    note_ = wrappedLabel("coilNote");
    figures_ = reportTable("coilFigures", "Coil figures");
    warning_ = wrappedLabel("coilWarning");
    warning_->setStyleSheet("color: #b00000; font-weight: bold");
    drawing_ = new CoilDrawing;
    assumptions_ = wrappedLabel("coilAssumptions");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(note_);
    layout->addWidget(figures_, 0, Qt::AlignLeft);
    layout->addWidget(warning_);
    layout->addWidget(drawing_, 1);
    layout->addWidget(assumptions_);
    layout->addStretch(0);  // takes the room while there is nothing to draw
    refresh();
    if (!unread.empty()) {
        for (QWidget* control : std::initializer_list<QWidget*>{core_, wire_, form_}) {
            control->setEnabled(false);
        }
        note_->setText(flowingText("Cannot wind the coil: " + unread + "."));
    }
}

QLayout* CoilTab::buildChoices() {
    core_ = new QComboBox;
    core_->setObjectName("core");
    core_->setAccessibleName("Core L7 is wound on");
    for (const ToroidCore& core : cores_) {
        core_->addItem(QString::fromStdString(core.Name()));
    }
    core_->addItem(AirItem);
    core_->setPlaceholderText("Choose a core");
    core_->setCurrentIndex(-1);
    wire_ = new QComboBox;
    wire_->setObjectName("wire");
    wire_->setAccessibleName("Wire L7 is wound with");
    wire_->addItem(DefaultWireItem);
    for (const Wire& wire : wires_) {
        wire_->addItem(QString::fromStdString(wire.name));
    }
    form_ = new QDoubleSpinBox;
    form_->setObjectName("form");
    form_->setAccessibleName("Air coil form diameter");
    form_->setLocale(QLocale::c());
    form_->setRange(LeastFormMm, MostFormMm);
    form_->setDecimals(1);
    form_->setSingleStep(0.5);
    form_->setSuffix(" mm");
    form_->setValue(DefaultFormMm);
    for (QComboBox* box : {core_, wire_}) {
        connect(box, &QComboBox::currentIndexChanged, this, [this] {
            refresh();
            emit coilChosen(choiceShown());
        });
    }
    connect(form_, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this] {
        refresh();
        emit coilChosen(choiceShown());
    });
    auto* row = new QHBoxLayout;
    const std::pair<const char*, QWidget*> fields[] = {
        {"C&ore:", core_}, {"&Wire:", wire_}, {"&Form diameter:", form_}};
    for (const auto& [caption, field] : fields) {
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field);
    }
    row->addStretch(1);
    return row;
}

void CoilTab::setInductance(float henry) {
    henry_ = henry;
    refresh();
}

void CoilTab::showChoice(const CoilChoice& choice) {
    const QSignalBlocker blockCore(core_);
    const QSignalBlocker blockWire(wire_);
    const QSignalBlocker blockForm(form_);
    const std::optional<ToroidCore> core = FindCore(cores_, choice.core);
    core_->setCurrentIndex(core ? core_->findText(QString::fromStdString(core->Name()))
                                : (IsAirCore(choice.core) ? core_->findText(AirItem) : -1));
    const std::optional<Wire> wire = FindWire(wires_, choice.wire);
    wire_->setCurrentIndex(wire ? wire_->findText(QString::fromStdString(wire->name)) : 0);
    form_->setValue(choice.formMm);
    refresh();
}

CoilChoice CoilTab::choiceShown() const {
    CoilChoice choice;
    choice.core = core_->currentIndex() < 0 ? "" : core_->currentText().toStdString();
    choice.wire = wire_->currentIndex() <= 0 ? "" : wire_->currentText().toStdString();
    choice.formMm = form_->value();
    return choice;
}

void CoilTab::refresh() {
    const std::string name = core_->currentIndex() < 0 ? "" : core_->currentText().toStdString();
    form_->setEnabled(IsAirCore(name));
    const std::optional<ToroidCore> core = FindCore(cores_, name);
    if (core) {
        showToroid(*core);
    } else if (IsAirCore(name)) {
        showAirCoil();
    } else {
        showFailure(
            "Choose the core L7 is wound on: a toroid of the core table, or air. Its "
            "coefficient then becomes L7's in the drift.");
    }
}

void CoilTab::showToroid(const ToroidCore& core) {
    const std::optional<Wire> named = FindWire(wires_, choiceShown().wire);
    const Wire wire =
        named ? *named : ThickestFittingGauge(wires_, core, ToroidTurns(henry_, core));
    ToroidWinding winding;
    const std::string wrong = WindToroid(henry_, core, wire, winding);
    if (!wrong.empty()) {
        showFailure("Cannot wind " + core.Name() + ": " + wrong + ".");
        return;
    }
    note_->setText(QString::fromStdString(
        "L7 " + InductanceText(henry_) + " on " + core.Name() + " (mix " +
        std::to_string(core.mix) + "): " + Mm(core.outerMm) + " OD, " + Mm(core.innerMm) + " ID, " +
        Mm(core.heightMm) + " high. " +
        WireLine(wire, named ? "as chosen" : "the thickest that fits one layer")));
    showTable(figures_, ToroidTable(winding));
    fitTableToContents(figures_);
    figures_->show();
    warning_->setText(flowingText(ToroidFitWarning(winding)));
    warning_->setVisible(!winding.Fits());
    drawing_->showToroid(winding);
    drawing_->show();
    assumptions_->setText(flowingText(ToroidAssumptions()));
}

void CoilTab::showAirCoil() {
    const std::optional<Wire> named = FindWire(wires_, choiceShown().wire);
    const std::optional<Wire> wire = named ? named : FindWire(wires_, DefaultAirCoilWire);
    AirCoil coil;
    const std::string wrong = wire ? WindAirCoil(henry_, form_->value(), *wire, coil)
                                   : std::string("the wire table has no ") + DefaultAirCoilWire;
    if (!wrong.empty()) {
        showFailure("Cannot wind an air coil: " + wrong + ".");
        return;
    }
    note_->setText(QString::fromStdString("L7 " + InductanceText(henry_) + " as an air coil on a " +
                                          Mm(coil.formMm) + " form, nothing magnetic inside. " +
                                          WireLine(*wire, named ? "as chosen" : "the default")));
    showTable(figures_, AirCoilTable(coil));
    fitTableToContents(figures_);
    figures_->show();
    warning_->hide();
    drawing_->showAirCoil(coil);
    drawing_->show();
    assumptions_->setText(flowingText(AirCoilAssumptions()));
}

void CoilTab::showFailure(const std::string& why) {
    note_->setText(QString::fromStdString(why));
    figures_->setRowCount(0);
    figures_->hide();
    warning_->hide();
    drawing_->showNothing();
    drawing_->hide();
    assumptions_->clear();
}

}  // namespace calbrine
