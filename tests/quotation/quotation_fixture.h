#pragma once

// The quotation tests' site: no quotations, the series counters at 1000 and
// 2000, the worked example's sheet and a knitted scarf's.
#include "quotation/screens/quotation_screen.h"
#include "support/test_site.h"

namespace {

const QString kExample = QStringLiteral("ORC.EXEMPLO");
const QString kKnitted = QStringLiteral("ORC.MALHA");
const QStringList kTables{"ORCAMMAS", "ORCAMCOM", "ORCAMTRANSP", "ORCAMCNDPGT", "ORCAMDESC", "ORCAMTOT"};

// Where a quotation screen of the user reads and writes on the site, today.
inline corvane::quotation::QuotationSources sourcesOf(TestSite& site, const QString& user) {
    corvane::quotation::QuotationSources src;
    src.corvane = &site.program();
    src.factura = &site.invoicing();
    src.userCode = user;
    src.workingDate = QDate::currentDate();
    src.workingYear = QString::number(QDate::currentDate().year());
    return src;
}

inline QVariant value(TestSite& site, const QString& sql, const QVariantMap& p = {}) {
    return selectRows(site.program(), sql, p).value(0).value(0);
}

inline int counter(TestSite& site, int series) {
    return value(site, QStringLiteral("SELECT ORCAMNRO%1 FROM PARGER WHERE CODIGO = 1").arg(series)).toInt();
}

inline int rowsOf(TestSite& site, int number) {
    int n = 0;
    for (const QString& t : kTables)
        n += value(site, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ORCNRO = :N").arg(t), {{"N", number}})
                 .toInt();
    return n;
}

// One sheet line of an article.
inline void line(TestSite& site, const QString& article, int detail, int tipo, const QString& step,
                 double valor, double preco, double quant, double setUp, double perPiece) {
    site.exec(site.program(),
              QStringLiteral(
                  "INSERT INTO FICTECDET (ARTIGO, DETAIL, TIPO, RELACFICTEC, VALOR, PRECO, QUANT, TMPACE, "
                  "TMP_SEMACERTO) VALUES (:A, :D, :T, :R, :V, :P, :Q, :S, :U)"),
              {{"A", article},
               {"D", detail},
               {"T", tipo},
               {"R", step},
               {"V", valor},
               {"P", preco},
               {"Q", quant},
               {"S", setUp},
               {"U", perPiece}});
}

inline void article(TestSite& site, const QString& code, const QString& designation, const QString& kind) {
    site.exec(site.invoicing(),
              QStringLiteral("INSERT INTO ARTIGOSCLS (CODIGO, DESIGNACAO, TIPOARTIGO) VALUES (:C, :D, '1')"),
              {{"C", code}, {"D", designation}});
    site.exec(site.program(), QStringLiteral("INSERT INTO FICTECMAS (CODIGO, TIPOFICTEC) VALUES (:C, :K)"),
              {{"C", code}, {"K", kind}});
}

// No quotations; series 1 counts from 1000, series 2 from 2000. The worked
// example's sheet (a woven scarf: its loom minutes are priced per minute) and
// a knitted scarf whose seam is priced per hour, on cost types of their own.
inline void prepare(TestSite& site) {
    for (const QString& t : kTables + QStringList{QStringLiteral("SALDOS")})
        site.exec(site.program(), QStringLiteral("DELETE FROM %1").arg(t));
    site.exec(site.program(),
              QStringLiteral("UPDATE PARGER SET ORCAMNRO1 = 1000, ORCAMNRO2 = 2000 WHERE CODIGO = 1"));
    const QList<QVariantList> types{
        {901, 1, 5.0}, {902, 2, 0.0}, {903, 3, 0.0}, {905, 5, 0.0}, {906, 6, 0.0}};
    for (const QVariantList& t : types)
        site.exec(site.program(),
                  QStringLiteral(
                      "INSERT INTO TIPOCUSTO (CODIGO, DESIGNACAO, CLAS_ORC, DESPERD) VALUES (:C, 'Teste', "
                      ":K, :W)"),
                  {{"C", t[0]}, {"K", t[1]}, {"W", t[2]}});
    article(site, kExample, QStringLiteral("Cachecol de Exemplo"), QStringLiteral("CA"));
    line(site, kExample, 1, 901, "F", 2.0, 0, 0, 0, 0);
    line(site, kExample, 2, 902, "T", 0, 10, 0, 1, 0.01);
    line(site, kExample, 3, 903, "O", 50, 0, 0, 0, 0);
    line(site, kExample, 4, 905, "P", 0, 0, 10, 0, 0);
    line(site, kExample, 5, 906, "P", 0.3, 0, 0, 0, 0);
    article(site, kKnitted, QStringLiteral("Cachecol Malha Exemplo"), QStringLiteral("CT"));
    line(site, kKnitted, 1, 902, "C", 1.25, 30, 2.5, 0, 2.5); // a seam of 2.5 minutes at 30 per hour
}

} // namespace
