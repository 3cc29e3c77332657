#include "quotation_store.h"

#include "row_values.h"

#include "db/dataset.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace corvane::quotation {

namespace {

const QString kNumber = QStringLiteral("WOrcNro");
// The charge rows, made from the customer's defaults.
const QStringList kCharges{QStringLiteral("ORCAMCOM"), QStringLiteral("ORCAMTRANSP"),
                           QStringLiteral("ORCAMCNDPGT"), QStringLiteral("ORCAMDESC")};

// ---- rows as column maps ------------------------------------------------------

QVariant textOrNull(const QString& s) {
    return s.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(s);
}
QVariant dateOrNull(const QDateTime& d) {
    return d.isValid() ? QVariant(d) : QVariant(QMetaType::fromType<QDateTime>());
}

void putLevels(QVariantMap& m, const QString& prefix, const Levels& l) {
    for (std::size_t i = 0; i < 3; ++i)
        m.insert(prefix + QString::number(i + 1), l[i]);
}
Levels levelsOf(const QVariantMap& r, const QString& prefix) {
    Levels l{};
    for (std::size_t i = 0; i < 3; ++i)
        l[i] = realOf(r, prefix + QString::number(i + 1));
    return l;
}

void putCharge(QVariantMap& m, const QString& prefix, const PercentCharge& c) {
    m.insert(prefix + QStringLiteral("PERC"), c.PERC);
    putLevels(m, prefix + QStringLiteral("VALTOT"), c.VALTOT);
}
void putCharge(QVariantMap& m, const QString& prefix, const FixedOrPercentCharge& c) {
    m.insert(prefix + QStringLiteral("VALFIXO"), c.VALFIXO);
    m.insert(prefix + QStringLiteral("PERC"), c.PERC);
    putLevels(m, prefix + QStringLiteral("VALTOT"), c.VALTOT);
}
PercentCharge percentChargeOf(const QVariantMap& r, const QString& prefix) {
    return {realOf(r, prefix + QStringLiteral("PERC")), levelsOf(r, prefix + QStringLiteral("VALTOT"))};
}
FixedOrPercentCharge fixedChargeOf(const QVariantMap& r, const QString& prefix) {
    return {realOf(r, prefix + QStringLiteral("VALFIXO")), realOf(r, prefix + QStringLiteral("PERC")),
            levelsOf(r, prefix + QStringLiteral("VALTOT"))};
}

// The master row's columns this program writes: all but approval and ordering.
QVariantMap masterValues(const OrcamMas& m) {
    QVariantMap v{{"ORCNRO", m.ORCNRO},
                  {"CLINRO", m.CLINRO},
                  {"ARTIGO", textOrNull(m.ARTIGO.left(16))},
                  {"DATAEMI", dateOrNull(m.DATAEMI)},
                  {"OBSERV1", textOrNull(m.OBSERV1.left(40))},
                  {"OBSERV2", textOrNull(m.OBSERV2.left(40))},
                  {"MARGEMLIQ", m.MARGEMLIQ},
                  {"PRINTE", textOrNull(m.PRINTE.left(1))},
                  {"VNDNRO", m.VNDNRO},
                  {"CLINOM", textOrNull(m.CLINOM.left(35))},
                  {"DESIGN", textOrNull(m.DESIGN.left(40))},
                  {"DESENHO", textOrNull(m.DESENHO.left(1))},
                  {"MANUAL_AUTO", textOrNull(m.MANUAL_AUTO.left(1))},
                  {"TIPOFT", textOrNull(m.TIPOFT.left(1))}};
    putLevels(v, QStringLiteral("QUANT"), m.QUANT);
    putLevels(v, QStringLiteral("PRCORC"), m.PRCORC);
    putLevels(v, QStringLiteral("PRECOCLI"), m.PRECOCLI);
    putLevels(v, QStringLiteral("VALORCLI"), m.VALORCLI);
    return v;
}

OrcamMas masterOf(const QVariantMap& r) {
    OrcamMas m;
    m.ORCNRO = intOf(r, "ORCNRO");
    m.CLINRO = intOf(r, "CLINRO");
    m.ARTIGO = textOf(r, "ARTIGO");
    m.DATAEMI = r.value("DATAEMI").toDateTime();
    m.QUANT = levelsOf(r, "QUANT");
    m.PRCORC = levelsOf(r, "PRCORC");
    m.PRECOCLI = levelsOf(r, "PRECOCLI");
    m.VALORCLI = levelsOf(r, "VALORCLI");
    m.OBSERV1 = textOf(r, "OBSERV1");
    m.OBSERV2 = textOf(r, "OBSERV2");
    m.MARGEMLIQ = realOf(r, "MARGEMLIQ");
    m.ENCANO = textOf(r, "ENCANO");
    m.ENCSEMANA = textOf(r, "ENCSEMANA");
    m.ENCCNRO = intOf(r, "ENCCNRO");
    m.DATAAPROV = r.value("DATAAPROV").toDateTime();
    m.APROVADO = textOf(r, "APROVADO");
    m.PRECOAPROV = realOf(r, "PRECOAPROV");
    m.VALORAPROV = realOf(r, "VALORAPROV");
    m.PRINTE = textOf(r, "PRINTE");
    m.VNDNRO = intOf(r, "VNDNRO");
    m.CLINOM = textOf(r, "CLINOM");
    m.DESIGN = textOf(r, "DESIGN");
    m.QTDAPROV = realOf(r, "QTDAPROV");
    m.MARGEMAPROVPRC = realOf(r, "MARGEMAPROVPRC");
    m.MARGEMAPROVVAL = realOf(r, "MARGEMAPROVVAL");
    m.DESENHO = textOf(r, "DESENHO");
    m.MANUAL_AUTO = textOf(r, "MANUAL_AUTO");
    m.TIPOFT = textOf(r, "TIPOFT");
    return m;
}

QVariantMap comValues(const OrcamCom& c) {
    QVariantMap v{{"VNDNRO", c.VNDNRO}, {"VNDNOM", textOrNull(c.VNDNOM.left(30))},
                  {"AGTNRO", c.AGTNRO}, {"AGTNOM", textOrNull(c.AGTNOM.left(30))},
                  {"ROYNRO", c.ROYNRO}, {"ROYNOM", textOrNull(c.ROYNOM.left(30))}};
    putCharge(v, "VND", c.VND);
    putCharge(v, "AGT", c.AGT);
    putCharge(v, "ROY", c.ROY);
    return v;
}
OrcamCom comOf(const QVariantMap& r) {
    OrcamCom c;
    c.VNDNRO = intOf(r, "VNDNRO");
    c.VNDNOM = textOf(r, "VNDNOM");
    c.AGTNRO = intOf(r, "AGTNRO");
    c.AGTNOM = textOf(r, "AGTNOM");
    c.ROYNRO = intOf(r, "ROYNRO");
    c.ROYNOM = textOf(r, "ROYNOM");
    c.VND = percentChargeOf(r, "VND");
    c.AGT = percentChargeOf(r, "AGT");
    c.ROY = percentChargeOf(r, "ROY");
    return c;
}

QVariantMap transpValues(const OrcamTransp& t) {
    QVariantMap v{{"METEXP", textOrNull(t.METEXPCODE.left(15))}};
    putCharge(v, "METEXP", t.METEXP);
    putCharge(v, "SEG", t.SEG);
    putCharge(v, "DESP", t.DESP);
    return v;
}
OrcamTransp transpOf(const QVariantMap& r) {
    OrcamTransp t;
    t.METEXPCODE = textOf(r, "METEXP");
    t.METEXP = fixedChargeOf(r, "METEXP");
    t.SEG = fixedChargeOf(r, "SEG");
    t.DESP = fixedChargeOf(r, "DESP");
    return t;
}

QVariantMap cndpgtValues(const OrcamCndPgt& c) {
    QVariantMap v{{"CNDPGT", c.CNDPGTCODE},
                  {"CNDPGTDES", textOrNull(c.CNDPGTDES.left(30))},
                  {"CNDPGTDIAS", c.CNDPGTDIAS}};
    putCharge(v, "CNDPGT", c.CNDPGT);
    putCharge(v, "PRZ", c.PRZ);
    putCharge(v, "DESC", c.DESC);
    return v;
}
OrcamCndPgt cndpgtOf(const QVariantMap& r) {
    OrcamCndPgt c;
    c.CNDPGTCODE = intOf(r, "CNDPGT");
    c.CNDPGTDES = textOf(r, "CNDPGTDES");
    c.CNDPGTDIAS = realOf(r, "CNDPGTDIAS");
    c.CNDPGT = fixedChargeOf(r, "CNDPGT");
    c.PRZ = fixedChargeOf(r, "PRZ");
    c.DESC = fixedChargeOf(r, "DESC");
    return c;
}

QVariantMap descValues(const OrcamDesc& d) {
    QVariantMap v;
    putCharge(v, "PRECO", d.PRECO);
    putCharge(v, "QTD", d.QTD);
    return v;
}
OrcamDesc descOf(const QVariantMap& r) {
    return {percentChargeOf(r, "PRECO"), percentChargeOf(r, "QTD")};
}

const std::pair<const char*, Levels OrcamTot::*> kTotals[] = {
    {"MATERIAIS", &OrcamTot::MATERIAIS}, {"TRANSFORM", &OrcamTot::TRANSFORM},
    {"CUSTFIXOS", &OrcamTot::CUSTFIXOS}, {"SUBCONT", &OrcamTot::SUBCONT},
    {"DESPERDIC", &OrcamTot::DESPERDIC}, {"QUALIDADE", &OrcamTot::QUALIDADE},
    {"ESTRUTURA", &OrcamTot::ESTRUTURA}, {"EMBALAGEM", &OrcamTot::EMBALAGEM},
    {"COMISSOES", &OrcamTot::COMISSOES}, {"TRANSPORT", &OrcamTot::TRANSPORT},
    {"CONDPAGAM", &OrcamTot::CONDPAGAM}, {"DESCONTOS", &OrcamTot::DESCONTOS},
    {"MARGEMLIQ", &OrcamTot::MARGEMLIQ}, {"MARGEMPRC", &OrcamTot::MARGEMPRC}};

QVariantMap totValues(const OrcamTot& t) {
    QVariantMap v;
    for (const auto& [column, member] : kTotals)
        putLevels(v, QLatin1String(column), t.*member);
    return v;
}
OrcamTot totOf(const QVariantMap& r) {
    return totalsOfRow(r);
}

// ---- statements --------------------------------------------------------------

bool insertRow(db::Database& db, const QString& table, const QVariantMap& values, QString* error) {
    const QStringList columns = values.keys();
    return db.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (:%3)")
                       .arg(table, columns.join(QLatin1Char(',')), columns.join(QStringLiteral(",:"))),
                   values, error);
}

