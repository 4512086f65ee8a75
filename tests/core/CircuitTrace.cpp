#include "CircuitTrace.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <sstream>

#include "../support/Fixtures.h"

namespace calbrine::testing {

namespace {

constexpr float Near = 0.5f;  // coordinates are whole units

bool Same(Point p, Point q) {
    return std::fabs(p.x - q.x) < Near && std::fabs(p.y - q.y) < Near;
}

// Whether p lies on the segment, its ends included.
bool OnSegment(Point p, const Segment& s) {
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y, length = std::hypot(dx, dy);
    const double cross = (p.x - s.a.x) * dy - (p.y - s.a.y) * dx;
    const double along = ((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / length;
    return std::fabs(cross) < Near * length && along > -Near && along < length + Near;
}

std::ifstream Data(const std::string& file) {
    return std::ifstream(std::string(CALBRINE_TEST_DATA) + "/circuits/" + file);
}

}  // namespace

Netlist TraceNodes(const Circuit& c, std::vector<std::string>& loose) {
    const std::size_t n = c.conductors.size();
    std::vector<std::size_t> group(n + 1);  // the last group is the ground
    std::iota(group.begin(), group.end(), 0);
    const auto root = [&](std::size_t i) {
        while (group[i] != i) {
            i = group[i];
        }
        return i;
    };
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const Segment& s = c.conductors[i];
            if (OnSegment(s.a, c.conductors[j]) || OnSegment(s.b, c.conductors[j])) {
                group[root(i)] = root(j);
            }
        }
        for (Point g : c.grounds) {
            if (OnSegment(g, c.conductors[i])) {
                group[root(i)] = root(n);
            }
        }
    }
    std::map<std::size_t, std::vector<std::string>> nodes{{root(n), {"ground"}}};
    for (const Pin& pin : c.pins) {
        const auto at = std::find_if(c.conductors.begin(), c.conductors.end(), [&](auto& s) {
            return Same(pin.at, s.a) || Same(pin.at, s.b);
        });
        if (at == c.conductors.end()) {
            loose.push_back(pin.name);
        } else {
            nodes[root(at - c.conductors.begin())].push_back(pin.name);
        }
    }
    Netlist netlist;
    for (auto& [r, node] : nodes) {
        std::sort(node.begin(), node.end());
        if (node != std::vector<std::string>{"ground"}) {
            netlist.insert(node);
        }
    }
    return netlist;
}

Circuit PictureCircuit(const PictureRecorder& picture, const std::string& placementFile) {
    Circuit c;
    const auto drawn = [&](Point p, Point q) {
        return std::any_of(picture.segments.begin(), picture.segments.end(), [&](auto& s) {
            return (Same(s.a, p) && Same(s.b, q)) || (Same(s.a, q) && Same(s.b, p));
        });
    };
    for (const Segment& s : picture.segments) {
        const bool level = std::fabs(s.a.y - s.b.y) < Near;
        if (level || std::fabs(s.a.x - s.b.x) < Near) {
            c.conductors.push_back(s);
        }
        const Point top{(s.a.x + s.b.x) / 2, s.a.y}, apex{top.x, top.y + 150};
        if (level && std::fabs(s.b.x - s.a.x - 300) < Near && drawn(s.a, apex) &&
            drawn(s.b, apex)) {
            c.grounds.push_back(top);
        }
    }
    std::ifstream in = Data(placementFile);
    std::string part, kind;
    for (float x, y; in >> part >> kind >> x >> y;) {
        if (kind == "down") {
            c.pins.insert(c.pins.end(), {{part, {x, y}}, {part, {x, y + 1000}}});
        } else if (kind.rfind("right", 0) == 0) {
            c.pins.insert(c.pins.end(),
                          {{part, {x, y}}, {part, {x + std::stof(kind.substr(5)), y}}});
        } else {
            const float dx = std::stof(kind.substr(3));
            c.pins.insert(c.pins.end(), {{part + ".B", {x, y}},
                                         {part + ".C", {x + dx, y - 500}},
                                         {part + ".E", {x + dx, y + 500}}});
        }
    }
    return c;
}

Circuit SpiceSchematicCircuit(const std::string& text) {
    const std::map<std::string, std::vector<Pin>> offsets = {
        {"cap", {{"", {16, 0}}, {"", {16, 64}}}},
        {"ind", {{"", {16, 16}}, {"", {16, 96}}}},
        {"res", {{"", {16, 16}}, {"", {16, 96}}}},
        {"npn", {{".C", {64, 0}}, {".B", {0, 48}}, {".E", {64, 96}}}},
        {"voltage", {{".+", {0, 16}}, {".-", {0, 96}}}}};
    Circuit c;
    std::istringstream lines(text);
    std::string symbol, turn, name, word;
    float x = 0, y = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream in(line);
        in >> word;
        if (word == "SYMBOL") {
            in >> symbol >> x >> y >> turn;
        } else if (word == "SYMATTR" && (in >> word, word == "InstName")) {
            in >> name;
            for (const Pin& o : offsets.at(symbol)) {
                const Point p = turn == "R90"  ? Point{-o.at.y, o.at.x}
                                : turn == "M0" ? Point{-o.at.x, o.at.y}
                                               : o.at;
                c.pins.push_back({name + o.name, {x + p.x, y + p.y}});
            }
        } else if (word == "WIRE") {
            Segment& s = c.conductors.emplace_back();
            in >> s.a.x >> s.a.y >> s.b.x >> s.b.y;
        } else if (word == "FLAG") {
            Point p{};
            if (in >> p.x >> p.y >> word && word == "0") {
                c.grounds.push_back(p);
            }
        }
    }
    return c;
}

Netlist ReadNetlist(const std::string& netlistFile) {
    Netlist nodes;
    for (const std::string& line : calbrine_test::DataLines("circuits/" + netlistFile)) {
        std::istringstream names(line.substr(line.find(':') + 1));
        std::vector<std::string> node{std::istream_iterator<std::string>(names), {}};
        std::sort(node.begin(), node.end());
        nodes.insert(node);
    }
    return nodes;
}

std::string Describe(const Netlist& nodes) {
    std::string text;
    for (const auto& node : nodes) {
        text += "\n ";
        for (const std::string& pin : node) {
            text += " " + pin;
        }
    }
    return text;
}

}  // namespace calbrine::testing
