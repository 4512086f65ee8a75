// A drawing surface for tests that records every call as a line of text, such as
// "DrawLine 2500 6000 2500 6400 ff0000" (the numbers in order, then any colour in hex BBGGRR)
// or "PrintText R34", and can be told to fail on a given call.
#pragma once

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "schematic/SchematicSurface.h"

namespace calbrine::testing {

class RecordingSurface : public PrinterSurface {
  public:
    std::vector<std::string> calls;
    std::size_t failAt = SIZE_MAX;  // this call throws std::runtime_error instead, once

    // The calls that start with `kind`.
    std::size_t Count(const std::string& kind) const {
        return std::count_if(calls.begin(), calls.end(),
                             [&](const std::string& c) { return c.rfind(kind, 0) == 0; });
    }
    // The index of the first such call, or calls.size().
    std::size_t Find(const std::string& call) const {
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    }
    // The texts printed from call `from` on, each followed by '|'.
    std::string Texts(std::size_t from = 0) const {
        std::string texts;
        for (std::size_t i = from; i < calls.size(); ++i)
            if (calls[i].rfind("PrintText ", 0) == 0)
                texts += calls[i].substr(10) + '|';
        return texts;
    }
    // The text printed right after the white point at `at`, written as "x y".
    std::string TextAt(const std::string& at) const {
        return calls.at(Find("PlotPoint " + at + " ffffff") + 1).substr(10);
    }
    // The colour a drawing call ends with.
    static std::string ColourOf(const std::string& c) { return c.substr(c.rfind(' ') + 1); }

    void Clear() override { Record("Clear"); }
    void SetLineWidth(int pixels) override { Record("SetLineWidth", {float(pixels)}); }
    void DrawLine(float x1, float y1, float x2, float y2, Colour c) override {
        Record("DrawLine", {x1, y1, x2, y2}, c);
    }
    void DrawLineTo(float x, float y, Colour c) override { Record("DrawLineTo", {x, y}, c); }
    void DrawArc(float cx, float cy, float r, Colour c, float start, float end) override {
        Record("DrawArc", {cx, cy, r, start, end}, c);
    }
    void PlotPoint(float x, float y, Colour c) override { Record("PlotPoint", {x, y}, c); }
    void PrintText(const std::string& text) override { Record("PrintText " + text); }
    void SetOrientation(PageOrientation o) override {
        Record(o == PageOrientation::Landscape ? "SetOrientation Landscape"
                                               : "SetOrientation Portrait");
    }
    void SetOrigin(float x, float y) override { Record("SetOrigin", {x, y}); }
    void SetFontSize(float points) override { Record("SetFontSize", {points}); }
    void SetTextPosition(float x, float y) override { Record("SetTextPosition", {x, y}); }
    void EndDocument() override { Record("EndDocument"); }

  private:
    void Record(const std::string& kind, std::initializer_list<float> numbers = {},
                std::int64_t colour = -1) {
        if (calls.size() == failAt) {
            failAt = SIZE_MAX;  // later calls are recorded, so a test sees them
            throw std::runtime_error("surface failure");
        }
        std::ostringstream call;
        call << kind;
        for (float n : numbers)
            call << ' ' << n;
        if (colour >= 0)
            call << ' ' << std::hex << colour;
        calls.push_back(call.str());
    }
};

}  // namespace calbrine::testing
