#include "price_impact.h"

#include "quotation_rows.h"
#include "quotation_store.h"

#include "quotation/quotation_calc.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>
#include <map>

namespace corvane::quotation {

namespace {

QVariantMap columnsOf(const QSqlRecord& r) {
    QVariantMap m;
    for (int i = 0; i < r.count(); ++i)
        m.insert(r.fieldName(i).toUpper(), r.value(i));
    return m;
}

// The rows of `table` of every pending quotation, by number.
bool pendingRows(db::Database& db, const QString& table, std::map<int, QVariantMap>& out, QString* error) {
    QSqlQuery q(db.sql());
    q.setForwardOnly(true);
    const QString sql =
        table == QLatin1String("ORCAMMAS")
            ? QStringLiteral("SELECT * FROM ORCAMMAS WHERE %1 ORDER BY ORCNRO").arg(kPendingCondition)
            : QStringLiteral("SELECT * FROM %1 WHERE ORCNRO IN (SELECT ORCNRO FROM ORCAMMAS WHERE %2)")
                  .arg(table, kPendingCondition);
    if (!db.exec(q, sql, {}, error))
        return false;
    while (q.next()) {
        QVariantMap row = columnsOf(q.record());
        out[row.value(QStringLiteral("ORCNRO")).toInt()] = std::move(row);
    }
    return true;
}

template <class Record> Record recordIn(const std::map<int, QVariantMap>& rows, int number) {
    const auto it = rows.find(number);
    return it == rows.end() ? Record{} : rows::recordOf<Record>(it->second);
}

// A sheet as a quotation costs it, today and re-costed.
struct CostedSheet {
    QString kind;
    std::vector<techsheet::FictecDetLine> today;
    std::vector<techsheet::FictecDetLine> after;
    double sheetToday = 0;
    double sheetAfter = 0;
    QString problem;
};

CostedSheet costedSheet(db::Database& db, const QString& article, const QString& tipoft,
                        const techsheet::CostReference& after, QString* error) {
    CostedSheet s;
    const std::optional<QuotedSheet> sheet = quotedSheet(db, article, tipoft, error);
    if (!sheet || sheet->rows.empty()) {
        s.problem = QStringLiteral("Artigo sem Ficha Técnica");
        return s;
    }
    const techsheet::RecostedSheet r = techsheet::recostSheet(sheet->kind, sheet->rows, after);
    s.kind = sheet->kind;
    s.today = sheet->rows;
    s.after = r.lines;
    s.sheetToday = r.before;
    s.sheetAfter = r.after;
    s.problem = r.refusal;
    return s;
}

// The quotation priced in `mode` over the rows; nullopt with the refusal.
std::optional<LevelValues> priced(Quotation q, PriceMode mode, const CostedSheet& sheet,
                                  const std::vector<techsheet::FictecDetLine>& rows,
                                  const techsheet::CostTypes& types, Levels* prices, QString* problem) {
    q.mode = mode;
    Notes notes;
    const UnitCosts unit = buildUnitCosts(rows, types, q.mas.QUANT, notes, sheet.kind);
    LevelValues values;
    if (!calculateQuotation(q, unit, values, notes)) {
        *problem = notes.messages.join(QLatin1Char('\n'));
        return std::nullopt;
    }
    if (prices)
        *prices = q.mas.PRCORC;
    return values;
}

void judge(QuotationImpact& impact, Quotation q, const CostedSheet& sheet,
           const techsheet::CostReference& today, const techsheet::CostReference& after, double threshold) {
    // The quoted price: the customer's where given, else the computed one.
    for (std::size_t i = 0; i < 3; ++i) {
        if (!(q.mas.PRECOCLI[i] > 0))
            q.mas.PRECOCLI[i] = q.mas.PRCORC[i];
        impact.levels[i].quantity = q.mas.QUANT[i];
        impact.levels[i].price = q.mas.PRECOCLI[i];
    }
    Levels keeping{};
    const auto now =
        priced(q, PriceMode::Customer, sheet, sheet.today, today.costTypes, nullptr, &impact.problem);
    const auto then =
        now ? priced(q, PriceMode::Customer, sheet, sheet.after, after.costTypes, nullptr, &impact.problem)
            : std::nullopt;
    const auto keep =
        then ? priced(q, PriceMode::Margin, sheet, sheet.after, after.costTypes, &keeping, &impact.problem)
             : std::nullopt;
    if (!keep)
        return;
    for (std::size_t i = 0; i < 3; ++i) {
        LevelImpact& l = impact.levels[i];
        if (!(l.quantity > 0) || !(l.price > 0))
            continue;
        l.marginToday = now->MgPerc[i];
        l.marginAfter = then->MgPerc[i];
        l.priceKeepingMargin = keeping[i];
        if (l.marginAfter < threshold)
            impact.flagged = true;
    }
}

} // namespace

bool priceImpact(db::Database& corvane, const techsheet::CostReference& today,
                 const techsheet::CostReference& after, double marginThreshold, ImpactReport& report,
                 const ImpactProgress& progress, QString* error) {
    std::map<int, QVariantMap> mas, com, transp, cndpgt, desc;
    if (!pendingRows(corvane, QStringLiteral("ORCAMMAS"), mas, error) ||
        !pendingRows(corvane, QStringLiteral("ORCAMCOM"), com, error) ||
        !pendingRows(corvane, QStringLiteral("ORCAMTRANSP"), transp, error) ||
        !pendingRows(corvane, QStringLiteral("ORCAMCNDPGT"), cndpgt, error) ||
        !pendingRows(corvane, QStringLiteral("ORCAMDESC"), desc, error))
        return false;
    QHash<QString, CostedSheet> sheets; // by kind of record and article
    qint64 done = 0;
    for (const auto& [number, row] : mas) {
        if (progress && ++done % 500 == 0)
            progress(done, static_cast<qint64>(mas.size()));
        Quotation q;
        q.mas = rows::recordOf<OrcamMas>(row);
        if (!(q.mas.PRECOCLI[0] > 0 || q.mas.PRCORC[0] > 0))
            continue; // nothing quoted yet
        q.com = recordIn<OrcamCom>(com, number);
        q.transp = recordIn<OrcamTransp>(transp, number);
        q.cndpgt = recordIn<OrcamCndPgt>(cndpgt, number);
        q.desc = recordIn<OrcamDesc>(desc, number);
        const QString key = q.mas.TIPOFT.trimmed().toUpper() + QLatin1Char('|') + q.mas.ARTIGO;
        auto it = sheets.find(key);
        if (it == sheets.end()) {
            QString failure;
            CostedSheet s = costedSheet(corvane, q.mas.ARTIGO, q.mas.TIPOFT, after, &failure);
            if (!failure.isEmpty()) {
                if (error)
                    *error = failure;
                return false;
            }
            it = sheets.insert(key, std::move(s));
        }
        QuotationImpact impact;
        impact.number = number;
        impact.customer = q.mas.CLINRO;
        impact.customerName = q.mas.CLINOM;
        impact.article = q.mas.ARTIGO;
        impact.issued = q.mas.DATAEMI;
        impact.targetMargin = q.mas.MARGEMLIQ;
        impact.sheetToday = it->sheetToday;
        impact.sheetAfter = it->sheetAfter;
        impact.problem = it->problem;
        if (impact.problem.isEmpty())
            judge(impact, q, *it, today, after, marginThreshold);
        report.flagged += impact.flagged ? 1 : 0;
        report.changed += std::abs(impact.sheetAfter - impact.sheetToday) > 1e-9 ? 1 : 0;
        report.quotations.push_back(std::move(impact));
    }
    if (progress)
        progress(static_cast<qint64>(mas.size()), static_cast<qint64>(mas.size()));
    return true;
}

std::vector<ImpactLine> impactLines(const ImpactReport& report, double threshold) {
    std::vector<ImpactLine> lines;
    for (const QuotationImpact& q : report.quotations) {
        const ImpactLine head{q.number, q.customer, q.customerName, q.article, 0, 0, 0, 0,
                              0,        0,          q.flagged,      q.problem};
        if (!q.problem.isEmpty()) {
            lines.push_back(head);
            continue;
        }
        if (std::abs(q.sheetAfter - q.sheetToday) < 1e-9)
            continue;
        for (int i = 0; i < 3; ++i) {
            const LevelImpact& l = q.levels[static_cast<std::size_t>(i)];
            if (!(l.quantity > 0) || !(l.price > 0))
                continue;
            ImpactLine line = head;
            line.level = i + 1;
            line.quantity = l.quantity;
            line.price = l.price;
            line.marginToday = l.marginToday;
            line.marginAfter = l.marginAfter;
            line.priceKeepingMargin = l.priceKeepingMargin;
            line.flagged = l.marginAfter < threshold;
            lines.push_back(line);
        }
    }
    std::stable_sort(lines.begin(), lines.end(), [](const ImpactLine& a, const ImpactLine& b) {
        if (a.problem.isEmpty() != b.problem.isEmpty())
            return !a.problem.isEmpty();
        if (a.flagged != b.flagged)
            return a.flagged;
        return a.marginAfter < b.marginAfter;
    });
    return lines;
}

} // namespace corvane::quotation
