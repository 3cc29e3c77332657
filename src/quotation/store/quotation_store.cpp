#include "quotation_store.h"

#include "quotation_rows.h"
#include "row_values.h"
#include "shell/parameters_store.h"

#include "quotation/quotation_calc.h"

#include "db/dataset.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace corvane::quotation {

using namespace rows;

namespace {

const QString kNumber = QStringLiteral("WOrcNro");
// The charge rows, made from the customer's defaults.
const QStringList kCharges{QStringLiteral("ORCAMCOM"), QStringLiteral("ORCAMTRANSP"),
                           QStringLiteral("ORCAMCNDPGT"), QStringLiteral("ORCAMDESC")};

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
QVariantMap storedCharges(int i, const QVariantMap& row) {
    switch (i) {
    case 0:
        return storedValues<OrcamCom>(row);
    case 1:
        return storedValues<OrcamTransp>(row);
    case 2:
        return storedValues<OrcamCndPgt>(row);
    default:
        return storedValues<OrcamDesc>(row);
    }
}

} // namespace

OrcamMas masterOfRow(const QVariantMap& row) {
    return recordOf<OrcamMas>(row);
}

OrcamTot totalsOfRow(const QVariantMap& row) {
    return recordOf<OrcamTot>(row);
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
    const std::optional<QVariantMap> row = shell::ParametersStore(*db_).programRow(error);
    if (!row)
        return std::nullopt;
    if (row->isEmpty()) {
        fail(error, kNoParametersMessage);
        return std::nullopt;
    }
    return row->value(column).toInt(); // none yet counts as 0
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
    r.mas = recordOf<OrcamMas>(*mas);
    const auto com = rowOf(*db_, QStringLiteral("ORCAMCOM"), number, error);
    const auto transp = rowOf(*db_, QStringLiteral("ORCAMTRANSP"), number, error);
    const auto cndpgt = rowOf(*db_, QStringLiteral("ORCAMCNDPGT"), number, error);
    const auto desc = rowOf(*db_, QStringLiteral("ORCAMDESC"), number, error);
    const auto tot = rowOf(*db_, QStringLiteral("ORCAMTOT"), number, error);
    if (!com || !transp || !cndpgt || !desc || !tot)
        return std::nullopt;
    if (!com->isEmpty())
        r.com = recordOf<OrcamCom>(*com);
    if (!transp->isEmpty())
        r.transp = recordOf<OrcamTransp>(*transp);
    if (!cndpgt->isEmpty())
        r.cndpgt = recordOf<OrcamCndPgt>(*cndpgt);
    if (!desc->isEmpty())
        r.desc = recordOf<OrcamDesc>(*desc);
    if (!tot->isEmpty())
        r.tot = recordOf<OrcamTot>(*tot);
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
                for (const QString& t :
                     kCharges + QStringList{QStringLiteral("ORCAMTOT"), QStringLiteral("ORCAMCUSTO")})
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
    const std::pair<QString, QVariantMap> rows[] = {{QStringLiteral("ORCAMCOM"), values(defaults.com)},
                                                    {QStringLiteral("ORCAMTRANSP"), values(defaults.transp)},
                                                    {QStringLiteral("ORCAMCNDPGT"), values(defaults.cndpgt)},
                                                    {QStringLiteral("ORCAMDESC"), values(defaults.desc)}};
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
    const QVariantMap charges[] = {values(defaults.com), values(defaults.transp), values(defaults.cndpgt),
                                   values(defaults.desc)};
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
                            {QStringLiteral("WCliNom"),
                             columnText(QStringLiteral("ORCAMMAS"), QStringLiteral("CLINOM"), name)}},
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
    if (!lockNumber(number, error) || !putRow(*db_, QStringLiteral("ORCAMMAS"), number, values(record.mas),
                                              error, Missing::Report, kNotApproved, &updated))
        return false;
    if (!updated)
        return refuseApproved(number, error);
    // The charge rows the record has were read: one gone was deleted by another user.
    const Missing gone = Missing::Refuse;
    return (!record.com || putRow(*db_, kCharges[0], number, values(*record.com), error, gone)) &&
           (!record.transp || putRow(*db_, kCharges[1], number, values(*record.transp), error, gone)) &&
           (!record.cndpgt || putRow(*db_, kCharges[2], number, values(*record.cndpgt), error, gone)) &&
           (!record.desc || putRow(*db_, kCharges[3], number, values(*record.desc), error, gone));
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
    if (mas->isEmpty() || storedValues<OrcamMas>(*mas) != values(record.mas))
        return false;
    const std::pair<QString, std::optional<QVariantMap>> charges[] = {
        {kCharges[0], record.com ? std::optional(values(*record.com)) : std::nullopt},
        {kCharges[1], record.transp ? std::optional(values(*record.transp)) : std::nullopt},
        {kCharges[2], record.cndpgt ? std::optional(values(*record.cndpgt)) : std::nullopt},
        {kCharges[3], record.desc ? std::optional(values(*record.desc)) : std::nullopt}};
    for (int i = 0; i < 4; ++i) {
        const auto& [table, values] = charges[i];
        if (!values)
            continue;
        const std::optional<QVariantMap> row = rowOf(*db_, table, number, error);
        if (!row)
            return std::nullopt;
        if (row->isEmpty() || storedCharges(i, *row) != *values)
            return false;
    }
    return true;
}

