#pragma once

// What the technical-sheet screen does with the database, without its window:
// opening (the sheet claimed for change, or only looked at while another user
// holds it), saving, deleting, the header a first step needs, what a closed
// step leaves in the header, cancelling and leaving, the claim given up
// when the screen closes, and what the user's rights allow of it all.
#include "sheet_screen.h"

#include <QList>

#include <functional>

namespace corvane::db {
class Dataset;
}
namespace corvane::shell {
struct AccessRights;
}

namespace corvane::techsheet {

class SheetStore;

// The rights of "Abertura Ficha Tecnica": saving and the steps' writes need
// INSERIR, deleting ELIMINAR.
struct SheetRights {
    bool insert = true;
    bool remove = true;

    static SheetRights of(const shell::AccessRights& rights);
};

// Opens `screen` on the stored sheet of its article (context().ArticleCode):
// the reference, the header and whether lines exist, then activate(). False
// with the server's message in `error`, or with `error` empty when activate()
// refused (its message went to the screen's view).
bool activateSheet(SheetScreen& screen, SheetStore& store, db::Dataset& workTypes, QString* error);

class SheetEditing {
public:
    // The store writes with the context's claims (SheetStore(db, ctx.Claims)).
    SheetEditing(SheetScreen& screen, SheetStore& store, db::Dataset& workTypes, SheetRights rights = {});
    ~SheetEditing();
    SheetEditing(const SheetEditing&) = delete;
    SheetEditing& operator=(const SheetEditing&) = delete;

    // The article gained or lost its sheet (its FICTEC mark).
    std::function<void(const QString& article, bool hasSheet)> sheetMarked;
    // The step screens this program has (every one when not set): the
    // buttons of the others stay off and open nothing.
    void setSteps(QList<StepScreen> steps) { steps_ = std::move(steps); }

    // Claims the sheet, reads it and activates the screen; held by another
    // user, it opens to be looked at after saying who holds it. False (after
    // the message): the screen closes.
    bool open();
    // Whether this run may write the sheet: it holds it and may insert.
    bool mayChange() const { return rights_.insert && !screen_.lookOnly(); }

    // "&Gravar": shown to a user who may insert, usable unless the sheet is
    // only looked at. "&Eliminar": shown to a user who may delete, usable
    // when there is a sheet to delete and it is not only looked at.
    bool saveShown() const { return rights_.insert; }
    bool saveEnabled() const { return !screen_.lookOnly(); }
    bool deleteShown() const { return rights_.remove; }
    bool deleteEnabled() const;
    // A step button: whether this program has the screen it opens now,
    // whether the user may open it too (may insert), and whether it can be
    // pressed (its page's inputs say so as well).
    bool stepAvailable(const QString& button) const;
    bool stepAllowed(const QString& button) const { return rights_.insert && stepAvailable(button); }
    bool stepEnabled(const QString& button) const;

    // "&Gravar": true when the screen may close (written, or nothing to write).
    // Refused while the sheet is only looked at, or when the write fails (the
    // message shown, what was typed kept). Without the right to insert it
    // closes writing nothing.
    bool save();
    // "&Eliminar": after the question, the sheet deleted; false when refused
    // (no right to delete, only looked at), not confirmed or not written.
    bool remove();
    // A step button: the step screen to open, None when none opens (no right
    // to insert, a screen this program lacks, the button's check failed). A
    // sheet without a header has it written first, so that lines never stand
    // without their header.
    StepScreen beforeStep(const QString& button);
    // The step screen closed: what it leaves in the header.
    void afterStep(StepScreen screen);
    // "&Cancelar": what was typed is thrown away (after kAbandonQuestion when
    // there is any) and the stored sheet shown again; false when kept.
    bool cancel();
    // Esc or the close box: true when the screen may close (after
    // kAbandonQuestion when typed work would be lost).
    bool leave();
    // The screen closed: the claim is given up (also on destruction).
    void close();

private:
    bool hasStep(StepScreen screen) const;
    bool refusedLookOnly();
    bool readReference(SheetReference* reference);
    void mark(bool hasSheet);

    SheetScreen& screen_;
    SheetStore& store_;
    db::Dataset& workTypes_;
    SheetRights rights_;
    std::optional<QList<StepScreen>> steps_;
};

} // namespace corvane::techsheet