// How putRow treats a row it finds nothing to update.
enum class Missing {
    Insert, // inserted (the totals, written first at closing)
    Refuse, // a row being edited that another user deleted: kDeletedByOther
    Report, // *updated says so and the caller decides (the master row's approval)
};

// Updates the row of `number` with `values` (ORCNRO added); `condition`
// narrows the update (the master row's approval). A row not updated is
// inserted, refused or reported as `missing` says.
bool putRow(db::Database& db, const QString& table, int number, QVariantMap values, QString* error,
            Missing missing, const QString& condition = {}, bool* updated = nullptr) {
    values.insert(QStringLiteral("ORCNRO"), number);
    QStringList sets;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        if (it.key() != QLatin1String("ORCNRO"))
            sets << QStringLiteral("%1=:%1").arg(it.key());
    QSqlQuery q(db.sql());
    if (!db.exec(q,
                 QStringLiteral("UPDATE %1 SET %2 WHERE ORCNRO=:ORCNRO%3")
                     .arg(table, sets.join(QLatin1Char(',')),
                          condition.isEmpty() ? QString() : " AND " + condition),
                 values, error))
        return false;
    const bool done = q.numRowsAffected() > 0;
    if (updated)
        *updated = done;
    if (done || missing == Missing::Report)
        return true;
    if (missing == Missing::Insert)
        return insertRow(db, table, values, error);
    if (error)
        *error = db::kDeletedByOther;
    return false;
}

