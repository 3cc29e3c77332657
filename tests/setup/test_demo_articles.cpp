// The demo company's articles and the tables around them, on both backends.
#include "support/test_site.h"

#include "articles/store/article_store.h"
#include "articles/store/article_tables.h"
#include "setup/site_setup.h"

#include <QSet>
#include <QSqlQuery>
#include <QtTest>

using namespace corvane;

namespace {

const QString kBase = QStringLiteral("CHC.LA.LISO.");

QStringList column(db::Database& db, const QString& sql, const QVariantMap& params = {}) {
    QStringList out;
    for (const QVariantList& row : selectRows(db, sql, params))
        out << row.value(0).toString().trimmed();
    return out;
}

int count(db::Database& db, const QString& sql, const QVariantMap& params = {}) {
    return column(db, sql, params).value(0).toInt();
}

QSet<QString> setOf(const QStringList& list) {
    return QSet<QString>(list.cbegin(), list.cend());
}

} // namespace

class TestDemoArticles : public QObject {
    Q_OBJECT
private slots:
    // Each database describes each table once; the article table is the articles' one.
    void siteTablesDescribedOnce() {
        for (const QList<db::Table>& tables :
             {setup::invoicingDatabaseTables(), setup::accountingDatabaseTables()}) {
            QStringList names;
            for (const db::Table& t : tables)
                names << t.name.toUpper();
            QCOMPARE(setOf(names).size(), names.size());
        }
        bool found = false;
        for (const db::Table& t : setup::invoicingDatabaseTables())
            if (t.name == QLatin1String("ARTIGOSCLS")) {
                found = true;
                QCOMPARE(t.columnNames(), articles::artigosClsTable().columnNames());
            }
        QVERIFY(found);
        QStringList centre;
        for (const db::Table& t : setup::accountingDatabaseTables())
            if (t.name == QLatin1String("CCUSTO"))
                centre = t.columnNames();
        QVERIFY(centre.contains(QStringLiteral("TIPO")));
    }

    void articlesAndTheirClassification_data() { addBackendRows(); }
    void articlesAndTheirClassification() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& f = site.invoicing();

