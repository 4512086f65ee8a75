#include "analysis/ReportTable.h"

#include "analysis/ReportText.h"

namespace calbrine {

std::vector<std::string> ReportTable::Titles() const {
    std::vector<std::string> titles;
    for (const TableColumn& c : columns) {
        if (!c.title.empty()) {
            titles.push_back(c.title);
        }
    }
    return titles;
}

std::vector<std::vector<std::string>> ReportTable::TextRows() const {
    std::vector<std::vector<std::string>> texts;
    for (const auto& row : rows) {
        std::vector<std::string> line;
        for (std::size_t c = 0; c < columns.size() && c < row.size(); ++c) {
            if (!columns[c].title.empty()) {
                line.push_back(row[c].text);
            }
        }
        texts.push_back(line);
    }
    return texts;
}

std::string ReportTable::Text() const {
    std::vector<std::vector<std::string>> lines = {Titles()};
    for (auto& row : TextRows()) {
        lines.push_back(std::move(row));
    }
    return AlignedTable(lines);
}

std::string ReportTable::Csv() const {
    auto line = [this](auto cellOf) {
        std::string text;
        bool first = true;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (!columns[c].csvName.empty()) {
                text += (first ? "" : ",") + cellOf(c);
                first = false;
            }
        }
        return text + "\n";
    };
    std::string csv = line([this](std::size_t c) { return columns[c].csvName; });
    for (const auto& row : rows) {
        csv += line([&row](std::size_t c) { return c < row.size() ? row[c].csv : std::string(); });
    }
    return csv;
}

}  // namespace calbrine
