#pragma once

#include "db/dataset.h"

#include <QString>

#include <functional>

namespace corvane::shell {

// The nine one-character rights of a user for one application, chapter and program.
struct AccessRights {
    QString ACEDER, INSERIR, ALTERAR, ELIMINAR, IMPORTAR, IMPRIMIR, ARQUIVAR, MAIL, SCANNER;
    static AccessRights none(); // every right "N"

    // The rights as the screens test them: granted when "S".
    bool mayAccess() const { return granted(ACEDER); }
    bool mayInsert() const { return granted(INSERIR); }
    bool mayChange() const { return granted(ALTERAR); }
    bool mayDelete() const { return granted(ELIMINAR); }
    bool mayPrint() const { return granted(IMPRIMIR); }
    // The scanner is offered unless refused ("N").
    bool mayScan() const { return SCANNER != QLatin1String("N"); }

private:
    static bool granted(const QString& right) { return right == QLatin1String("S"); }
};

// Finds the user's row among the APLICACAODET rows read at sign-on: exact,
// case-sensitive match of application, chapter, program and user; the company
// number is not part of it and the first row found wins. No row: all "N".
AccessRights ReadAcessosUtil(db::Dataset& aplicacaoDet, const QString& application, const QString& chapter,
                             const QString& program, const QString& user);

// The rights of a user as a screen asks for them: by application, chapter and program.
using RightsOf =
    std::function<AccessRights(const QString& application, const QString& chapter, const QString& program)>;
// Reads them with ReadAcessosUtil from the dataset, which must outlive the answer.
RightsOf rightsReader(db::Dataset& aplicacaoDet, const QString& user);

// A menu entry or shortcut button: allowed unless the row is missing or ACEDER is "N".
bool accessAllowed(db::Dataset& aplicacaoDet, const QString& application, const QString& chapter,
                   const QString& program, const QString& user);

// What DisableAcessosBotoes shows, in its three forms.
enum class RightsForm { A, B, C };
struct ButtonRights {
    bool insertAndCancel = false; // BotInserir, BotCancelar
    bool change = false;          // the inputs of an existing row are editable
    bool remove = false;          // BotDelete
    bool print = false;           // BotPrint (form A) / BitPrint (form B)
    bool keyInputs = false;       // form B: the screen's key inputs enabled
    bool inputPanel = false;      // form C: PanelInput enabled
};
ButtonRights DisableAcessosBotoes(RightsForm form, const AccessRights& rights);
// What the user may write with those rights, for the datasets a screen edits.
db::Dataset::WriteRights writeRights(const AccessRights& rights);
// Whether the dataset's rights let a row be written: a new row by the right
// to insert, a row read by the right to change.
bool mayWriteRow(const db::Dataset& ds, int row);

} // namespace corvane::shell
