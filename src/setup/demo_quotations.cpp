// The demo company's customers with their commercial defaults (sellers,
// agents, commissions, payment conditions, shipping methods) and quotations
// of series 1 and 2 built by the quotation calculation from the demo
// technical sheets: pending ones with their totals, one never closed, one of
// level 1 only, one of a technical product record and approved ones, with
// the series' counters at the last closed quotation.
#include "demo_rows.h"
#include "demo_site.h"

#include "quotation/store/customer_store.h"
#include "quotation/store/quotation_store.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>

namespace corvane::setup {

namespace {

using namespace corvane::quotation;

// Customer 3's seller 9 and customer 6's payment condition 8 do not exist.
const QList<Row> kCustomers = {
    {1, "Lanifícios Serra da Estrela, S.A.", 1, 1, "TRANSITARIO", 2},
    {2, "Boutique Lã & Linho, Lda.", QVariant(), QVariant(), "CTT", 1},
    {3, "Casa das Malhas do Porto", 9, 2, "PROPRIO", 3},
    {4, "SILVA & FILHOS", 2, QVariant(), "TRANSPORTADORA", 4},
    {5, "D'Almeida Acessórios de Moda, Lda.", 3, 2, "TRANSITARIO", 5},
    {6, "Textiles Galicia, S.L.", 1, 3, "TRANSITARIO", 8},
    {7, "Chapelaria Lusitana", 2, QVariant(), "NAVIO", 6},
};
const QList<Row> kSellers = {
    {1, "Rui Martins", 2},
    {2, "Sofia Cardoso", 1},
    {3, "Paulo Teixeira", 9}, // a commission code that does not exist: 0 %
};
const QList<Row> kAgents = {
    {1, "Agência Norte Têxtil, Lda.", 1},
    {2, "Representações Ibéricas", 2},
    {3, "Agence Lyon Mode", 3},
};
// One of each document type, and one without.
const QList<Row> kPaymentConditions = {
    {1, 0, "Pronto pagamento", 2.0, "D"},
    {2, 60, "60 dias data da factura", 0.0, "T"},
    {3, 30, "30 dias por cheque", 0.0, "C"},
    {4, 90, "Letra a 90 dias", 0.0, "L"},
    {5, 30, "30 dias data da factura", 1.0, QVariant()},
    {6, 45, "45 dias fim do mês", 0.0, "T"},
};
const QList<Row> kShippingMethods = {
    {"CTT", 1.5}, {"TRANSPORTADORA", 2.0}, {"TRANSITARIO", 3.5}, {"PROPRIO", 0.0}, {"NAVIO", 4.0}};

// Charges the commercial user changed on the price page.
struct Adjust {
    double royalty = 0;   // ROYPERC, with ROYNOM
    double insurance = 0; // SEGPERC
    double dispatch = 0;  // DESPVALFIXO
    double quantityDiscount = 0;
};

struct DemoQuotation {
    int series;
    int customer;
    const char* article;
    const char* kind; // TIPOFT
    Levels quantities;
    double margin;
    const char* desenho;
    int daysAgo;
    bool close;
    bool approve;
    Adjust adjust;
    const char* observation;
};

const QList<DemoQuotation> kQuotations = {
    {1,
     1,
     "CHCLA01.PRE",
     "P",
     {200, 500, 1000},
     25,
     "S",
     40,
     true,
     false,
     {1.5, 0.5, 25, 0},
     "Amostra aprovada pelo cliente em Março."},
    {1, 2, "ECHVI01.PRE", "P", {300, 0, 0}, 20, "S", 35, true, false, {}, "Só uma quantidade."},
    {1,
     4,
     "GORAC02.PRE",
     "T",
     {500, 1000, 0},
     22,
     "S",
     30,
     true,
     false,
     {0, 0, 0, 2},
     "Registo técnico do gorro pompom."},
    {1, 5, "CHCAC01.PRE", "P", {100, 250, 600}, 30, "N", 25, true, true, {}, "Encomenda confirmada."},
    {1, 3, "GORAC02.PRE", "P", {1000, 2500, 5000}, 18, "S", 2, false, false, {}, nullptr},
    {2, 1, "CHCAC01.PRE", "P", {50, 150, 400}, 28, "S", 20, true, false, {}, "Coleção Outono/Inverno."},
    {2, 7, "ECHVI01.PRE", "P", {1000, 3000, 6000}, 15, "S", 15, true, true, {0, 0.3, 40, 1.5}, nullptr},
};

// The technical product record of a demo product: its article, header and
// lines copied into O_ARTIGOSCLS, O_FICTECMAS and O_FICTECDET.
bool copyProductRecord(db::Database& corvane, db::Database& factura, const QString& article, QString* error) {
    const QString articleColumns = QStringLiteral(
        "CODIGO,CCUSTO,DESIGNACAO,TIPOARTIGO,FAMILIA,UNVENDA,UNCOMPRA,VOSREF,PESO,VOLUME,COMPRIM,"
        "LARGURA,ALTURA,CODIVA,NROFOTOS,COMPOSICAO,FACTCONV,UNCONV,DTABERTURA,CUSTOM1,CUSTOM2,"
        "CUSTOM3,CUSTOM4,CUSTOM5,CUSTOM6,CUSTOM7,CUSTOM8,CUSTOM9,DESIGNACAO1,QTDCALCULO,NEFIO,"
        "PMCUSTO,PULENTRA,CUSTOPADRAO,TIPOMAT");
    const QString lineColumns =
        QStringLiteral("TIPO,ARTIGO,DETAIL,RELACFICTEC,CODIGOMP,DESIGN,UNIDADE,QUANT,PRECO,"
                       "VALOR,TECELAGEM,QUANT_FINAL,VALOR_FINAL,TMPACE,TMP_SEMACERTO");
    const QVariantMap p{{QStringLiteral("WArtigo"), article}};
    auto copy = [&](db::Database& from, const QString& select, const QString& table, const QString& columns) {
        QSqlQuery q(from.sql());
        if (!from.exec(q, select, p, error))
            return false;
        QList<Row> rows;
        while (q.next()) {
            Row r;
            for (int c = 0; c < q.record().count(); ++c)
                r << q.value(c);
            rows << r;
        }
        return insertRows(corvane, table, columns, rows, error);
    };
    return copy(factura,
                QStringLiteral("SELECT %1 FROM ARTIGOSCLS WHERE CODIGO = :WArtigo").arg(articleColumns),
                QStringLiteral("O_ARTIGOSCLS"), articleColumns) &&
           copy(corvane,
                QStringLiteral("SELECT CODIGO, TIPOTRABALHO, NROPASSAG, FITAS, REF_INFORMAT, TIPOFICTEC FROM "
                               "FICTECMAS WHERE CODIGO = :WArtigo"),
                QStringLiteral("O_FICTECMAS"),
                QStringLiteral("CODIGO,TEC_TIPOTRABALHO,TEC_NROPASSAG,TEC_FITAS,REF_INFORMAT,TIPOFICTEC")) &&
           copy(corvane, QStringLiteral("SELECT %1 FROM FICTECDET WHERE ARTIGO = :WArtigo").arg(lineColumns),
                QStringLiteral("O_FICTECDET"), lineColumns);
}

std::optional<QString> designation(db::Database& corvane, db::Database& factura, const QString& article,
                                   const QString& kind, QString* error) {
    db::Database& from = kind == QLatin1String("T") ? corvane : factura;
    const std::optional<QVariant> d = from.scalar(
        QStringLiteral("SELECT DESIGNACAO FROM %1 WHERE CODIGO = :WArtigo")
            .arg(kind == QLatin1String("T") ? QStringLiteral("O_ARTIGOSCLS") : QStringLiteral("ARTIGOSCLS")),
        {{QStringLiteral("WArtigo"), article}}, error);
    if (!d)
        return std::nullopt;
    return d->toString().trimmed();
}

// One quotation as the quotation screen makes it: the series' proposal, the
// customer's defaults, the calculation, then closed (or only saved).
// A customer order: its master row and its lines.
bool insertOrder(db::Database& factura, int order, int customer, const QDate& date, const QList<Row>& lines,
                 QString* error) {
    return insertRows(factura, QStringLiteral("ENCCLIMAS"), QStringLiteral("ENCNRO,CLINRO,DATAENC"),
                      {{order, customer, QDateTime(date, QTime(0, 0))}}, error) &&
           insertRows(factura, QStringLiteral("ENCCLIDET"),
                      QStringLiteral("ENCNRO,DETAIL,ARTIGO,DATAENTRG,ANO,SEMANA,PRECOVENDA,QUANTID,UNVEND,"
                                     "MARGEMPRC,ORCNRO,TOTENT,VALLIQUIDO,VALLIQCAR,QTDCAR"),
                      lines, error);
}

bool makeQuotation(QuotationStore& store, CustomerStore& customers, db::Database& corvane,
                   db::Database& factura, const DemoQuotation& d, const QDate& today, QString* error) {
    const std::optional<int> number = store.proposeNumber(d.series, error);
    if (!number)
        return false;
    const Entry entry =
        store.enter(d.series, *number, QDateTime(today.addDays(-d.daysAgo), QTime(0, 0)), true);
    if (entry.outcome != Entry::Outcome::Created) {
        if (error)
            *error = entry.message;
        return false;
    }
    const std::optional<Satellites> defaults = customers.satellites(d.customer, error);
    const auto customer = customers.customer(d.customer, error);
    const QString article = QString::fromLatin1(d.article);
    const QString kind = QString::fromLatin1(d.kind);
    const std::optional<QString> design = designation(corvane, factura, article, kind, error);
    if (!defaults || !customer || !design || !store.addSatellites(*number, *defaults, error))
        return false;

    Quotation q;
    q.mas = entry.record.mas;
    q.com = defaults->com;
    q.transp = defaults->transp;
    q.cndpgt = defaults->cndpgt;
    q.desc = defaults->desc;
    q.mas.CLINRO = d.customer;
    q.mas.CLINOM = (*customer)->NOME;
    q.mas.ARTIGO = article;
    q.mas.TIPOFT = kind;
    q.mas.DESIGN = *design;
    q.mas.DESENHO = QString::fromLatin1(d.desenho);
    q.mas.MARGEMLIQ = d.margin;
    q.mas.QUANT = d.quantities;
    if (d.observation)
        q.mas.OBSERV1 = QString::fromUtf8(d.observation);
    if (d.adjust.royalty > 0) {
        q.com.ROYNOM = QStringLiteral("Design Lã Portuguesa");
        q.com.ROY.PERC = d.adjust.royalty;
    }
    q.transp.SEG.PERC = d.adjust.insurance;
    q.transp.DESP.VALFIXO = d.adjust.dispatch;
    q.desc.QTD.PERC = d.adjust.quantityDiscount;

    Notes notes;
    const std::optional<UnitCosts> unit = sheetUnitCosts(corvane, article, kind, q.mas.QUANT, notes, error);
    if (!unit)
        return false;
    LevelValues values;
    if (!calculateQuotation(q, *unit, values, notes) || !notes.messages.isEmpty()) {
        if (error)
            *error = notes.messages.join(QLatin1Char('\n'));
        return false;
    }
    q.mas.VNDNRO = q.com.VNDNRO;
    const QuotationRecord record{q.mas, q.com, q.transp, q.cndpgt, q.desc, std::nullopt};
    if (!d.close)
        return store.save(record, error);
    const OrcamTot totals = closingTotals(values, 2);
    if (!store.close(d.series, record, totals, error))
        return false;
    if (!d.approve)
        return true;
    // The approval, made outside this program, of the middle level.
    const QDate approved = today.addDays(-d.daysAgo + 7);
    return corvane.exec(
               QStringLiteral("UPDATE ORCAMMAS SET APROVADO = 'S', DATAAPROV = :WData, PRECOAPROV = :WPreco, "
                              "VALORAPROV = "
                              ":WValor, QTDAPROV = :WQtd, MARGEMAPROVPRC = :WMargemPrc, MARGEMAPROVVAL = "
                              ":WMargemVal, ENCANO "
                              "= :WAno, ENCSEMANA = :WSemana, ENCCNRO = :WEnc WHERE ORCNRO = :WOrcNro"),
               {{QStringLiteral("WData"), QDateTime(approved, QTime(0, 0))},
                {QStringLiteral("WPreco"), q.mas.PRECOCLI[1]},
                {QStringLiteral("WValor"), q.mas.VALORCLI[1]},
                {QStringLiteral("WQtd"), q.mas.QUANT[1]},
                {QStringLiteral("WMargemPrc"), totals.MARGEMPRC[1]},
                {QStringLiteral("WMargemVal"), totals.MARGEMLIQ[1]},
                {QStringLiteral("WAno"), QString::number(approved.year())},
                {QStringLiteral("WSemana"),
                 QStringLiteral("%1").arg(approved.weekNumber(), 2, 10, QLatin1Char('0'))},
                {QStringLiteral("WEnc"), 500 + *number % 1000},
                {QStringLiteral("WOrcNro"), *number}},
               error) &&
           insertOrder(factura, 500 + *number % 1000, d.customer, approved,
                       {{500 + *number % 1000, 1, d.article, QDateTime(approved.addDays(45), QTime(0, 0)),
                         QString::number(approved.addDays(45).year()), approved.addDays(45).weekNumber(),
                         q.mas.PRECOCLI[1], q.mas.QUANT[1], "Und", totals.MARGEMPRC[1], *number, "N",
                         q.mas.VALORCLI[1], q.mas.VALORCLI[1], q.mas.QUANT[1]}},
                       error);
}

} // namespace

bool insertDemoCustomers(db::Database& factura, QString* error) {
    return insertRows(factura, QStringLiteral("CLIENTES"),
                      QStringLiteral("CODIGO,NOME,VENDEDOR,AGENTE,METEXPEDICAO,CNDPGT"), kCustomers, error) &&
           insertRows(factura, QStringLiteral("VENDEDORES"), QStringLiteral("CODIGO,NOME,COMISSAO"), kSellers,
                      error) &&
           insertRows(factura, QStringLiteral("AGENTES"), QStringLiteral("CODIGO,NOME,COMISSAO"), kAgents,
                      error) &&
           insertRows(factura, QStringLiteral("CNDPGT"),
                      QStringLiteral("CODIGO,NRDIAS,DESCRI,PRCDESC,TIPDOC"), kPaymentConditions, error) &&
           insertRows(factura, QStringLiteral("METEXPEDICAO"), QStringLiteral("METEXPEDICAO,PERCUSTO"),
                      kShippingMethods, error);
}

bool insertDemoQuotations(db::Database& corvane, db::Database& factura, const QDate& today, QString* error) {
    if (!copyProductRecord(corvane, factura, QStringLiteral("GORAC02.PRE"), error))
        return false;
    // The woven scarf D'Almeida ordered last year: its quotation of this year
    // carries no design costs.
    const QDate lastYear = today.addYears(-1);
    if (!insertOrder(factura, 440, 5, lastYear,
                     {{440, 1, "CHCAC01.PRE", QDateTime(lastYear.addDays(40), QTime(0, 0)),
                       QString::number(lastYear.addDays(40).year()), lastYear.addDays(40).weekNumber(), 9.9,
                       300.0, "Und", 24.0, 0, "S", 2970.0, 0.0, 0.0}},
                     error))
        return false;
    QuotationStore store(corvane);
    CustomerStore customers(factura);
    for (const DemoQuotation& d : kQuotations)
        if (!makeQuotation(store, customers, corvane, factura, d, today, error))
            return false;
    return true;
}

} // namespace corvane::setup