        QVERIFY(count(f, QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS WHERE GRELHA = 'N'")) >= 200);
        QSet<QString> types;
        for (int t = 1; t <= 11; ++t)
            types << QString::number(t);
        QCOMPARE(
            setOf(column(f, QStringLiteral("SELECT DISTINCT TIPOARTIGO FROM ARTIGOSCLS WHERE GRELHA = 'N'"))),
            types);
        // Types compare as text.
        QCOMPARE(setOf(column(
                     f, QStringLiteral("SELECT DISTINCT TIPOARTIGO FROM ARTIGOSCLS WHERE TIPOARTIGO < '6'"))),
                 (QSet<QString>{"1", "2", "3", "4", "5", "10", "11"}));

        // The fixed columns of the ordinary articles, and their units.
        QCOMPARE(count(f, QStringLiteral(
                              "SELECT COUNT(*) FROM ARTIGOSCLS WHERE GRELHA = 'N' AND (MEDIDAS <> 'S' OR "
                              "ROTURA <> 'N' OR DESCONTINUADO <> 'N' OR UTIL_ABERTURA <> 'DEMO' OR "
                              "DTABERTURA IS NULL OR CODIGOGRELHA <> 0 OR COALESCE(FICHABASE, '') <> '' "
                              "OR COALESCE(UNVENDA, '') = '' OR COALESCE(UNCOMPRA, '') = '' OR "
                              "COALESCE(UNCONV, '') = '' OR COALESCE(FAMILIA, '') = '' OR "
                              "COALESCE(DESIGNACAO, '') = '' OR USA_EXIST IS NULL)")),
                 0);
        // Products have measures and weights; a few have a technical sheet.
        QCOMPARE(count(f, QStringLiteral(
                              "SELECT COUNT(*) FROM ARTIGOSCLS WHERE TIPOARTIGO = '1' AND (COMPRIM <= 0 OR "
                              "LARGURA <= 0 OR ALTURA <= 0 OR PESO <= 0 OR PRECO1 <= 0)")),
                 0);
        const int sheets = count(f, QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS WHERE FICTEC = 'S'"));
        QVERIFY(sheets > 0 && sheets < 10);
        QCOMPARE(count(f, QStringLiteral(
                              "SELECT COUNT(*) FROM ARTIGOSCLS WHERE FICTEC = 'S' AND TIPOARTIGO <> '1'")),
                 0);
        // Yarns: raw materials with a count and their prices.
        QVERIFY(count(f, QStringLiteral(
                             "SELECT COUNT(*) FROM ARTIGOSCLS WHERE TIPOARTIGO = '6' AND NEFIO > 0")) >= 20);
        QCOMPARE(count(f, QStringLiteral(
                              "SELECT COUNT(*) FROM ARTIGOSCLS WHERE NEFIO > 0 AND (TIPOARTIGO <> '6' OR "
                              "CUSTOPADRAO <= 0 OR PMCUSTO <= 0 OR PULENTRA <= 0)")),
                 0);
        QCOMPARE(column(f, QStringLiteral("SELECT TIPOARTIGO || '/' || NEFIO FROM ARTIGOSCLS WHERE CODIGO = "
                                          "'FIO.ACR2/28'")),
                 QStringList{QStringLiteral("6/28")});
        // The material families other screens select by range.
        QVERIFY(count(f, QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS WHERE TIPOMAT BETWEEN 21 AND 40")) >=
                5);
        QVERIFY(
            count(f, QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS WHERE TIPOMAT BETWEEN 100 AND 119 AND "
                                    "LARGURA > 0")) >= 2);
        QVERIFY(count(f, QStringLiteral(
                             "SELECT COUNT(*) FROM ARTIGOSCLS WHERE TIPOMAT BETWEEN 120 AND 139")) >= 6);
        QCOMPARE(count(f, QStringLiteral(
                              "SELECT COUNT(*) FROM ARTIGOSCLS WHERE CODIGO LIKE 'EMB.%' AND TIPOARTIGO "
                              "NOT IN ('8', '10')")),
                 0);
        QVERIFY(count(f, QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS WHERE TIPOARTIGO = '3'")) >= 3);

        // The grid: its variants between the base and the base + "9999", no ordinary article there.
        const QVariantMap range{{QStringLiteral("B"), kBase},
                                {QStringLiteral("E"), kBase + QStringLiteral("9999")}};
        QCOMPARE(kBase.size(), 12);
        const QStringList variants = column(
            f, QStringLiteral("SELECT CODIGO FROM ARTIGOSCLS WHERE CODIGO >= :B AND CODIGO <= :E"), range);
        QVERIFY(variants.size() >= 4);
        QCOMPARE(setOf(variants),
                 setOf(column(f, QStringLiteral("SELECT CODIGO FROM ARTIGOSCLS WHERE GRELHA <> 'N'"))));
        QCOMPARE(count(f,
                       QStringLiteral(
                           "SELECT COUNT(*) FROM ARTIGOSCLS WHERE GRELHA <> 'N' AND (FICHABASE <> :B OR "
                           "COALESCE(CORDES, '') = '' OR COALESCE(TAMDES, '') = '' OR "
                           "SUBSTR(CODIGO, 1, 12) <> :B)"),
                       {{QStringLiteral("B"), kBase}}),
                 0);

        // Everything an article names exists.
        for (const char* sql : {"SELECT COUNT(*) FROM ARTIGOSCLS A WHERE NOT EXISTS (SELECT 1 FROM FAMILIAS "
                                "F WHERE F.FAMILIA = "
                                "A.FAMILIA)",
                                "SELECT COUNT(*) FROM ARTIGOSCLS A WHERE NOT EXISTS (SELECT 1 FROM IVA I "
                                "WHERE I.CODIGO = A.CODIVA)",
                                "SELECT COUNT(*) FROM ARTIGOSCLS A WHERE A.COMISSAO <> 0 AND NOT EXISTS "
                                "(SELECT 1 FROM COMISSOES C "
                                "WHERE C.CODIGO = A.COMISSAO)",
                                "SELECT COUNT(*) FROM ARTIGOSCLS A WHERE A.COMPOSICAO <> 0 AND NOT EXISTS "
                                "(SELECT 1 FROM ARTGCOMP C "
                                "WHERE C.CODIGO = A.COMPOSICAO)",
                                "SELECT COUNT(*) FROM ARTIGOSCLS A WHERE COALESCE(A.POSPAUTAL, '') <> '' AND "
                                "NOT EXISTS (SELECT 1 "
                                "FROM PPAUTAL P WHERE P.CODIGO = A.POSPAUTAL)",
                                "SELECT COUNT(*) FROM STKARTGFORN S JOIN ARTIGOSCLS A ON A.CODIGO = "
                                "S.CODARTG WHERE A.TIPOARTIGO = '1'",
                                "SELECT COUNT(*) FROM STKARTGFORN S WHERE NOT EXISTS (SELECT 1 FROM "
                                "FORNECEDORES F WHERE F.CODIGO = "
                                "S.CODFORN)",
                                "SELECT COUNT(*) FROM ARTIGOSMOE M WHERE NOT EXISTS (SELECT 1 FROM "
                                "ARTIGOSCLS A WHERE A.CODIGO = "
                                "M.ARTIGO)",
                                "SELECT COUNT(*) FROM ARTIGOSPAIS P WHERE NOT EXISTS (SELECT 1 FROM PAISES C "
                                "WHERE C.PAIS = P.PAIS)",
                                "SELECT COUNT(*) FROM IVA WHERE PRCIVA NOT IN (23, 13, 6, 0)"})
            QVERIFY2(count(f, QString::fromUtf8(sql)) == 0, sql);
        QVERIFY(count(f, QStringLiteral("SELECT COUNT(*) FROM STKARTGFORN")) >= 3);
        QVERIFY(count(f, QStringLiteral("SELECT COUNT(*) FROM ARTIGOSMOE")) > 0);
        QVERIFY(count(f, QStringLiteral("SELECT COUNT(*) FROM ARTIGOSPAIS")) > 0);
        const QSet<QString> countries{QStringLiteral("PORTUGAL"), QStringLiteral("ESPANHA"),
                                      QStringLiteral("FRANÇA"),   QStringLiteral("ALEMANHA"),
                                      QStringLiteral("ITALIA"),   QStringLiteral("REINO UNIDO")};
        QVERIFY(setOf(column(f, QStringLiteral("SELECT PAIS FROM PAISES"))).contains(countries));

        // The classification: each article's levels hold values of its type's group in PORTUGAL.
        QSqlQuery par(f.sql());
        QVERIFY(f.exec(par, QStringLiteral("SELECT * FROM PARCUSTOM WHERE CODIGO = '1'"), {}, nullptr) &&
                par.next());
        QCOMPARE(par.value(QStringLiteral("REFARTIGO")).toString().trimmed(), QStringLiteral("N"));
        QCOMPARE(par.value(QStringLiteral("PAISBASE")).toString().trimmed(), QStringLiteral("PORTUGAL"));
        QHash<QString, QString> groupOf;
        for (int t = 1; t <= 11; ++t)
            groupOf.insert(QString::number(t),
                           par.value(QStringLiteral("GRUPOTIPO%1").arg(t)).toString().trimmed());
        QCOMPARE(groupOf.value("1"), groupOf.value("4"));
        QVERIFY(groupOf.value("6") != groupOf.value("1"));
        QSet<QString> captions, values;
        QSqlQuery q(f.sql());
        QVERIFY(f.exec(q, QStringLiteral("SELECT TABGRUPO, TABCOD, TABNOM FROM PARGRUPOS"), {}, nullptr));
        while (q.next()) {
            QVERIFY(!q.value(2).toString().trimmed().isEmpty());
            captions << q.value(0).toString().trimmed() + q.value(1).toString().trimmed();
        }
        QVERIFY(
            f.exec(q, QStringLiteral("SELECT TABGRUPO, TABCOD, CODIGO FROM CUSTARTG WHERE PAIS = 'PORTUGAL'"),
                   {}, nullptr));
        while (q.next())
            values << QStringLiteral("%1%2/%3")
                          .arg(q.value(0).toString().trimmed(), q.value(1).toString().trimmed())
                          .arg(q.value(2).toInt());
        for (const QString& other : {QStringLiteral("ESPANHA"), QStringLiteral("FRANÇA")})
            QVERIFY(count(f, QStringLiteral("SELECT COUNT(*) FROM CUSTARTG WHERE PAIS = :P"),
                          {{QStringLiteral("P"), other}}) > 0);
        QVERIFY(f.exec(
            q,
            QStringLiteral("SELECT CODIGO, TIPOARTIGO, CUSTOM1, CUSTOM2, CUSTOM3, CUSTOM4, CUSTOM5, CUSTOM6, "
                           "CUSTOM7, CUSTOM8, CUSTOM9 FROM ARTIGOSCLS"),
            {}, nullptr));
        while (q.next()) {
            const QString group = groupOf.value(q.value(1).toString().trimmed());
            QVERIFY(!group.isEmpty());
            QVERIFY2(q.value(2).toInt() != 0, qPrintable(q.value(0).toString()));
            for (int n = 1; n <= 9; ++n) {
                const int v = q.value(1 + n).toInt();
                if (v == 0)
                    continue;
                const QString level = group + QString::number(n);
                QVERIFY2(captions.contains(level),
                         qPrintable(q.value(0).toString() + QLatin1Char(' ') + level));
                QVERIFY2(values.contains(QStringLiteral("%1/%2").arg(level).arg(v)),
                         qPrintable(q.value(0).toString() + QLatin1Char(' ') + level));
            }
        }

        // Cost centres: the articles' and the families' are of this year and of type "L".
        const QString year = QString::number(QDate::currentDate().year());
        const QSet<QString> centres =
            setOf(column(site.accounting(),
                         QStringLiteral("SELECT CODIGO FROM CCUSTO WHERE ANO = :A AND TIPO = "
                                        "'L'"),
                         {{QStringLiteral("A"), year}}));
        QVERIFY(count(site.accounting(),
                      QStringLiteral("SELECT COUNT(*) FROM CCUSTO WHERE ANO = :A AND TIPO <> 'L'"),
                      {{QStringLiteral("A"), year}}) > 0);
        for (const char* sql : {"SELECT DISTINCT CCUSTO FROM ARTIGOSCLS", "SELECT CCUSTO FROM FAMILIAS",
                                "SELECT CCUSTOMERC FROM FAMILIAS", "SELECT CCUSTOSERV FROM FAMILIAS"})
            for (const QString& c : column(f, QString::fromLatin1(sql)))
                QVERIFY2(centres.contains(c), qPrintable(c));

        // Currencies: four this year, one more only the year before.
        const QString sql = QStringLiteral("SELECT DESCRI FROM cntpmoeda WHERE ANO = :A");
        const QSet<QString> now = setOf(column(site.accounting(), sql, {{QStringLiteral("A"), year}}));
        QCOMPARE(now, (QSet<QString>{"EUR", "USD", "GBP", "CHF"}));
        const QSet<QString> before =
            setOf(column(site.accounting(), sql, {{QStringLiteral("A"), QString::number(year.toInt() - 1)}}));
        QVERIFY(before.contains(now));
        QCOMPARE(before.size(), now.size() + 1);

        // The invoicing parameters let every check of the article screen run.
        QCOMPARE(
            column(f,
                   QStringLiteral("SELECT STOCKS || ENCOMENDAS || CONTABILIDADE FROM PARGER WHERE ANO = :A"),
                   {{QStringLiteral("A"), year}}),
            QStringList{QStringLiteral("SSS")});
    }

    // An article for each deletion guard, and an unused one of every type.
    void usageOfArticles_data() { addBackendRows(); }
    void usageOfArticles() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        articles::ArticleStore store(site.invoicing());
        const QStringList used =
            column(site.invoicing(),
                   QStringLiteral("SELECT ARTIGO FROM FACMOVDET GROUP BY ARTIGO HAVING COUNT(*) = 3"));
        QVERIFY(!used.isEmpty());
        QCOMPARE(store.usageCount(articles::UsageKind::Invoices, used.first()), std::optional<int>(3));
        QCOMPARE(store.usageCount(articles::UsageKind::Stock, used.first()), std::optional<int>(0));
        QCOMPARE(store.usageCount(articles::UsageKind::Orders, used.first()), std::optional<int>(0));
        const QStringList ordered =
            column(site.invoicing(), QStringLiteral("SELECT DISTINCT ARTIGO FROM ENCCLIDET"));
        QVERIFY(!ordered.isEmpty());
        QCOMPARE(store.usageCount(articles::UsageKind::Stock, ordered.first()), std::optional<int>(0));
        QVERIFY(store.usageCount(articles::UsageKind::Orders, ordered.first()).value_or(0) > 0);
        const QStringList moved =
            column(site.invoicing(), QStringLiteral("SELECT DISTINCT ARTNRO FROM STKMOV"));
        QVERIFY(!moved.isEmpty());
        QVERIFY(store.usageCount(articles::UsageKind::Stock, moved.first()).value_or(0) > 0);
        QVERIFY(count(site.invoicing(), QStringLiteral("SELECT COUNT(*) FROM STKARTGARMZ")) > 0);
        // Every type has an ordinary article nothing names and without a technical sheet.
        const QStringList free = column(
            site.invoicing(),
            QStringLiteral(
                "SELECT DISTINCT A.TIPOARTIGO FROM ARTIGOSCLS A WHERE A.GRELHA = 'N' AND "
                "COALESCE(A.FICTEC, 'N') <> 'S' AND NOT EXISTS (SELECT 1 FROM STKMOV S WHERE S.ARTNRO = "
                "A.CODIGO) AND NOT EXISTS (SELECT 1 FROM ENCCLIDET E WHERE E.ARTIGO = A.CODIGO) AND NOT "
                "EXISTS (SELECT 1 FROM FACMOVDET F WHERE F.ARTIGO = A.CODIGO)"));
        QCOMPARE(setOf(free).size(), 11);
    }

    // No text of the demo is wider than its column (PostgreSQL refuses it; SQLite would keep it).
    void textsFitTheirColumns_data() { addBackendRows(); }
    void textsFitTheirColumns() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        const struct {
            db::Database* db;
            QList<db::Table> tables;
        } dbs[] = {{&site.invoicing(), setup::invoicingDatabaseTables()},
                   {&site.accounting(), setup::accountingDatabaseTables()}};
        for (const auto& d : dbs)
            for (const db::Table& t : d.tables)
                for (const db::Column& c : t.columns)
                    if (c.type == db::ColType::Text && c.length > 0)
                        QVERIFY2(count(*d.db, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE LENGTH(%2) > %3")
                                                  .arg(t.name, c.name)
                                                  .arg(c.length)) == 0,
                                 qPrintable(t.name + QLatin1Char('.') + c.name));
    }
};

QTEST_GUILESS_MAIN(TestDemoArticles)
#include "test_demo_articles.moc"
