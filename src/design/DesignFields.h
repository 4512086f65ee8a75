// The twelve values of a design, listed once: what each is called, where a record keeps it,
// its unit, the smallest value the accept step lets it have, its line in a design file, the
// design window's box that shows it and that box's spoken caption, and the part it belongs
// to. Acceptance, the design files, the design window, its schematic, the explorer's parts and
// the command line's part names all go through this table.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "design/DesignRecord.h"

namespace calbrine {

enum class FieldUnit { Farad, Henry, Hertz };

struct DesignField {
    const char* name;  // "CfineMin", "C37", "IF": the key of its file line
    float DesignRecord::*member;
    FieldUnit unit;
    float floor;          // what a value of zero or less becomes; 0 when none is put in
    const char* box;      // the design window's box ("Text10", "TxtIF")
    const char* caption;  // the box's spoken name ("C37 capacitance")
    const char* part;     // the part whose value it is ("D9" for both fine-tune ends); "" for IF
};

constexpr std::size_t DesignFieldCount = 12;

// In the order of a design file's value lines.
inline constexpr std::array<DesignField, DesignFieldCount> DesignFields = {{
    {"CfineMin", &DesignRecord::CfineMin, FieldUnit::Farad, CapacitanceFloor, "Text10",
     "Fine-tune varicap minimum capacitance", "D9"},
    {"CfineMax", &DesignRecord::CfineMax, FieldUnit::Farad, CapacitanceFloor, "Text1",
     "Fine-tune varicap maximum capacitance", "D9"},
    {"C39", &DesignRecord::C39, FieldUnit::Farad, CapacitanceFloor, "Text2", "C39 capacitance",
     "C39"},
    {"C37", &DesignRecord::C37, FieldUnit::Farad, CapacitanceFloor, "Text3", "C37 capacitance",
     "C37"},
    {"CcoarseMin", &DesignRecord::CcoarseMin, FieldUnit::Farad, CapacitanceFloor, "Text4",
     "Coarse-tune capacitor minimum capacitance", "C38"},
    {"CcoarseMax", &DesignRecord::CcoarseMax, FieldUnit::Farad, CapacitanceFloor, "Text0",
     "Coarse-tune capacitor maximum capacitance", "C38"},
    {"C90", &DesignRecord::C90, FieldUnit::Farad, CapacitanceFloor, "Text5", "C90 capacitance",
     "C90"},
    {"C15", &DesignRecord::C15, FieldUnit::Farad, CapacitanceFloor, "Text6", "C15 capacitance",
     "C15"},
    {"C34", &DesignRecord::C34, FieldUnit::Farad, CapacitanceFloor, "Text7", "C34 capacitance",
     "C34"},
    {"C35", &DesignRecord::C35, FieldUnit::Farad, CapacitanceFloor, "Text8", "C35 capacitance",
     "C35"},
    {"L7", &DesignRecord::L7, FieldUnit::Henry, InductanceFloor, "Text9", "L7 inductance", "L7"},
    {"IF", &DesignRecord::IF, FieldUnit::Hertz, 0, "TxtIF", "Intermediate frequency", ""},
}};

// The field of that name, any case; null for another name.
const DesignField* FieldNamed(const std::string& name);
// The field kept in that member of a record.
const DesignField* FieldOfMember(float DesignRecord::*member);
// The field a box shows; null for another box.
const DesignField* FieldOfBox(const std::string& box);

// The text a box shows for a value: the formatter of its unit ("4.7pF", "7.71uH", " 9M"),
// empty for a capacitance or inductance too small to show.
std::string FieldText(const DesignField& field, float value);
// What the box's value is floored to, as a note names it ("0.01pF", "1pH"); empty for the IF.
std::string FloorText(const DesignField& field);
// The unit a box's text may end with ("F", "H", "Hz").
const char* UnitLetters(const DesignField& field);

}  // namespace calbrine
