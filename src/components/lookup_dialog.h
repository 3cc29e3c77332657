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
// first column; alphabetical: the alphabetical column) starts with the text,
// reading further rows until one does or the rows end. Enter or a double
// click chooses, Esc leaves.
//
// The row answered is always a row of the dataset given: in alphabetical
// order the chosen line is found there by its values (the first row equal in
// every field), reading the dataset as far as that row.
class LookupDialog : public QDialog {
    Q_OBJECT
public:
    LookupDialog(db::Dataset& dataset, QList<LookupColumn> columns, QString alphabeticalField,
                 bool alphabetical, QWidget* parent = nullptr);
    ~LookupDialog() override;

    // The dataset row of the line under the cursor; -1 when there is none.
    int currentDatasetRow() const;
    // Moves to the first line that starts with the text; false when none does.
    bool search(const QString& text);

    // Shows the list modally; the chosen dataset row, or -1 when left.
    static int choose(QWidget* parent, db::Dataset& dataset, const QList<LookupColumn>& columns,
                      const QString& alphabeticalField, bool alphabetical);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The dataset the grid shows: the one given, or the sorted one.
    db::Dataset& shown() const;
    void moveTo(int line);

    db::Dataset& ds_;
    std::unique_ptr<db::Dataset> sorted_;
    QList<LookupColumn> columns_;
    QString searchField_;
    QLineEdit* search_;
    QTableView* grid_;
    db::DatasetModel* model_;
};

} // namespace corvane::components
