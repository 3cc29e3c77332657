#include "costing_outside_tables.h"

namespace corvane::setup {

using namespace db;

namespace {

using Row = QVariantList;

bool insertAll(Database& db, const QString& table, const QStringList& columns, const QList<Row>& rows,
               QString* error) {
    QStringList params;
    for (const QString& c : columns)
        params << QLatin1Char(':') + c;
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(table, columns.join(QLatin1Char(',')), params.join(QLatin1Char(',')));
    for (const Row& row : rows) {
        QVariantMap values;
        for (int i = 0; i < columns.size(); ++i)
            values.insert(columns.at(i), row.value(i));
        if (!db.exec(sql, values, error))
            return false;
    }
    return true;
}

// Articles: code, designation, article type, material type, standard cost,
// average cost, last entry price, purchase unit.
const QList<Row> kArticles = {
    {"TIN.CIANO", "Tinta Reactiva Ciano", "6", 21, 9.5, 9.8, 10.2, "Kg"},
    {"TIN.MAGENTA", "Tinta Reactiva Magenta", "6", 21, 9.5, 9.7, 0.0, "Kg"},
    {"TIN.AMARELO", "Tinta Reactiva Amarelo", "6", 21, 9.0, 0.0, 0.0, "Kg"},
    {"TIN.PRETO", "Tinta Pigmento Preto", "6", 22, 8.0, 8.4, 8.6, "Kg"},
    {"TIN.BRANCO", "Tinta Pigmento Branco", "6", 22, 0.0, 0.0, 0.0, "Kg"},
    {"EMB.SACO3040", "Saco Polipropileno 30x40", "7", 120, 0.05, 0.045, 0.044, "Und"},
    {"EMB.SACO2025", "Saco Polipropileno 20x25", "7", 120, 0.03, 0.0, 0.03, "Und"},
    {"EMB.SEDA5070", "Papel de Seda 50x70", "7", 121, 0.03, 0.0, 0.0, "Und"},
    {"EMB.CXOFERTA", "Caixa de Oferta 35x25x5", "7", 122, 0.65, 0.62, 0.0, "Und"},
    {"EMB.FITA", "Fita de Cetim 10 mm", "7", 123, 2.0, 1.25, 0.0, "Mt"},
    {"EMB.CARTAO", "Cartão de Embalagem", "7", 122, 0.0, 0.0, 0.0, "Und"},
    {"FIO.ACR2/28", "Fio Acrílico 2/28", "1", 41, 6.2, 6.1, 6.3, "Kg"},
};

} // namespace

QList<Table> costingInvoicingTables() {
    Table artigos{QStringLiteral("ARTIGOSCLS"),
                  {text(QStringLiteral("CODIGO"), 16, true), text(QStringLiteral("DESIGNACAO"), 60),
                   text(QStringLiteral("TIPOARTIGO"), 2), smallint(QStringLiteral("TIPOMAT")),
                   real(QStringLiteral("CUSTOPADRAO")), real(QStringLiteral("PMCUSTO")),
                   real(QStringLiteral("PULENTRA")), text(QStringLiteral("UNCOMPRA"), 3)},
                  {QStringLiteral("CODIGO")},
                  QStringLiteral("PK_ARTIGOSCLS"),
                  {}};
    Table departamentos{QStringLiteral("DEP_COMPRAS"),
                        {text(QStringLiteral("DEPARTAMENTO"), 20, true), text(QStringLiteral("CHEFE"), 15),
                         text(QStringLiteral("UTIL_NIVEL1"), 15), real(QStringLiteral("PLAFOND_NIVEL1")),
                         text(QStringLiteral("UTIL_NIVEL2"), 15), real(QStringLiteral("PLAFOND_NIVEL2")),
                         text(QStringLiteral("EMAIL_CHEFE"), 50), text(QStringLiteral("EMAIL_UTIL1"), 50),
                         text(QStringLiteral("EMAIL_UTIL2"), 50)},
                        {QStringLiteral("DEPARTAMENTO")},
                        QStringLiteral("PK_DEP_COMPRAS"),
                        {}};
    Table movimentos{QStringLiteral("STKTRS"),
                     {integer(QStringLiteral("TRSCOD"), true), text(QStringLiteral("TRSNOM"), 30),
                      text(QStringLiteral("TRSTIP"), 1), text(QStringLiteral("DEVOLUCAO"), 1),
                      text(QStringLiteral("CONSUMO"), 1), text(QStringLiteral("CCUSTO"), 1),
                      text(QStringLiteral("TIPOMOV"), 3)},
                     {QStringLiteral("TRSCOD")},
                     QStringLiteral("PK_STKTRS"),
                     {}};
    Table armazens{QStringLiteral("STKARMAZEM"),
                   {integer(QStringLiteral("CODIGO"), true), text(QStringLiteral("NOME"), 40)},
                   {QStringLiteral("CODIGO")},
                   QStringLiteral("PK_STKARMAZEM"),
                   {}};
    return {artigos, departamentos, movimentos, armazens};
}

QList<Table> costingAccountingTables() {
    Table centros{QStringLiteral("CCUSTO"),
                  {text(QStringLiteral("ANO"), 4, true), text(QStringLiteral("CODIGO"), 8, true),
                   text(QStringLiteral("DESIGN"), 40)},
                  {QStringLiteral("ANO"), QStringLiteral("CODIGO")},
                  QStringLiteral("PK_CCUSTO"),
                  {}};
    return {centros};
}

bool insertDemoInvoicingRows(Database& factura, QString* error) {
    const QStringList articleColumns{QStringLiteral("CODIGO"),      QStringLiteral("DESIGNACAO"),
                                     QStringLiteral("TIPOARTIGO"),  QStringLiteral("TIPOMAT"),
                                     QStringLiteral("CUSTOPADRAO"), QStringLiteral("PMCUSTO"),
                                     QStringLiteral("PULENTRA"),    QStringLiteral("UNCOMPRA")};
    return insertAll(factura, QStringLiteral("ARTIGOSCLS"), articleColumns, kArticles, error) &&
           insertAll(
               factura, QStringLiteral("DEP_COMPRAS"),
               {QStringLiteral("DEPARTAMENTO"), QStringLiteral("CHEFE"), QStringLiteral("PLAFOND_NIVEL1")},
               {{"COMPRAS", "RUI", 500.0}, {"PRODUCAO", "MARTA", 250.0}}, error) &&
           insertAll(factura, QStringLiteral("STKTRS"),
                     {QStringLiteral("TRSCOD"), QStringLiteral("TRSNOM"), QStringLiteral("TRSTIP"),
                      QStringLiteral("DEVOLUCAO"), QStringLiteral("CONSUMO"), QStringLiteral("TIPOMOV")},
                     {{10, "Entrada de Compras", "E", "N", "N", "ECO"},
                      {20, "Saída para Consumo", "S", "N", "S", "SCI"},
                      {21, "Devolução ao Armazém", "E", "S", "N", "ECI"},
                      {30, "Entrada de Produto Acabado", "E", "N", "N", "EPA"}},
                     error) &&
           insertAll(factura, QStringLiteral("STKARMAZEM"),
                     {QStringLiteral("CODIGO"), QStringLiteral("NOME")},
                     {{1, "Armazém de Matérias Primas"}, {2, "Armazém de Produto Acabado"}}, error);
}

bool insertDemoAccountingRows(Database& contab, int year, QString* error) {
    const QString now = QString::number(year);
    const QString before = QString::number(year - 1);
    QList<Row> rows;
    for (const QString& y : {before, now})
        for (const auto& [code, name] :
             QList<QPair<const char*, const char*>>{{"3210", "Tecelagem Jacquard"},
                                                    {"3310", "Tricotagem"},
                                                    {"3410", "Corte"},
                                                    {"3420", "Confecção"},
                                                    {"3430", "Acabamento de Franjas"},
                                                    {"3440", "Vaporização"},
                                                    {"3450", "Remalhar e Bordar"},
                                                    {"3510", "Estamparia Digital"}})
            rows << Row{y, code, name};
    rows << Row{before, "3900", "Secção Encerrada"};
    return insertAll(contab, QStringLiteral("CCUSTO"),
                     {QStringLiteral("ANO"), QStringLiteral("CODIGO"), QStringLiteral("DESIGN")}, rows,
                     error);
}

} // namespace corvane::setup
