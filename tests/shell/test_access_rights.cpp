#include "shell/access_rights.h"
#include "shell/data_modules.h"
#include "shell/menu_rights.h"
#include "support/test_site.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::shell;

namespace {
void putRights(TestSite& site, const QString& user, int company, const QString& program,
               const QString& aceder, const QString& inserir, const QString& eliminar = QStringLiteral("N"),
               const QString& imprimir = QStringLiteral("N")) {
    site.exec(site.program(),
              QStringLiteral(
                  "INSERT INTO APLICACAODET (APLICACAO, CAPITULO, PROGRAMA, EMPNRO, UTIL, ACEDER, INSERIR, "
                  "ALTERAR, ELIMINAR, IMPORTAR, IMPRIMIR, ARQUIVAR, MAIL, SCANNER) VALUES ('CORVANE', "
                  "'Tabelas Especificas', :P, :E, :U, :A, :I, 'N', :EL, 'N', :IM, 'N', 'N', '')"),
              {{QStringLiteral("P"), program},
               {QStringLiteral("E"), company},
               {QStringLiteral("U"), user},
               {QStringLiteral("A"), aceder},
               {QStringLiteral("I"), inserir},
               {QStringLiteral("EL"), eliminar},
               {QStringLiteral("IM"), imprimir}});
}
} // namespace

class TestAccessRights : public QObject {
    Q_OBJECT
private slots:
    // A right is granted only by "S"; a row without one (an empty value, as
    // a right added later reads) refuses it, except the scanner, which is
    // offered unless refused.
    void grantedOnlyBySExceptTheScanner() {
        shell::AccessRights r;
        QVERIFY(!r.mayAccess() && !r.mayInsert() && !r.mayChange() && !r.mayDelete() && !r.mayPrint());
        QVERIFY(r.mayScan());
        r.INSERIR = QStringLiteral("S");
        r.ALTERAR = QStringLiteral("N");
        r.SCANNER = QStringLiteral("N");
        QVERIFY(r.mayInsert() && !r.mayChange() && !r.mayScan());
        const db::Dataset::WriteRights w = shell::writeRights(r);
        QVERIFY(w.insert && !w.modify && !w.remove);
    }

    void lookupIsExactAndIgnoresTheCompany_data() { addBackendRows(); }
    void lookupIsExactAndIgnoresTheCompany() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        putRights(site, QStringLiteral("RUI"), 2, QStringLiteral("Tipos de Custos"), QStringLiteral("S"),
                  QStringLiteral("s"), QStringLiteral("S"), QStringLiteral("S"));
        putRights(site, QStringLiteral("RUI"), 1, QStringLiteral("Operacoes"), QString(),
                  QStringLiteral("S"));
        putRights(site, QStringLiteral("RUI"), 1, QStringLiteral("Maquinas"), QStringLiteral("N"),
                  QStringLiteral("S"));

        db::Dataset det(site.program(), QStringLiteral("APLICACAODET"),
                        QStringLiteral("Select * From APLICACAODET"));
        QString error;
        QVERIFY(det.open(&error));
        const QString app = QStringLiteral("CORVANE");
        const QString chapter = QStringLiteral("Tabelas Especificas");

        // Rights of company 2 count in any company; lower-case "s" is no right.
        AccessRights r =
            ReadAcessosUtil(det, app, chapter, QStringLiteral("Tipos de Custos"), QStringLiteral("RUI"));
        QCOMPARE(r.INSERIR, QStringLiteral("s"));
        QCOMPARE(r.SCANNER, QString()); // an empty right stays empty
        ButtonRights a = DisableAcessosBotoes(RightsForm::A, r);
        QVERIFY(!a.insertAndCancel);
        QVERIFY(a.remove);
        QVERIFY(a.print);
        QVERIFY(!a.keyInputs);

        // The user code, chapter and program match exactly, case included.
        r = ReadAcessosUtil(det, app, chapter, QStringLiteral("tipos de custos"), QStringLiteral("RUI"));
        QCOMPARE(r.ACEDER, QStringLiteral("N"));
        r = ReadAcessosUtil(det, app, chapter, QStringLiteral("Tipos de Custos"), QStringLiteral("rui"));
        QCOMPARE(r.INSERIR, QStringLiteral("N"));

        // ACEDER: empty allows, "N" and a missing row do not.
        QVERIFY(accessAllowed(det, app, chapter, QStringLiteral("Operacoes"), QStringLiteral("RUI")));
        QVERIFY(!accessAllowed(det, app, chapter, QStringLiteral("Maquinas"), QStringLiteral("RUI")));
        QVERIFY(!accessAllowed(det, app, chapter, QStringLiteral("Tipo de Trabalho"), QStringLiteral("RUI")));

        // Form B: inserting also opens the key inputs; form C: the input panel.
        r = ReadAcessosUtil(det, app, chapter, QStringLiteral("Operacoes"), QStringLiteral("RUI"));
        ButtonRights b = DisableAcessosBotoes(RightsForm::B, r);
        QVERIFY(b.insertAndCancel && b.keyInputs && !b.remove && !b.print);
        QVERIFY(DisableAcessosBotoes(RightsForm::C, r).inputPanel);
        QVERIFY(!DisableAcessosBotoes(RightsForm::C, AccessRights::none()).inputPanel);

