#pragma once

// Quotations written through the store on a fresh site: emptied tables,
// counters at 1000 and 2000, a quotation entered for a customer and priced.
#include "db/dataset.h"
#include "quotation/store/customer_store.h"
#include "quotation/store/quotation_store.h"
#include "support/test_site.h"
#include "techsheet/store/sheet_store.h"
#include "techsheet/tech_sheet_context.h"
#include <QMutex>
#include <QThread>
#include <QtTest>

namespace corvane::quotation {

inline const QString kFailure = QStringLiteral("falha simulada");
inline const QStringList kTables{"ORCAMMAS",    "ORCAMCOM",  "ORCAMTRANSP",
                                 "ORCAMCNDPGT", "ORCAMDESC", "ORCAMTOT"};

// No quotations; series 1 counts from 1000, series 2 from 2000.
inline void clean(TestSite& site) {
    for (const QString& t : kTables + QStringList{QStringLiteral("SALDOS"), QStringLiteral("ORCAMCUSTO")})
        site.exec(site.program(), QStringLiteral("DELETE FROM %1").arg(t));
    site.exec(site.program(),
              QStringLiteral(
                  "UPDATE PARGER SET ORCAMNRO1 = 1000, ORCAMNRO2 = 2000, ESTRUTURA = 30 WHERE CODIGO = 1"));
}

inline int scalarInt(TestSite& site, const QString& sql, const QVariantMap& p = {}) {
    return selectRows(site.program(), sql, p).value(0).value(0).toInt();
}

inline int counter(TestSite& site, int series) {
    return scalarInt(site, QStringLiteral("SELECT ORCAMNRO%1 FROM PARGER WHERE CODIGO = 1").arg(series));
}

// How many of the six tables have a row of the quotation.
inline int rowsOf(TestSite& site, int number) {
    int n = 0;
    for (const QString& t : kTables)
        n += scalarInt(site, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE ORCNRO = :N").arg(t),
                       {{"N", number}});
    return n;
}

// A created quotation of the customer, its satellites from the customer's defaults.
inline QuotationRecord created(QuotationStore& store, CustomerStore& customers, int series, int number,
                               int customer) {
    const Entry e = store.enter(series, number, QDateTime(QDate(2026, 3, 2), QTime(0, 0)), false);
    if (e.outcome != Entry::Outcome::Created)
        qFatal("enter %d: %s", number, qPrintable(e.message));
    QString error;
    const std::optional<Satellites> s = customers.satellites(customer, &error);
    if (!s || !store.addSatellites(number, *s, &error))
        qFatal("satellites %d: %s", number, qPrintable(error));
    QuotationRecord r = *store.read(number);
    r.mas.CLINRO = customer;
    return r;
}

// The record of a priced quotation: quantities, margin and what a
// calculation fills, with a made-up unit cost.
inline QuotationRecord priced(QuotationRecord r, const Levels& quantities, OrcamTot* totals) {
    Quotation q;
    q.mas = r.mas;
    q.com = *r.com;
    q.transp = *r.transp;
    q.cndpgt = *r.cndpgt;
    q.desc = *r.desc;
    q.mas.QUANT = quantities;
    q.mas.MARGEMLIQ = 20;
    q.mas.ARTIGO = QStringLiteral("CHCLA01.PRE");
    q.mas.DESIGN = QStringLiteral("Cachecol Lã Merino Liso Preto");
    UnitCosts unit;
    unit.M = 2;
    unit.E = 0.3;
    unit.s = 10;
    LevelValues values;
    Notes notes;
    if (!calculateQuotation(q, unit, values, notes))
        qFatal("calculation: %s", qPrintable(notes.messages.join("; ")));
    q.mas.VNDNRO = q.com.VNDNRO;
    if (totals)
        *totals = closingTotals(values, 2);
    return {q.mas, q.com, q.transp, q.cndpgt, q.desc, r.tot};
}

} // namespace corvane::quotation
