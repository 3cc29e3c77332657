#include "components/filter/filter_proxy_model.h"
#include "components/filter/row_filter.h"

#include <QDateTime>
#include <QStandardItemModel>
#include <QtTest>

using namespace corvane::components;

namespace {

// One field of each kind, each in its own column.
const QList<FilterField> kFields{
    {QStringLiteral("NOME"), QStringLiteral("Nome"), 0, FieldKind::Text},
    {QStringLiteral("NUMERO"), QStringLiteral("Número"), 1, FieldKind::Integer},
    {QStringLiteral("MARGEM"), QStringLiteral("Margem"), 2, FieldKind::Real},
    {QStringLiteral("DATA"), QStringLiteral("Data"), 3, FieldKind::Date},
};

const QString& fieldOf(FieldKind kind) {
    for (const FilterField& f : kFields)
        if (f.kind == kind)
            return f.name;
    Q_UNREACHABLE();
}

// Whether the expression on the field of that kind takes a row whose value
// in that field (and only there) is `value`.
bool takes(FieldKind kind, const QString& expression, const QVariant& value, QString* error = nullptr) {
    const std::optional<RowFilter> filter = RowFilter::compile(kFields, {{fieldOf(kind), expression}}, error);
    if (!filter)
        return false;
    const int column = static_cast<int>(kind);
    return filter->matches([&](int c) { return c == column ? value : QVariant(); });
}

QStandardItemModel* rowsModel(const QList<QVariantList>& rows, QObject* parent) {
    auto* model = new QStandardItemModel(0, 4, parent);
    for (const QVariantList& row : rows) {
        QList<QStandardItem*> items;
        for (const QVariant& v : row) {
            auto* item = new QStandardItem;
            item->setData(v, Qt::DisplayRole);
            items << item;
        }
        model->appendRow(items);
    }
    return model;
}

const QList<QVariantList> kRows{
    {QStringLiteral("SILVA & FILHOS"), 1, 10.5, QDate(2024, 3, 1)},
    {QStringLiteral("Casa SILVA"), 2, 12.0, QDate(2024, 3, 2)},
    {QStringLiteral("Silveira Lda"), 3, 10.5, QDate(2024, 3, 1)},
    {QStringLiteral("COSTA"), 3, 8.25, QVariant()},
    {QVariant(), 5, QVariant(), QDate(2023, 12, 31)},
};

// A model that holds `total` numbered rows and gives them `page` at a time,
// as a dataset model does; a stuck one never gives more than its first page;
// a late one learns it has no more rows only when a page comes empty.
class PagedModel : public QAbstractTableModel {
public:
    enum Kind { Exact, Stuck, Late };
    PagedModel(int total, int page, Kind kind = Exact) : total_(total), page_(page), kind_(kind) {
        shown_ = std::min(page, total);
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : shown_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& index, int role) const override {
        return role == Qt::DisplayRole ? QVariant(index.row() + 1) : QVariant();
    }
    bool canFetchMore(const QModelIndex& parent) const override {
        return !parent.isValid() && (kind_ == Late ? !ended_ : shown_ < total_);
    }
    void fetchMore(const QModelIndex& parent) override {
        if (parent.isValid() || kind_ == Stuck)
            return;
        if (shown_ == total_) {
            ended_ = true;
            return;
        }
        const int to = std::min(total_, shown_ + page_);
        beginInsertRows({}, shown_, to - 1);
        shown_ = to;
        endInsertRows();
    }
    // Back to the first page, as a reopened dataset.
    void restart() {
        beginResetModel();
        shown_ = std::min(page_, total_);
        endResetModel();
    }

private:
    int total_;
    int page_;
    Kind kind_;
    int shown_;
    bool ended_ = false;
};

const QList<FilterField> kNumberField{{QStringLiteral("N"), QStringLiteral("Nº"), 0, FieldKind::Integer}};

RowFilter numbers(const QString& expression) {
    QString error;
    std::optional<RowFilter> f =
        RowFilter::compile(kNumberField, {{QStringLiteral("N"), expression}}, &error);
    if (!f)
        qFatal("%s", qPrintable(error));
    return *f;
}

} // namespace

