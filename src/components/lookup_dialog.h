#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QLineEdit;
class QTableWidget;

namespace corvane::db {
class Dataset;
}

namespace corvane::components {

struct LookupColumn {
    QString field;
    QString title;
};

// The list "Localizar" over the rows of a dataset: the rows in the dataset's
// order, or sorted by the search column when alphabetical (Ctrl+Insert).
// Typing moves to the first row whose search column starts with the text
// (numeric order: the first column; alphabetical: the alphabetical column).
// Enter or a double click chooses, Esc leaves.
class LookupDialog : public QDialog {
    Q_OBJECT
public:
    LookupDialog(db::Dataset& dataset, QList<LookupColumn> columns, QString alphabeticalField,
                 bool alphabetical, QWidget* parent = nullptr);

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
    void fill();

    db::Dataset& ds_;
    QList<LookupColumn> columns_;
    QString searchField_;
    bool alphabetical_;
    QList<int> rows_; // dataset row of each line
    QLineEdit* search_;
    QTableWidget* grid_;
};

} // namespace corvane::components
