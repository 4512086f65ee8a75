// A table of a report, built once and shown three ways: as the window's table, as the
// command line's aligned text and as its CSV. Each cell carries its text for people and its
// plain number (or name) for CSV, so the three can never disagree.
#pragma once

#include <string>
#include <vector>

namespace calbrine {

struct TableColumn {
    std::string title;    // heading in the window and the plain text; empty: CSV only
    std::string csvName;  // name in the CSV header; empty: not in the CSV
};

struct TableCell {
    std::string text;  // as people read it: "5.4698M", "-31.2k"
    std::string csv;   // as the CSV gives it: "5469798", or a name
};

struct ReportTable {
    std::vector<TableColumn> columns;
    std::vector<std::vector<TableCell>> rows;  // a cell for every column

    // The headings of the columns people see, in order.
    std::vector<std::string> Titles() const;
    // The texts of the columns people see, row by row, without the headings.
    std::vector<std::vector<std::string>> TextRows() const;
    // The headings and rows aligned in columns, lines ending in "\n".
    std::string Text() const;
    // The CSV header line and a line per row.
    std::string Csv() const;
};

}  // namespace calbrine
