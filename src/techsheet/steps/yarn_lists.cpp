#include "yarn_lists.h"

#include "articles/store/article_lists.h"
#include "techsheet/steps/step_screen.h"

namespace corvane::techsheet {

YarnLists::YarnLists(db::Database& factura)
    : byCode_(factura, QStringLiteral("ARTIGOSNUM"), articles::articleListSql(articles::ArticleList::Yarns)),
      byName_(factura, QStringLiteral("ARTIGOSALFA"),
              articles::articleListSql(articles::ArticleList::Yarns, articles::ArticleOrder::Designation)) {}

bool YarnLists::read(QString* error) {
    yarns_.clear();
    if (!byCode_.reopen(error) || !byCode_.fetchAll(error) || !byName_.reopen(error) ||
        !byName_.fetchAll(error))
        return false;
    for (int r = 0; r < byCode_.rowCount(); ++r) {
        Yarn y;
        y.CODIGO = byCode_.text(r, QStringLiteral("CODIGO")).trimmed();
        y.DESIGNACAO = byCode_.text(r, QStringLiteral("DESIGNACAO")).trimmed();
        y.UNCOMPRA = byCode_.text(r, QStringLiteral("UNCOMPRA")).trimmed();
        y.NEFIO = byCode_.number(r, QStringLiteral("NEFIO"));
        y.CUSTOPADRAO = byCode_.number(r, QStringLiteral("CUSTOPADRAO"));
        yarns_.push_back(y);
    }
    return true;
}

int YarnLists::find(const QString& code) {
    const QString wanted = code.trimmed();
    return byCode_.find([&](const QVariantList& values) {
        return values.value(0).toString().trimmed().compare(wanted, Qt::CaseInsensitive) == 0;
    });
}

double YarnLists::price(const QString& basis, int row) {
    return priceByBasis(basis, byCode_.number(row, QStringLiteral("CUSTOPADRAO")),
                        byCode_.number(row, QStringLiteral("PMCUSTO")),
                        byCode_.number(row, QStringLiteral("PULENTRA")));
}

} // namespace corvane::techsheet
