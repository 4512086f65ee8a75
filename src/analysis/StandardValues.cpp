#include "analysis/StandardValues.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>

#include "engineering/Characters.h"
#include "files/ShippedData.h"

namespace calbrine {

namespace {

// "E12:" and the figures after it; empty text, or why the line is no series.
std::string ReadSeriesLine(const std::vector<std::string>& words, ValueSeries& series) {
    if (words[0].size() < 2 || words[0].back() != ':') {
        return "a series starts with its name and a colon";
    }
    series.name = words[0].substr(0, words[0].size() - 1);
    for (std::size_t i = 1; i < words.size(); ++i) {
        double figure = 0;
        if (!DataNumber(words[i], figure) || figure != std::floor(figure) || figure < 10 ||
            figure > 99 || (!series.figures.empty() && figure <= series.figures.back())) {
            return "figures are rising whole numbers from 10 to 99";
        }
        series.figures.push_back(static_cast<int>(figure));
    }
    return series.figures.empty() ? "a series without figures" : "";
}

}  // namespace

std::string ReadValueSeries(const std::string& text, std::vector<ValueSeries>& series) {
    const std::string wrong = ReadDataLines(text, [&series](const std::vector<std::string>& words) {
        ValueSeries one;
        const std::string why = ReadSeriesLine(words, one);
        if (why.empty()) {
            series.push_back(one);
        }
        return why;
    });
    if (!wrong.empty()) {
        return wrong;
    }
    return series.empty() ? "no series in the file" : "";
}

const ValueSeries* SeriesNamed(const std::vector<ValueSeries>& series, const std::string& name) {
    for (const ValueSeries& one : series) {
        if (Lower(one.name) == Lower(name)) {
            return &one;
        }
    }
    return nullptr;
}

std::vector<long> StockedValues(const ValueSeries& series) {
    std::vector<long> stock;
    // Five decades from 1 pF (10 tenths) to 82 nF, then 100 nF.
    for (long decade = 1; decade <= 10000; decade *= 10) {
        for (int figure : series.figures) {
            stock.push_back(figure * decade);
        }
    }
    stock.push_back(1000000);
    return stock;
}

long PartChoice::Total() const {
    long total = 0;
    for (long part : parts) {
        total += part;
    }
    return total;
}

PartChoice ChooseParts(double tenths, const std::vector<long>& stock) {
    long single = stock.front();
    for (long value : stock) {
        if (std::fabs(value - tenths) <= std::fabs(single - tenths)) {
            single = value;
        }
    }
    const double singleOff = std::fabs(single - tenths);
    if (singleOff <= SinglePartTolerance * tenths) {
        return {{single}};
    }
    PartChoice pair{{stock.front(), stock.front()}};
    double pairOff = std::fabs(pair.Total() - tenths);
    for (std::size_t big = 0; big < stock.size(); ++big) {
        for (std::size_t small = 0; small <= big; ++small) {
            const double off = std::fabs(stock[big] + stock[small] - tenths);
            if (off < pairOff || (off == pairOff && stock[big] > pair.parts[0])) {
                pair.parts = {stock[big], stock[small]};
                pairOff = off;
            }
        }
    }
    return pairOff < singleOff ? pair : PartChoice{{single}};
}

PartChoice ChooseCapacitor(float farad, const std::vector<long>& stock) {
    return ChooseParts(farad / FaradPerTenthPicofarad, stock);
}

float ChoiceFarad(const PartChoice& choice) {
    return static_cast<float>(choice.Total() * FaradPerTenthPicofarad);
}

std::string PartsText(const PartChoice& choice) {
    std::string text;
    for (long part : choice.parts) {
        // Picofarads below 1 nF, nanofarads from it: 8.2p, 820p, 1.5n, 100n.
        const bool nano = part >= 10000;
        const long per = nano ? 10000 : 10;
        std::string fraction = std::to_string(per + part % per).substr(1);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text += (text.empty() ? "" : "+") + std::to_string(part / per) +
                (fraction.empty() ? "" : "." + fraction) + (nano ? "n" : "p");
    }
    return text;
}

}  // namespace calbrine