Q_DECLARE_METATYPE(FieldKind)

class TestRowFilter : public QObject {
    Q_OBJECT
private slots:
    void valueExpressions_data() {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("taken");
        const auto row = [](const char* name, FieldKind kind, const char* expression, QVariant value,
                            bool taken) {
            QTest::newRow(name) << kind << QString::fromUtf8(expression) << value << taken;
        };
        const auto text = [&row](const char* name, const char* expression, QVariant value, bool taken) {
            row(name, FieldKind::Text, expression, std::move(value), taken);
        };
        const QVariant silva(QStringLiteral("SILVA & FILHOS"));
        // Starts with, in any case.
        text("starts with", "SIL", silva, true);
        text("lower case typed", "sil", silva, true);
        text("lower case held", "SIL", QStringLiteral("silva"), true);
        text("accented letters in any case", "conceição", QStringLiteral("CONCEIÇÃO LDA"), true);
        text("not in the middle", "SIL", QStringLiteral("Casa SILVA"), false);
        text("longer than the value", "SILVAS", QStringLiteral("SILVA"), false);
        text("bare value with spaces", "SILVA & FILHOS", QStringLiteral("SILVA & FILHOS LDA"), true);
        text("bare value spaces kept", "SILVA &  FILHOS", silva, false);
        text("nothing held", "SIL", QVariant(), false);
        // Wildcard.
        text("wildcard", "S%FILHOS", silva, true);
        text("wildcard, rest differs", "S%FILHAS", silva, false);
        text("wildcard first", "%FILHOS", QStringLiteral("CASA FILHOS"), true);
        text("wildcards in turn", "S%A%S", silva, true);
        text("wildcards out of order", "S%FILHOS%VA", silva, false);
        text("wildcard over a space", "SILVA%&", silva, true);
        // null.
        text("null on NULL", "null", QVariant(), true);
        text("null on empty text", "NULL", QStringLiteral(""), true);
        text("null on blanks", "Null", QStringLiteral("   "), true);
        text("null on a value", "null", silva, false);
        text("quoted null is text", "'null'", QStringLiteral("nullable"), true);
        text("quoted null on NULL", "'null'", QVariant(), false);
        text("not null", "null or %", silva, true);
        // Quoted values.
        text("quoted and", "'SILVA and FILHOS'", QStringLiteral("Silva AND Filhos, Lda"), true);
        text("quoted and, not split", "'SILVA and FILHOS'", QStringLiteral("SILVA"), false);
        text("quoted or", "'A or B'", QStringLiteral("A or B"), true);
        text("quoted leading space", "' SILVA'", QStringLiteral(" SILVA"), true);
        text("quoted leading space, none held", "' SILVA'", silva, false);
        text("doubled quote", "'D''Almeida'", QStringLiteral("D'Almeida Lda"), true);
        text("doubled quote, other name", "'D''Almeida'", QStringLiteral("DAlmeida"), false);
        text("quoted or quoted", "'D''Almeida' or 'Costa e Silva'", QStringLiteral("Costa e Silva"), true);
        text("quoted wildcard", "'S%FILHOS'", silva, true);
        // and binds tighter than or: Z or (X and XY), not (Z or X) and XY.
        text("or of and: first", "Z or X and XY", QStringLiteral("Z1"), true);
        text("or of and: second", "Z or X and XY", QStringLiteral("XY1"), true);
        text("or of and: half", "Z or X and XY", QStringLiteral("X1"), false);
        text("or of and: none", "Z or X and XY", QStringLiteral("Y"), false);
        text("and of or: left", "XY and X or Z", QStringLiteral("XY"), true);
        text("and of or: right", "XY and X or Z", QStringLiteral("Z"), true);
        text("words in any case", "Z OR X AnD XY", QStringLiteral("XY1"), true);
        text("word inside a value", "ANDRADE or ORLANDO", QStringLiteral("ORLANDO"), true);
        // The words in Portuguese, as the buttons "E" and "Ou" say them.
        text("ou", "casa ou sil", QStringLiteral("Silveira"), true);
        text("ou e", "Z ou X e XY", QStringLiteral("XY1"), true);
        text("ou e: half", "Z ou X e XY", QStringLiteral("X1"), false);
        text("word inside a name", "EVA ou OURO", QStringLiteral("OURO FINO"), true);
        text("nulo", "nulo", QVariant(), true);
        text("quoted nulo is text", "'nulo'", QStringLiteral("nulo"), true);
        text("quoted e", "'Preto e Branco'", QStringLiteral("Preto e Branco 70x200"), true);

        row("integer equal", FieldKind::Integer, "12", 12, true);
        row("integer other", FieldKind::Integer, "12", 13, false);
        row("integer not starts with", FieldKind::Integer, "12", 120, false);
        row("integer held as real", FieldKind::Integer, "12", 12.0, true);
        row("integer held as fraction", FieldKind::Integer, "12", 12.5, false);
        row("integer held as text", FieldKind::Integer, "12", QStringLiteral("12"), true);
        row("integer long", FieldKind::Integer, "9000000001", qint64(9000000001), true);
        row("integer negative", FieldKind::Integer, "-5", -5, true);
        row("integer spaces", FieldKind::Integer, "  7  ", 7, true);
        row("integer or", FieldKind::Integer, "12 or 13", 13, true);
        row("integer ou", FieldKind::Integer, "12 ou 13", 13, true);
        row("integer e", FieldKind::Integer, "12 e 13", 13, false);
        row("integer nulo", FieldKind::Integer, "nulo ou 0", 0, true);
        row("integer and", FieldKind::Integer, "12 and 13", 13, false);
        row("integer null", FieldKind::Integer, "null", QVariant(), true);
        row("integer null, zero held", FieldKind::Integer, "null", 0, false);
        row("integer, NULL held", FieldKind::Integer, "0", QVariant(), false);
        row("real within", FieldKind::Real, "1", 1.00005, true);
        row("real below within", FieldKind::Real, "1", 0.99995, true);
        row("real beyond", FieldKind::Real, "1", 1.0002, false);
        row("real below beyond", FieldKind::Real, "1", 0.9998, false);
        row("real typed within", FieldKind::Real, "1.00005", 1.0, true);
        row("real comma", FieldKind::Real, "1,5", 1.5, true);
        row("real held as text", FieldKind::Real, "1.5", QStringLiteral("1.50003"), true);
        row("real held as integer", FieldKind::Real, "10", 10, true);
        row("real null", FieldKind::Real, "null", QVariant(), true);
        row("real or", FieldKind::Real, "8.25 or 12", 12.0, true);
        row("date equal", FieldKind::Date, "01/03/2024", QDate(2024, 3, 1), true);
        row("date short", FieldKind::Date, "1/3/2024", QDate(2024, 3, 1), true);
        row("date other day", FieldKind::Date, "01/03/2024", QDate(2024, 3, 2), false);
        row("date not month first", FieldKind::Date, "01/03/2024", QDate(2024, 1, 3), false);
        row("date with a time", FieldKind::Date, "01/03/2024", QDateTime(QDate(2024, 3, 1), QTime(15, 30)),
            true);
        row("date as ISO text", FieldKind::Date, "01/03/2024", QStringLiteral("2024-03-01"), true);
        row("date-time as ISO text", FieldKind::Date, "01/03/2024", QStringLiteral("2024-03-01 10:00:00"),
            true);
        row("date null", FieldKind::Date, "null", QVariant(), true);
        row("date, NULL held", FieldKind::Date, "01/03/2024", QVariant(), false);
        row("date or", FieldKind::Date, "31/12/2023 or 01/03/2024", QDate(2023, 12, 31), true);
    }
    void valueExpressions() {
        QFETCH(FieldKind, kind);
        QFETCH(QString, expression);
        QFETCH(QVariant, value);
        QFETCH(bool, taken);
        QString error;
        const bool matched = takes(kind, expression, value, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(matched, taken);
    }

    // A value that cannot be read for its field gives no filter, and the
    // message names the field and the value.
    void unreadableValuesAreRefused_data() {
        QTest::addColumn<FieldKind>("kind");
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, FieldKind kind, const char* expression, const char* message) {
            QTest::newRow(name) << kind << QString::fromUtf8(expression) << QString::fromUtf8(message);
        };
        row("letters for a number", FieldKind::Integer, "abc", "Valor inválido para Número: abc");
        row("second term", FieldKind::Integer, "12 or abc", "Valor inválido para Número: abc");
        row("fraction for a number", FieldKind::Integer, "1.5", "Valor inválido para Número: 1.5");
        row("quoted letters for a number", FieldKind::Integer, "'x y'", "Valor inválido para Número: x y");
        row("letters for a real", FieldKind::Real, "x1", "Valor inválido para Margem: x1");
        row("day not in month", FieldKind::Date, "31/02/2024", "Valor inválido para Data: 31/02/2024");
        row("ISO date", FieldKind::Date, "2024-03-01", "Valor inválido para Data: 2024-03-01");
        row("date without year", FieldKind::Date, "01/03", "Valor inválido para Data: 01/03");
        row("quote not closed", FieldKind::Text, "'SILVA", "Valor inválido para Nome: 'SILVA");
        row("quote in a bare value", FieldKind::Text, "D'Almeida", "Valor inválido para Nome: D'Almeida");
        row("text after a quoted value", FieldKind::Text, "'A' B", "Valor inválido para Nome: 'A' B");
        row("and at the end", FieldKind::Text, "SILVA and", "Valor inválido para Nome: SILVA and");
        row("or at the start", FieldKind::Text, "or SILVA", "Valor inválido para Nome: or SILVA");
        row("two words", FieldKind::Text, "A and or B", "Valor inválido para Nome: A and or B");
        row("nothing", FieldKind::Text, "  ", "Valor inválido para Nome: ");
    }
    void unreadableValuesAreRefused() {
        QFETCH(FieldKind, kind);
        QFETCH(QString, expression);
        QFETCH(QString, message);
        QString error;
        QVERIFY(!RowFilter::compile(kFields, {{fieldOf(kind), expression}}, &error));
        QCOMPARE(error, message);
        error.clear();
        QVERIFY(!RowFilter::check(kFields, {fieldOf(kind), expression}, &error));
        QCOMPARE(error, message);
        // A good line before it does not save the filter.
        QVERIFY(!RowFilter::compile(
            kFields, {{QStringLiteral("NOME"), QStringLiteral("S")}, {fieldOf(kind), expression}}));
    }

