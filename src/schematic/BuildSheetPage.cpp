#include "schematic/BuildSheetPage.h"

#include <algorithm>
#include <cstddef>

#include "design/Version.h"
#include "engineering/Characters.h"
#include "services/RunTimeServices.h"

namespace calbrine {

namespace {

constexpr Colour Black = 0;
// Font sizes in points.
constexpr float TitleSize = 16;
constexpr float HeadingSize = 11;
constexpr float BodySize = 9;
constexpr float NoteSize = 8;
// Units per point, and a line's height as a multiple of its font size.
constexpr float UnitsPerPoint = 20;
constexpr float LineSpacing = 1.25f;
// The blank between a table's columns, in characters.
constexpr std::size_t ColumnGap = 3;

float LineHeight(float points) {
    return points * UnitsPerPoint * LineSpacing;
}

// Wide enough for a line of capitals and digits in the common sans fonts.
float CharacterWidth(float points) {
    return 0.6f * points * UnitsPerPoint;
}

// The text after its first `count` characters.
std::string AfterCharacters(const std::string& text, std::size_t count) {
    return text.substr(FirstCharacters(text, count).size());
}

// The words of `text` in lines of at most `width` units at `points`; a word longer than a line
// is cut.
std::vector<std::string> Wrapped(const std::string& text, float width, float points) {
    const auto most =
        std::max<std::size_t>(1, static_cast<std::size_t>(width / CharacterWidth(points)));
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        end = end == std::string::npos ? text.size() : end;
        std::string word = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && CharacterCount(line + " " + word) > most) {
            lines.push_back(line);
            line.clear();
        }
        line = line.empty() ? word : line + " " + word;
        while (CharacterCount(line) > most) {
            lines.push_back(FirstCharacters(line, most));
            line = AfterCharacters(line, most);
        }
    }
    lines.push_back(line);
    return lines;
}

class SheetPen {
  public:
    explicit SheetPen(PrinterSurface& p) : p_(p) {}

    // Text at `points` from (x, y_), top-left.
    void At(float x, const std::string& text, float points) {
        p_.SetFontSize(points);
        p_.SetTextPosition(x, y_);
        p_.PrintText(text);
    }
    // Lines of text wrapped to the page, each on its own line.
    void Paragraph(const std::string& text, float points, float indent = 0) {
        for (const std::string& line : Wrapped(text, SheetWidth - indent, points)) {
            At(indent, line, points);
            Down(LineHeight(points));
        }
    }
    void Rule(float x1, float x2) { p_.DrawLine(x1, y_, x2, y_, Black); }
    void Down(float units) { y_ += units; }
    float y() const { return y_; }

  private:
    PrinterSurface& p_;
    float y_ = 0;
};

// Each column's left edge: the widest of its title and cells, and a gap.
std::vector<float> ColumnEdges(const ReportTable& table) {
    std::vector<float> edges(1, 0);
    const std::vector<std::string> titles = table.Titles();
    const auto rows = table.TextRows();
    for (std::size_t c = 0; c + 1 < titles.size(); ++c) {
        std::size_t widest = CharacterCount(titles[c]);
        for (const auto& row : rows) {
            widest = std::max(widest, CharacterCount(row[c]));
        }
        edges.push_back(edges.back() + CharacterWidth(BodySize) * (widest + ColumnGap));
    }
    return edges;
}

void DrawTable(SheetPen& pen, const ReportTable& table) {
    const std::vector<float> edges = ColumnEdges(table);
    const std::vector<std::string> titles = table.Titles();
    const float line = LineHeight(BodySize);
    for (std::size_t c = 0; c < titles.size(); ++c) {
        pen.At(edges[c], titles[c], BodySize);
    }
    pen.Down(line);
    pen.Rule(0, SheetWidth);
    pen.Down(line * 0.15f);
    for (const auto& row : table.TextRows()) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            pen.At(edges[c], row[c], BodySize);
        }
        pen.Down(line);
    }
}

void DrawSection(SheetPen& pen, const SheetSection& section) {
    pen.Down(LineHeight(BodySize) * 0.8f);
    pen.At(0, section.heading, HeadingSize);
    pen.Down(LineHeight(HeadingSize) * 1.1f);
    if (!section.table.Titles().empty()) {
        DrawTable(pen, section.table);
    }
    for (const std::string& line : section.lines) {
        pen.Paragraph(line, BodySize);
    }
    pen.Down(LineHeight(NoteSize) * 0.25f);
    for (const std::string& note : section.notes) {
        pen.Paragraph(note, NoteSize);
    }
}

}  // namespace

float ReckonedWidth(const std::string& text, float points) {
    return CharacterWidth(points) * static_cast<float>(CharacterCount(text));
}

void DrawBuildSheetPage(PrinterSurface& printer, const BuildSheet& sheet) {
    printer.SetOrientation(PageOrientation::Portrait);
    // Half an inch in from the printable area's left edge and a third down: the width left
    // over on A4 and on Letter either side, inside any printer's margins.
    printer.SetOrigin(-SheetLeft, -SheetTop);
    printer.SetLineWidth(2);
    SheetPen pen(printer);
    pen.Paragraph(sheet.title, TitleSize);
    pen.Paragraph(sheet.subtitle, BodySize);
    pen.At(0, "Printed " + Services().GeneralDateText() + " by Calbrine " + CALBRINE_VERSION,
           NoteSize);
    pen.Down(LineHeight(NoteSize));
    for (const SheetSection& section : sheet.sections) {
        DrawSection(pen, section);
    }
    printer.EndDocument();
}

}  // namespace calbrine
