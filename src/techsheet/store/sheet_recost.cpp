#include "sheet_recost.h"

#include "sheet_claim.h"
#include "sheet_store.h"

#include "db/dataset.h"
#include "db/document_claim.h"
#include "shell/parameters_store.h"

#include <QSqlQuery>

namespace corvane::techsheet {

namespace {

// Sheets read at a time: a page of headers, then their lines in one statement.
constexpr int kPageSheets = 500;

bool eachRow(db::Database& db, const QString& sql, const std::function<void(const QSqlQuery&)>& row,
             QString* error) {
    QSqlQuery q(db.sql());
    q.setForwardOnly(true);
    if (!db.exec(q, sql, {}, error))
        return false;
    while (q.next())
        row(q);
    return true;
}

struct SheetHeader {
    QString article;
    QString kind;
    double knittingWaste = 0; // DESPERD, %
};

// The next page of sheets after `after`, in code order.
std::optional<std::vector<SheetHeader>> sheetPage(db::Database& db, const QString& after, QString* error) {
    QSqlQuery q(db.sql());
    q.setForwardOnly(true);
    if (!db.exec(q,
                 QStringLiteral("SELECT CODIGO, TIPOFICTEC, DESPERD FROM FICTECMAS WHERE CODIGO > :WDepois "
                                "ORDER BY CODIGO LIMIT %1")
                     .arg(kPageSheets),
                 {{QStringLiteral("WDepois"), after}}, error))
        return std::nullopt;
    std::vector<SheetHeader> page;
    while (q.next())
        page.push_back(
            {q.value(0).toString().trimmed(), q.value(1).toString().trimmed(), q.value(2).toDouble()});
    return page;
}

// The lines of the sheets from `first` to `last`, by article.
std::optional<QHash<QString, std::vector<FictecDetLine>>> pageLines(db::Database& db, const QString& first,
                                                                    const QString& last, QString* error) {
    QSqlQuery q(db.sql());
    q.setForwardOnly(true);
    if (!db.exec(q,
                 QStringLiteral("SELECT %1 FROM FICTECDET WHERE ARTIGO >= :WPrimeiro AND ARTIGO <= :WUltimo "
                                "ORDER BY ARTIGO, RELACFICTEC, DETAIL")
                     .arg(kSheetLineColumns),
                 {{QStringLiteral("WPrimeiro"), first}, {QStringLiteral("WUltimo"), last}}, error))
        return std::nullopt;
    QHash<QString, std::vector<FictecDetLine>> lines;
    while (q.next()) {
        FictecDetLine l = sheetLineAt(q);
        lines[l.ARTIGO].push_back(std::move(l));
    }
    return lines;
}

bool updateCosts(db::Database& db, const FictecDetLine& l, QString* error) {
    QSqlQuery q(db.sql());
    if (!db.exec(q,
                 QStringLiteral(
                     "UPDATE FICTECDET SET PRECO = :WPreco, VALOR = :WValor, QUANT_FINAL = :WQf, "
                     "VALOR_FINAL = :WVf WHERE TIPO = :WTipo AND ARTIGO = :WArtigo AND DETAIL = :WDetail"),
                 {{QStringLiteral("WPreco"), l.PRECO},
                  {QStringLiteral("WValor"), l.VALOR},
                  {QStringLiteral("WQf"), l.QUANT_FINAL},
                  {QStringLiteral("WVf"), l.VALOR_FINAL},
                  {QStringLiteral("WTipo"), l.TIPO},
                  {QStringLiteral("WArtigo"), l.ARTIGO},
                  {QStringLiteral("WDetail"), l.DETAIL}},
                 error))
        return false;
    if (q.numRowsAffected() > 0)
        return true;
    if (error)
        *error = db::kDeletedByOther;
    return false;
}

// What writing one sheet came to.
enum class Written { Done, Unchanged, Uncostable, InUse, Claimed, Failed };

// Whether anybody has a claim on the document stored (alive or not).
std::optional<bool> claimStored(db::Database& db, const QString& document, QString* error) {
    const std::optional<QVariant> n =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM DOCUMENTOS_EM_USO WHERE DOCUMENTO = :WDOC"),
                  {{QStringLiteral("WDOC"), document.trimmed().toUpper().left(60)}}, error);
    return n ? std::optional<bool>(n->toInt() > 0) : std::nullopt;
}

// In one transaction: the sheet locked and read again, re-costed from those
// rows, and the lines that changed updated. With `checkClaims`, a sheet
// somebody has a claim on is left (Claimed) for the caller to claim first.
Written rewrite(db::Database& db, bool checkClaims, const SheetHeader& sheet, const CostReference& reference,
                RecostedSheet& out, QString& reason, QString* error) {
    Written w = Written::Failed;
    SheetStore store(db);
    const auto work = [&] {
        if (!store.lockSheet(sheet.article, error))
            return false;
        if (checkClaims) {
            const std::optional<bool> claimed = claimStored(db, sheetDocument(sheet.article), error);
            if (!claimed)
                return false;
            if (*claimed) {
                w = Written::Claimed;
                return false;
            }
        }
        const std::optional<std::vector<FictecDetLine>> lines = store.lines(sheet.article, {}, error);
        if (!lines)
            return false;
        out = recostSheet(sheet.kind, *lines, reference, sheet.knittingWaste);
        if (!out.costable()) {
            reason = out.refusal;
            w = Written::Uncostable;
            return false;
        }
        if (out.changed.empty()) {
            w = Written::Unchanged;
            return false;
        }
        for (std::size_t i : out.changed)
            if (!updateCosts(db, out.lines[i], error))
                return false;
        w = Written::Done;
        return true;
    };
    if (!db.transaction(work, error) && w == Written::Done)
        w = Written::Failed; // the commit failed
    return w;
}

// A sheet nobody claims is rewritten at once. One with a stored claim is
// claimed for the time of the write: another live holder leaves it InUse;
// a claim of a run that is gone is taken over, and given up again after.
Written writeSheet(db::Database& db, db::DocumentClaims* claims, const SheetHeader& sheet,
                   const CostReference& reference, RecostedSheet& out, QString& reason, QString* error) {
    const Written first = rewrite(db, claims != nullptr, sheet, reference, out, reason, error);
    if (first != Written::Claimed)
        return first;
    const QString document = sheetDocument(sheet.article);
    const bool held = claims->held().contains(document.trimmed().toUpper().left(60));
    if (!held) {
        db::ClaimHolder holder;
        QString failure;
        const auto outcome = claims->claim(document, &holder, &failure);
        if (outcome == db::DocumentClaims::Outcome::HeldByOther) {
            reason = db::DocumentClaims::inUseText(kSheetDocumentName, holder, claims->now());
            return Written::InUse;
        }
        if (outcome == db::DocumentClaims::Outcome::Failed) {
            if (error)
                *error = failure;
            return Written::Failed;
        }
    }
    const Written w = rewrite(db, false, sheet, reference, out, reason, error);
    if (!held)
        claims->release(document);
    return w;
}

// Where claims are kept: their table made when no run has made it yet.
bool claimsReady(db::Database& db, db::DocumentClaims* claims, QString* error) {
    if (!claims)
        return true;
    QString failure;
    if (db.dialect().tableExists(db.sql(), QStringLiteral("DOCUMENTOS_EM_USO"), &failure))
        return true;
    if (!failure.isEmpty()) {
        if (error)
            *error = failure;
        return false;
    }
    return db.exec(db.dialect().createTable(db::DocumentClaims::table()), {}, error);
}

// The batch runs many short transactions: on SQLite (WAL) each commit then
// waits for the log to be written, not for the disk to confirm it; a crash
// of the machine may lose the last sheets written, never half of one.
class QuickCommits {
public:
    explicit QuickCommits(db::Database& db) : db_(db) {
        if (db_.backend() == db::Backend::SQLite)
            db_.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
    }
    ~QuickCommits() {
        if (db_.backend() == db::Backend::SQLite)
            db_.exec(QStringLiteral("PRAGMA synchronous = FULL"));
    }

private:
    db::Database& db_;
};

} // namespace

