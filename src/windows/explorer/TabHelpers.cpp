#include "windows/explorer/TabHelpers.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <fstream>

#include "analysis/Reports.h"
#include "engineering/StrictNumber.h"
#include "files/ShippedData.h"
#include "services/RunTimeServices.h"

namespace calbrine {

QPlainTextEdit* reportBox(const char* name, const char* spokenName) {
    auto* box = new QPlainTextEdit;
    box->setObjectName(name);
    box->setAccessibleName(spokenName);
    box->setReadOnly(true);
    box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    return box;
}

QTableWidget* reportTable(const char* name, const char* spokenName) {
    auto* table = new QTableWidget;
    table->setObjectName(name);
    table->setAccessibleName(spokenName);
    table->verticalHeader()->hide();
    table->setWordWrap(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return table;
}

void fitTableHeight(QTableWidget* table, int rows) {
    table->resizeRowsToContents();
    int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth() +
                 table->horizontalScrollBar()->sizeHint().height();
    for (int row = 0; row < rows; ++row) {
        height += row < table->rowCount() ? table->rowHeight(row)
                                          : table->verticalHeader()->defaultSectionSize();
    }
    table->setFixedHeight(height);
}

void fitTableToContents(QTableWidget* table) {
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    int width = 2 * table->frameWidth();
    for (int column = 0; column < table->columnCount(); ++column) {
        width += table->columnWidth(column);
    }
    int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth();
    for (int row = 0; row < table->rowCount(); ++row) {
        height += table->rowHeight(row);
    }
    table->setFixedSize(width, height);
}

QTableWidgetItem* cell(const std::string& text) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

void showTable(QTableWidget* table, const ReportTable& report) {
    const std::vector<std::string> titles = report.Titles();
    QStringList headers;
    for (const std::string& title : titles) {
        headers << QString::fromStdString(title);
    }
    table->setColumnCount(static_cast<int>(titles.size()));
    table->setHorizontalHeaderLabels(headers);
    const std::vector<std::vector<std::string>> rows = report.TextRows();
    table->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            table->setItem(static_cast<int>(r), static_cast<int>(c), cell(rows[r][c]));
        }
    }
}

QString flowingText(const std::string& text) {
    QStringList paragraphs = QString::fromStdString(text).trimmed().split("\n\n");
    for (QString& paragraph : paragraphs) {
        paragraph.replace('\n', ' ');
    }
    return paragraphs.join("\n\n");
}

std::string bandEdge(const QString& typed, const char* which, double& hz) {
    const std::string text = typed.toStdString();
    double value = 0;
    const std::string wrong = ReadStrictNumber(text, value);
    if (!wrong.empty()) {
        return std::string("The band's ") + which + " edge: " + wrong + ".";
    }
    if (!(value > 0)) {
        return std::string("The band's ") + which + " edge \"" + text +
               "\" is not a frequency above zero, such as 7M or 7.2M.";
    }
    hz = value;
    return "";
}

bool saveExplorerText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out.flush()) {
        sayNotWritten(path);
        return false;
    }
    return true;
}

void sayNotWritten(const std::string& path) {
    Services().ShowMessage("Could not write " + path, "Calbrine");
}

const std::vector<ValueSeries>& shippedValueSeries() {
    static const std::vector<ValueSeries> series = [] {
        const std::string here = QCoreApplication::applicationDirPath().toStdString();
        std::string text;
        std::vector<ValueSeries> read;
        if (!ReadFirstCopy(ShippedCopies(here, "parts/e-series.txt"), text) ||
            !ReadValueSeries(text, read).empty()) {
            read.clear();
        }
        return read;
    }();
    return series;
}

}  // namespace calbrine
