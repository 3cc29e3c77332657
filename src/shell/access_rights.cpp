#include "access_rights.h"

namespace corvane::shell {

AccessRights AccessRights::none() {
    const QString n = QStringLiteral("N");
    return AccessRights{n, n, n, n, n, n, n, n, n};
}

namespace {
int findRow(db::Dataset& det, const QString& application, const QString& chapter, const QString& program,
            const QString& user) {
    return det.locate({QStringLiteral("APLICACAO"), QStringLiteral("CAPITULO"), QStringLiteral("PROGRAMA"),
                       QStringLiteral("UTIL")},
                      {application, chapter, program, user});
}
} // namespace

AccessRights ReadAcessosUtil(db::Dataset& det, const QString& application, const QString& chapter,
                             const QString& program, const QString& user) {
    const int row = findRow(det, application, chapter, program, user);
    if (row < 0)
        return AccessRights::none();
    AccessRights r;
    r.ACEDER = det.text(row, QStringLiteral("ACEDER"));
    r.INSERIR = det.text(row, QStringLiteral("INSERIR"));
    r.ALTERAR = det.text(row, QStringLiteral("ALTERAR"));
    r.ELIMINAR = det.text(row, QStringLiteral("ELIMINAR"));
    r.IMPORTAR = det.text(row, QStringLiteral("IMPORTAR"));
    r.IMPRIMIR = det.text(row, QStringLiteral("IMPRIMIR"));
    r.ARQUIVAR = det.text(row, QStringLiteral("ARQUIVAR"));
    r.MAIL = det.text(row, QStringLiteral("MAIL"));
    r.SCANNER = det.text(row, QStringLiteral("SCANNER"));
    return r;
}

RightsOf rightsReader(db::Dataset& aplicacaoDet, const QString& user) {
    return [&aplicacaoDet, user](const QString& application, const QString& chapter, const QString& program) {
        return ReadAcessosUtil(aplicacaoDet, application, chapter, program, user);
    };
}

bool accessAllowed(db::Dataset& det, const QString& application, const QString& chapter,
                   const QString& program, const QString& user) {
    const int row = findRow(det, application, chapter, program, user);
    return row >= 0 && det.text(row, QStringLiteral("ACEDER")) != QLatin1String("N");
}

db::Dataset::WriteRights writeRights(const AccessRights& rights) {
    return {rights.mayInsert(), rights.mayChange(), rights.mayDelete()};
}

bool mayWriteRow(const db::Dataset& ds, int row) {
    return ds.rowKind(row) == db::UpdateKind::Inserted ? ds.writeRights().insert : ds.writeRights().modify;
}

ButtonRights DisableAcessosBotoes(RightsForm form, const AccessRights& rights) {
    ButtonRights b;
    switch (form) {
    case RightsForm::A:
    case RightsForm::B:
        b.insertAndCancel = rights.mayInsert();
        b.change = rights.mayChange();
        b.keyInputs = form == RightsForm::B && b.insertAndCancel;
        b.remove = rights.mayDelete();
        b.print = rights.mayPrint();
        break;
    case RightsForm::C:
        b.inputPanel = rights.mayInsert();
        break;
    }
    return b;
}

} // namespace corvane::shell