std::optional<CostReference> readCostReference(db::Database& corvane, db::Database& factura, QString* error) {
    const std::optional<QVariantMap> parger = shell::ParametersStore(corvane).programRow(error);
    if (!parger)
        return std::nullopt;
    CostReference ref;
    ref.parameters = SheetParameters::fromRow(*parger);
    const QString basis = parger->value(QStringLiteral("TIPOPRECO")).toString().trimmed().toUpper();
    const bool ok =
        eachRow(
            corvane, QStringLiteral("SELECT CODIGO, DESPERD, CLAS_ORC FROM TIPOCUSTO ORDER BY CODIGO"),
            [&](const QSqlQuery& q) {
                ref.costTypes.push_back({q.value(0).toInt(), q.value(1).toDouble(), q.value(2).toInt()});
            },
            error) &&
        eachRow(
            factura, QStringLiteral("SELECT CODIGO, CUSTOPADRAO, PMCUSTO, PULENTRA FROM ARTIGOSCLS"),
            [&](const QSqlQuery& q) {
                ref.articlePrices.insert(
                    CostReference::key(q.value(0).toString()),
                    priceByBasis(basis, q.value(1).toDouble(), q.value(2).toDouble(), q.value(3).toDouble()));
            },
            error) &&
        eachRow(
            corvane, QStringLiteral("SELECT CODIGO, PRECO FROM MAQUINAS"),
            [&](const QSqlQuery& q) {
                ref.machineRates.insert(CostReference::key(q.value(0).toString()), q.value(1).toDouble());
            },
            error) &&
        eachRow(
            corvane, QStringLiteral("SELECT TC, TIPOCUSTO, PRECO FROM OPERACOES"),
            [&](const QSqlQuery& q) {
                ref.operationPrices.insert(
                    CostReference::operationKey(q.value(0).toInt(), q.value(1).toString()),
                    q.value(2).toDouble());
            },
            error) &&
        eachRow(
            corvane,
            QStringLiteral(
                "SELECT CODIGO, ARTNRO1, PRECO1, ARTNRO2, PRECO2, ARTNRO3, PRECO3 FROM EMBALAGEMMP"),
            [&](const QSqlQuery& q) {
                for (int n = 0; n < 3; ++n)
                    if (!q.value(1 + 2 * n).toString().trimmed().isEmpty())
                        ref.packagingMaterialPrices.insert(
                            CostReference::key(q.value(0).toString()) + QLatin1Char('|') +
                                CostReference::key(q.value(1 + 2 * n).toString()),
                            q.value(2 + 2 * n).toDouble());
            },
            error) &&
        eachRow(
            corvane, QStringLiteral("SELECT CODIGO, CUSTOFIXO FROM EMBALAGEM"),
            [&](const QSqlQuery& q) {
                ref.packagingPrices.insert(CostReference::key(q.value(0).toString()), q.value(1).toDouble());
            },
            error);
    if (!ok)
        return std::nullopt;
    return ref;
}

