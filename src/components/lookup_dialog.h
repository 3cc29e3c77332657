#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

class QLineEdit;
class QTableView;

namespace corvane::db {
class Dataset;
class DatasetModel;
} // namespace corvane::db

namespace corvane::components {

struct LookupColumn {
    QString field;
    QString title;
};

// The list "Localizar" over the rows of a dataset. The grid reads its rows
// page by page as it scrolls, so the list opens at once over a large table.
//
// Numeric order shows the dataset itself, in its order. Alphabetical order
// (Ctrl+Insert) shows a second dataset over the same select, parameters and
// row filter, ordered by the alphabetical column case-insensitively by the
// database; it shows the rows as the database holds them, without changes
// buffered in the dataset.
//
// Typing moves to the first line whose search column (numeric order: the
// first column; alphabetical: the alphabetical column) starts with the text.
// When the list is read by key in the order of that column and it holds
// text, the database seeks it: the list starts again at the first row at or
// after the text (as typed, in upper case, in lower case), however far down
// it lies (a whole-number column: the first number the digits begin), and
// the rows above come as the grid is scrolled up; a text no row
// starts with brings the list back to the line it was on. Otherwise the rows
// are read until one starts with the text or the rows end. Enter or a double
// click chooses, Esc leaves.
//
// The row answered is always a row of the dataset given: in alphabetical
// order the chosen line is found there by its values (the first row equal in
// every field), reading the dataset as far as that row.
class LookupDialog : public QDialog {
    Q_OBJECT
public:
    // `repositionGiven`: the dataset given is the caller's own list, which
    // typing may seek (its rows are then other rows than before); otherwise
    // only a list of the dialog's own is sought, and the dataset given is
    // read up to the match.
    LookupDialog(db::Dataset& dataset, QList<LookupColumn> columns, QString alphabeticalField,
                 bool alphabetical, QWidget* parent = nullptr, bool repositionGiven = false);
    ~LookupDialog() override;

    // The dataset row of the line under the cursor; -1 when there is none.
    int currentDatasetRow() const;
    // Moves to the first line that starts with the text; false when none does.
    bool search(const QString& text);

    // Shows the list modally; the chosen dataset row, or -1 when left.
    static int choose(QWidget* parent, db::Dataset& dataset, const QList<LookupColumn>& columns,
                      const QString& alphabeticalField, bool alphabetical, bool repositionGiven = false);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The dataset the grid shows: the one given, or the sorted one.
    db::Dataset& shown() const;
    void moveTo(int line);
    // Whether typing seeks in `ds` (see above), and the seek itself.
    bool seekable(const db::Dataset& ds) const;
    bool seekText(db::Dataset& ds, const QString& wanted);
    bool seekNumber(db::Dataset& ds, const QString& digits);
    static bool wholeNumber(int metaType);
    // The page of rows above the first one read after a seek.
    void fetchBefore();

    db::Dataset& ds_;
    bool repositionGiven_ = false;
    std::unique_ptr<db::Dataset> sorted_;
    QList<LookupColumn> columns_;
    QString searchField_;
    QLineEdit* search_;
    QTableView* grid_;
    db::DatasetModel* model_;
};

} // namespace corvane::components
