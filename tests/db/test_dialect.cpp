// The dialect's date expressions on both backends: the year and the month of
// a stored date-time, in a select, a WHERE and a GROUP BY.
#include "db/dialect.h"
#include "support/test_site.h"

#include <QtTest>

using namespace corvane;

class TestDialect : public QObject {
    Q_OBJECT
private slots:
    void yearAndMonth_data() { addBackendRows(); }
    void yearAndMonth() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend, QDate::currentDate(), setup::DemoCompany::New);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        const db::Table table{QStringLiteral("DATAS"),
                              {db::integer(QStringLiteral("CODIGO"), true),
                               db::datetime(QStringLiteral("DATA")), db::real(QStringLiteral("VALOR"))},
                              {QStringLiteral("CODIGO")},
                              QStringLiteral("PK_DATAS"),
                              {}};
        site.exec(db, db.dialect().createTable(table));
        const QList<QPair<QDateTime, double>> rows{{QDateTime(QDate(2025, 12, 31), QTime(23, 59, 59)), 1},
                                                   {QDateTime(QDate(2026, 1, 1), QTime(0, 0)), 2},
                                                   {QDateTime(QDate(2026, 1, 31), QTime(12, 30)), 4},
                                                   {QDateTime(QDate(2026, 10, 5), QTime(8, 0)), 8}};
        int code = 0;
        for (const auto& [date, value] : rows)
            site.exec(
                db, QStringLiteral("INSERT INTO DATAS (CODIGO, DATA, VALOR) VALUES (:C, :D, :V)"),
                {{QStringLiteral("C"), ++code}, {QStringLiteral("D"), date}, {QStringLiteral("V"), value}});
        site.exec(db, QStringLiteral("INSERT INTO DATAS (CODIGO, VALOR) VALUES (9, 16)"));
        const QString year = db.dialect().year(QStringLiteral("DATA"));
        const QString month = db.dialect().month(QStringLiteral("DATA"));
        const QList<QVariantList> sums = selectRows(
            db, QStringLiteral("SELECT %1, %2, SUM(VALOR) FROM DATAS WHERE DATA IS NOT NULL GROUP BY "
                               "%1, %2 ORDER BY %1 DESC, %2 DESC")
                    .arg(year, month));
        QCOMPARE(sums.size(), 3);
        const QList<QList<int>> expected{{2026, 10, 8}, {2026, 1, 6}, {2025, 12, 1}};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(sums[i].value(0).toInt(), expected[i][0]);
            QCOMPARE(sums[i].value(1).toInt(), expected[i][1]);
            QCOMPARE(sums[i].value(2).toDouble(), double(expected[i][2]));
        }
        // Usable in a condition with a bound value, and null for a null date.
        QCOMPARE(selectRows(
                     db,
                     QStringLiteral("SELECT COUNT(*) FROM DATAS WHERE %1 = :Y AND %2 = :M").arg(year, month),
                     {{QStringLiteral("Y"), 2026}, {QStringLiteral("M"), 1}})
                     .value(0)
                     .value(0)
                     .toInt(),
                 2);
        QVERIFY(selectRows(db, QStringLiteral("SELECT %1, %2 FROM DATAS WHERE CODIGO = 9").arg(year, month))
                    .value(0)
                    .value(0)
                    .isNull());
    }
};

QTEST_GUILESS_MAIN(TestDialect)
#include "test_dialect.moc"
