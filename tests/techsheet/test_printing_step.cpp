// The printing step of a printed scarf (TCORVF035_MAQIMPR) through its logic,
// with the lines read back from FICTECDET, on both backends.
#include "reference/screen_fixture.h"
#include "techsheet/steps/machine_steps.h"
#include "techsheet/stored_lines.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kArticle = QStringLiteral("ECHVI01.PRE");
const QString kNoCode = QStringLiteral("Insira o código do material ...");
const QString kOver = QStringLiteral("A % Total de Consumo de Tintas não pode ultrapassar os 100%");

// The printed stole: 200 × 70 cm (1.4 m²) printed on 85 % of its surface.
TechSheetContext context() {
    TechSheetContext ctx;
    ctx.ArticleCode = kArticle;
    ctx.SheetKind = kPrintedScarf;
    ctx.ArticleLength = 200;
    ctx.ArticleWidth = 70;
    ctx.PrintSurfacePercent = 85;
    ctx.StepCode = QStringLiteral("T");
    ctx.MachineGroupType = 8;
    ctx.MachineCostType = 10;
    ctx.InkCostType = 2;
    return ctx;
}

// The stored lines of the step without their numbers.
QStringList stepLines(db::Database& db) {
    QStringList out;
    for (const QString& line : storedLines(db, kArticle)) {
        QStringList cells = line.split(QLatin1Char('|'));
        if (cells.value(2) != QLatin1String("T"))
            continue;
        cells.removeAt(1); // DETAIL
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// A signed-on demo site without lines on the printed scarf: 0.0125 litres of
// ink a printed m², cyan and magenta at 9.50 a kg, a second printer at 30 an
// hour without inks of its own, no waste on machines and 10 % on inks.
struct PrintingFixture : ScreenFixture {
    explicit PrintingFixture(const QString& backend) : ScreenFixture(backend) {
        if (!ready())
            return;
        site.exec(db(), QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = 'ECHVI01.PRE'"));
        site.exec(db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 0 WHERE CODIGO = 10"));
        site.exec(db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 10 WHERE CODIGO = 2"));
        site.exec(
            db(),
            QStringLiteral("UPDATE PARGER SET CONV_KGS_TINTAS = 0.0125, TIPOPRECO = 'CUP' WHERE CODIGO = 1"));
        site.exec(db(),
                  QStringLiteral("INSERT INTO MAQUINAS (CODIGO, DESIGNACAO, GRUPO, UNDPRD, PRECO, "
                                 "TEMPO_ACERTO1, TEMPO_ACERTO2) VALUES ('IMP90', 'Impressora Teste', 8, "
                                 "'MTM', 30, 10, 4)"));
        site.exec(factura(),
                  QStringLiteral("UPDATE ARTIGOSCLS SET CUSTOPADRAO = 9.5 WHERE CODIGO IN ('TIN.CIANO', "
                                 "'TIN.MAGENTA')"));
    }
    db::Database& factura() { return modules().database->DbFacturacao; }
    int rowOf(const PrintingStep& s, const QString& code) {
        for (std::size_t r = 0; r < s.rows().size(); ++r)
            if (s.rows()[r].CODIGO == code)
                return static_cast<int>(r);
        return -1;
    }
    // The test printer ticked with 2.5 minutes, the inks to be typed.
    bool printer(PrintingStep& s) {
        const int row = rowOf(s, QStringLiteral("IMP90"));
        if (row < 0)
            return false;
        s.currentRowChanged(row);
        s.okLeft(row, true);
        if (!s.timeLeft(row, QStringLiteral("2.5")) || !s.gridLeft())
            return false;
        s.insertInks();
        return true;
    }
    // Ink row n with its code and percent typed.
    static bool ink(PrintingStep& s, int n, const QString& code, const QString& percent) {
        s.codeEntered(n);
        return s.codeLeft(n, code) && s.percentLeft(n, percent);
    }
};

} // namespace

class TestPrintingStep : public QObject {
    Q_OBJECT
private slots:
    void inks_data() { addBackendRows(); }
    // The area and inks of the stole: 1.4 m², 85 % printed, an ink at 40 %
    // takes 1.19 × 0.4 × 0.0125 = 0.00595 litres costing 0.05653 at 9.50; inks over
    // 100 % refuse to close; the machine line and the ink lines written in
    // one transaction; reopened and saved unchanged, the same lines.
    void inks() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        PrintingFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context();
        {
            PrintingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.caption(), QStringLiteral("Impressão"));
            QCOMPARE(s.area(), 1.4);
            // The demo printer is the first row: its inks are proposed.
            QCOMPARE(s.rows().front().CODIGO, QStringLiteral("IMP01"));
            QCOMPARE(s.ink(1).code, QStringLiteral("TIN.CIANO"));
            QCOMPARE(s.ink(1).percent, 30.0);
            QCOMPARE(s.ink(1).price, 9.5);
            QVERIFY(qAbs(s.ink(1).quantity - 0.0044625) < 1e-12); // 1.19 m² × 30 % × 0.0125
            QCOMPARE(s.ink(1).cost, 0.04239);
            QCOMPARE(s.ink(4).code, QStringLiteral("TIN.PRETO"));
            QCOMPARE(s.inkLabel(2), QStringLiteral("Tinta Reactiva Magenta"));
            QVERIFY(s.ink(5).code.isEmpty());
            QCOMPARE(f.rowOf(s, QStringLiteral("US01")), -1); // printers only

            // The test printer has no inks of its own: none proposed.
            QVERIFY(f.printer(s));
            QVERIFY(s.ink(1).code.isEmpty());
            QVERIFY(s.inksEnabled());
            QCOMPARE(s.rows()[f.rowOf(s, "IMP90")].CUSTO, 1.5); // 3 minutes at 30 an hour

            QVERIFY(PrintingFixture::ink(s, 1, QStringLiteral("tin.ciano"), QStringLiteral("40")));
            QVERIFY(!s.following()); // an ink code entered: the grid no longer leads
            QCOMPARE(s.ink(1).code, QStringLiteral("TIN.CIANO"));
            QCOMPARE(s.ink(1).price, 9.5);
            QVERIFY(qAbs(s.ink(1).quantity - 0.00595) < 1e-12);
            QCOMPARE(s.ink(1).cost, 0.05653);
            s.currentRowChanged(0); // ignored while an ink is edited
            QCOMPARE(s.ink(1).code, QStringLiteral("TIN.CIANO"));

            QVERIFY(!s.percentLeft(1, QString()));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira a % de Impressão para a Tinta ..."));
            QVERIFY(!s.percentLeft(1, QStringLiteral("100.5")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("% de Impressão Inválida ..."));
            QVERIFY(!s.priceLeft(1, QStringLiteral("0")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o preço de custo por M2 ...."));
            QVERIFY(!s.codeLeft(2, QStringLiteral("TEC.VIS.CRU"))); // a fabric, not an ink
            QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo inexistente ..."));

            // 60 + 50 refuse to close, with the ink fields enabled.
            QVERIFY(s.percentLeft(1, QStringLiteral("60")));
            QVERIFY(PrintingFixture::ink(s, 2, QStringLiteral("TIN.MAGENTA"), QStringLiteral("50")));
            QVERIFY(!s.finish());
            QCOMPARE(f.view.messages.last(), kOver);
            QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_MpNro1"));
            QVERIFY(s.inksEnabled());
            QVERIFY(stepLines(f.db()).isEmpty());
            // 60 + 40 close.
            QVERIFY(s.percentLeft(2, QStringLiteral("40")));
            QVERIFY(s.finish());
            QVERIFY(s.written());
        }
        const QStringList first = stepLines(f.db());
        // TIPO|RELACFICTEC|CODIGOMP|DESIGN|UNIDADE|QUANT|PRECO|VALOR|TECELAGEM|QUANT_FINAL|VALOR_FINAL|
        // TMPACE|TMP_SEMACERTO|PERC_IMPR|OPERACAO|FACTCONV
        QCOMPARE(first.size(), 3);
        QCOMPARE(first[0],
                 QStringLiteral("10|T|IMP90|Impressora Teste|Min|2.5|30|1.5|null|2.5|1.5|4|2.5|0|null|0"));
        // Cyan at 60 %: 0.008925 l at 9.50 = 0.0847875; with 10 % waste 0.0098175 l
        // and 0.0847875 + 0.009326625 (from the unrounded litres).
        QCOMPARE(first[1], QStringLiteral("2|T|TIN.CIANO|Tinta Reactiva Ciano|Lts|0.0089|9.5|0.08479|null|"
                                          "0.0098|0.09412|0|0|60|null|0"));
        // Magenta at 40 %: 0.00595 l costing 0.056525, with waste 0.006545 l and 0.06274775.
        QCOMPARE(first[2], QStringLiteral("2|T|TIN.MAGENTA|Tinta Reactiva Magenta|Lts|0.006|9.5|0.05653|null|"
                                          "0.0065|0.06275|0|0|40|null|0"));

        // Reopened: the machine with its minutes, the inks as stored.
        {
            PrintingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            const WorkMachineRow& printer = s.rows()[f.rowOf(s, QStringLiteral("IMP90"))];
            QVERIFY(printer.ticked());
            QCOMPARE(printer.QTD, 2.5);
            QCOMPARE(printer.CUSTO, 1.5);
            QCOMPARE(s.ink(1).code, QStringLiteral("TIN.CIANO"));
            QCOMPARE(s.ink(1).percent, 60.0);
            QVERIFY(qAbs(s.ink(2).quantity - 0.00595) < 1e-12); // unrounded again
            QCOMPARE(s.inkLabel(2), QStringLiteral("Tinta Reactiva Magenta"));
            s.gridEntered(); // the sheet's inks again, not the first printer's
            QCOMPARE(s.ink(2).code, QStringLiteral("TIN.MAGENTA"));
            QVERIFY(s.finish());
        }
        QCOMPARE(stepLines(f.db()), first);

        // An unrounded quantity (surface 47 %, 33.33 %) reopened unchanged writes the same lines.
        ctx.PrintSurfacePercent = 47;
        {
            PrintingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            s.insertInks();
            QVERIFY(PrintingFixture::ink(s, 1, QStringLiteral("TIN.CIANO"), QStringLiteral("33,33")));
            QVERIFY(PrintingFixture::ink(s, 2, QStringLiteral("TIN.MAGENTA"), QStringLiteral("66.67")));
            QVERIFY(s.finish());
        }
        const QStringList unrounded = stepLines(f.db());
        {
            PrintingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QVERIFY(s.finish());
        }
        QCOMPARE(stepLines(f.db()), unrounded);

        // "&Cancelar" leaves the lines; no ink at all asks, and no keeps the screen open.
        {
            PrintingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            s.insertInks();
            s.removeInk(1);
            s.removeInk(2);
            QVERIFY(s.ink(1).code.isEmpty() && s.inkLabel(1).isEmpty());
            f.view.answers = {false};
            QVERIFY(!s.finish());
            QCOMPARE(f.view.questions.last(), QStringLiteral("Não inseriu as Tintas .Deseja Continuar ?"));
            s.cancel();
            QVERIFY(ctx.StepCancelled);
        }
        QCOMPARE(stepLines(f.db()), unrounded);
    }

    void emptyAndRepeatedInks_data() { addBackendRows(); }
    // An ink row left empty between two inks is accepted once the inks share
    // 100 %, and the lines are written without it; an ink on two rows is refused.
    void emptyAndRepeatedInks() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        PrintingFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context();
        {
            PrintingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QVERIFY(f.printer(s));
            s.codeEntered(1);
            QVERIFY(!s.codeLeft(1, QString()));
            QCOMPARE(f.view.messages.last(), kNoCode);
            QVERIFY(PrintingFixture::ink(s, 1, QStringLiteral("TIN.CIANO"), QStringLiteral("60")));
            // Row 2 left empty while the inks share 60 %: refused.
            s.codeEntered(2);
            QVERIFY(!s.codeLeft(2, QString()));
            QCOMPARE(f.view.messages.last(), kNoCode);
            // The same ink again: refused, saying where it is.
            QVERIFY(!s.codeLeft(2, QStringLiteral("TIN.CIANO")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("A Tinta TIN.CIANO já está na linha 1 ..."));
            QVERIFY(s.ink(2).code.isEmpty());
            // Row 3 takes the other 40 %; row 2 left empty is accepted now.
            QVERIFY(PrintingFixture::ink(s, 3, QStringLiteral("TIN.AMARELO"), QStringLiteral("40")));
            QVERIFY(s.codeLeft(2, QString()));
            // A fourth ink makes 110 %: refused; its code emptied, the row is
            // cleared, since the others share 100 %.
            QVERIFY(PrintingFixture::ink(s, 4, QStringLiteral("TIN.MAGENTA"), QStringLiteral("10")));
            QVERIFY(!s.finish());
            QCOMPARE(f.view.messages.last(), kOver);
            QVERIFY(s.codeLeft(4, QString()));
            QVERIFY(s.ink(4).code.isEmpty());
            QCOMPARE(s.ink(4).percent, 0.0);
            QVERIFY(s.finish());
        }
        const QStringList lines = stepLines(f.db());
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[1].startsWith(QStringLiteral("2|T|TIN.CIANO|")));
        QVERIFY(lines[2].startsWith(QStringLiteral("2|T|TIN.AMARELO|")));
        QVERIFY(lines[2].contains(QStringLiteral("|40|null|0")));

        // Reopened, the inks fill rows 1 and 2; saved unchanged, the same lines.
        {
            PrintingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.ink(2).code, QStringLiteral("TIN.AMARELO"));
            QVERIFY(s.ink(3).code.isEmpty());
            QVERIFY(s.finish());
        }
        QCOMPARE(stepLines(f.db()), lines);
    }

    void zeroSize_data() { addBackendRows(); }
    // A piece without length or width: a beep, the message, the screen closes
    // at once and the sheet's lines stay as they were.
    void zeroSize() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        PrintingFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context();
        {
            PrintingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QVERIFY(f.printer(s));
            QVERIFY(PrintingFixture::ink(s, 1, QStringLiteral("TIN.CIANO"), QStringLiteral("100")));
            QVERIFY(s.finish());
        }
        const QStringList before = stepLines(f.db());
        QCOMPARE(before.size(), 2);
        for (const auto& [length, width] : {std::pair{0.0, 30.0}, std::pair{100.0, 0.0}}) {
            ctx.ArticleLength = length;
            ctx.ArticleWidth = width;
            f.view.beeps = 0;
            PrintingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(!s.open());
            QCOMPARE(f.view.beeps, 1);
            QCOMPARE(f.view.messages.last(),
                     QStringLiteral("Impossibilidade de Cálculo, comprim.ou Largura Nulo ..."));
            QVERIFY(ctx.StepCancelled);
            QVERIFY(!s.written());
        }
        QCOMPARE(stepLines(f.db()), before);
    }
};

QTEST_GUILESS_MAIN(TestPrintingStep)
#include "test_printing_step.moc"
