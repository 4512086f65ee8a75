// What the explorer's tabs share: the cells of their tables, a report's table shown in one,
// the band edges typed into them, and the files they save, with a file that could not be
// written said.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "analysis/StandardValues.h"

class QPlainTextEdit;
class QTableWidget;
class QTableWidgetItem;

namespace calbrine {

struct ReportTable;

// A read-only box for a report's text, in a fixed font and unwrapped, as the command line
// prints it.
QPlainTextEdit* reportBox(const char* name, const char* spokenName);
// A read-only table for a report, its columns as wide as their texts.
QTableWidget* reportTable(const char* name, const char* spokenName);
// Makes `table` just tall enough for its headings, a scroll bar and `rows` rows, each as
// high as its text (rows it does not hold yet count at the default height).
void fitTableHeight(QTableWidget* table, int rows);
// Makes `table` just as big as its headings and every row and column, without scroll bars.
void fitTableToContents(QTableWidget* table);
// A right-aligned, read-only cell of the explorer's tables.
QTableWidgetItem* cell(const std::string& text);
// Shows a report's table: its headings and the texts of its rows.
void showTable(QTableWidget* table, const ReportTable& report);
// A report's text as a label shows it, wrapping where the label is full: its lines run on, a
// blank line still parts paragraphs.
QString flowingText(const std::string& text);
// A band edge typed in engineering text, in hertz: empty text when it reads, otherwise why
// not, naming the edge ("low" or "high").
std::string bandEdge(const QString& typed, const char* which, double& hz);
// Writes a table the explorer saves; says so and returns false when the file cannot be written.
bool saveExplorerText(const std::string& path, const std::string& text);
// Says that a file the explorer saves could not be written.
void sayNotWritten(const std::string& path);
// The value series shipped beside the program, read once; none when the table cannot be read.
const std::vector<ValueSeries>& shippedValueSeries();

}  // namespace calbrine
