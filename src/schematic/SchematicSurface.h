// The drawing target of a schematic: a window's persistent picture or the printer.
// Coordinates are the surface's logical units, x to the right and y downwards.
#pragma once

#include <cstdint>
#include <string>

namespace calbrine {

using Colour = std::uint32_t;  // 0xBBGGRR: 0xFF0000 is blue

enum class PageOrientation { Portrait, Landscape };

class SchematicSurface {
  public:
    virtual ~SchematicSurface() = default;
    // Erases everything drawn on the surface.
    virtual void Clear() = 0;
    // Width of all later lines, arcs and points, in device pixels.
    virtual void SetLineWidth(int pixels) = 0;
    // Straight line; afterwards the pen position is (x2, y2).
    virtual void DrawLine(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // Straight line from the pen position to (x, y), which becomes the pen position.
    virtual void DrawLineTo(float x, float y, Colour colour) = 0;
    // Arc of the circle of radius r about (cx, cy), counterclockwise as seen on the surface
    // from angle `start` to angle `end`; radians, 0 towards +x, pi/2 up the surface.
    virtual void DrawArc(float cx, float cy, float r, Colour colour, float start, float end) = 0;
    // One point of the current line width; moves the text position there.
    virtual void PlotPoint(float x, float y, Colour colour) = 0;
    // Text in the current font with the top-left corner of its first character at the text
    // position.
    virtual void PrintText(const std::string& text) = 0;
};

// The printer's additions. Units are 1/1440 inch.
class PrinterSurface : public SchematicSurface {
  public:
    virtual void SetOrientation(PageOrientation orientation) = 0;
    // Gives the printable area's top-left corner the page coordinates (x, y).
    virtual void SetOrigin(float x, float y) = 0;
    virtual void SetFontSize(float points) = 0;
    // Moves the text position without drawing anything.
    virtual void SetTextPosition(float x, float y) = 0;
    // Finishes the page and hands the document to the printer.
    virtual void EndDocument() = 0;
};

}  // namespace calbrine
