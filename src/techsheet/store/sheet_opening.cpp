#include "sheet_opening.h"

#include "db/database.h"
#include "db/dataset.h"
#include "sheet_store.h"
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

bool activateSheet(SheetScreen& screen, SheetStore& store, db::Dataset& workTypes, QString* error) {
    SheetReference reference;
    if (!readSheetReference(store.database(), workTypes, &reference, error))
        return false;
    const QString& article = screen.context().ArticleCode;
    const std::optional<QVariantMap> header = store.header(article, error);
    const std::optional<std::vector<FictecDetLine>> lines =
        header ? store.lines(article, {}, error) : std::nullopt;
    if (!header || !lines)
        return false;
    if (error)
        error->clear();
    return screen.activate(reference, *header, !lines->empty());
}

} // namespace corvane::techsheet
