#include "design/DesignFields.h"

#include "engineering/Characters.h"
#include "engineering/EngineeringText.h"

namespace calbrine {

const DesignField* FieldNamed(const std::string& name) {
    for (const DesignField& field : DesignFields) {
        if (Lower(name) == Lower(field.name)) {
            return &field;
        }
    }
    return nullptr;
}

const DesignField* FieldOfMember(float DesignRecord::*member) {
    for (const DesignField& field : DesignFields) {
        if (field.member == member) {
            return &field;
        }
    }
    return nullptr;
}

const DesignField* FieldOfBox(const std::string& box) {
    for (const DesignField& field : DesignFields) {
        if (box == field.box) {
            return &field;
        }
    }
    return nullptr;
}

std::string FieldText(const DesignField& field, float value) {
    std::string text;
    switch (field.unit) {
        case FieldUnit::Farad:
            FormatCapacitance(value, text);
            break;
        case FieldUnit::Henry:
            FormatInductance(value, text);
            break;
        case FieldUnit::Hertz:
            FormatEng(value, text);
            break;
    }
    return text;
}

std::string FloorText(const DesignField& field) {
    switch (field.unit) {
        case FieldUnit::Farad:
            return "0.01pF";
        case FieldUnit::Henry:
            return "1pH";
        case FieldUnit::Hertz:
            break;
    }
    return "";
}

const char* UnitLetters(const DesignField& field) {
    switch (field.unit) {
        case FieldUnit::Farad:
            return "F";
        case FieldUnit::Henry:
            return "H";
        case FieldUnit::Hertz:
            break;
    }
    return "Hz";
}

}  // namespace calbrine
