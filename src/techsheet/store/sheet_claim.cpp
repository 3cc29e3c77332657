#include "sheet_claim.h"

#include "db/document_claim.h"

namespace corvane::techsheet {

QString sheetDocument(const QString& article) {
    return QStringLiteral("FICHA:TECNICA:") + article.trimmed();
}

bool claimSheet(TechSheetContext& context) {
    context.LookOnlyReason.clear();
    if (!context.Claims)
        return true;
    db::ClaimHolder holder;
    QString error;
    switch (context.Claims->claim(sheetDocument(context.ArticleCode), &holder, &error)) {
    case db::DocumentClaims::Outcome::Held:
        return true;
    case db::DocumentClaims::Outcome::HeldByOther:
        context.LookOnlyReason =
            db::DocumentClaims::inUseText(kSheetDocumentName, holder, context.Claims->now());
        return false;
    case db::DocumentClaims::Outcome::Failed:
        break;
    }
    context.LookOnlyReason =
        QStringLiteral("Não foi possível reservar a %1 para alteração: %2").arg(kSheetDocumentName, error);
    return false;
}

void releaseSheet(TechSheetContext& context) {
    if (context.Claims)
        context.Claims->release(sheetDocument(context.ArticleCode));
}

} // namespace corvane::techsheet
