#include "sheet_opening.h"

#include "db/database.h"
#include "db/dataset.h"
#include "shell/parameters_store.h"

namespace corvane::techsheet {

bool readSheetReference(db::Database& corvane, db::Dataset& workTypes, SheetReference* reference,
                        QString* error) {
    const std::optional<QVariantMap> parger = shell::ParametersStore(corvane).programRow(error);
    if (!parger)
        return false;
    if (!parger->isEmpty())
        reference->parameters = SheetParameters::fromRow(*parger);
    if ((!workTypes.isOpen() && !workTypes.open(error)) || !workTypes.fetchAll(error))
        return false;
    for (int r = 0; r < workTypes.rowCount(); ++r)
        reference->workTypes << WorkType{workTypes.integer(r, QStringLiteral("CODIGO")),
                                         workTypes.text(r, QStringLiteral("DESIGNACAO")).trimmed(),
                                         workTypes.integer(r, QStringLiteral("PASSAG_CM"))};
    return true;
}

} // namespace corvane::techsheet