std::optional<QVariantMap> rowOf(db::Database& db, const QString& table, int number, QString* error) {
    return db.firstRow(QStringLiteral("SELECT * FROM %1 WHERE ORCNRO = :WOrcNro").arg(table),
                       {{kNumber, number}}, error);
}

const QString& kNotApproved = kPendingCondition;

QString missingMessage(int number) {
    return QStringLiteral("Registo não Existe %1").arg(number);
}

bool fail(QString* error, const QString& message) {
    if (error)
        *error = message;
    return false;
}

QVariantMap withNumber(QVariantMap values, int number) {
    values.insert(QStringLiteral("ORCNRO"), number);
    return values;
}

// A charge row as read, as the values written from it (i indexes kCharges).
QVariantMap storedValues(int i, const QVariantMap& row) {
    switch (i) {
    case 0:
        return comValues(comOf(row));
    case 1:
        return transpValues(transpOf(row));
    case 2:
        return cndpgtValues(cndpgtOf(row));
    default:
        return descValues(descOf(row));
    }
}

} // namespace

OrcamMas masterOfRow(const QVariantMap& row) {
    return masterOf(row);
}

OrcamTot totalsOfRow(const QVariantMap& row) {
    OrcamTot t;
    for (const auto& [column, member] : kTotals)
        t.*member = levelsOf(row, QLatin1String(column));
    return t;
}

