#pragma once

// The column table of an editable grid: each column declared once with its
// title, what its cells show, what the user's input does to a row, whether a
// row's cell takes input, and its width. The grid model of screens/ui shows
// the table; nothing here knows of widgets.
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <utility>
#include <vector>

namespace corvane::screens {

// A number as the grids show it: up to 15 significant digits, no trailing
// zeros ("18.75", "90", "0.0044625").
QString gridNumber(double value);

struct GridColumn {
    QString key;   // how code names the column: the row's field, e.g. "CODIGO", "OK", "QTD"
    QString title; // the column's title, e.g. "Tempo (Min)"
    // A text column: what a row's cell shows and its editor starts from (a
    // text, or a whole number, which the grid edits as a number).
    std::function<QVariant(int row)> value;
    // A check-box column: whether a row's box is ticked.
    std::function<bool(int row)> checked;
    // What the user typed (the editor's value) or ticked (a bool) goes to the
    // row; false refuses it, and the row is as it was. Empty: only shown.
    std::function<bool(int row, const QVariant& input)> set;
    // Whether a row's cell takes input; empty: every row's, when `set` is given.
    std::function<bool(int row)> editableRow;
    // The column's width: in characters (a table column's from the table's
    // description), or in the pixels the window was drawn with; neither: the
    // view's default.
    int width = 0;
    int pixels = 0;
    Qt::Alignment alignment; // empty: the view's default
    int maxLength = 0;       // characters the cell's editor takes; 0: no limit

    bool isCheck() const { return static_cast<bool>(checked); }
    bool editable(int row) const { return set && (!editableRow || editableRow(row)); }
};

// A grid's columns over rows numbered from 0 to rowCount() - 1.
struct GridColumns {
    std::function<int()> rowCount;
    QList<GridColumn> columns;
    // Set: a click on a column's title orders the rows by that column.
    std::function<void(int column)> sortBy;
    // Set: the rows are read again when the grid is reloaded.
    std::function<void()> reread;

    // The column named `key`, -1 when there is none.
    int indexOf(const QString& key) const;
};

// Columns over a vector of rows the screen's logic holds. The vector (not
// its elements: rows may be added, sorted or replaced) must outlive the grid.
template <typename Row> class RowColumns {
public:
    explicit RowColumns(const std::vector<Row>& rows) : rows_(&rows) {}

    GridColumns table(QList<GridColumn> columns) const {
        const std::vector<Row>* rows = rows_;
        return GridColumns{[rows] { return static_cast<int>(rows->size()); }, std::move(columns), {}, {}};
    }

    // A column showing a field as it is held (a text or a whole number).
    template <typename T> GridColumn field(QString key, QString title, T Row::*member, int pixels) const {
        GridColumn c = named(std::move(key), std::move(title), pixels);
        c.value = [rows = rows_, member](int row) { return QVariant::fromValue(at(rows, row).*member); };
        return c;
    }

    // A column showing a number field as the grids show numbers.
    GridColumn number(QString key, QString title, double Row::*member, int pixels) const {
        GridColumn c = named(std::move(key), std::move(title), pixels);
        c.value = [rows = rows_, member](int row) { return QVariant(gridNumber(at(rows, row).*member)); };
        return c;
    }

    // A check box showing `ticked`; ticking or clearing it runs `tick`.
    GridColumn check(QString key, QString title, bool (Row::*ticked)() const,
                     std::function<void(int row, bool on)> tick, int pixels) const {
        GridColumn c = named(std::move(key), std::move(title), pixels);
        c.checked = [rows = rows_, ticked](int row) { return (at(rows, row).*ticked)(); };
        c.set = [tick = std::move(tick)](int row, const QVariant& on) {
            tick(row, on.toBool());
            return true;
        };
        return c;
    }

private:
    static const Row& at(const std::vector<Row>* rows, int row) {
        return (*rows)[static_cast<std::size_t>(row)];
    }
    static GridColumn named(QString key, QString title, int pixels) {
        GridColumn c;
        c.key = std::move(key);
        c.title = std::move(title);
        c.pixels = pixels;
        return c;
    }

    const std::vector<Row>* rows_;
};

// The column with its text typed: what was typed goes to `typed`, which
// answers false to refuse it.
GridColumn typedIn(GridColumn column, std::function<bool(int row, const QString& typed)> typed);

} // namespace corvane::screens
