#include "shell/access_rights.h"
#include "shell/data_modules.h"
#include "stored_lines.h"
#include "support/recording_view.h"
#include "support/test_site.h"
#include "techsheet/screens/sheet_editing.h"
#include "techsheet/store/sheet_store.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

// A demo article without a sheet, and a demo woven scarf with header and lines.
const QString kNewSheet = QStringLiteral("CHCAC01.AZM");
const QString kStoredSheet = QStringLiteral("CHCAC01.PRE");

// The sheet screen of an article as its window holds it, without the window.
struct SheetWindow {
    shell::TDTCORVANE data;
    TechSheetContext ctx;
    RecordingPagedView<SheetView> view;
    SheetScreen screen{ctx, view};
    SheetStore store;
    SheetEditing editing;
    QList<std::pair<QString, bool>> marks;

    SheetWindow(db::Database& db, const QString& article, SheetRights rights = {})
        : data(db), ctx(context(article)), store(db), editing(screen, store, data.TIPOTRABALHO, rights) {
        editing.sheetMarked = [this](const QString& a, bool on) { marks << std::pair{a, on}; };
    }
    static TechSheetContext context(const QString& article) {
        TechSheetContext c;
        c.ArticleCode = article;
        c.ArticleWidth = 30;   // cm
        c.ArticleLength = 180; // cm
        return c;
    }
    // Types into an input and leaves it; the check must pass.
    void type(const char* input, const char* text) {
        screen.setText(QString::fromLatin1(input), QString::fromUtf8(text));
        if (!screen.fieldExit(QString::fromLatin1(input)))
            QFAIL(qPrintable(QStringLiteral("refused: %1 (%2)").arg(input, view.messages.join("; "))));
    }
};

QVariantMap header(db::Database& db, const QString& article) {
    return SheetStore(db).header(article).value_or(QVariantMap{});
}

} // namespace

class TestSheetEditing : public QObject {
    Q_OBJECT
private slots:
    void newSheetSavedThenChanged_data() { addBackendRows(); }
    // "&Gravar" on a new sheet inserts the header of the chosen kind and
    // marks the article; on a saved sheet it writes what was changed.
    void newSheetSavedThenChanged() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        QVERIFY(header(site.program(), kNewSheet).isEmpty());
        SheetWindow w(site.program(), kNewSheet);
        QVERIFY(w.editing.open());
        QVERIFY(w.editing.saveShown());
        QVERIFY(!w.editing.deleteEnabled()); // nothing to delete yet
        QVERIFY(w.editing.save());           // no kind chosen: nothing written
        QVERIFY(header(site.program(), kNewSheet).isEmpty());
        QVERIFY(w.marks.isEmpty());

        QVERIFY(w.screen.chooseKind(kKnittedScarf));
        w.type("Edit_DespFioCT", "3");
        w.type("Edit_PesoCT", "0,25");
        w.type("Edit_CabideCT", "n");
        w.type("Edit_RefInf_CT", "Lote 1");
        QVERIFY(w.screen.changed());
        QVERIFY(w.editing.save());
        QVariantMap h = header(site.program(), kNewSheet);
        QCOMPARE(h.value("TIPOFICTEC").toString().trimmed(), kKnittedScarf);
        QCOMPARE(h.value("PESOKGS").toDouble(), 0.25); // kg
        QCOMPARE(h.value("DESPERD").toDouble(), 3.0);  // %
        QCOMPARE(h.value("CABIDE").toString(), QStringLiteral("N"));
        QCOMPARE(h.value("REF_INFORMAT").toString().trimmed(), QStringLiteral("Lote 1"));
        QCOMPARE(w.marks, (QList<std::pair<QString, bool>>{{kNewSheet, true}}));
        QVERIFY(!w.screen.changed());
        QVERIFY(w.editing.deleteEnabled());

        w.type("Edit_RefInf_CT", "Lote 2");
        QVERIFY(w.editing.save());
        h = header(site.program(), kNewSheet);
        QCOMPARE(h.value("REF_INFORMAT").toString().trimmed(), QStringLiteral("Lote 2"));
        QCOMPARE(h.value("PESOKGS").toDouble(), 0.25);
        QVERIFY(storedLines(site.program(), kNewSheet).isEmpty());

