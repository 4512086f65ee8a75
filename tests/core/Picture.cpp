#include "Picture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace calbrine::testing {

std::string PictureRecorder::Numbers(std::initializer_list<float> numbers) {
    std::string text;
    for (float n : numbers) {
        char number[32];
        std::snprintf(number, sizeof number, " %.6g", n == 0 ? 0.0 : n);  // no "-0"
        text += number;
    }
    return text.substr(1);
}

void PictureRecorder::Step() {
    if (calls_++ == failAt) {
        throw std::runtime_error("surface failure");
    }
    if (textPoint_) {  // a white point that no text took stays on the page
        textPoint_ = false;
        Add("point", {textAt_.x, textAt_.y}, 0xFFFFFF);
    }
}

void PictureRecorder::Add(const std::string& kind, std::initializer_list<float> numbers,
                          Colour colour) {
    char rest[32];
    std::snprintf(rest, sizeof rest, " %06x w%d", static_cast<unsigned>(colour), width_);
    items.insert(kind + " " + Numbers(numbers) + rest);
}

void PictureRecorder::Clear() {
    Page("clear");
    textPoint_ = false;
    items.clear();
    segments.clear();
}

void PictureRecorder::DrawLine(float x1, float y1, float x2, float y2, Colour colour) {
    Step();
    pen_ = {x2, y2};
    if (x2 < x1 || (x2 == x1 && y2 < y1)) {  // the same segment from either end
        std::swap(x1, x2), std::swap(y1, y2);
    }
    segments.push_back({{x1, y1}, {x2, y2}});
    Add("line", {x1, y1, x2, y2}, colour);
}

void PictureRecorder::PlotPoint(float x, float y, Colour colour) {
    Step();
    textAt_ = {x, y};
    textPoint_ = colour == 0xFFFFFF;
    if (!textPoint_) {
        Add("point", {x, y}, colour);
    }
}

void PictureRecorder::PrintText(const std::string& text) {
    textPoint_ = false;
    Step();
    items.insert("text " + Numbers({textAt_.x, textAt_.y}) + " pt" + fontSize_ + " \"" + text +
                 "\"");
    texts.push_back({textAt_, points_, text});
}

std::string PictureRecorder::TextAt(float x, float y) const {
    const std::string prefix = "text " + Numbers({x, y}) + " ";
    for (const std::string& item : items) {
        if (item.rfind(prefix, 0) == 0) {
            const std::size_t quote = item.find('"');
            return item.substr(quote + 1, item.size() - quote - 2);
        }
    }
    return "(no text)";
}

std::string CompareWithReference(const PictureRecorder& picture, const std::string& name) {
    const std::string path = std::string(CALBRINE_TEST_DATA) + "/pictures/" + name + ".txt";
    std::multiset<std::string> missing;
    std::vector<std::string> pages;
    std::string header;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("page ", 0) == 0) {
            pages.push_back(line.substr(5));
        } else if (line.rfind('#', 0) == 0) {
            header += line + "\n";
        } else if (!line.empty()) {
            missing.insert(line);
        }
    }
    if (std::getenv("CALBRINE_WRITE_REFERENCES") != nullptr) {
        std::ofstream out(path);
        out << header;
        for (const std::string& step : picture.pageSteps) {
            out << "page " << step << "\n";
        }
        for (const std::string& item : picture.items) {
            out << item << "\n";
        }
        return "";
    }
    std::string differences = pages == picture.pageSteps ? "" : "page steps differ\n";
    for (const std::string& item : picture.items) {
        const auto found = missing.find(item);
        if (found == missing.end()) {
            differences += "added:   " + item + "\n";
        } else {
            missing.erase(found);
        }
    }
    for (const std::string& item : missing) {
        differences += "missing: " + item + "\n";
    }
    return differences;
}

}  // namespace calbrine::testing