// ---- numbering ---------------------------------------------------------------

QString QuotationStore::counterColumn(int series) {
    static const QStringList columns{QStringLiteral("ORCAMNRO1"), QStringLiteral("ORCAMNRO2"),
                                     QStringLiteral("ORCAMNRO3"), QStringLiteral("ORCAMNRO4"),
                                     QStringLiteral("ORCAMNRO5")};
    return series >= 1 && series <= kSeriesCount ? columns.at(series - 1) : QString();
}

std::optional<int> QuotationStore::counter(int series, QString* error) {
    const QString column = counterColumn(series);
    if (column.isEmpty()) {
        fail(error, kSeriesMessage);
        return std::nullopt;
    }
    const std::optional<QVariantMap> row = db_->firstRow(
        QStringLiteral("SELECT COALESCE(%1, 0) AS NRO FROM PARGER WHERE CODIGO = 1").arg(column), {}, error);
    if (!row)
        return std::nullopt;
    if (row->isEmpty()) {
        fail(error, kNoParametersMessage);
        return std::nullopt;
    }
    return row->value(QStringLiteral("NRO")).toInt();
}

std::optional<int> QuotationStore::proposeNumber(int series, QString* error) {
    const std::optional<int> last = counter(series, error);
    if (!last)
        return std::nullopt;
    // The numbers in use above the counter, in order, up to the first gap.
    QSqlQuery q(db_->sql());
    if (!db_->exec(q, QStringLiteral("SELECT ORCNRO FROM ORCAMMAS WHERE ORCNRO > :WOrcNro ORDER BY ORCNRO"),
                   {{kNumber, *last}}, error))
        return std::nullopt;
    int next = *last + 1;
    while (q.next() && q.value(0).toInt() == next)
        ++next;
    return next;
}

bool QuotationStore::lockNumber(int number, QString* error) {
    return db_->lockInTransaction(QStringLiteral("ORCNRO:%1").arg(number), error);
}

// ---- reading -----------------------------------------------------------------

std::optional<QuotationRecord> QuotationStore::read(int number, QString* error) {
    const std::optional<QVariantMap> mas = rowOf(*db_, QStringLiteral("ORCAMMAS"), number, error);
    if (!mas)
        return std::nullopt;
    if (mas->isEmpty()) {
        fail(error, missingMessage(number));
        return std::nullopt;
    }
    QuotationRecord r;
    r.mas = masterOf(*mas);
    const auto com = rowOf(*db_, QStringLiteral("ORCAMCOM"), number, error);
    const auto transp = rowOf(*db_, QStringLiteral("ORCAMTRANSP"), number, error);
    const auto cndpgt = rowOf(*db_, QStringLiteral("ORCAMCNDPGT"), number, error);
    const auto desc = rowOf(*db_, QStringLiteral("ORCAMDESC"), number, error);
    const auto tot = rowOf(*db_, QStringLiteral("ORCAMTOT"), number, error);
    if (!com || !transp || !cndpgt || !desc || !tot)
        return std::nullopt;
    if (!com->isEmpty())
        r.com = comOf(*com);
    if (!transp->isEmpty())
        r.transp = transpOf(*transp);
    if (!cndpgt->isEmpty())
        r.cndpgt = cndpgtOf(*cndpgt);
    if (!desc->isEmpty())
        r.desc = descOf(*desc);
    if (!tot->isEmpty())
        r.tot = totOf(*tot);
    return r;
}

