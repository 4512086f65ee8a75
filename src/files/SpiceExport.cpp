#include "files/SpiceExport.h"

#include <cmath>
#include <string>

#include "circuit/OscillatorParts.h"
#include "design/DesignValues.h"
#include "engineering/Characters.h"
#include "engineering/EngineeringText.h"
#include "files/ReplaceFile.h"
#include "services/RunTimeServices.h"

namespace calbrine {

std::string SpiceFileName;

namespace {

const char* const LineEnd = "\r\n";

const char* const groundFlags[] = {"176 592",  "-128 592", "80 864",  "-256 928", "-544 928",
                                   "-368 928", "-704 928", "304 256", "0 352"};

const int wires[][4] = {
    {176, -16, 48, -16},    {304, -16, 176, -16},   {48, 32, 48, -16},      {304, 80, 304, -16},
    {176, 112, 176, -16},   {-256, 160, -352, 160}, {-128, 160, -256, 160}, {0, 160, -128, 160},
    {48, 160, 48, 112},     {48, 160, 0, 160},      {112, 160, 48, 160},    {-352, 208, -352, 160},
    {-256, 224, -256, 160}, {-128, 224, -128, 160}, {0, 224, 0, 160},       {304, 256, 304, 160},
    {-352, 336, -352, 288}, {-256, 336, -256, 288}, {-256, 336, -352, 336}, {0, 352, 0, 304},
    {-128, 400, -128, 288}, {176, 400, 176, 208},   {176, 400, -128, 400},  {176, 448, 176, 400},
    {-128, 464, -128, 400}, {-128, 592, -128, 528}, {176, 592, 176, 528},   {-256, 672, -256, 336},
    {-48, 672, -256, 672},  {80, 672, 32, 672},     {480, 672, 80, 672},    {-656, 704, -704, 704},
    {-544, 704, -592, 704}, {-368, 704, -544, 704}, {-256, 704, -256, 672}, {-256, 704, -368, 704},
    {80, 752, 80, 672},     {-704, 800, -704, 704}, {-544, 800, -544, 704}, {-368, 800, -368, 704},
    {-256, 800, -256, 704}, {80, 864, 80, 816},     {-704, 928, -704, 864}, {-544, 928, -544, 864},
    {-368, 928, -368, 864}, {-256, 928, -256, 864},
};

std::string Capacitance(float& field) {
    std::string text;
    FormatCapacitance(field, text);
    return text;
}

std::string Inductance(float& field) {
    std::string text;
    FormatInductance(field, text);
    return text;
}

std::string SmallTime(double value) {
    std::string text;
    FormatEngSmall(value, text);
    return text;
}

std::string Frequency(float value) {
    std::string text;
    FormatEng(value, text);
    return WithoutBlanks(text);
}

class SchematicText {
  public:
    void Line(const std::string& line) { text_ += line + LineEnd; }
    void Part(const char* symbol, const char* name, const std::string& value) {
        Line(std::string("SYMBOL ") + symbol);
        Line(std::string("SYMATTR InstName ") + name);
        Line("SYMATTR Value " + value);
    }
    void Part(const char* symbol, const char* window0, const char* window3, const char* name,
              const std::string& value) {
        Line(std::string("SYMBOL ") + symbol);
        Line(std::string("WINDOW ") + window0);
        Line(std::string("WINDOW ") + window3);
        Line(std::string("SYMATTR InstName ") + name);
        Line("SYMATTR Value " + value);
    }
    // A part of the oscillator's fixed ones, with its value text.
    void Fixed(const char* symbol, const char* name) {
        Part(symbol, name, FixedPartNamed(name).text);
    }
    void Fixed(const char* symbol, const char* window0, const char* window3, const char* name) {
        Part(symbol, window0, window3, name, FixedPartNamed(name).text);
    }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// Lines 1 to 109: header, parts, ground flags and wires. The capacitance and inductance
// formatters leave each value they write as its magnitude in `d`.
void WriteCircuit(SchematicText& out, DesignRecord& d) {
    out.Line("Version 4");
    out.Line("SHEET 1 880 948");
    out.Part("cap -688 800 M0", "Cfine", Capacitance(d.CfineNom));
    out.Part("cap -592 688 R90", "0 0 32 VBottom 0", "3 32 32 VTop 0", "C39", Capacitance(d.C39));
    out.Part("cap -560 800 R0", "Ccoarse", "{ Ccoarse }");
    out.Part("cap -384 800 R0", "C37", Capacitance(d.C37));
    out.Part("cap -272 800 R0", "C90", Capacitance(d.C90));
    out.Part("ind -336 192 M0", "L7", Inductance(d.L7));
    out.Part("cap -272 224 R0", "C15", Capacitance(d.C15));
    out.Part("cap -144 224 R0", "C34", Capacitance(d.C34));
    out.Part("cap -144 464 R0", "C35", Capacitance(d.C35));
    out.Fixed("res 32 16 R0", "R34");
    out.Fixed("res -16 208 R0", "R33");
    out.Fixed("npn 112 112 R0", "Q8");
    out.Fixed("res 160 432 R0", "R36");
    out.Fixed("res 48 656 R90", "0 0 56 VBottom 0", "3 32 56 VTop 0", "R32");
    out.Fixed("cap 64 752 R0", "C91");
    out.Fixed("voltage 304 64 R0", "V1");
    for (const char* flag : groundFlags) {
        out.Line(std::string("FLAG ") + flag + " 0");
    }
    for (const auto& w : wires) {
        out.Line("WIRE " + std::to_string(w[0]) + " " + std::to_string(w[1]) + " " +
                 std::to_string(w[2]) + " " + std::to_string(w[3]));
    }
}

// Lines 110 to 113; false when the top frequency cannot size the analysis.
bool WriteCommands(SchematicText& out, DesignRecord& d, const TuningRecord& tuning) {
    const float top = tuning.VfoMax;
    if (top == 0 || !std::isfinite(top)) {
        return false;
    }
    const float stop = 120.0f / top;
    const float start = 100.0f / top;
    const double step = 0.05 / static_cast<double>(top);
    if (!std::isfinite(stop) || !std::isfinite(start)) {
        return false;  // a top frequency too small for the analysis
    }
    out.Line("TEXT -744 456 Left 0 !.TRAN 0 " + SmallTime(stop) + " " + SmallTime(start) + " " +
             SmallTime(step));
    out.Line("TEXT -792 592 Left 0 ;Calculated freq range " + Frequency(tuning.VfoMin) + " to " +
             Frequency(top));
    const std::string low = Capacitance(d.CcoarseMin);
    const std::string high = Capacitance(d.CcoarseMax);
    out.Line("TEXT -792 528 Left 0 !.STEP PARAM Ccoarse LIST " + low + " " + high);
    out.Line("TEXT 296 824 Left 0 ;Original file by Calbrine\\nfrom Hallix Software");
    return true;
}

bool SchematicFor(DesignRecord& design, const TuningRecord& tuning, std::string& text) {
    SchematicText out;
    WriteCircuit(out, design);
    if (!WriteCommands(out, design, tuning)) {
        return false;
    }
    text = out.Text();
    return true;
}

}  // namespace

bool SpiceSchematicText(DesignRecord design, const TuningRecord& tuning, std::string& text) {
    return SchematicFor(design, tuning, text);
}

void ExportSpiceSchematic(const DesignRecord& design, const TuningRecord& tuning,
                          const std::string& name) {
    std::string text;
    if (!SpiceSchematicText(design, tuning, text) || !ReplaceFile(name, text)) {
        Services().ShowMessage("We could not write the Calbrine LTspice file", "Calbrine");
    }
}

void WriteSpiceSchematic() {
    std::string text;
    if (!SchematicFor(DesignValues, TuningResults, text) || !ReplaceFile(SpiceFileName, text)) {
        Services().ShowMessage("We could not write the Calbrine LTspice file", "Calbrine");
    }
}

}  // namespace calbrine
