#include "record_tables.h"

namespace corvane::setup {

using namespace corvane::db;

QList<Table> productRecordTables() {
    QList<Column> art{text("CODIGO", 16, true), text("CCUSTO", 8),   text("DESIGNACAO", 40),
                      text("TIPOARTIGO", 2),    text("FAMILIA", 20), text("UNVENDA", 3),
                      text("UNCOMPRA", 3),      text("VOSREF", 15),  real("PESO"),
                      real("VOLUME"),           real("COMPRIM"),     real("LARGURA"),
                      real("ALTURA"),           integer("CODIVA"),   smallint("NROFOTOS"),
                      integer("COMPOSICAO"),    real("FACTCONV"),    text("UNCONV", 3),
                      datetime("DTABERTURA")};
    art << numbered("CUSTOM%1", 1, 9, smallint({}));
    art << text("DESIGNACAO1", 40) << real("QTDCALCULO") << smallint("NEFIO") << real("PMCUSTO")
        << real("PULENTRA") << real("CUSTOPADRAO") << smallint("TIPOMAT");
    const Table artigos{QStringLiteral("O_ARTIGOSCLS"),
                        art,
                        {QStringLiteral("CODIGO")},
                        QStringLiteral("PK_O_ARTIGOSCLS"),
                        {}};

    const Table mas{QStringLiteral("O_FICTECMAS"),
                    {text("CODIGO", 16, true), smallint("TEC_TIPOTRABALHO"), smallint("TEC_NROPASSAG"),
                     smallint("TEC_FITAS"), text("REF_INFORMAT", 50), text("TIPOFICTEC", 2)},
                    {QStringLiteral("CODIGO")},
                    QStringLiteral("PK_O_FICTECMAS"),
                    {}};

    const Table det{QStringLiteral("O_FICTECDET"),
                    {integer("TIPO", true), text("ARTIGO", 16, true), integer("DETAIL", true),
                     text("RELACFICTEC", 1), text("DETTOT", 1), text("CODIGOMP", 16), text("DESIGN", 40),
                     text("UNIDADE", 3), real("QUANT"), real("PRECO"), real("VALOR"), text("TECELAGEM", 5),
                     text("FASEPROD", 12), real("QUANT_FINAL"), real("VALOR_FINAL"), text("TIPOARTIGO", 2),
                     real("TMPACE"), real("TMP_SEMACERTO")},
                    {QStringLiteral("TIPO"), QStringLiteral("ARTIGO"), QStringLiteral("DETAIL")},
                    QStringLiteral("PK_O_FICTECDET"),
                    {}};
    return {artigos, mas, det};
}

} // namespace corvane::setup
