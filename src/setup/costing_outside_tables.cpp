#include "costing_outside_tables.h"

#include "demo_rows.h"

namespace corvane::setup {

using namespace db;

QList<Table> costingInvoicingTables() {
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
    return {departamentos, movimentos, armazens};
}

QList<Table> costingAccountingTables() {
    Table centros{QStringLiteral("CCUSTO"),
                  {text(QStringLiteral("ANO"), 4, true), text(QStringLiteral("CODIGO"), 8, true),
                   text(QStringLiteral("DESIGN"), 40), text(QStringLiteral("TIPO"), 1)},
                  {QStringLiteral("ANO"), QStringLiteral("CODIGO")},
                  QStringLiteral("PK_CCUSTO"),
                  {}};
    return {centros};
}

bool insertDemoInvoicingRows(Database& factura, QString* error) {
    return insertRows(factura, QStringLiteral("DEP_COMPRAS"),
                      QStringLiteral("DEPARTAMENTO,CHEFE,PLAFOND_NIVEL1"),
                      {{"COMPRAS", "RUI", 500.0}, {"PRODUCAO", "MARTA", 250.0}}, error) &&
           insertRows(factura, QStringLiteral("STKTRS"),
                      QStringLiteral("TRSCOD,TRSNOM,TRSTIP,DEVOLUCAO,CONSUMO,TIPOMOV"),
                      {{10, "Entrada de Compras", "E", "N", "N", "ECO"},
                       {20, "Saída para Consumo", "S", "N", "S", "SCI"},
                       {21, "Devolução ao Armazém", "E", "S", "N", "ECI"},
                       {30, "Entrada de Produto Acabado", "E", "N", "N", "EPA"}},
                      error) &&
           insertRows(factura, QStringLiteral("STKARMAZEM"), QStringLiteral("CODIGO,NOME"),
                      {{1, "Armazém de Matérias Primas"}, {2, "Armazém de Produto Acabado"}}, error);
}

bool insertDemoAccountingRows(Database& contab, int year, QString* error) {
    const QString now = QString::number(year);
    const QString before = QString::number(year - 1);
    // The production and sales centres take articles (type "L"); the
    // general one only gathers costs (type "G").
    QList<Row> rows;
    for (const QString& y : {before, now})
        for (const auto& [code, name, type] : QList<std::tuple<const char*, const char*, const char*>>{
                 {"3210", "Tecelagem Jacquard", "L"},
                 {"3310", "Tricotagem", "L"},
                 {"3410", "Corte", "L"},
                 {"3420", "Confecção", "L"},
                 {"3430", "Acabamento de Franjas", "L"},
                 {"3440", "Vaporização", "L"},
                 {"3450", "Remalhar e Bordar", "L"},
                 {"3510", "Estamparia Digital", "L"},
                 {"7110", "Comércio de Mercadorias", "L"},
                 {"7210", "Prestação de Serviços", "L"},
                 {"9100", "Administração Geral", "G"}})
            rows << Row{y, code, QString::fromUtf8(name), type};
    rows << Row{before, "3900", "Secção Encerrada", "L"};
    return insertRows(contab, QStringLiteral("CCUSTO"), QStringLiteral("ANO,CODIGO,DESIGN,TIPO"), rows,
                      error);
}

} // namespace corvane::setup