    // Two plain texts joined by "e" that no value starts with at once were
    // meant as one text: refused, pointing to the quotes, never 0 rows.
    void wordsJoiningTwoTexts() {
        QString error;
        QVERIFY(!RowFilter::compile(kFields, {{QStringLiteral("NOME"), QStringLiteral("Preto e Branco")}},
                                    &error));
        QCOMPARE(error,
                 neverBothMessage(QStringLiteral("Nome"), QStringLiteral("Preto"), QStringLiteral("Branco")));
        QVERIFY(error.contains(QStringLiteral("'Preto e Branco'")));
        QVERIFY(
            !RowFilter::check(kFields, {QStringLiteral("NOME"), QStringLiteral("A ou Preto and Branco")}));
        // One a start of the other, a wildcard, nulo: they can hold together.
        for (const char* fine : {"SIL e SILVA", "%LDA e S", "nulo e S", "Preto ou Branco"})
            QVERIFY2(RowFilter::check(kFields, {QStringLiteral("NOME"), QString::fromUtf8(fine)}), fine);
    }

    void unknownFieldIsRefused() {
        QString error;
        QVERIFY(!RowFilter::compile(kFields, {{QStringLiteral("VENDEDOR"), QStringLiteral("1")}}, &error));
        QCOMPARE(error, QStringLiteral("Campo desconhecido: VENDEDOR"));
        // Field names in any case.
        QVERIFY(RowFilter::compile(kFields, {{QStringLiteral("nome"), QStringLiteral("S")}}));
    }

