#include "article_fixture.h"

#include "articles/store/article_tables.h"

using namespace corvane;

ArticleFixture::ArticleFixture(const QString& backend) : ScreenFixture(backend) {
    if (ready())
        arrange();
}

void ArticleFixture::insert(db::Database& db, const QString& table, const QVariantMap& row) {
    QStringList params;
    for (const QString& c : row.keys())
        params << QLatin1Char(':') + c;
    site.exec(db,
              QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(table, row.keys().join(QLatin1Char(',')), params.join(QLatin1Char(','))),
              row);
}

void ArticleFixture::article(const QString& code, const QString& type, const QString& design,
                             const QVariantMap& more) {
    QVariantMap row{{"CODIGO", code},
                    {"DESIGNACAO", design},
                    {"TIPOARTIGO", type},
                    {"GRELHA", "N"},
                    {"FICTEC", "N"},
                    {"UNVENDA", "Und"},
                    {"UNCOMPRA", "Und"},
                    {"CODIVA", 1},
                    {"FAMILIA", "GORROS"},
                    {"DTABERTURA", QDateTime(QDate(2020, 3, 2), QTime(0, 0))},
                    {"UTIL_ABERTURA", "ANTIGO"}};
    row.insert(more);
    insert(factura(), QStringLiteral("ARTIGOSCLS"), row);
}

