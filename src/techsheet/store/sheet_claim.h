#pragma once

// A technical sheet open for change is held by one program run at a time
// (db::DocumentClaims): another run that opens it may only look at it.
#include "techsheet/tech_sheet_context.h"

#include <QString>

namespace corvane::techsheet {

inline const QString kSheetDocumentName = QStringLiteral("Ficha Técnica");

// The name the sheet of an article is claimed by.
QString sheetDocument(const QString& article);

// Claims the sheet of context.ArticleCode for this run (nothing to do without
// context.Claims). True when this run may change it; otherwise
// context.LookOnlyReason says who holds it, or why it could not be claimed.
bool claimSheet(TechSheetContext& context);
// Gives the sheet up when this run holds it.
void releaseSheet(TechSheetContext& context);

} // namespace corvane::techsheet