bool recostSheets(db::Database& corvane, db::DocumentClaims* claims, const CostReference& reference,
                  bool write, RecostReport& report, const RecostProgress& progress, QString* error) {
    const std::optional<QVariant> total =
        corvane.scalar(QStringLiteral("SELECT COUNT(*) FROM FICTECMAS"), {}, error);
    if (!total || (write && !claimsReady(corvane, claims, error)))
        return false;
    QuickCommits quick(corvane);
    QString after = QStringLiteral(""); // not null: every code sorts after it
    for (;;) {
        const std::optional<std::vector<SheetHeader>> page = sheetPage(corvane, after, error);
        if (!page)
            return false;
        if (page->empty())
            return true;
        const auto lines = pageLines(corvane, page->front().article, page->back().article, error);
        if (!lines)
            return false;
        for (const SheetHeader& sheet : *page) {
            ++report.sheets;
            RecostedSheet r =
                recostSheet(sheet.kind, lines->value(sheet.article), reference, sheet.knittingWaste);
            QString reason;
            Written w = !r.costable()       ? Written::Uncostable
                        : r.changed.empty() ? Written::Unchanged
                                            : Written::Done;
            if (write && w == Written::Done)
                w = writeSheet(corvane, claims, sheet, reference, r, reason, error);
            else
                reason = r.refusal;
            if (w == Written::Failed)
                return false;
            if (w == Written::Uncostable)
                report.uncostable.push_back({sheet.article, reason});
            else if (w == Written::InUse)
                report.inUse.push_back({sheet.article, reason});
            else if (w == Written::Done)
                report.changed.push_back(
                    {sheet.article, sheet.kind, r.before, r.after, static_cast<int>(r.changed.size())});
        }
        after = page->back().article;
        if (progress)
            progress(report.sheets, std::max<qint64>(report.sheets, total->toLongLong()));
    }
}

} // namespace corvane::techsheet