void ArticleFixture::arrange() {
    db::Database& f = factura();
    for (const db::Table& t : articles::articleInvoicingTables()) {
        site.exec(f, QStringLiteral("DROP TABLE IF EXISTS %1").arg(t.name));
        site.exec(f, f.dialect().createTable(t));
        for (const QString& ix : f.dialect().createIndexes(t))
            site.exec(f, ix);
    }
    db::Database& c = contab();
    if (!c.dialect().columnExists(c.sql(), QStringLiteral("CCUSTO"), QStringLiteral("TIPO")))
        site.exec(c, c.dialect().addColumn(QStringLiteral("CCUSTO"), db::text(QStringLiteral("TIPO"), 1)));
    site.exec(c, QStringLiteral("DELETE FROM CCUSTO"));
    insert(c, "CCUSTO", {{"ANO", year()}, {"CODIGO", "3210"}, {"DESIGN", "Tecelagem"}, {"TIPO", "L"}});
    insert(c, "CCUSTO", {{"ANO", year()}, {"CODIGO", "3310"}, {"DESIGN", "Tricotagem"}, {"TIPO", "L"}});
    insert(c, "CCUSTO", {{"ANO", year()}, {"CODIGO", "3900"}, {"DESIGN", "Geral"}, {"TIPO", "G"}});
    insert(c, "CCUSTO",
           {{"ANO", QString::number(year().toInt() - 1)},
            {"CODIGO", "3410"},
            {"DESIGN", "Corte"},
            {"TIPO", "L"}});
    site.exec(f,
              QStringLiteral(
                  "UPDATE PARGER SET STOCKS = 'S', ENCOMENDAS = 'S', CONTABILIDADE = 'S' WHERE ANO = :A"),
              {{"A", year()}});

    QVariantMap custom{{"CODIGO", "1"}, {"PAISBASE", "PORTUGAL"}, {"REFARTIGO", "N"}};
    for (int t = 1; t <= 11; ++t)
        custom.insert(QStringLiteral("GRUPOTIPO%1").arg(t), t == 1 || t == 4 ? "1" : t == 11 ? "3" : "2");
    insert(f, "PARCUSTOM", custom);
    insert(f, "PARGRUPOS", {{"TABGRUPO", "1"}, {"TABCOD", "1"}, {"TABNOM", "Artigo"}, {"PAIS", "N"}});
    insert(f, "PARGRUPOS", {{"TABGRUPO", "1"}, {"TABCOD", "2"}, {"TABNOM", "Côr"}, {"PAIS", "S"}});
    insert(f, "PARGRUPOS", {{"TABGRUPO", "3"}, {"TABCOD", "4"}, {"TABNOM", "Diversos"}, {"PAIS", "N"}});
    auto value = [&](const char* group, const char* country, const char* level, int code, const char* name,
                     const char* reduced) {
        insert(f, "CUSTARTG",
               {{"TABGRUPO", group},
                {"PAIS", country},
                {"TABCOD", level},
                {"CODIGO", code},
                {"DESIGNACAO", QString::fromUtf8(name)},
                {"REDUZCODIGO", "X"},
                {"REDUZDESIGN", QString::fromUtf8(reduced)}});
    };
    value("1", "PORTUGAL", "1", 5, "Azul", "AZUL");
    value("1", "ESPANHA", "1", 5, "Azul", "AZUL ES");
    value("1", "PORTUGAL", "2", 7, "Lã Merino", "LÃ");
    value("1", "PORTUGAL", "2", 8, "Sem redução", "");
    value("3", "PORTUGAL", "4", 1, "Vários", "VARIOS");

    insert(f, "FAMILIAS",
           {{"FAMILIA", "GORROS"}, {"CCUSTO", "3210"}, {"CCUSTOMERC", "3310"}, {"CCUSTOSERV", "3900"}});
    insert(f, "FAMILIAS", {{"FAMILIA", "FIOS"}, {"CCUSTO", "3310"}});
    insert(f, "IVA", {{"CODIGO", 1}, {"PRCIVA", 23.0}});
    insert(f, "IVA", {{"CODIGO", 2}, {"PRCIVA", 6.0}});
    insert(f, "COMISSOES", {{"CODIGO", 1}, {"PRCCOM", 5.5}});
    insert(f, "PPAUTAL", {{"CODIGO", "61171000"}, {"DESIGN", "Xailes e cachecóis"}, {"MLIQUIDA", "S"}});
    insert(f, "ARTGCOMP", {{"CODIGO", 1}, {"DESIGNACAO", "100% Lã"}});

    article("CH.0001", "1", "Cachecol Jacquard", {{"FICTEC", "S"}});
    article("GR0001", "1", "Gorro Canelado");
    article("FIO.A", "6", "Fio Acrílico", {{"FAMILIA", "FIOS"}});
    article("USO.FACT", "1", "Gorro Facturado");
    article("USO.ENC", "1", "Gorro Encomendado");
    article("USO.STK", "6", "Fio em Stock");
    article("USO.SERV", "3", "Serviço de Bordar");
    article("SO.FICHA", "1", "Gorro com Ficha");
    article("LIVRE", "8", "Etiqueta livre");
    article("BASE12345678", "1", "Cachecol Grelha");
    article("BASE123456780101", "1", "Cachecol Grelha Azul",
            {{"GRELHA", "S"}, {"FICHABASE", "BASE12345678"}, {"CORDES", "Azul"}});
    for (int d = 1; d <= 3; ++d)
        insert(f, "FACMOVDET", {{"TIPDOC", "FAC"}, {"DOCNRO", 10}, {"DETAIL", d}, {"ARTIGO", "USO.FACT"}});
    insert(f, "ENCCLIDET", {{"ENCNRO", 5}, {"DETAIL", 1}, {"ARTIGO", "USO.ENC"}, {"TOTENT", "N"}});
    insert(f, "STKMOV", {{"MOVNRO", 1}, {"ARTNRO", "USO.STK"}});
    insert(f, "STKMOV", {{"MOVNRO", 2}, {"ARTNRO", "USO.SERV"}});
    insert(f, "STKARTGARMZ", {{"ARTIGO", "USO.SERV"}, {"ANO", year()}, {"CODIGO", 1}, {"EXIQTD", 0.0}});
    insert(f, "STKARTGARMZ", {{"ARTIGO", "LIVRE"}, {"ANO", year()}, {"CODIGO", 1}, {"EXIQTD", 4.0}});
    insert(f, "ARTIGOSMOE", {{"ARTIGO", "LIVRE"}, {"MOEDA", "USD"}, {"PRECO", 1.5}});
    insert(f, "ARTIGOSPAIS", {{"ARTIGO", "LIVRE"}, {"PAIS", "ESPANHA"}, {"DESIGNACAO", "Etiqueta"}});
    site.exec(db(), QStringLiteral("DELETE FROM FICTECMAS"));
    insert(db(), "FICTECMAS", {{"CODIGO", "SO.FICHA"}, {"TIPOFICTEC", "CT"}});
}

QVariant ArticleFixture::articleValue(const QString& code, const QString& column) {
    const std::optional<QVariant> v =
        factura().scalar(QStringLiteral("SELECT %1 FROM ARTIGOSCLS WHERE CODIGO = :C").arg(column),
                         {{QStringLiteral("C"), code}});
    return v ? *v : QVariant();
}

int ArticleFixture::count(db::Database& database, const QString& sql) {
    const std::optional<QVariant> v = database.scalar(sql);
    return v ? v->toInt() : -1;
}

articles::ArticleSources ArticleFixture::sources() {
    articles::ArticleSources s;
    s.factura = &factura();
    s.contab = &contab();
    s.corvane = &db();
    s.materialTypes = &corvane().TIPOMATERIAL;
    s.workingYear = year();
    s.userCode = user();
    return s;
}

std::unique_ptr<articles::ArticleScreen> ArticleFixture::open(const shell::AccessRights& own) {
    auto s = std::make_unique<articles::ArticleScreen>(sources(), screenView);
    const bool ok = s->activate(
        [own](const QString& application, const QString&, const QString&) {
            return application == QLatin1String("CORVANE") ? own : allRights();
        },
        QStringLiteral("assinatura"));
    if (!ok)
        return nullptr;
    s->gridEnter(); // the list receives the focus
    return s;
}
