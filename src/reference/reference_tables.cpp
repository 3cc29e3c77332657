#include "reference_tables.h"

namespace corvane::reference {

using namespace corvane::db;

namespace {

Table keyed(const QString& name, QList<Column> columns, const QString& key) {
    return Table{name, std::move(columns), {key}, QStringLiteral("PK_") + name, {}};
}

} // namespace

Table tipoCustoTable() {
    return keyed(QStringLiteral("TIPOCUSTO"),
                 {integer("CODIGO", true), text("DESIGNACAO", 40), smallint("CLAS"), text("TU", 1),
                  real("DESPERD"), smallint("CLAS_ORC")},
                 QStringLiteral("CODIGO"));
}

Table pargerTable() {
    QList<Column> c{integer("CODIGO", true)};
    c << numbered("ORDFABVIA%1", 1, 5, text({}, 15)) << numbered("ORDNRO%1", 1, 5, integer({}))
      << numbered("ORCAMVIA%1", 1, 5, text({}, 15)) << numbered("ORCAMNRO%1", 1, 5, integer({}));
    c << text("TIPOPRECO", 3) << real("DESP_GERAL") << real("CONV_KGS_TINTAS") << smallint("TINTAS_TC")
      << smallint("MAQUINAS_TC") << smallint("ESTRUTURA") << smallint("FIOS_TC");
    c << numbered("CNDPGT%1", 1, 5, text({}, 50)) << numbered("OBSERV%1", 1, 4, text({}, 85));
    c << text("TRANSPORTE", 30) << text("DEPARTAMENTO", 20) << integer("TRS_CONSUMO") << integer("TRS_DEVOL")
      << integer("ARMNRO");
    c << numbered("REQVIA%1", 1, 5, text({}, 15));
    c << integer("TRS_PRODUTO") << integer("ARMZ_PRODUTO") << text("PRZENT", 60);
    return keyed(QStringLiteral("PARGER"), c, QStringLiteral("CODIGO"));
}

Table grupoMaquinasTable() {
    return keyed(QStringLiteral("GRUPOMAQUINAS"),
                 {smallint("CODIGO", true), text("DESIGNACAO", 30), smallint("TIPOMAQ")},
                 QStringLiteral("CODIGO"));
}

Table maquinasTable() {
    return keyed(QStringLiteral("MAQUINAS"),
                 {text("CODIGO", 10, true), text("DESIGNACAO", 40), text("SIGLA", 12), text("CCUSTO", 10),
                  smallint("GRUPO"), integer("COMPRIM"), integer("LARGURA"), real("PRDHOR1"), real("PRDHOR2"),
                  text("UNDPRD", 3), real("TEMPO_ACERTO1"), real("TEMPO_ACERTO2"), real("DESPERDICIO"),
                  real("PRECO"), smallint("INTERFACE_COD"), smallint("PAINEL"), integer("RAPORT"),
                  real("LARG_PENTE"), integer("NROPASSAGENS")},
                 QStringLiteral("CODIGO"));
}

Table maquinasMpTable() {
    QList<Column> c{text("MAQNRO", 10, true)};
    for (int n = 1; n <= 5; ++n)
        c << text(QStringLiteral("CODIGO%1").arg(n), 16) << real(QStringLiteral("CONS_PERC%1").arg(n));
    return keyed(QStringLiteral("MAQUINASMP"), c, QStringLiteral("MAQNRO"));
}

Table tipoMaterialTable() {
    return keyed(QStringLiteral("TIPOMATERIAL"), {smallint("CODIGO", true), text("DESIGNACAO", 25)},
                 QStringLiteral("CODIGO"));
}

Table tipoTrabalhoTable() {
    return keyed(QStringLiteral("TIPOTRABALHO"),
                 {smallint("CODIGO", true), text("DESIGNACAO", 25), smallint("PASSAG_CM")},
                 QStringLiteral("CODIGO"));
}

Table embalagemTable() {
    return keyed(QStringLiteral("EMBALAGEM"),
                 {smallint("CODIGO", true), text("DESIGNACAO", 40), real("CUSTOFIXO")},
                 QStringLiteral("CODIGO"));
}

Table embalagemMpTable() {
    QList<Column> c{smallint("CODIGO", true)};
    for (int n = 1; n <= 3; ++n)
        c << text(QStringLiteral("ARTNRO%1").arg(n), 16) << text(QStringLiteral("DESIGNACAO%1").arg(n), 40)
          << real(QStringLiteral("QTD%1").arg(n)) << real(QStringLiteral("PRECO%1").arg(n));
    return keyed(QStringLiteral("EMBALAGEMMP"), c, QStringLiteral("CODIGO"));
}

QList<Table> referenceBaseTables() {
    return {tipoCustoTable(),    pargerTable(),     grupoMaquinasTable(),
            maquinasTable(),     maquinasMpTable(), tipoMaterialTable(),
            tipoTrabalhoTable(), embalagemTable(),  embalagemMpTable()};
}

} // namespace corvane::reference
