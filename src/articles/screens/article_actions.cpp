// Deleting an article, and the actions beside the inputs.
#include "article_screen.h"

#include "articles/store/article_tables.h"
#include "components/report/dataset_table.h"
#include "screens/field_input.h"

namespace corvane::articles {

// ---- deletion -----------------------------------------------------------------

bool ArticleScreen::remove() {
    if (row_ < 0 || code_.isEmpty())
        return false;
    const QString base = list_->text(row_, QStringLiteral("FICHABASE")).trimmed();
    const QString colour = list_->text(row_, QStringLiteral("CORDES")).trimmed();
    if (!base.isEmpty() && base.compare(code_, Qt::CaseInsensitive) != 0 && !colour.isEmpty()) {
        view_.message(QStringLiteral("Não pode eliminar este Artigo, vá pela selecção de Côres"));
        return false;
    }
    if (!deleteRight_) {
        view_.message(QStringLiteral("Não pode eliminar artigos !!!"));
        return false;
    }
    QString error;
    bool sheet = isYes(list_->value(row_, QStringLiteral("FICTEC")));
    if (!sheet && src_.corvane) {
        const std::optional<QVariant> n =
            src_.corvane->scalar(QStringLiteral("SELECT COUNT(*) FROM FICTECMAS WHERE CODIGO = :C"),
                                 {{QStringLiteral("C"), code_}}, &error);
        if (!n) {
            view_.message(error);
            return false;
        }
        sheet = n->toInt() > 0;
    }
    if (sheet) {
        view_.message(QStringLiteral("Elimine 1ª a Ficha Técnica : ") + (base.isEmpty() ? code_ : base));
        mode_ = ArticleMode::Browsing;
        return false;
    }
    const bool variant = list_->text(row_, QStringLiteral("GRELHA")).trimmed() != QLatin1String("N");
    const std::optional<QList<BaseArticle>> articles = store_.articlesOfBase(code_, variant, &error);
    if (!articles) {
        view_.message(error);
        return false;
    }
    for (const BaseArticle& a : *articles) {
        QList<UsageKind> kinds;
        if (stocks_ && a.type != QLatin1String("3"))
            kinds << UsageKind::Stock;
        if (orders_)
            kinds << UsageKind::Orders;
        kinds << UsageKind::Invoices;
        for (UsageKind kind : kinds) {
            const std::optional<int> n = store_.usageCount(kind, a.code, &error);
            if (!n) {
                view_.message(error);
                return false;
            }
            if (*n > 0) {
                view_.beep();
                view_.message(QStringLiteral("Artigo ") + a.code + QStringLiteral(" c/ : ") +
                              QString::number(*n) + usageText(kind));
                return false;
            }
        }
    }
    mode_ = ArticleMode::Deleting;
    if (!view_.confirm(QStringLiteral("Eliminação !!! Confirma ?"))) {
        mode_ = ArticleMode::Browsing;
        return false;
    }
    view_.statusText(0, QStringLiteral("Eliminação em Curso !!!"));
    view_.statusText(1, QStringLiteral("Aguarde P/ Favor!!!"));
    const bool withStock =
        stocks_ && list_->text(row_, QStringLiteral("TIPOARTIGO")).trimmed() != QLatin1String("3");
    if (withStock)
        view_.statusText(0, QStringLiteral("Eliminação Valores de Stocks Em Curso !!!"));
    const bool ok = store_.remove(code_, withStock, &error);
    view_.statusText(0, QString());
    view_.statusText(1, changeRight_ ? QString() : kLookOnlyHint);
    mode_ = ArticleMode::Browsing;
    if (!ok) {
        view_.message(error);
        return false;
    }
    selectPage(kPageGeneral);
    reopenList();
    row_ = list_->rowCount() > 0 ? 0 : -1;
    showArticle();
    return true;
}

// ---- other actions -----------------------------------------------------------

bool ArticleScreen::sheetAllowed() {
    // Not over an article being inserted or changed: the sheet opens on a
    // saved article, and reading it back would replace what was typed.
    if (row_ < 0 || mode_ != ArticleMode::Browsing) {
        view_.beep();
        return false;
    }
    if (list_->text(row_, QStringLiteral("TIPOARTIGO")).trimmed() != QLatin1String("1")) {
        view_.message(QStringLiteral("A Ficha Técnica só é válida para Produtos ..."));
        return false;
    }
    return true;
}

std::unique_ptr<db::Dataset> ArticleScreen::lookupList(bool alphabetical, QString* error) {
    auto list = std::make_unique<db::Dataset>(
        *src_.factura, QStringLiteral("ARTIGOSCLS"),
        articleListSql(ArticleList::Lookup, alphabetical ? ArticleOrder::Designation : ArticleOrder::Code),
        QString(), QStringList{QStringLiteral("CODIGO")});
    if (!list->open(error))
        return nullptr;
    return list;
}

bool ArticleScreen::exportList(const QString& path, const QString& company, const QString& databaseAlias,
                               QString* error) {
    db::Dataset all(*src_.factura, QStringLiteral("ARTIGOSCLS"), articleListSql(ArticleList::Everything),
                    QString(), QStringList{QStringLiteral("CODIGO")});
    if (!all.open(error))
        return false;
    return report::exportDataset(all, path, QStringLiteral("Tabela de Artigos"), company, {databaseAlias},
                                 error);
}

bool ArticleScreen::satellitesAllowed() {
    const QString code = (mode_ == ArticleMode::Inserting ? texts_.value(kCodeInput) : code_).trimmed();
    QString error;
    const std::optional<bool> exists =
        code.isEmpty() ? std::optional<bool>(false) : store_.codeExists(code, &error);
    if (!exists || !*exists) {
        view_.beep();
        return false;
    }
    return true;
}

} // namespace corvane::articles
