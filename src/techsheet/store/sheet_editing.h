#pragma once

// What the technical-sheet screen does with the database, without its window:
// opening (the sheet claimed for change, or only looked at while another user
// holds it), saving, deleting, the header a first step needs, what a closed
// step leaves in the header, cancelling and leaving, and the claim given up
// when the screen closes.
#include "techsheet/screens/sheet_screen.h"

#include <functional>

namespace corvane::db {
class Dataset;
}

namespace corvane::techsheet {

class SheetStore;

// The rights of "Abertura Ficha Tecnica": saving and the steps' writes need
// INSERIR, deleting ELIMINAR.
struct SheetRights {
    bool insert = true;
    bool remove = true;
};

class SheetEditing {
public:
    // The store writes with the context's claims (SheetStore(db, ctx.Claims)).
    SheetEditing(SheetScreen& screen, SheetStore& store, db::Dataset& workTypes, SheetRights rights = {});
    ~SheetEditing();
    SheetEditing(const SheetEditing&) = delete;
    SheetEditing& operator=(const SheetEditing&) = delete;

    // The article gained or lost its sheet (its FICTEC mark).
    std::function<void(const QString& article, bool hasSheet)> sheetMarked;

    // Claims the sheet, reads it and activates the screen; held by another
    // user, it opens to be looked at after saying who holds it. False (after
    // the message): the screen closes.
    bool open();
    // Whether this run may write the sheet: it holds it and may insert.
    bool mayChange() const { return rights_.insert && !screen_.lookOnly(); }
    // "&Gravar": true when the screen may close (written, or nothing to write).
    // Refused while the sheet is only looked at, or when the write fails (the
    // message shown, what was typed kept).
    bool save();
    // "&Eliminar": after the question, the sheet deleted; false when refused,
    // not confirmed or not written.
    bool remove();
    // A step button: the step screen to open, None when none opens. A sheet
    // without a header has it written first, so that lines never stand
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
    bool refusedLookOnly();
    bool readReference(SheetReference* reference);
    void mark(bool hasSheet);

    SheetScreen& screen_;
    SheetStore& store_;
    db::Dataset& workTypes_;
    SheetRights rights_;
};

} // namespace corvane::techsheet