std::optional<int> QuotationStore::lastNumber(QString* error) {
    const std::optional<QVariant> n =
        db_->scalar(QStringLiteral("SELECT COALESCE(MAX(ORCNRO), 0) FROM ORCAMMAS"), {}, error);
    if (!n)
        return std::nullopt;
    return n->toInt();
}

std::optional<std::optional<bool>> QuotationStore::approvedIn(int number, QString* error) {
    const std::optional<QVariantMap> row = db_->firstRow(
        QStringLiteral("SELECT APROVADO FROM ORCAMMAS WHERE ORCNRO = :WOrcNro"), {{kNumber, number}}, error);
    if (!row)
        return std::nullopt;
    std::optional<std::optional<bool>> out(std::in_place); // read: no row yet
    if (!row->isEmpty())
        out->emplace(isApproved(textOf(*row, "APROVADO")));
    return out;
}

// After a conditional write of the master row found nothing to write: the
// quotation was approved meanwhile, or another user deleted it.
bool QuotationStore::refuseApproved(int number, QString* error) {
    const auto approved = approvedIn(number, error);
    if (!approved)
        return false;
    return fail(error, approved->has_value() ? kApprovedMessage : db::kDeletedByOther);
}

// ---- entering a number -------------------------------------------------------

Entry QuotationStore::enter(int series, int number, const QDateTime& issued, bool proposed) {
    Entry entry;
    if (number <= 0 || counterColumn(series).isEmpty()) {
        entry.message = number <= 0 ? missingMessage(number) : kSeriesMessage;
        return entry;
    }
    // Twice at most: an insert that loses a race to another user's finds
    // that user's row the second time.
    for (int attempt = 0; attempt < 2; ++attempt) {
        QString error;
        std::optional<bool> existing; // approved, when the number has a row
        const bool ok = db_->transaction(
            [&] {
                if (!lockNumber(number, &error))
                    return false;
                const auto approved = approvedIn(number, &error);
                if (!approved)
                    return false;
                existing = *approved;
                if (existing)
                    return true;
                // Rows of the number without a master row were left by a
                // quotation that is gone: the new one starts without them.
                for (const QString& t : kCharges + QStringList{QStringLiteral("ORCAMTOT")})
                    if (!db_->exec(QStringLiteral("DELETE FROM %1 WHERE ORCNRO = :WOrcNro").arg(t),
                                   {{kNumber, number}}, &error))
                        return false;
                return db_->exec(
                    QStringLiteral(
                        "INSERT INTO ORCAMMAS (ORCNRO, DATAEMI, DESENHO, APROVADO, PRINTE, MANUAL_AUTO, "
                        "TIPOFT, QUANT1, QUANT2, QUANT3, MARGEMLIQ) VALUES (:WOrcNro, :WData, 'S', 'N', "
                        "'N', 'M', 'P', 0, 0, 0, 0)"),
                    {{kNumber, number}, {QStringLiteral("WData"), dateOrNull(issued)}}, &error);
            },
            &error);
        if (!ok) {
            if (attempt == 0 && !existing)
                continue;
            entry.message = error;
            return entry;
        }
        if (!existing) {
            const std::optional<QuotationRecord> r = read(number, &entry.message);
            if (!r)
                return entry;
            entry.outcome = Entry::Outcome::Created;
            entry.record = *r;
            return entry;
        }
        if (proposed) {
            const std::optional<int> next = proposeNumber(series, &entry.message);
            if (!next)
                return entry;
            entry.outcome = Entry::Outcome::Taken;
            entry.proposal = *next;
            return entry;
        }
        if (*existing) {
            entry.outcome = Entry::Outcome::Approved;
            entry.message = kApprovedMessage;
            return entry;
        }
        const std::optional<QuotationRecord> r = read(number, &entry.message);
        if (!r)
            return entry;
        entry.outcome = Entry::Outcome::Opened;
        entry.record = *r;
        return entry;
    }
    return entry;
}