// A quotation changed after closing is open again: neither its totals nor
// what it was costed on stand.
bool QuotationStore::deleteTotals(int number, QString* error) {
    return db_->exec(QStringLiteral("DELETE FROM ORCAMTOT WHERE ORCNRO = :WOrcNro"), {{kNumber, number}},
                     error) &&
           db_->exec(QStringLiteral("DELETE FROM ORCAMCUSTO WHERE ORCNRO = :WOrcNro"), {{kNumber, number}},
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
            const std::optional<QVariantMap> parameters = shell::ParametersStore(*db_).programRow(error);
            if (!parameters)
                return false;
            if (parameters->isEmpty())
                return fail(error, kNoParametersMessage);
            // The counter only of this series, and only upwards: a number
            // below it, or another user's higher one, leaves it alone.
            return writeRows(record, error) &&
                   putRow(*db_, QStringLiteral("ORCAMTOT"), number, values(totals), error, Missing::Insert) &&
                   putCostSnapshot(record.mas, error) &&
                   shell::ParametersStore(*db_).raiseCounter(column, number, error);
        },
        error);
}

// In the caller's transaction: the sheet as the quotation is closed on it.
bool QuotationStore::putCostSnapshot(const OrcamMas& mas, QString* error) {
    const std::optional<QuotedSheet> sheet = quotedSheet(*db_, mas.ARTIGO, mas.TIPOFT, error);
    const std::optional<CostTypes> types = sheet ? readCostTypes(*db_, error) : std::nullopt;
    if (!types || !db_->exec(QStringLiteral("DELETE FROM ORCAMCUSTO WHERE ORCNRO = :WOrcNro"),
                             {{kNumber, mas.ORCNRO}}, error))
        return false;
    if (sheet->rows.empty())
        return true; // nothing to keep: the calculation had no sheet either
    Notes notes;
    const UnitCosts u = buildUnitCosts(sheet->rows, *types, mas.QUANT, notes, sheet->kind);
    double sheetCost = 0;
    for (const FictecDetLine& l : sheet->rows)
        sheetCost += l.VALOR_FINAL;
    // The transformation a piece at each level: its set-up shared by the level's pieces.
    Levels perPiece{};
    for (std::size_t i = 0; i < 3; ++i)
        perPiece[i] = mas.QUANT[i] > 0 ? u.Tr[i] / mas.QUANT[i] : 0;
    const QDateTime now = QDateTime::currentDateTime();
    return putRow(*db_, QStringLiteral("ORCAMCUSTO"), mas.ORCNRO,
                  {{QStringLiteral("DATACUSTO"), now.addMSecs(-now.time().msec())},
                   {QStringLiteral("TIPOFT"), mas.TIPOFT.left(1)},
                   {QStringLiteral("CUSTOFICHA"), sheetCost},
                   {QStringLiteral("CUSTOMAT"), u.M},
                   {QStringLiteral("CUSTOFIX"), u.F},
                   {QStringLiteral("CUSTODESP"), u.W},
                   {QStringLiteral("CUSTOQUAL"), u.QL},
                   {QStringLiteral("CUSTOEMB"), u.E},
                   {QStringLiteral("CUSTOSUB"), u.C},
                   {QStringLiteral("PERCESTR"), u.s},
                   {QStringLiteral("CUSTOTRA1"), perPiece[0]},
                   {QStringLiteral("CUSTOTRA2"), perPiece[1]},
                   {QStringLiteral("CUSTOTRA3"), perPiece[2]}},
                  error, Missing::Insert);
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
    for (const QString& t : kCharges + QStringList{QStringLiteral("ORCAMTOT"), QStringLiteral("ORCAMCUSTO")})
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
                                             withNumber(values(*asOpened->tot), number), error)))
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
