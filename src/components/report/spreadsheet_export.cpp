#include "spreadsheet_export.h"

#include "xlsx_export.h"

namespace corvane::report {

namespace {
// The table's rows as one-line blocks, read in order.
class TableRows : public RowSource {
public:
    explicit TableRows(TableSource& table) : table_(table) {}
    bool rewind(QString* error) override { return table_.rewind(error); }
    bool next(Block* block) override {
        Line line;
        if (!table_.next(&line.values))
            return false;
        block->lines = {line};
        block->spaceAfter = false;
        return true;
    }
    bool seek(qint64) override { return false; } // read once, in order
    QString readError() const override { return table_.readError(); }

private:
    TableSource& table_;
};
} // namespace

ReportDefinition tableDefinition(const TableSource& table) {
    ReportDefinition def;
    LineLayout layout;
    const QStringList names = table.columnNames();
    // Spread the columns over a landscape page; the spreadsheet widens them.
    def.page.orientation = QPageLayout::Landscape;
    const double width = names.isEmpty() ? 1 : def.page.printableWidth() / static_cast<double>(names.size());
    for (int i = 0; i < names.size(); ++i) {
        Column c;
        c.heading = names[i];
        c.x = i * width;
        c.width = width;
        c.kind = table.columnKind(i);
        c.align = c.kind == ValueKind::Number ? Align::Right : Align::Left;
        layout.columns << c;
    }
    def.layouts << layout;
    def.headingLines << 0;
    return def;
}

bool exportSpreadsheet(TableSource& table, const QString& path, const SheetHeader& header, QString* error) {
    const ReportDefinition def = tableDefinition(table);
    TableRows rows(table);
    XlsxSink sink(path);
    return streamReport(def, rows, header, sink, error);
}

} // namespace corvane::report