        // A user without any row sees every governed entry disabled.
        for (const MenuState& m : readMenuRights(det, app, QStringLiteral("NINGUEM")))
            QVERIFY2(!m.enabled, qPrintable(m.entry));
        // The first row found wins when several companies have one.
        putRights(site, QStringLiteral("RUI"), 1, QStringLiteral("Tipos de Custos"), QStringLiteral("N"),
                  QStringLiteral("S"));
        QVERIFY(det.reopen(&error));
        const int first = det.locate({QStringLiteral("PROGRAMA"), QStringLiteral("UTIL")},
                                     {QStringLiteral("Tipos de Custos"), QStringLiteral("RUI")});
        r = ReadAcessosUtil(det, app, chapter, QStringLiteral("Tipos de Custos"), QStringLiteral("RUI"));
        QCOMPARE(r.ACEDER, det.text(first, QStringLiteral("ACEDER")));
    }

    void menuEntriesFollowTheRights_data() { addBackendRows(); }
    void menuEntriesFollowTheRights() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Dataset det(site.program(), QStringLiteral("APLICACAODET"),
                        QStringLiteral("Select * From APLICACAODET"));
        QString error;
        QVERIFY(det.open(&error));
        // Ana (demo): the costing tables readable, quotations but not their approval.
        QStringList enabled;
        for (const MenuState& m : readMenuRights(det, QStringLiteral("CORVANE"), QStringLiteral("ANA")))
            if (m.enabled)
                enabled << m.entry;
        QCOMPARE(enabled,
                 (QStringList{QStringLiteral("TAB000"), QStringLiteral("TAB001"), QStringLiteral("TAB002"),
                              QStringLiteral("TAB003"), QStringLiteral("TAB004"), QStringLiteral("TAB005"),
                              QStringLiteral("TAB006"), QStringLiteral("TAB007"), QStringLiteral("ORC002"),
                              QStringLiteral("ORC001"), QStringLiteral("ORC004"), QStringLiteral("ORC005")}));
        site.exec(site.program(),
                  QStringLiteral("UPDATE APLICACAODET SET ACEDER = 'N' WHERE UTIL = 'ANA' AND "
                                 "PROGRAMA = 'Tipos de Custos'"));
        QVERIFY(det.reopen(&error));
        for (const MenuState& m : readMenuRights(det, QStringLiteral("CORVANE"), QStringLiteral("ANA")))
            if (m.entry == QLatin1String("TAB001"))
                QVERIFY(!m.enabled && m.button == QLatin1String("BotTab001"));
    }

    // More users and rights than a page holds, and a server that fails any
    // second read of their tables: each is read in one statement, so no user
    // is missing and no entry is disabled for want of a row.
    void usersAndRightsAreReadInOneStatement_data() { addBackendRows(); }
    void usersAndRightsAreReadInOneStatement() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        QString error;
        QVERIFY(db.beginTransaction(&error));
        for (int i = 0; i < 300; ++i) {
            const QString user = QStringLiteral("U%1").arg(i, 3, 10, QLatin1Char('0'));
            site.exec(db, QStringLiteral("INSERT INTO UTILIZADORES (NRO, PASSWOR) VALUES (:N, 'X')"),
                      {{QStringLiteral("N"), user}});
            putRights(site, user, 1, QStringLiteral("Tipos de Custos"), QStringLiteral("S"),
                      QStringLiteral("N"));
        }
        QVERIFY(db.commit(&error));
        QStringList reads;
        db.setFailureHook([&reads](const QString& sql, QString* message) {
            for (const QString& table : {QStringLiteral("UTILIZADORES"), QStringLiteral("APLICACAODET")})
                if (sql.contains(QStringLiteral("From ") + table)) {
                    reads << table;
                    *message = QStringLiteral("leitura recusada");
                    return reads.count(table) > 1;
                }
            return false;
        });
        TDTEMPRESAS m(db, site.invoicing());
        QVERIFY2(m.open(&error), qPrintable(error));
        QVERIFY(m.UTIL.open(&error));
        QCOMPARE(m.UTIL.locate(QStringLiteral("NRO"), QStringLiteral("U299"), &error), m.UTIL.rowCount() - 1);
        QVERIFY(error.isEmpty());
        QCOMPARE(reads, (QStringList{QStringLiteral("APLICACAODET"), QStringLiteral("UTILIZADORES")}));
        db.setFailureHook({});

        const auto rights = db.scalar(QStringLiteral("SELECT COUNT(*) FROM APLICACAODET"));
        QCOMPARE(m.APLICACAODET.rowCount(), rights->toInt());
        QVERIFY(rights->toInt() > 300);
        const QString app = QStringLiteral("CORVANE");
        QVERIFY(accessAllowed(m.APLICACAODET, app, QStringLiteral("Tabelas Especificas"),
                              QStringLiteral("Tipos de Custos"), QStringLiteral("U299")));
        for (const MenuState& s : readMenuRights(m.APLICACAODET, app, QStringLiteral("U299")))
            QVERIFY2(s.enabled == (s.entry == QLatin1String("TAB001")), qPrintable(s.entry));
    }
};

QTEST_GUILESS_MAIN(TestAccessRights)
#include "test_access_rights.moc"