        // Opened again, the sheet shows what was saved and its kind is fixed.
        SheetWindow again(site.program(), kNewSheet);
        QVERIFY(again.editing.open());
        QCOMPARE(again.screen.kind(), kKnittedScarf);
        QCOMPARE(again.screen.text("Edit_RefInf_CT"), QStringLiteral("Lote 2"));
        QVERIFY(!again.screen.kindChoiceEnabled());
    }

    void headerBeforeTheFirstStep_data() { addBackendRows(); }
    // A step of a sheet without a header writes the header first, once; a
    // step screen the program lacks opens nothing and writes nothing;
    // "&Eliminar" then deletes the header and unmarks the article.
    void headerBeforeTheFirstStep() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        SheetWindow w(site.program(), kNewSheet);
        w.editing.setSteps({StepScreen::Packaging});
        QVERIFY(w.editing.open());
        QVERIFY(w.screen.chooseKind(kWovenScarf));
        w.type("Edit_EtqCart_Ca", "S");
        w.type("Edit_EmbalCA", "S");
        QVERIFY(w.screen.buttonEnabled("Bot_EtiqCart_CA"));
        QVERIFY(!w.editing.stepAvailable("Bot_EtiqCart_CA")); // the operations screen is not there
        QVERIFY(!w.editing.stepEnabled("Bot_EtiqCart_CA"));
        QCOMPARE(w.editing.beforeStep("Bot_EtiqCart_CA"), StepScreen::None);
        QVERIFY(header(site.program(), kNewSheet).isEmpty());
        QVERIFY(w.marks.isEmpty());

        QVERIFY(w.editing.stepEnabled("Bot_EmbalCA"));
        QCOMPARE(w.editing.beforeStep("Bot_EmbalCA"), StepScreen::Packaging);
        QCOMPARE(w.ctx.StepCode, QStringLiteral("B"));
        const QVariantMap h = header(site.program(), kNewSheet);
        QCOMPARE(h.value("TIPOFICTEC").toString().trimmed(), kWovenScarf);
        QVERIFY(w.screen.hasHeader());
        QVERIFY(!w.screen.kindChoiceEnabled());
        QCOMPARE(w.editing.beforeStep("Bot_EmbalCA"), StepScreen::Packaging);
        QCOMPARE(w.marks, (QList<std::pair<QString, bool>>{{kNewSheet, true}})); // written once

        QVERIFY(w.editing.deleteEnabled());
        QVERIFY(w.editing.remove());
        QCOMPARE(w.view.questions, QStringList{kDeleteQuestion});
        QVERIFY(header(site.program(), kNewSheet).isEmpty());
        QCOMPARE(w.marks.last(), (std::pair<QString, bool>{kNewSheet, false}));
        QVERIFY(!w.editing.deleteEnabled());
        QVERIFY(w.screen.kindChoiceEnabled());
    }

    void withoutRights_data() { addBackendRows(); }
    // Without the right to insert nothing is saved and no step opens;
    // without the right to delete the sheet is not deleted, not even asked.
    void withoutRights() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        const QVariantMap headerBefore = header(site.program(), kStoredSheet);
        const QStringList linesBefore = storedLines(site.program(), kStoredSheet);
        QVERIFY(!headerBefore.isEmpty());
        QVERIFY(!linesBefore.isEmpty());
        SheetWindow w(site.program(), kStoredSheet, SheetRights{false, false});
        QVERIFY(w.editing.open());
        QCOMPARE(w.screen.kind(), kWovenScarf);
        QVERIFY(!w.editing.saveShown());
        QVERIFY(!w.editing.deleteShown());
        for (const StepButton& b : stepButtons())
            QVERIFY2(!w.editing.stepEnabled(b.name), qPrintable(b.name));
        QVERIFY(w.screen.buttonEnabled("BotDesenho_A")); // the page would allow it

        w.type("Edit_TmpDesenho", "99");
        QVERIFY(w.editing.save()); // the screen closes, writing nothing
        QCOMPARE(w.editing.beforeStep("BotDesenho_A"), StepScreen::None);
        QVERIFY(!w.editing.remove());
        QVERIFY(w.view.questions.isEmpty());
        QCOMPARE(header(site.program(), kStoredSheet), headerBefore);
        QCOMPARE(storedLines(site.program(), kStoredSheet), linesBefore);
        QVERIFY(w.marks.isEmpty());

        // The right to insert without the right to delete.
        SheetWindow writer(site.program(), kStoredSheet, SheetRights::of(rights("S", "N")));
        QVERIFY(writer.editing.open());
        QVERIFY(writer.editing.saveShown());
        QVERIFY(!writer.editing.deleteShown());
        QVERIFY(writer.editing.stepEnabled("BotDesenho_A"));
        QVERIFY(!writer.editing.remove());
        writer.type("Edit_TmpDesenho", "99");
        QVERIFY(writer.editing.save());
        QCOMPARE(header(site.program(), kStoredSheet).value("TMPDESENHO").toInt(), 99); // minutes
        QCOMPARE(storedLines(site.program(), kStoredSheet), linesBefore);
        QVERIFY(writer.view.questions.isEmpty());
    }

private:
    static shell::AccessRights rights(const char* insert, const char* remove) {
        shell::AccessRights r = shell::AccessRights::none();
        r.ACEDER = QStringLiteral("S");
        r.INSERIR = QString::fromLatin1(insert);
        r.ELIMINAR = QString::fromLatin1(remove);
        return r;
    }
};

QTEST_MAIN(TestSheetEditing)
#include "test_sheet_editing.moc"
