// The field table drives every place the twelve values are listed: each field is read and
// written on its own line of a design file, floored by the accept step, and shown in its own
// box of the design window, whichever field it is.
#include "Picture.h"
#include "design/Acceptance.h"
#include "design/DesignFields.h"
#include "file_test_support.h"
#include "files/DesignFiles.h"
#include "schematic/DesignSchematic.h"

using namespace calbrine;
using namespace calbrine_test;

namespace {

// The design with one field set to a value no other field holds.
DesignRecord WithField(const DesignField& field, float value) {
    DesignRecord d = distinctValues;
    d.*field.member = value;
    return d;
}

std::string Line(const std::string& text, int number) {
    std::size_t from = 0;
    for (int i = 0; i < number; ++i) {
        from = text.find("\r\n", from) + 2;
    }
    return text.substr(from, text.find("\r\n", from) - from);
}

}  // namespace

TEST_F(FileTest, EveryFieldIsWrittenAndReadOnItsOwnLine) {
    for (std::size_t i = 0; i < DesignFieldCount; ++i) {
        const DesignField& field = DesignFields[i];
        const DesignRecord d = WithField(field, 1.25e-9f);
        const std::string text = DesignFileText(d, "name");
        // Three header lines, then the fields in file order.
        EXPECT_EQ(Line(text, 3 + static_cast<int>(i)), std::string(field.name) + ": 1.25E-09");
        Put("field.TXT", text);
        const DesignFileRead read = ReadDesignRecord("field.TXT", DesignRecord{});
        ASSERT_TRUE(read.read) << field.name;
        EXPECT_EQ(read.valueLines, 12) << field.name;
        EXPECT_EQ(Stored(read.design), Stored(d)) << field.name;
        EXPECT_EQ(FieldNamed(field.name), &field);
        EXPECT_EQ(FieldOfBox(field.box), &field);
        EXPECT_EQ(FieldOfMember(field.member), &field);
    }
    EXPECT_EQ(FieldNamed("cfinemax"), &DesignFields[1]);
    EXPECT_EQ(FieldNamed("C38"), nullptr);
    EXPECT_EQ(FieldOfBox("Text11"), nullptr);
}

TEST(Acceptance, EveryFieldIsFlooredByItsOwnRule) {
    for (std::size_t i = 0; i < DesignFieldCount; ++i) {
        const DesignField& field = DesignFields[i];
        // From a file: zero becomes the floor, said under the field's name; the IF stays.
        const AcceptedDesign file = AcceptDesign(WithField(field, 0));
        EXPECT_EQ(file.design.*field.member, field.floor) << field.name;
        EXPECT_EQ(file.notes.size(), field.floor > 0 ? 1u : 0u) << field.name;
        if (!file.notes.empty()) {
            EXPECT_EQ(file.notes[0].rfind(std::string(field.name) + " is 0 in the file", 0), 0u);
        }
        // From the boxes: zero and less are floored for a component, the IF taken as read.
        for (const float typedValue : {-5.0f, 0.0f}) {
            std::array<std::string, DesignFieldCount> typed;
            for (std::size_t j = 0; j < DesignFieldCount; ++j) {
                typed[j] = FieldText(DesignFields[j], distinctValues.*DesignFields[j].member);
            }
            typed[i] = typedValue < 0 ? "-5" : "0";
            const AcceptedEntries boxes = AcceptEntries(typed);
            const bool floored = field.floor > 0;
            EXPECT_EQ(boxes.design.*field.member, floored ? field.floor : typedValue) << field.name;
            for (std::size_t j = 0; j < DesignFieldCount; ++j) {
                if (j != i) {
                    EXPECT_EQ(boxes.notes[j], "") << DesignFields[j].name;
                    EXPECT_EQ(boxes.boxTexts[j], typed[j]) << DesignFields[j].name;
                }
            }
            EXPECT_EQ(boxes.boxTexts[i], floored ? "" : FieldText(field, typedValue));
            EXPECT_EQ(boxes.notes[i].empty(), !floored) << boxes.notes[i];
            EXPECT_EQ(boxes.design.CfineNom, (boxes.design.CfineMax + boxes.design.CfineMin) / 2);
        }
    }
}

TEST(FieldTable, EveryComponentIsShownInItsOwnBox) {
    for (const DesignField& field : DesignFields) {
        DesignValues = WithField(field, -2.2e-9f);
        std::map<std::string, std::string> boxes;
        calbrine::testing::PictureRecorder picture;
        DrawDesignSchematic(picture, boxes);
        if (field.unit == FieldUnit::Hertz) {
            EXPECT_EQ(boxes.count(field.box), 0u);
            continue;
        }
        EXPECT_EQ(boxes.size(), 11u);
        EXPECT_EQ(boxes[field.box], field.unit == FieldUnit::Farad ? "2200pF" : "2.2nH")
            << field.name;
        EXPECT_EQ(DesignValues.*field.member, 2.2e-9f) << field.name;  // its magnitude
    }
}

// The reader stays by position and without suffixes, and says where a file is not what a
// person would mean by it.
TEST_F(FileTest, WhatTheReaderTookIsSaid) {
    const auto notes = [this](const std::string& text) {
        Put("said.TXT", text);
        return ReadDesignRecord("said.TXT", DesignRecord{}).notes;
    };
    EXPECT_EQ(notes(CountingFile("\r\n")), Texts{});
    EXPECT_EQ(notes(DesignFileText(distinctValues, "name")), Texts{});
    EXPECT_EQ(notes(CountingFile("\n", "IF", "9M")), Texts{"IF: '9M' read as 9 Hz: write 9E6"});
    EXPECT_EQ(notes(CountingFile("\n", "L7", "6.8 u")),
              Texts{"L7: '6.8 u' read as 6.8 H: write 6.8E-6"});
    EXPECT_EQ(notes(CountingFile("\n", "C37", "a b c")),
              Texts{"C37: 'a b c' is not a number: read as 0"});
    EXPECT_EQ(notes(CountingFile("\n", "CfineMin", "1,5")),
              Texts{"CfineMin: '1,5' read as 1 F: ',5' ignored"});
    // C37's line deleted: every later line one place up, each said with its line number; a
    // comment line counts as a line.
    std::string shifted = CountingFile("\n", "", "", "name\n* comment");
    shifted.erase(shifted.find("C37: 4\n"), 7);
    const Texts said = notes(shifted);
    ASSERT_EQ(said.size(), 9u);
    EXPECT_EQ(said[0], "line 8 'CcoarseMin:' holds C37's place: design files are read by position");
    EXPECT_EQ(said[8], "line 16 'Spare 2:' holds IF's place: design files are read by position");
    // A file that ends early names what it lacks.
    const std::string text = CountingFile("\n");
    EXPECT_EQ(notes(text.substr(0, text.find("C15:"))),
              Texts{"the file ends before C15's line: C15, C34, C35, L7 and IF are not in it"});
    EXPECT_EQ(notes(text.substr(0, text.find("IF:"))),
              Texts{"the file ends before IF's line: IF is not in it"});
}