// ---- writing -----------------------------------------------------------------

bool QuotationStore::addSatellites(int number, const Satellites& defaults, QString* error) {
    const std::pair<QString, QVariantMap> rows[] = {
        {QStringLiteral("ORCAMCOM"), comValues(defaults.com)},
        {QStringLiteral("ORCAMTRANSP"), transpValues(defaults.transp)},
        {QStringLiteral("ORCAMCNDPGT"), cndpgtValues(defaults.cndpgt)},
        {QStringLiteral("ORCAMDESC"), descValues(defaults.desc)}};
    return db_->transaction(
        [&] {
            if (!lockNumber(number, error))
                return false;
            const auto approved = approvedIn(number, error);
            if (!approved)
                return false;
            if (!*approved)
                return fail(error, missingMessage(number));
            if (**approved)
                return fail(error, kApprovedMessage);
            for (const auto& [table, values] : rows) {
                const std::optional<QVariantMap> row = rowOf(*db_, table, number, error);
                if (!row)
                    return false;
                if (!row->isEmpty())
                    continue;
                QVariantMap all = values;
                all.insert(QStringLiteral("ORCNRO"), number);
                if (!insertRow(*db_, table, all, error))
                    return false;
            }
            return true;
        },
        error);
}

bool QuotationStore::setCustomer(int number, int customer, const QString& name, const Satellites& defaults,
                                 QString* error) {
    const QVariantMap charges[] = {comValues(defaults.com), transpValues(defaults.transp),
                                   cndpgtValues(defaults.cndpgt), descValues(defaults.desc)};
    return db_->transaction(
        [&] {
            QSqlQuery q(db_->sql());
            if (!lockNumber(number, error))
                return false;
            // Another customer: a closed quotation is open again.
            const std::optional<QVariantMap> before = rowOf(*db_, QStringLiteral("ORCAMMAS"), number, error);
            if (!before ||
                (!before->isEmpty() && intOf(*before, "CLINRO") != customer && !deleteTotals(number, error)))
                return false;
            if (!db_->exec(q,
                           QStringLiteral("UPDATE ORCAMMAS SET CLINRO = :WCliNro, CLINOM = :WCliNom WHERE "
                                          "ORCNRO = :WOrcNro AND %1")
                               .arg(kNotApproved),
                           {{kNumber, number},
                            {QStringLiteral("WCliNro"), customer},
                            {QStringLiteral("WCliNom"), textOrNull(name.left(35))}},
                           error))
                return false;
            if (q.numRowsAffected() == 0)
                return refuseApproved(number, error);
            // Never calculated (no quantity stored): the charges are the new customer's.
            const std::optional<QVariant> quantity = db_->scalar(
                QStringLiteral("SELECT COALESCE(QUANT1, 0) FROM ORCAMMAS WHERE ORCNRO = :WOrcNro"),
                {{kNumber, number}}, error);
            if (!quantity)
                return false;
            const bool replace = quantity->toDouble() == 0;
            for (int i = 0; i < kCharges.size(); ++i) {
                const std::optional<QVariantMap> row = rowOf(*db_, kCharges[i], number, error);
                if (!row)
                    return false;
                if (!row->isEmpty() && !replace)
                    continue;
                QVariantMap all = charges[i];
                all.insert(QStringLiteral("ORCNRO"), number);
                if ((!row->isEmpty() &&
                     !db_->exec(QStringLiteral("DELETE FROM %1 WHERE ORCNRO = :WOrcNro").arg(kCharges[i]),
                                {{kNumber, number}}, error)) ||
                    !insertRow(*db_, kCharges[i], all, error))
                    return false;
            }
            return true;
        },
        error);
}