    // Lines join with E (and) before Ou (or), each line a whole.
    void linesJoin() {
        auto taken = [](const QList<FilterLine>& lines) {
            QString error;
            const std::optional<RowFilter> filter = RowFilter::compile(kFields, lines, &error);
            if (!filter)
                qFatal("%s", qPrintable(error));
            QList<int> rows;
            for (int r = 0; r < kRows.size(); ++r)
                if (filter->matches([r](int c) { return kRows.at(r).value(c); }))
                    rows << r;
            return rows;
        };
        const FilterJoin E = FilterJoin::And, Ou = FilterJoin::Or;
        const QString name = QStringLiteral("NOME"), number = QStringLiteral("NUMERO"),
                      margin = QStringLiteral("MARGEM"), date = QStringLiteral("DATA");
        QCOMPARE(taken({{name, QStringLiteral("SIL")}}), (QList<int>{0, 2}));
        QCOMPARE(taken({{name, QStringLiteral("SIL")}, {number, QStringLiteral("3"), E}}), (QList<int>{2}));
        QCOMPARE(taken({{name, QStringLiteral("SIL")}, {number, QStringLiteral("3"), Ou}}),
                 (QList<int>{0, 2, 3}));
        // SIL Ou 3 E 10.5 is SIL or (3 and 10.5).
        QCOMPARE(taken({{name, QStringLiteral("SIL")},
                        {number, QStringLiteral("3"), Ou},
                        {margin, QStringLiteral("8.25"), E}}),
                 (QList<int>{0, 2, 3}));
        QCOMPARE(taken({{name, QStringLiteral("SIL")},
                        {number, QStringLiteral("3"), Ou},
                        {margin, QStringLiteral("10.5"), E}}),
                 (QList<int>{0, 2}));
        QCOMPARE(taken({{number, QStringLiteral("2"), E}, {name, QStringLiteral("C"), Ou}}),
                 (QList<int>{1, 3}));
        // A line's own "or" stays inside the line: (COSTA or Casa) and (02/03/2024 or null).
        QCOMPARE(
            taken({{name, QStringLiteral("COSTA or Casa")}, {date, QStringLiteral("02/03/2024 or null"), E}}),
            (QList<int>{1, 3}));
        // The same field twice.
        QCOMPARE(taken({{name, QStringLiteral("S")}, {name, QStringLiteral("%Lda"), E}}), (QList<int>{2}));
        QCOMPARE(taken({{name, QStringLiteral("null")}, {date, QStringLiteral("null"), Ou}}),
                 (QList<int>{3, 4}));
    }

