// The reads and writes of the screens at the size of a real maker, on a site
// grown by `corvane-admin generate` (scale 1: 2,000 customers, 100,000 sheets,
// 1,000,000 invoice lines): one sheet opened and one step saved, each history
// panel of the quotation screen for a typical customer and for the largest
// with its best seller, the article and yarn lists opened, every sheet
// re-costed and a dearer yarn tried on the pending quotations.
//
//   bench_scale SITE [--postgres CONNINFO]
#include "articles/store/article_lists.h"
#include "db/dataset.h"
#include "quotation/store/history_store.h"
#include "quotation/store/price_impact.h"
#include "setup/generate_site.h"
#include "setup/site_setup.h"
#include "techsheet/steps/yarn_lists.h"
#include "techsheet/store/sheet_recost.h"
#include "techsheet/store/sheet_store.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace corvane;

namespace {

constexpr int kRuns = 7;

// The median of the runs, in ms; a failed run ends the program.
double median(const char* what, const std::function<bool(QString*)>& run) {
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        QString error;
        QElapsedTimer t;
        t.start();
        if (!run(&error)) {
            std::fprintf(stderr, "%s: %s\n", what, qPrintable(error));
            std::exit(1);
        }
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void row(const char* what, double ms) {
    std::printf("| %s | %.2f ms |\n", what, ms);
}

template <typename T> bool ok(const std::optional<T>& v) {
    return v.has_value();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "bench_scale SITE [--postgres CONNINFO]\n");
        return 2;
    }
    std::optional<setup::PgServer> server;
    QString error;
    if (args.size() == 3 && args[1] == QLatin1String("--postgres")) {
        setup::PgServer s;
        if (!setup::parseConnInfo(args[2], &s, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 2;
        }
        server = s;
    }
    setup::SiteBuilder builder(args[0], server, QString(), {});
    setup::CompanySpec company;
    if (!builder.openSite(&error) || !builder.findCompany(1, &company, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    builder.commit();
    auto program = builder.connectCompany(company, company.programAlias, &error);
    auto invoicing = program ? builder.connectCompany(company, company.invoicingAlias, &error) : nullptr;
    if (!invoicing) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s, %s\n\n| Read or write | Median of %d |\n|---|---|\n", server ? "PostgreSQL" : "SQLite",
                qPrintable(args[0]), kRuns);

    // A woven sheet in the middle of the catalogue (scale 1); the best seller is the first generated article.
    const QString sheet = QStringLiteral("CHCAC12500.BOR");
    const QString bestSeller = QStringLiteral("CHCAC00100.PRE");
    techsheet::SheetStore sheets(*program);
    row("sheet opened (header and lines)", median("sheet", [&](QString* e) {
            return ok(sheets.header(sheet, e)) && ok(sheets.lines(sheet, {}, e));
        }));
    const auto loom = sheets.stepLines(sheet, QStringLiteral("T"), &error);
    row("step saved (loom line replaced)", median("step", [&](QString* e) {
            return loom && sheets.replaceStep(sheet, QStringLiteral("T"), *loom, e);
        }));

    quotation::HistoryStore history(*invoicing, *program);
    const int largest = setup::kFirstGeneratedCustomer;
    const int typical = setup::kFirstGeneratedCustomer + 700;
    for (const auto& [who, customer, article] : {std::tuple{"typical customer", typical, bestSeller},
                                                 std::tuple{"largest customer", largest, bestSeller}}) {
        const QByteArray name(who);
        auto panel = [&](const char* what, const std::function<bool(QString*)>& run) {
            row(qPrintable(
                    QStringLiteral("%1, %2").arg(QString::fromLatin1(what), QString::fromLatin1(name))),
                median(what, run));
        };
        panel("article's invoices", [&](QString* e) { return ok(history.invoices(customer, article, e)); });
        panel("article's orders", [&](QString* e) { return ok(history.orders(customer, article, e)); });
        panel("article's orders by month and year", [&](QString* e) {
            return ok(history.orderTotalsByMonth(customer, article, e)) &&
                   ok(history.orderTotalsByYear(customer, article, e));
        });
        panel("open order book", [&](QString* e) { return ok(history.openOrdersByMonth(customer, e)); });
        panel("quotation lists (article, approved, pending)", [&](QString* e) {
            return ok(history.quotations(customer, article, e)) &&
                   ok(history.approvedQuotations(customer, e)) && ok(history.pendingQuotations(customer, e));
        });
        panel("sales by month and year",
              [&](QString* e) { return ok(history.salesHistory(QStringLiteral("BENCH"), customer, e)); });
    }

    // The article screen's list, a page in either order, as the screen opens it.
    for (const auto& [what, order] :
         {std::pair{"article list opened, by code", articles::ArticleOrder::Code},
          std::pair{"article list opened, by designation", articles::ArticleOrder::Designation}})
        row(what, median(what, [&, order = order](QString* e) {
                db::Dataset ds(*invoicing, QStringLiteral("ARTIGOSCLS"),
                               articles::articleListSql(articles::ArticleList::Ordinary, order), QString(),
                               {QStringLiteral("CODIGO")});
                return ds.open(e);
            }));
    // A yarn step's two lists, read whole as the step reads them on opening.
    techsheet::YarnLists yarns(*invoicing);
    row("yarn lists of a yarn step read", median("yarns", [&](QString* e) { return yarns.read(e); }));

    // Re-costing every sheet without writing (no price has changed), and
    // the impact of a dearer yarn on every pending quotation: once each.
    QElapsedTimer t;
    t.start();
    std::optional<techsheet::CostReference> today =
        techsheet::readCostReference(*program, *invoicing, &error);
    techsheet::RecostReport recosted;
    if (!today || !techsheet::recostSheets(*program, nullptr, *today, false, recosted, {}, &error)) {
        std::fprintf(stderr, "recost: %s\n", qPrintable(error));
        return 1;
    }
    row("every sheet re-costed, nothing to write (once)", t.nsecsElapsed() / 1e6);
    techsheet::WhatIf dearer;
    dearer.articlePrices.insert(QStringLiteral("FIO.ACR2/28.PRE"), 9.5);
    const std::optional<techsheet::CostReference> after = techsheet::applyWhatIf(*today, dearer, &error);
    quotation::ImpactReport impact;
    t.start();
    if (!after || !quotation::priceImpact(*program, *today, *after, 10, impact, {}, &error)) {
        std::fprintf(stderr, "what-if: %s\n", qPrintable(error));
        return 1;
    }
    const QByteArray whatIf =
        QStringLiteral("what-if over %1 pending quotations (once)").arg(impact.quotations.size()).toUtf8();
    row(whatIf.constData(), t.nsecsElapsed() / 1e6);
    return 0;
}
