#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

class QAbstractItemModel;
class QModelIndex;

namespace corvane::components {

// How a field's values are read and compared.
enum class FieldKind {
    Text,    // starts with the value, case-insensitively; "%" stands for any run of characters
    Integer, // equal to a whole number
    Real,    // within 0.0001 of a number ("1.5" or "1,5")
    Date,    // the same day, typed dd/MM/yyyy
};

// A field the user may filter on: its name, the title shown for it, and the
// column of the model that holds its values.
struct FilterField {
    QString name;
    QString title;
    int column = -1;
    FieldKind kind = FieldKind::Text;
};

// How a condition line joins the lines before it ("E" / "Ou").
enum class FilterJoin { And, Or };

// One condition as the user wrote it: a field (by name) and a value
// expression. `join` ties it to the line before; the first line's is unused.
struct FilterLine {
    QString field;
    QString value;
    FilterJoin join = FilterJoin::And;

    friend bool operator==(const FilterLine&, const FilterLine&) = default;
};

// The value of a column in the row being tested.
using RowValues = std::function<QVariant(int column)>;

// A filter over rows already read, compiled from condition lines.
//
// A value expression is made of terms joined by the words "e" and "ou" (or
// "and" and "or"; in any case), "e" binding tighter than "ou". A term is:
//   nulo (null)  the field is empty;
//   'text'       a quoted value, kept as written (spaces, "e", "ou"
//                included); a quote inside is written twice: 'D''Almeida';
//   text         anything else up to the next joining word, spaces trimmed.
// Two plain texts joined by "e" that no value can start with at once
// ("Preto e Branco") are refused, pointing to the quotes.
// Condition lines are joined the same way: "E" before "Ou".
//
// The empty filter (no lines) takes every row.
class RowFilter {
public:
    RowFilter() = default;

    // Compiles the lines over the fields. A field not in the list, a value
    // that cannot be read for its field's kind or an expression that is not
    // well formed gives no filter, and the reason in `error` (in words for
    // the user, naming the field and the value).
    static std::optional<RowFilter> compile(const QList<FilterField>& fields, const QList<FilterLine>& lines,
                                            QString* error = nullptr);
    // Checks one line on its own (as compile would), without keeping it.
    static bool check(const QList<FilterField>& fields, const FilterLine& line, QString* error = nullptr);

    bool isEmpty() const { return lines_.isEmpty(); }
    // The lines the filter was compiled from, to show them again.
    const QList<FilterLine>& lines() const { return lines_; }

    bool matches(const RowValues& values) const;
    // The row of a model, read in `role` (a dataset model answers its values
    // in the display role).
    bool matches(const QAbstractItemModel& model, int row, const QModelIndex& parent,
                 int role = Qt::DisplayRole) const;

    // One term of a value expression, read for its field's kind.
    struct Term {
        bool null = false; // "null": the field is empty
        FieldKind kind = FieldKind::Text;
        QStringList pieces; // Text: the value cut at each "%"
        qint64 integer = 0;
        double real = 0;
        QDate date;
        bool matches(const QVariant& value) const;
    };
    // A value expression over one column: "or" of "and" groups of terms.
    struct Condition {
        int column = -1;
        std::vector<std::vector<Term>> anyOf;
        bool matches(const RowValues& values) const;
    };

private:
    QList<FilterLine> lines_;
    // The lines as "or" of "and" groups.
    std::vector<std::vector<Condition>> anyOf_;
};

// The message a refused value gets: "Valor inválido para <title>: <value>".
QString invalidValueMessage(const QString& title, const QString& value);
// The message of two plain texts joined by "e" that no value starts with at once.
QString neverBothMessage(const QString& title, const QString& first, const QString& second);

} // namespace corvane::components