    void emptyFilterTakesEveryRow() {
        const RowFilter none;
        QVERIFY(none.isEmpty());
        QVERIFY(none.matches([](int) { return QVariant(); }));
        const std::optional<RowFilter> compiled = RowFilter::compile(kFields, {});
        QVERIFY(compiled && compiled->isEmpty());
        const QList<FilterLine> lines{{QStringLiteral("NOME"), QStringLiteral("SIL")},
                                      {QStringLiteral("DATA"), QStringLiteral("null"), FilterJoin::Or}};
        const std::optional<RowFilter> some = RowFilter::compile(kFields, lines);
        QVERIFY(some && !some->isEmpty());
        QCOMPARE(some->lines(), lines);
    }

    void matchesAModelRow() {
        QObject owner;
        QStandardItemModel* model = rowsModel(kRows, &owner);
        const std::optional<RowFilter> f =
            RowFilter::compile(kFields, {{QStringLiteral("MARGEM"), QStringLiteral("10.5")}});
        QVERIFY(f);
        QVERIFY(f->matches(*model, 0, {}));
        QVERIFY(!f->matches(*model, 1, {}));
        // Values read in another role.
        model->item(1, 2)->setData(10.5, Qt::UserRole);
        QVERIFY(f->matches(*model, 1, {}, Qt::UserRole));
    }