// In the caller's transaction: the master row, unless approved meanwhile,
// and the satellites the record has.
bool QuotationStore::writeRows(const QuotationRecord& record, QString* error) {
    const int number = record.mas.ORCNRO;
    bool updated = false;
    if (!lockNumber(number, error) ||
        !putRow(*db_, QStringLiteral("ORCAMMAS"), number, masterValues(record.mas), error, Missing::Report,
                kNotApproved, &updated))
        return false;
    if (!updated)
        return refuseApproved(number, error);
    // The charge rows the record has were read: one gone was deleted by another user.
    const Missing gone = Missing::Refuse;
    return (!record.com || putRow(*db_, kCharges[0], number, comValues(*record.com), error, gone)) &&
           (!record.transp || putRow(*db_, kCharges[1], number, transpValues(*record.transp), error, gone)) &&
           (!record.cndpgt || putRow(*db_, kCharges[2], number, cndpgtValues(*record.cndpgt), error, gone)) &&
           (!record.desc || putRow(*db_, kCharges[3], number, descValues(*record.desc), error, gone));
}

bool QuotationStore::save(const QuotationRecord& record, QString* error) {
    const int number = record.mas.ORCNRO;
    return db_->transaction(
        [&] {
            if (!lockNumber(number, error))
                return false;
            const std::optional<bool> same = storedAs(record, error);
            // Rows changed since closing: the quotation is open again.
            return same && writeRows(record, error) && (*same || deleteTotals(number, error));
        },
        error);
}

// In the caller's transaction: whether the stored rows are those of `record`
// (the satellites it has); false when the quotation has none.
std::optional<bool> QuotationStore::storedAs(const QuotationRecord& record, QString* error) {
    const int number = record.mas.ORCNRO;
    const std::optional<QVariantMap> mas = rowOf(*db_, QStringLiteral("ORCAMMAS"), number, error);
    if (!mas)
        return std::nullopt;
    if (mas->isEmpty() || masterValues(masterOf(*mas)) != masterValues(record.mas))
        return false;
    const std::pair<QString, std::optional<QVariantMap>> charges[] = {
        {kCharges[0], record.com ? std::optional(comValues(*record.com)) : std::nullopt},
        {kCharges[1], record.transp ? std::optional(transpValues(*record.transp)) : std::nullopt},
        {kCharges[2], record.cndpgt ? std::optional(cndpgtValues(*record.cndpgt)) : std::nullopt},
        {kCharges[3], record.desc ? std::optional(descValues(*record.desc)) : std::nullopt}};
    for (int i = 0; i < 4; ++i) {
        const auto& [table, values] = charges[i];
        if (!values)
            continue;
        const std::optional<QVariantMap> row = rowOf(*db_, table, number, error);
        if (!row)
            return std::nullopt;
        if (row->isEmpty() || storedValues(i, *row) != *values)
            return false;
    }
    return true;
}

bool QuotationStore::deleteTotals(int number, QString* error) {
    return db_->exec(QStringLiteral("DELETE FROM ORCAMTOT WHERE ORCNRO = :WOrcNro"), {{kNumber, number}},
                     error);
}

bool QuotationStore::close(int series, const QuotationRecord& record, const OrcamTot& totals,
                           QString* error) {
    const QString column = counterColumn(series);
    if (column.isEmpty())
        return fail(error, kSeriesMessage);
    const int number = record.mas.ORCNRO;
    return db_->transaction(
        [&] {
            const std::optional<QVariant> parameters =
                db_->scalar(QStringLiteral("SELECT COUNT(*) FROM PARGER WHERE CODIGO = 1"), {}, error);
            if (!parameters)
                return false;
            if (parameters->toInt() == 0)
                return fail(error, kNoParametersMessage);
            // The counter only of this series, and only upwards: a number
            // below it, or another user's higher one, leaves it alone.
            return writeRows(record, error) &&
                   putRow(*db_, QStringLiteral("ORCAMTOT"), number, totValues(totals), error,
                          Missing::Insert) &&
                   db_->exec(QStringLiteral(
                                 "UPDATE PARGER SET %1 = :WOrcNro WHERE CODIGO = 1 AND COALESCE(%1, 0) < "
                                 ":WOrcNro")
                                 .arg(column),
                             {{kNumber, number}}, error);
        },
        error);
}

