#include "recost_command.h"

#include "core/number_input.h"
#include "db/document_claim.h"
#include "quotation/store/price_impact.h"
#include "techsheet/store/sheet_recost.h"

#include <QFile>
#include <QSysInfo>

#include <algorithm>
#include <cmath>

using namespace corvane;

namespace {

// A what-if file is a few prices; anything much larger is not one.
constexpr qint64 kWhatIfMaxBytes = 1 << 20;

QString money(double v) {
    return fixedNumberText(v, 4);
}

QString signedMoney(double v) {
    return (v >= 0 ? QStringLiteral("+") : QString()) + money(v);
}

int failed(QTextStream& err, const QString& message) {
    err << message << "\n";
    return 1;
}

void printRecost(const techsheet::RecostReport& r, QTextStream& out) {
    out << "Fichas técnicas: " << r.sheets << " lidas, " << r.changed.size() << " alteradas, "
        << r.uncostable.size() << " por custear, " << r.inUse.size() << " em uso.\n";
    std::vector<techsheet::SheetCostChange> changed = r.changed;
    std::sort(changed.begin(), changed.end(), [](const auto& a, const auto& b) {
        return std::abs(a.after - a.before) > std::abs(b.after - b.before);
    });
    if (!changed.empty())
        out << "Artigo            Tipo  Linhas  Custo/peça antes  depois  diferença\n";
    for (const auto& c : changed)
        out << c.article.leftJustified(18) << c.kind.leftJustified(6)
            << QString::number(c.lines).rightJustified(6) << "  " << money(c.before).rightJustified(16)
            << "  " << money(c.after) << "  " << signedMoney(c.after - c.before) << "\n";
    for (const auto& u : r.uncostable)
        out << "Por custear: " << u.article << " (" << u.reason << ")\n";
    for (const auto& u : r.inUse)
        out << "Em uso, não alterada: " << u.article << " (" << u.reason << ")\n";
}

void printImpact(const quotation::ImpactReport& r, double threshold, QTextStream& out) {
    out << "Orçamentos pendentes: " << r.quotations.size() << ", com custo alterado: " << r.changed
        << ", com margem abaixo de " << fixedNumberText(threshold, 1) << " %: " << r.flagged << ".\n";
    const std::vector<quotation::ImpactLine> lines = quotation::impactLines(r, threshold);
    if (!lines.empty())
        out << "Orç.    Cliente  Artigo            Nível  Qtd.      Preço   Margem hoje  depois  "
               "Preço p/ margem\n";
    for (const quotation::ImpactLine& l : lines) {
        if (!l.problem.isEmpty()) {
            out << QString::number(l.number).leftJustified(8) << l.article << ": " << l.problem << "\n";
            continue;
        }
        out << QString::number(l.number).leftJustified(8) << QString::number(l.customer).leftJustified(9)
            << l.article.leftJustified(18) << QString::number(l.level).leftJustified(7)
            << fixedNumberText(l.quantity, 0).leftJustified(8)
            << fixedNumberText(l.price, 2).rightJustified(7)
            << fixedNumberText(l.marginToday, 1).rightJustified(12) << " %"
            << fixedNumberText(l.marginAfter, 1).rightJustified(7) << " %"
            << fixedNumberText(l.priceKeepingMargin, 2).rightJustified(15) << (l.flagged ? "  !" : "")
            << "\n";
    }
}

} // namespace

int runRecost(db::Database& program, db::Database& invoicing, const RecostOptions& options, QTextStream& out,
              QTextStream& err,
              const std::function<void(const QString& phase, qint64 done, qint64 total)>& progress) {
    QString error;
    const std::optional<techsheet::CostReference> today =
        techsheet::readCostReference(program, invoicing, &error);
    if (!today)
        return failed(err, error);
    if (options.whatIfFile.isEmpty()) {
        db::DocumentClaims claims(
            program, db::ClaimSession::current(QStringLiteral("CORVANE-ADMIN"), QSysInfo::machineHostName()));
        techsheet::RecostReport report;
        const bool ok = techsheet::recostSheets(
            program, &claims, *today, true, report,
            [&](qint64 done, qint64 total) { progress(QStringLiteral("Fichas técnicas"), done, total); },
            &error);
        printRecost(report, out);
        return ok ? 0 : failed(err, error);
    }
    QFile file(options.whatIfFile);
    if (!file.open(QIODevice::ReadOnly))
        return failed(err, QStringLiteral("%1: %2").arg(options.whatIfFile, file.errorString()));
    const QByteArray text = file.read(kWhatIfMaxBytes + 1);
    if (text.size() > kWhatIfMaxBytes)
        return failed(
            err, QStringLiteral("%1: mais de 1 MiB, não é um ficheiro de preços").arg(options.whatIfFile));
    const std::optional<techsheet::WhatIf> whatIf = techsheet::whatIfFromJson(text, &error);
    const std::optional<techsheet::CostReference> after =
        whatIf ? techsheet::applyWhatIf(*today, *whatIf, &error) : std::nullopt;
    if (!after)
        return failed(err, QStringLiteral("%1: %2").arg(options.whatIfFile, error));
    const double threshold = options.threshold >= 0 ? options.threshold : whatIf->marginThreshold;
    quotation::ImpactReport report;
    if (!quotation::priceImpact(
            program, *today, *after, threshold, report,
            [&](qint64 done, qint64 total) { progress(QStringLiteral("Orçamentos pendentes"), done, total); },
            &error))
        return failed(err, error);
    printImpact(report, threshold, out);
    return 0;
}