    void proxyShowsTheRowsTaken() {
        QObject owner;
        QStandardItemModel* model = rowsModel(kRows, &owner);
        FilterProxyModel proxy;
        proxy.setSourceModel(model);
        QCOMPARE(proxy.rowCount(), 5);
        QVERIFY(!proxy.isFiltering());
        proxy.setFilter(*RowFilter::compile(kFields, {{QStringLiteral("NOME"), QStringLiteral("SIL")}}));
        QVERIFY(proxy.isFiltering());
        QCOMPARE(proxy.rowCount(), 2);
        QCOMPARE(proxy.index(0, 0).data().toString(), QStringLiteral("SILVA & FILHOS"));
        QCOMPARE(proxy.index(1, 0).data().toString(), QStringLiteral("Silveira Lda"));
        QCOMPARE(proxy.mapToSource(proxy.index(1, 0)).row(), 2);
        // Rows added and changed later are filtered too.
        model->appendRow({new QStandardItem(QStringLiteral("SILVANO")), new QStandardItem});
        QCOMPARE(proxy.rowCount(), 3);
        model->item(0, 0)->setData(QStringLiteral("ALVES"), Qt::DisplayRole);
        QCOMPARE(proxy.rowCount(), 2);
        // Another filter, then none.
        proxy.setFilter(*RowFilter::compile(kFields, {{QStringLiteral("NUMERO"), QStringLiteral("3 or 5")}}));
        QCOMPARE(proxy.rowCount(), 3);
        proxy.clear();
        QVERIFY(!proxy.isFiltering());
        QCOMPARE(proxy.rowCount(), 6);
    }

    // A source read in pages is read to its end before filtering.
    void proxyReadsEveryPage() {
        PagedModel source(50, 10);
        FilterProxyModel proxy;
        proxy.setSourceModel(&source);
        QCOMPARE(proxy.rowCount(), 10); // without a filter, pages come as the grid asks
        QVERIFY(proxy.setFilter(numbers(QStringLiteral("7 or 27 or 47"))));
        QVERIFY(proxy.readError().isEmpty());
        QCOMPARE(source.rowCount(), 50);
        QCOMPARE(proxy.rowCount(), 3);
        QCOMPARE(proxy.index(2, 0).data().toInt(), 47);
        // A reopened source is read again to its end while the filter holds.
        source.restart();
        QCOMPARE(proxy.rowCount(), 3);
        proxy.clear();
        QCOMPARE(proxy.rowCount(), 50);
        source.restart();
        QCOMPARE(proxy.rowCount(), 10);

        // Setting the source after the filter reads it too.
        PagedModel other(30, 4);
        proxy.setFilter(numbers(QStringLiteral("29")));
        proxy.setSourceModel(&other);
        QCOMPARE(proxy.rowCount(), 1);
        QCOMPARE(other.rowCount(), 30);
    }

    void fetchAllStopsOnAStuckModel() {
        QString error;
        PagedModel fine(25, 10);
        QVERIFY(fetchAll(fine, &error));
        QCOMPARE(fine.rowCount(), 25);
        // An empty last page is the end, not a failure.
        PagedModel late(30, 10, PagedModel::Late);
        QVERIFY(fetchAll(late, &error));
        QCOMPARE(late.rowCount(), 30);
        QVERIFY(!late.canFetchMore({}));
        QVERIFY(error.isEmpty());

        PagedModel stuck(25, 10, PagedModel::Stuck);
        QVERIFY(!fetchAll(stuck, &error));
        QCOMPARE(error, QStringLiteral("As linhas da lista não puderam ser lidas até ao fim."));
        QCOMPARE(stuck.rowCount(), 10);
        // The proxy filters the rows read and says why it stopped.
        FilterProxyModel proxy;
        proxy.setSourceModel(&stuck);
        QVERIFY(!proxy.setFilter(numbers(QStringLiteral("3 or 20"))));
        QCOMPARE(proxy.rowCount(), 1);
        QCOMPARE(proxy.readError(), error);
        proxy.clear();
        QVERIFY(proxy.readError().isEmpty());
        QCOMPARE(proxy.rowCount(), 10);
    }
};

QTEST_GUILESS_MAIN(TestRowFilter)
#include "test_row_filter.moc"
