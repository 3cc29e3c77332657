#include "sheet_editing.h"

#include "shell/access_rights.h"
#include "techsheet/store/sheet_claim.h"
#include "techsheet/store/sheet_opening.h"
#include "techsheet/store/sheet_store.h"

namespace corvane::techsheet {

SheetRights SheetRights::of(const shell::AccessRights& rights) {
    return {rights.mayInsert(), rights.mayDelete()};
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

SheetEditing::SheetEditing(SheetScreen& screen, SheetStore& store, db::Dataset& workTypes, SheetRights rights)
    : screen_(screen), store_(store), workTypes_(workTypes), rights_(rights) {}

SheetEditing::~SheetEditing() {
    close();
}

bool SheetEditing::open() {
    claimSheet(screen_.context());
    QString error;
    if (!activateSheet(screen_, store_, workTypes_, &error)) {
        if (!error.isEmpty())
            screen_.view().message(error);
        close();
        return false;
    }
    if (screen_.lookOnly()) {
        screen_.view().message(screen_.context().LookOnlyReason);
        screen_.view().statusText(1, screen_.context().LookOnlyReason); // kept in sight while it is open
    }
    return true;
}

void SheetEditing::close() {
    releaseSheet(screen_.context());
}

bool SheetEditing::deleteEnabled() const {
    return !screen_.lookOnly() && (screen_.hasHeader() || screen_.hasLines());
}

bool SheetEditing::hasStep(StepScreen screen) const {
    return screen != StepScreen::None && (!steps_ || steps_->contains(screen));
}

bool SheetEditing::stepAvailable(const QString& button) const {
    return hasStep(screen_.screenOf(button));
}

bool SheetEditing::stepEnabled(const QString& button) const {
    return stepAllowed(button) && screen_.buttonEnabled(button);
}

bool SheetEditing::refusedLookOnly() {
    if (!screen_.lookOnly())
        return false;
    screen_.view().beep();
    screen_.view().message(screen_.context().LookOnlyReason);
    return true;
}

bool SheetEditing::readReference(SheetReference* reference) {
    QString error;
    if (readSheetReference(store_.database(), workTypes_, reference, &error))
        return true;
    screen_.view().message(error);
    return false;
}

void SheetEditing::mark(bool hasSheet) {
    if (sheetMarked)
        sheetMarked(screen_.context().ArticleCode, hasSheet);
}

bool SheetEditing::save() {
    if (!rights_.insert)
        return true; // closes without writing
    if (refusedLookOnly())
        return false;
    const QVariantMap columns = screen_.saveColumns();
    if (columns.isEmpty())
        return true; // no kind chosen: nothing to write
    QString error;
    // A header that was read must still be there: another user's deletion
    // is not undone by writing it again.
    const bool written =
        screen_.hasHeader() ? store_.updateHeader(columns, &error) : store_.saveHeader(columns, &error);
    if (!written) {
        screen_.view().message(error);
        return false;
    }
    screen_.saved();
    mark(true);
    return true;
}

bool SheetEditing::remove() {
    if (!rights_.remove || refusedLookOnly() || !screen_.view().confirm(kDeleteQuestion))
        return false;
    TechSheetContext& ctx = screen_.context();
    ctx.StepCancelled = true;
    QString error;
    if (!store_.deleteSheet(ctx.ArticleCode, &error)) {
        screen_.view().message(error);
        return false;
    }
    mark(false);
    SheetReference reference;
    if (readReference(&reference))
        screen_.sheetDeleted(reference);
    return true;
}

StepScreen SheetEditing::beforeStep(const QString& button) {
    if (!stepAllowed(button))
        return StepScreen::None;
    const StepScreen screen = screen_.prepareStep(button);
    if (!hasStep(screen))
        return StepScreen::None;
    // Looked at only, a step screen shows what is stored and writes nothing.
    if (screen_.lookOnly() || screen_.hasHeader())
        return screen;
    TechSheetContext& ctx = screen_.context();
    QString error;
    if (!store_.ensureHeader(ctx.ArticleCode, ctx.SheetKind, &error)) {
        screen_.view().message(error);
        return StepScreen::None;
    }
    screen_.headerWritten(
        {{QStringLiteral("CODIGO"), ctx.ArticleCode}, {QStringLiteral("TIPOFICTEC"), ctx.SheetKind}});
    mark(true);
    return screen;
}

void SheetEditing::afterStep(StepScreen screen) {
    TechSheetContext& ctx = screen_.context();
    if (screen == StepScreen::Weaving)
        screen_.weavingClosed();
    if (screen != StepScreen::Fabric)
        return;
    // The layout goes to the header at once, or comes back from it.
    QVariantMap columns = screen_.fabricClosed(ctx.StepCancelled || !mayChange());
    if (columns.isEmpty())
        return;
    columns.insert(QStringLiteral("CODIGO"), ctx.ArticleCode);
    QString error;
    if (!store_.updateHeader(columns, &error))
        screen_.view().message(error);
}

bool SheetEditing::cancel() {
    if (screen_.changed() && !screen_.view().confirm(kAbandonQuestion))
        return false;
    const QString& article = screen_.context().ArticleCode;
    SheetReference reference;
    QString error;
    const std::optional<QVariantMap> header = store_.header(article, &error);
    const std::optional<std::vector<FictecDetLine>> lines =
        header ? store_.lines(article, {}, &error) : std::nullopt;
    if (!header || !lines) {
        screen_.view().message(error);
        return false;
    }
    return readReference(&reference) && screen_.cancel(reference, *header, !lines->empty());
}

bool SheetEditing::leave() {
    return !screen_.changed() || screen_.view().confirm(kAbandonQuestion);
}

} // namespace corvane::techsheet
