// What a drawing puts on its page, recorded as a set: line segments (whichever call drew them
// and from whichever end), arcs, loose points and texts, each with its colour, line width and
// font size. Two drawings that show the same picture record the same set, whatever the order
// of their calls; a picture that moved records another.
#pragma once

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "schematic/SchematicSurface.h"

namespace calbrine::testing {

struct Point {
    float x, y;
};

struct Segment {
    Point a, b;
};

struct PrintedText {
    Point at;
    float points;
    std::string text;
};

class PictureRecorder : public PrinterSurface {
  public:
    std::multiset<std::string> items;    // one readable line per thing on the page
    std::vector<Segment> segments;       // the lines again, for tracing the circuit
    std::vector<PrintedText> texts;      // the texts again, in the order printed
    std::vector<std::string> pageSteps;  // clear, orientation, origin and end, in order
    std::size_t failAt = SIZE_MAX;       // this call throws std::runtime_error instead

    void Clear() override;
    void SetLineWidth(int pixels) override { Step(), width_ = pixels; }
    void DrawLine(float x1, float y1, float x2, float y2, Colour colour) override;
    void DrawLineTo(float x, float y, Colour colour) override {
        DrawLine(pen_.x, pen_.y, x, y, colour);
    }
    void DrawArc(float cx, float cy, float r, Colour colour, float start, float end) override {
        Add("arc", {cx, cy, r, start, end}, colour);
    }
    void PlotPoint(float x, float y, Colour colour) override;
    void PrintText(const std::string& text) override;
    void SetOrientation(PageOrientation o) override {
        Page(o == PageOrientation::Landscape ? "landscape" : "portrait");
    }
    void SetOrigin(float x, float y) override { Page("origin " + Numbers({x, y})); }
    void SetFontSize(float points) override {
        Step(), fontSize_ = Numbers({points}), points_ = points;
    }
    void SetTextPosition(float x, float y) override { Step(), textAt_ = {x, y}; }
    void EndDocument() override { Page("end"); }

    // The text whose position is (x, y), or "(no text)".
    std::string TextAt(float x, float y) const;
    static std::string Numbers(std::initializer_list<float> numbers);

  private:
    void Step();
    void Page(const std::string& step) { Step(), pageSteps.push_back(step); }
    void Add(const std::string& kind, std::initializer_list<float> numbers, Colour colour);

    std::size_t calls_ = 0;
    int width_ = 1;
    std::string fontSize_ = "-";
    float points_ = 0;
    Point pen_{0, 0}, textAt_{0, 0};
    bool textPoint_ = false;  // a white point that the next text may take as its position
};

// Compares with the reference tests/data/pictures/<name>.txt, or writes it there when the
// environment variable CALBRINE_WRITE_REFERENCES is set. Returns what was added and what went
// missing, one line each; empty when the picture matches.
std::string CompareWithReference(const PictureRecorder& picture, const std::string& name);

}  // namespace calbrine::testing