// In the caller's transaction: the master row unless approved, then the satellites.
bool QuotationStore::deleteRows(int number, QString* error) {
    if (!lockNumber(number, error))
        return false;
    QSqlQuery q(db_->sql());
    if (!db_->exec(q, QStringLiteral("DELETE FROM ORCAMMAS WHERE ORCNRO = :WOrcNro AND %1").arg(kNotApproved),
                   {{kNumber, number}}, error))
        return false;
    if (q.numRowsAffected() == 0)
        return refuseApproved(number, error);
    for (const QString& t : kCharges + QStringList{QStringLiteral("ORCAMTOT")})
        if (!db_->exec(QStringLiteral("DELETE FROM %1 WHERE ORCNRO = :WOrcNro").arg(t), {{kNumber, number}},
                       error))
            return false;
    return true;
}

bool QuotationStore::remove(int number, QString* error) {
    return db_->transaction([&] { return deleteRows(number, error); }, error);
}

bool QuotationStore::cancel(int number, const std::optional<QuotationRecord>& asOpened, QString* error) {
    return db_->transaction(
        [&] {
            if (!asOpened)
                return deleteRows(number, error);
            // The totals too: a quotation closed when it was opened is closed again.
            if (!writeRows(*asOpened, error) || !deleteTotals(number, error) ||
                (asOpened->tot && !insertRow(*db_, QStringLiteral("ORCAMTOT"),
                                             withNumber(totValues(*asOpened->tot), number), error)))
                return false;
            // Satellites made since it was opened go again.
            const std::pair<QString, bool> had[] = {{kCharges[0], asOpened->com.has_value()},
                                                    {kCharges[1], asOpened->transp.has_value()},
                                                    {kCharges[2], asOpened->cndpgt.has_value()},
                                                    {kCharges[3], asOpened->desc.has_value()}};
            for (const auto& [table, present] : had)
                if (!present &&
                    !db_->exec(QStringLiteral("DELETE FROM %1 WHERE ORCNRO = :WOrcNro").arg(table),
                               {{kNumber, number}}, error))
                    return false;
            return true;
        },
        error);
}

// ---- price chart -------------------------------------------------------------

bool QuotationStore::writePriceChart(const QString& user, const QList<ChartSlice>& slices, QString* error) {
    const QVariantMap key{{QStringLiteral("WUtil"), user}, {QStringLiteral("WProg"), kPriceChartProgram}};
    return db_->transaction(
        [&] {
            // Two sessions of one user at once: one after the other, so one set of slices stays.
            if (!db_->lockInTransaction(QStringLiteral("SALDOS:%1:%2").arg(kPriceChartProgram, user),
                                        error) ||
                !db_->exec(QStringLiteral("Delete From SALDOS Where UTIL = :WUtil and PROGRAMA = :WProg"),
                           key, error))
                return false;
            for (const ChartSlice& s : slices) {
                QVariantMap p = key;
                p.insert(QStringLiteral("WSequencia"), s.SEQUENCIA);
                p.insert(QStringLiteral("WLegenda"), s.LEGENDA.left(9));
                p.insert(QStringLiteral("WValor"), s.VALOR);
                if (!db_->exec(
                        QStringLiteral("INSERT INTO SALDOS (UTIL,PROGRAMA,SEQUENCIA,LEGENDA,VALOR) VALUES "
                                       "(:WUtil,:WProg,:WSequencia,:WLegenda,:WValor)"),
                        p, error))
                    return false;
            }
            return true;
        },
        error);
}

std::optional<QList<ChartSlice>> QuotationStore::priceChart(const QString& user, QString* error) {
    QSqlQuery q(db_->sql());
    if (!db_->exec(
            q,
            QStringLiteral("SELECT SEQUENCIA, LEGENDA, VALOR FROM SALDOS WHERE UTIL = :WUtil AND PROGRAMA = "
                           ":WProg ORDER BY SEQUENCIA"),
            {{QStringLiteral("WUtil"), user}, {QStringLiteral("WProg"), kPriceChartProgram}}, error))
        return std::nullopt;
    QList<ChartSlice> out;
    while (q.next())
        out << ChartSlice{q.value(0).toInt(), q.value(1).toString().trimmed(), q.value(2).toDouble()};
    return out;
}

} // namespace corvane::quotation
