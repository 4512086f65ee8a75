// A drawing surface for tests that records every call with its kind and arguments, and can
// be told to fail on a given call.
#pragma once

#include <algorithm>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "schematic/SchematicSurface.h"

namespace calbrine::testing {

struct SurfaceCall {
    std::string kind;            // the operation's name, such as "DrawLine"
    std::vector<float> numbers;  // the numeric arguments in order, the colour left out
    Colour colour = 0;
    std::string text;  // PrintText's text, or "Landscape" / "Portrait"
    bool operator==(const SurfaceCall& o) const {
        return kind == o.kind && numbers == o.numbers && colour == o.colour && text == o.text;
    }
};

inline std::ostream& operator<<(std::ostream& os, const SurfaceCall& c) {
    os << c.kind << '(';
    for (float n : c.numbers)
        os << n << ' ';
    return os << std::hex << c.colour << std::dec << " \"" << c.text << "\")";
}

inline SurfaceCall Line(float x1, float y1, float x2, float y2, Colour c) {
    return {"DrawLine", {x1, y1, x2, y2}, c, ""};
}
inline SurfaceCall LineTo(float x, float y, Colour c) {
    return {"DrawLineTo", {x, y}, c, ""};
}
inline SurfaceCall Arc(float cx, float cy, float r, Colour c, float start, float end) {
    return {"DrawArc", {cx, cy, r, start, end}, c, ""};
}
inline SurfaceCall Point(float x, float y) {
    return {"PlotPoint", {x, y}, 0xFFFFFF, ""};
}
inline SurfaceCall Text(const std::string& t) {
    return {"PrintText", {}, 0, t};
}
inline SurfaceCall TextPosition(float x, float y) {
    return {"SetTextPosition", {x, y}, 0, ""};
}
inline SurfaceCall FontSize(float points) {
    return {"SetFontSize", {points}, 0, ""};
}
inline SurfaceCall LineWidth(float pixels) {
    return {"SetLineWidth", {pixels}, 0, ""};
}

class RecordingSurface : public PrinterSurface {
  public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    std::vector<SurfaceCall> calls;
    std::size_t failAt = npos;  // this call throws std::runtime_error instead

    std::size_t Count(const std::string& kind) const {
        std::size_t n = 0;
        for (const SurfaceCall& c : calls)
            n += c.kind == kind;
        return n;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const SurfaceCall& c : calls) {
            if (c.kind == "PrintText")
                texts.push_back(c.text);
        }
        return texts;
    }
    std::size_t Find(const SurfaceCall& call) const {
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i] == call)
                return i;
        }
        return npos;
    }
    // The text printed after the white point at (x, y).
    std::string TextAt(float x, float y) const {
        const std::size_t i = Find(Point(x, y));
        return i + 1 < calls.size() ? calls[i + 1].text : "<none>";
    }
    std::vector<SurfaceCall> Slice(std::size_t from, std::size_t count) const {
        from = std::min(from, calls.size());
        return {calls.begin() + from, calls.begin() + std::min(from + count, calls.size())};
    }

    void Clear() override { Record({"Clear", {}, 0, ""}); }
    void SetLineWidth(int pixels) override { Record(LineWidth(static_cast<float>(pixels))); }
    void DrawLine(float x1, float y1, float x2, float y2, Colour colour) override {
        Record(Line(x1, y1, x2, y2, colour));
    }
    void DrawLineTo(float x, float y, Colour colour) override { Record(LineTo(x, y, colour)); }
    void DrawArc(float cx, float cy, float r, Colour colour, float start, float end) override {
        Record(Arc(cx, cy, r, colour, start, end));
    }
    void PlotPoint(float x, float y, Colour colour) override {
        Record({"PlotPoint", {x, y}, colour, ""});
    }
    void PrintText(const std::string& text) override { Record(Text(text)); }
    void SetOrientation(PageOrientation o) override {
        Record(
            {"SetOrientation", {}, 0, o == PageOrientation::Landscape ? "Landscape" : "Portrait"});
    }
    void SetOrigin(float x, float y) override { Record({"SetOrigin", {x, y}, 0, ""}); }
    void SetFontSize(float points) override { Record(FontSize(points)); }
    void SetTextPosition(float x, float y) override { Record(TextPosition(x, y)); }
    void EndDocument() override { Record({"EndDocument", {}, 0, ""}); }

  private:
    void Record(SurfaceCall call) {
        if (calls.size() == failAt)
            throw std::runtime_error("surface failure");
        calls.push_back(std::move(call));
    }
};

}  // namespace calbrine::testing
