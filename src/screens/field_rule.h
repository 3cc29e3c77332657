#pragma once

#include "db/schema.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace corvane::db {
class Dataset;
}

namespace corvane::screens {

// How an input's text becomes a column value.
enum class FieldKind {
    Text,       // as typed
    Upper,      // upper case
    Whole,      // integer column
    SmallWhole, // small-integer column: the column's range is checked too
    Number,     // floating-point column
};

// The widget that shows a field.
enum class WidgetKind {
    Line,      // one line of text or a number
    Date,      // a date
    YesNo,     // a check box storing "S" or "N"
    Choice,    // one of `choices`
    MultiLine, // several lines of text
};

// The list "Localizar" an input opens (Insert, Ctrl+Insert, its context menu),
// the existence check of what is typed, and the description shown beside it.
struct LookupSpec {
    QString dataset;                              // the screen's dataset the list shows, by name
    QString keyColumn = QStringLiteral("CODIGO"); // what the input holds
    QString labelColumn;                          // shown beside the input (empty: nothing)
    QString labelName;                            // objectName of that label
    QStringList columns;                          // the list's columns ...
    QStringList titles;                           // ... and their titles
    QString alphabeticalColumn;                   // the order of Ctrl+Insert (empty: the label column)
    QString alphabeticalDataset;                  // set: Ctrl+Insert lists this dataset in its own order
    QStringList menuEntries{QStringLiteral("Procurar")}; // context-menu entries of the list
    QString alphabeticalMenuEntry;                       // an entry for the alphabetical list, if any
    QString notFoundMessage;                             // set: a typed key must exist in the dataset
    int keyLength = 0; // > 0: only so many characters of the text are compared

    bool isSet() const { return !dataset.isEmpty(); }
    QString sortColumn() const { return alphabeticalColumn.isEmpty() ? labelColumn : alphabeticalColumn; }
};

// A list "Localizar" of a dataset: the key the input holds, the columns
// shown with their titles, and the column of the alphabetical order.
LookupSpec lookupOf(const QString& dataset, const QString& key, const QStringList& columns,
                    const QStringList& titles, const QString& alphabeticalColumn);

// One input of a screen and the rules checked when the focus leaves it.
struct FieldRule {
    QString column;
    QString input; // the input's objectName, e.g. "Edit_Designacao"
    QString label; // "Designação : "
    FieldKind kind = FieldKind::Text;
    WidgetKind widget = WidgetKind::Line;
    int maxLength = 0;    // characters the input takes (text: the column's width)
    int width = 0;        // characters the input shows (4 to 30); 0: the widget's own width
    QString hint;         // first status panel while the input has the focus
    QString suffix;       // a label after the input, e.g. "(%)"
    QString emptyMessage; // set: the input may not be left empty
    qint64 min = 1;
    qint64 max = 0; // max >= min: the value must lie in [min, max]
    QString rangeMessage;
    bool positive = false; // numbers: 0 or less is refused with emptyMessage, as an empty input is
    QStringList allowed;   // set: the value must be one of these
    QString allowedMessage;
    QStringList choices; // WidgetKind::Choice
    bool checkWhileSettling = false;
    bool readOnly = false;
    LookupSpec lookup;
};

// Characters an input of the column takes: a text column's width, enough for
// any value of a numeric column, a day (dd/MM/yyyy) for a date column.
int inputLength(const db::Column& column);
// The conversion a column's values need.
FieldKind fieldKind(const db::Column& column);

// A rule for an input of a table's column: kind and length from the table's
// description. An unknown column is a programming error (reported, length 0).
FieldRule fieldOf(const db::Table& table, const QString& column, const QString& input,
                  const QString& label = {});
// Gives every rule its length (and, for plain text rules, its kind) from the
// table's description, so no input takes more than its column holds.
void describeFields(QList<FieldRule>& rules, const db::Table& table);

// Checks a typed text against the rule and converts it to the column's value.
// An empty text is accepted (as NULL, or "" for text) unless the rule says
// otherwise. False with the message to show; lookups are not consulted.
bool convertField(const FieldRule& rule, const QString& text, QVariant* value, QString* message);

// Whether two key values are the same key: numbers by value (when `a` is
// not text), texts trimmed and case-insensitively; NULL only matches NULL.
bool sameKey(const QVariant& a, const QVariant& b);

// The first row whose column holds the key: numbers compare by value, texts
// trimmed and case-insensitively; -1 when none does. Reads to the end of the
// dataset when it has to.
int findKey(db::Dataset& dataset, const QString& column, const QVariant& key);

// The same for a key typed to position a list on: a dataset read by key in
// the order of that column is positioned on the key without reading the rows
// before it (Dataset::seek: its rows then start at the key's row, the rows
// before it come with fetchBefore); a text key is sought as typed, then in
// upper and in lower case; when no row holds it, the dataset holds the rows
// from where it would be. Other datasets are searched as findKey does.
int seekKey(db::Dataset& dataset, const QString& column, const QVariant& key);

// The value shown in an input for a column value (numbers at 15 digits).
QString displayText(const QVariant& value);

} // namespace corvane::screens
