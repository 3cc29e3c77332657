#include "row_filter.h"

#include <QAbstractItemModel>
#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace corvane::components {

namespace {

constexpr double kRealTolerance = 0.0001;

// A term as written: its text (without the quotes) and whether it was quoted.
struct RawTerm {
    QString text;
    bool quoted = false;
};
// An expression cut into terms: "or" of "and" groups.
using RawExpression = std::vector<std::vector<RawTerm>>;

bool isWord(QStringView word, QLatin1StringView keyword) {
    return word.compare(keyword, Qt::CaseInsensitive) == 0;
}

// The joining words, in the program's language or in English.
bool isAnd(QStringView word) {
    return isWord(word, QLatin1StringView("e")) || isWord(word, QLatin1StringView("and"));
}
bool isOr(QStringView word) {
    return isWord(word, QLatin1StringView("ou")) || isWord(word, QLatin1StringView("or"));
}
bool isOperator(QStringView word) {
    return isAnd(word) || isOr(word);
}
bool isNull(QStringView word) {
    return isWord(word, QLatin1StringView("nulo")) || isWord(word, QLatin1StringView("null"));
}

// Cuts a value expression into its terms; nothing when it is not well formed
// (a term missing, a quote not closed, a quote inside a bare value, text
// straight after a quoted value).
std::optional<RawExpression> cut(const QString& expression) {
    RawExpression out(1);
    const qsizetype n = expression.size();
    qsizetype i = 0;
    auto skipSpaces = [&] {
        while (i < n && expression.at(i).isSpace())
            ++i;
    };
    // The word starting at i; leaves i after it.
    auto word = [&] {
        const qsizetype start = i;
        while (i < n && !expression.at(i).isSpace())
            ++i;
        return QStringView(expression).mid(start, i - start);
    };
    for (;;) {
        skipSpaces();
        if (i >= n)
            return std::nullopt; // no term where one is due
        RawTerm term;
        if (expression.at(i) == QLatin1Char('\'')) {
            ++i;
            bool closed = false;
            while (i < n && !closed) {
                const QChar c = expression.at(i++);
                if (c != QLatin1Char('\''))
                    term.text += c;
                else if (i < n && expression.at(i) == QLatin1Char('\''))
                    term.text += expression.at(i++);
                else
                    closed = true;
            }
            if (!closed || (i < n && !expression.at(i).isSpace()))
                return std::nullopt;
            term.quoted = true;
        } else {
            const qsizetype start = i;
            qsizetype end = i;
            while (i < n) {
                const qsizetype at = i;
                const QStringView w = word();
                if (isOperator(w)) {
                    i = at;
                    break;
                }
                if (w.contains(QLatin1Char('\'')))
                    return std::nullopt;
                end = i;
                skipSpaces();
            }
            if (end == start)
                return std::nullopt; // an operator where a term is due
            term.text = expression.mid(start, end - start);
        }
        out.back().push_back(std::move(term));
        skipSpaces();
        if (i >= n)
            return out;
        const QStringView op = word();
        if (isOr(op))
            out.emplace_back();
        else if (!isAnd(op))
            return std::nullopt;
    }
}

// Reads one term for the field's kind; nothing when the value cannot be read.
std::optional<RowFilter::Term> readTerm(const RawTerm& raw, FieldKind kind) {
    RowFilter::Term term;
    term.kind = kind;
    if (!raw.quoted && isNull(raw.text)) {
        term.null = true;
        return term;
    }
    const QString text = raw.text.trimmed();
    bool ok = true;
    switch (kind) {
    case FieldKind::Text:
        term.pieces = raw.text.split(QLatin1Char('%'));
        break;
    case FieldKind::Integer:
        term.integer = text.toLongLong(&ok);
        break;
    case FieldKind::Real: {
        QString number = text;
        if (!number.contains(QLatin1Char('.')) && number.count(QLatin1Char(',')) == 1)
            number.replace(QLatin1Char(','), QLatin1Char('.'));
        term.real = number.toDouble(&ok);
        ok = ok && std::isfinite(term.real);
        break;
    }
    case FieldKind::Date:
        term.date = QDate::fromString(text, QStringLiteral("d/M/yyyy"));
        ok = term.date.isValid();
        break;
    }
    if (!ok)
        return std::nullopt;
    return term;
}

bool isEmptyValue(const QVariant& v) {
    if (v.isNull())
        return true;
    return v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty();
}

bool isWhole(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

// The day of a date, a date-time or a date written as ISO text.
QDate dayOf(const QVariant& v) {
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString s = v.toString().trimmed();
    const QDate iso = QDate::fromString(s.left(10), Qt::ISODate);
    return iso.isValid() ? iso : QDate::fromString(s, QStringLiteral("d/M/yyyy"));
}

// Whether the text starts with the pieces in turn, anything between them.
bool startsWithPieces(const QString& text, const QStringList& pieces) {
    qsizetype at = 0;
    for (qsizetype k = 0; k < pieces.size(); ++k) {
        const QString& piece = pieces.at(k);
        if (k == 0) {
            if (!text.startsWith(piece, Qt::CaseInsensitive))
                return false;
            at = piece.size();
            continue;
        }
        const qsizetype found = text.indexOf(piece, at, Qt::CaseInsensitive);
        if (found < 0)
            return false;
        at = found + piece.size();
    }
    return true;
}

// Whether in some group every item holds.
template <typename T, typename Holds>
bool anyGroupHolds(const std::vector<std::vector<T>>& groups, Holds holds) {
    return std::any_of(groups.begin(), groups.end(), [&](const std::vector<T>& group) {
        return std::all_of(group.begin(), group.end(), holds);
    });
}

const FilterField* fieldNamed(const QList<FilterField>& fields, const QString& name) {
    for (const FilterField& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

// Two plain texts joined by "e" that no value can start with at once, as in
// "Preto e Branco" meant as one text: the first pair, or nothing.
std::optional<std::pair<QString, QString>> neverBoth(const std::vector<RawTerm>& group) {
    for (std::size_t a = 0; a < group.size(); ++a)
        for (std::size_t b = a + 1; b < group.size(); ++b) {
            const QString x = group[a].text.trimmed(), y = group[b].text.trimmed();
            if (x.contains(QLatin1Char('%')) || y.contains(QLatin1Char('%')) || isNull(x) || isNull(y))
                continue;
            if (!x.startsWith(y, Qt::CaseInsensitive) && !y.startsWith(x, Qt::CaseInsensitive))
                return std::pair{x, y};
        }
    return std::nullopt;
}

std::optional<RowFilter::Condition> compileLine(const QList<FilterField>& fields, const FilterLine& line,
                                                QString* error) {
    auto refuse = [error](const QString& message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    const FilterField* field = fieldNamed(fields, line.field);
    if (!field)
        return refuse(QStringLiteral("Campo desconhecido: %1").arg(line.field));
    const std::optional<RawExpression> raw = cut(line.value);
    if (!raw)
        return refuse(invalidValueMessage(field->title, line.value.trimmed()));
    RowFilter::Condition condition;
    condition.column = field->column;
    for (const std::vector<RawTerm>& group : *raw) {
        if (field->kind == FieldKind::Text)
            if (const auto pair = neverBoth(group))
                return refuse(neverBothMessage(field->title, pair->first, pair->second));
        std::vector<RowFilter::Term>& terms = condition.anyOf.emplace_back();
        for (const RawTerm& r : group) {
            std::optional<RowFilter::Term> term = readTerm(r, field->kind);
            if (!term)
                return refuse(invalidValueMessage(field->title, r.text));
            terms.push_back(std::move(*term));
        }
    }
    return condition;
}

} // namespace

QString invalidValueMessage(const QString& title, const QString& value) {
    return QStringLiteral("Valor inválido para %1: %2").arg(title, value);
}

QString neverBothMessage(const QString& title, const QString& first, const QString& second) {
    return QStringLiteral("%1 não pode começar por \"%2\" e por \"%3\" ao mesmo tempo.\n"
                          "Para procurar um texto com \"e\" ou \"ou\", escreva-o entre plicas: '%2 e %3'")
        .arg(title, first, second);
}

bool RowFilter::Term::matches(const QVariant& value) const {
    if (isEmptyValue(value))
        return null;
    if (null)
        return false;
    switch (kind) {
    case FieldKind::Text:
        return startsWithPieces(value.toString(), pieces);
    case FieldKind::Integer: {
        if (isWhole(value))
            return value.toLongLong() == integer;
        bool ok = false;
        const double d = value.toString().trimmed().toDouble(&ok);
        return ok && d == static_cast<double>(integer);
    }
    case FieldKind::Real: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        return ok && std::abs(d - real) < kRealTolerance;
    }
    case FieldKind::Date:
        return dayOf(value) == date;
    }
    return false;
}

bool RowFilter::Condition::matches(const RowValues& values) const {
    const QVariant value = values(column);
    return anyGroupHolds(anyOf, [&](const Term& t) { return t.matches(value); });
}

std::optional<RowFilter> RowFilter::compile(const QList<FilterField>& fields, const QList<FilterLine>& lines,
                                            QString* error) {
    RowFilter filter;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        std::optional<Condition> condition = compileLine(fields, lines.at(i), error);
        if (!condition)
            return std::nullopt;
        if (i == 0 || lines.at(i).join == FilterJoin::Or)
            filter.anyOf_.emplace_back();
        filter.anyOf_.back().push_back(std::move(*condition));
    }
    filter.lines_ = lines;
    return filter;
}

bool RowFilter::check(const QList<FilterField>& fields, const FilterLine& line, QString* error) {
    return compileLine(fields, line, error).has_value();
}

bool RowFilter::matches(const RowValues& values) const {
    return anyOf_.empty() || anyGroupHolds(anyOf_, [&](const Condition& c) { return c.matches(values); });
}

bool RowFilter::matches(const QAbstractItemModel& model, int row, const QModelIndex& parent, int role) const {
    return matches([&](int column) { return model.data(model.index(row, column, parent), role); });
}

} // namespace corvane::components
