#include "design/Acceptance.h"

#include <cmath>

#include "design/Tuning.h"
#include "engineering/Characters.h"
#include "engineering/EngineeringText.h"
#include "engineering/NumberText.h"

namespace calbrine {

namespace {

struct Component {
    const char* name;
    float DesignRecord::*field;
    bool inductor;
};

constexpr Component components[] = {
    {"CfineMin", &DesignRecord::CfineMin, false},
    {"CfineMax", &DesignRecord::CfineMax, false},
    {"C39", &DesignRecord::C39, false},
    {"C37", &DesignRecord::C37, false},
    {"CcoarseMin", &DesignRecord::CcoarseMin, false},
    {"CcoarseMax", &DesignRecord::CcoarseMax, false},
    {"C90", &DesignRecord::C90, false},
    {"C15", &DesignRecord::C15, false},
    {"C34", &DesignRecord::C34, false},
    {"C35", &DesignRecord::C35, false},
    {"L7", &DesignRecord::L7, true},
};

// The value as its box shows it; empty below what the box can show (0.01 pF, 0.1 nH).
std::string BoxText(double value, bool inductor) {
    std::string text;
    inductor ? FormatInductance(value, text) : FormatCapacitance(value, text);
    return WithoutBlanks(text);
}

std::string ValueText(float value, bool inductor) {
    if (value == (inductor ? InductanceFloor : CapacitanceFloor)) {
        return inductor ? "1pH" : "0.01pF";  // the floors, which the boxes show empty
    }
    const std::string text = BoxText(value, inductor);
    return text.empty() ? SingleText(value) : text;
}

}  // namespace

AcceptedDesign AcceptDesign(const DesignRecord& read) {
    AcceptedDesign accepted;
    DesignRecord& d = accepted.design;
    d = read;
    for (const Component& c : components) {
        const float stored = read.*c.field;
        const float floor = c.inductor ? InductanceFloor : CapacitanceFloor;
        // The window's box shows the magnitude, or nothing for a value too small to show, and
        // the accept step floors a box that reads as zero.
        const float magnitude = std::fabs(stored);
        const float taken = BoxText(magnitude, c.inductor).empty() ? floor : magnitude;
        d.*c.field = taken;
        if (taken != stored) {
            const std::string was =
                stored == 0 ? "0" : (stored < 0 ? "-" : "") + ValueText(magnitude, c.inductor);
            accepted.notes.push_back(std::string(c.name) + " is " + was +
                                     " in the file; taken as " + ValueText(taken, c.inductor));
        }
    }
    d.CfineNom = NominalFineCapacitance(d);
    return accepted;
}

}  // namespace calbrine
