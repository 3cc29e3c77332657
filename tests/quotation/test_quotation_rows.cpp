#include "quotation/store/quotation_rows.h"
#include "shell/version_tables.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::quotation;

namespace {

// The approval and ordering columns of ORCAMMAS: read, never written here.
const QStringList kApproval{"ENCANO",     "ENCSEMANA",  "ENCCNRO",  "DATAAPROV",      "APROVADO",
                            "PRECOAPROV", "VALORAPROV", "QTDAPROV", "MARGEMAPROVPRC", "MARGEMAPROVVAL"};

db::Table table(const QString& name) {
    for (const db::Table& t : shell::quotationTables())
        if (t.name == name)
            return t;
    qFatal("no table %s", qPrintable(name));
}

// A row with a different value in every column; a text fills its column.
QVariantMap fullRow(const db::Table& t) {
    QVariantMap row;
    int n = 0;
    for (const db::Column& c : t.columns) {
        ++n;
        switch (c.type) {
        case db::ColType::Text:
            row.insert(c.name, (c.name + QString(c.length, QLatin1Char('x'))).left(c.length));
            break;
        case db::ColType::Integer:
        case db::ColType::SmallInt:
            row.insert(c.name, n);
            break;
        case db::ColType::Float:
        case db::ColType::Money:
            row.insert(c.name, n + 0.25);
            break;
        case db::ColType::DateTime:
            row.insert(c.name, QDateTime(QDate(2026, 1, 1).addDays(n), QTime(0, 0)));
            break;
        }
    }
    return row;
}

// Every column of the table is read into the record and written back from
// it as it was, except those the record only reads and the key a satellite
// leaves to its caller.
template <class Record> void roundTrip(const QString& name, const QStringList& notWritten) {
    const db::Table t = table(name);
    const QVariantMap row = fullRow(t);
    const QVariantMap back = rows::values(rows::recordOf<Record>(row));
    QStringList expected;
    for (const db::Column& c : t.columns)
        if (!notWritten.contains(c.name))
            expected << c.name;
    QStringList written = back.keys();
    expected.sort();
    written.sort();
    QCOMPARE(written, expected);
    for (const QString& column : expected)
        QVERIFY2(back.value(column) == row.value(column), qPrintable(name + "." + column));
}

} // namespace

// Each quotation record has one column table, read and written both ways.
class TestQuotationRows : public QObject {
    Q_OBJECT
private slots:
    void everyColumnGoesBothWays() {
        roundTrip<OrcamMas>("ORCAMMAS", kApproval);
        roundTrip<OrcamCom>("ORCAMCOM", {"ORCNRO"});
        roundTrip<OrcamTransp>("ORCAMTRANSP", {"ORCNRO"});
        roundTrip<OrcamCndPgt>("ORCAMCNDPGT", {"ORCNRO"});
        roundTrip<OrcamDesc>("ORCAMDESC", {"ORCNRO"});
        roundTrip<OrcamTot>("ORCAMTOT", {"ORCNRO"});
    }

    // The approval is read into the master record and never written back.
    void approvalIsOnlyRead() {
        QVariantMap row = fullRow(table("ORCAMMAS"));
        row.insert("APROVADO", "s ");
        row.insert("ENCCNRO", 4711);
        const OrcamMas m = rows::recordOf<OrcamMas>(row);
        QVERIFY(m.approved());
        QCOMPARE(m.ENCCNRO, 4711);
        QCOMPARE(m.OBSERV1, row.value("OBSERV1").toString());
        const QVariantMap written = rows::values(m);
        for (const QString& column : kApproval)
            QVERIFY2(!written.contains(column), qPrintable(column));
    }

    // A text is written cut to its column's width; a null text as NULL; a
    // row's text read trimmed.
    void textsTakeTheirColumnsWidths() {
        OrcamMas m;
        m.OBSERV1 = QString(45, QLatin1Char('a'));
        m.CLINOM = QString(50, QLatin1Char('b'));
        m.OBSERV2 = QString();
        QVariantMap v = rows::values(m);
        QCOMPARE(v.value("OBSERV1").toString().size(), 40);
        QCOMPARE(v.value("CLINOM").toString().size(), 35);
        QVERIFY(v.value("OBSERV2").isNull());
        OrcamCom c;
        c.ROYNOM = QString(31, QLatin1Char('r'));
        QCOMPARE(rows::values(c).value("ROYNOM").toString().size(), 30);
        QCOMPARE(rows::columnText("ORCAMTRANSP", "METEXP", "Via marítima rápida").toString(),
                 QStringLiteral("Via marítima rá"));
        QCOMPARE(rows::recordOf<OrcamCom>({{"VNDNOM", "  Ana  "}}).VNDNOM, QStringLiteral("Ana"));
    }

    // Rows stored as written compare equal; one differing in a written
    // column does not, one differing only in an approval column does.
    void storedValuesCompareWhatIsWritten() {
        const QVariantMap row = fullRow(table("ORCAMMAS"));
        const OrcamMas m = rows::recordOf<OrcamMas>(row);
        QVariantMap approved = row;
        approved.insert("APROVADO", "S");
        QCOMPARE(rows::storedValues<OrcamMas>(approved), rows::values(m));
        QVariantMap changed = row;
        changed.insert("QUANT2", 999.0);
        QVERIFY(rows::storedValues<OrcamMas>(changed) != rows::values(m));
    }
};

QTEST_MAIN(TestQuotationRows)
#include "test_quotation_rows.moc"
