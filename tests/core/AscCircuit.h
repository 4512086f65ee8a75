// Reads the circuit of an LTspice schematic (.ASC text): which part pins the wires join.
// Pins are named "part.n" with n counted from 1 in the order of the symbol's pin table; the
// ground flags add the name "0" to their node.
#pragma once

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace calbrine_test {

using Node = std::set<std::string>;
using NodeSet = std::set<Node>;

namespace asc_detail {

using Point = std::pair<long, long>;

// LTspice's pin positions of its standard symbols before rotation.
inline const std::map<std::string, std::vector<Point>> pinOffsets{
    {"cap", {{16, 0}, {16, 64}}},
    {"ind", {{16, 16}, {16, 96}}},
    {"res", {{16, 16}, {16, 96}}},
    {"npn", {{64, 0}, {0, 48}, {64, 96}}},  // collector, base, emitter
    {"voltage", {{0, 16}, {0, 96}}},        // +, -
};

// "R90" turns (x, y) into (-y, x) per quarter turn; "M" mirrors x first.
inline Point Oriented(Point p, const std::string& orientation) {
    if (orientation[0] == 'M') {
        p.first = -p.first;
    }
    for (int turn = std::stoi(orientation.substr(1)) / 90; turn > 0; --turn) {
        p = {-p.second, p.first};
    }
    return p;
}

inline bool OnSegment(Point p, Point a, Point b) {
    const long cross =
        (b.first - a.first) * (p.second - a.second) - (b.second - a.second) * (p.first - a.first);
    return cross == 0 && std::min(a.first, b.first) <= p.first &&
           p.first <= std::max(a.first, b.first) && std::min(a.second, b.second) <= p.second &&
           p.second <= std::max(a.second, b.second);
}

struct Joins {
    std::map<Point, Point> parent;
    Point Root(Point p) {
        parent.emplace(p, p);
        while (parent[p] != p) {
            p = parent[p] = parent[parent[p]];
        }
        return p;
    }
    void Join(Point a, Point b) { parent[Root(a)] = Root(b); }
};

// Wires join their ends and whatever lies on them; flags of one name are one node.
inline Joins Joined(const std::multimap<Point, std::string>& labels,
                    const std::vector<std::pair<Point, Point>>& wires) {
    Joins joins;
    for (const auto& [a, b] : wires) {
        joins.Join(a, b);
        for (const auto& [p, name] : labels) {
            if (OnSegment(p, a, b)) {
                joins.Join(p, a);
            }
        }
        for (const auto& [c, d] : wires) {
            for (const Point& end : {c, d}) {
                if (OnSegment(end, a, b)) {
                    joins.Join(end, a);
                }
            }
        }
    }
    std::map<std::string, Point> netPoint;
    for (const auto& [p, name] : labels) {
        if (name.find('.') == std::string::npos) {
            joins.Join(p, netPoint.emplace(name, p).first->second);
        }
    }
    return joins;
}

}  // namespace asc_detail

// The nodes of the schematic as sets of pin names; wires join where an end of one touches
// another wire, a pin or a flag.
inline NodeSet AscNodes(const std::string& ascText) {
    using namespace asc_detail;
    std::multimap<Point, std::string> labels;  // pin and ground names at their points
    std::vector<std::pair<Point, Point>> wires;
    std::istringstream in(ascText);
    std::string line, symbol, orientation;
    Point origin;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "SYMBOL") {
            words >> symbol >> origin.first >> origin.second >> orientation;
        } else if (word == "SYMATTR" && (words >> word, word == "InstName")) {
            std::string name;
            words >> name;
            const std::vector<Point>& pins = pinOffsets.at(symbol);
            for (std::size_t i = 0; i < pins.size(); ++i) {
                const Point p = Oriented(pins[i], orientation);
                labels.emplace(Point{origin.first + p.first, origin.second + p.second},
                               name + "." + std::to_string(i + 1));
            }
        } else if (word == "FLAG") {
            Point p;
            std::string net;
            words >> p.first >> p.second >> net;
            labels.emplace(p, net);
        } else if (word == "WIRE") {
            Point a, b;
            words >> a.first >> a.second >> b.first >> b.second;
            wires.push_back({a, b});
        }
    }
    Joins joins = Joined(labels, wires);
    std::map<Point, Node> nodes;
    for (const auto& [p, name] : labels) {
        nodes[joins.Root(p)].insert(name);
    }
    NodeSet result;
    for (const auto& [root, node] : nodes) {
        result.insert(node);
    }
    return result;
}

}  // namespace calbrine_test
