#include "reference/screen_fixture.h"
#include "techsheet/steps/subcontract_steps.h"
#include "techsheet/store/sheet_store.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kKnitted = QStringLiteral("CHCLA01.PRE");
const QString kPrinted = QStringLiteral("ECHVI01.PRE");

QList<QVariantList> lines(ScreenFixture& f, const QString& article, const QString& step) {
    return selectRows(
        f.db(),
        QStringLiteral("SELECT TIPO, DETAIL, CODIGOMP, UNIDADE, QUANT, PRECO, VALOR, QUANT_FINAL, "
                       "VALOR_FINAL, OPERACAO FROM FICTECDET WHERE ARTIGO = :A AND RELACFICTEC = :S "
                       "ORDER BY DETAIL"),
        {{QStringLiteral("A"), article}, {QStringLiteral("S"), step}});
}

TechSheetContext context(const QString& article, const QString& step) {
    TechSheetContext ctx;
    ctx.ArticleCode = article;
    ctx.ArticleLength = 150;
    ctx.ArticleWidth = 30;
    ctx.StepCode = step;
    ctx.ClothCostType = 8;
    return ctx;
}

// A signed-on demo site; the subcontract cost type 50 without waste; a fabric
// 150 cm wide at 4 the metre.
struct StepsFixture : ScreenFixture {
    explicit StepsFixture(const QString& backend) : ScreenFixture(backend) {
        if (!ready())
            return;
        site.exec(db(),
                  QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO IN ('CHCLA01.PRE', 'ECHVI01.PRE')"));
        site.exec(db(), QStringLiteral("DELETE FROM FICTECSUBCONT"));
        site.exec(db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 0 WHERE CODIGO = 50"));
        site.exec(db(), QStringLiteral("UPDATE PARGER SET TIPOPRECO = 'CUP' WHERE CODIGO = 1"));
        site.exec(factura(),
                  QStringLiteral("UPDATE ARTIGOSCLS SET LARGURA = 150, CUSTOPADRAO = 4 WHERE CODIGO = "
                                 "'TEC.VIS.CRU'"));
    }
    db::Database& factura() { return modules().database->DbFacturacao; }
};

} // namespace

class TestSubcontractSteps : public QObject {
    Q_OBJECT
private slots:
    void subcontract_data() { addBackendRows(); }
    // A subcontracted linking at 2.5 without material: one service line of
    // 1 × 2.5 marked "S" and the FICTECSUBCONT row, shown again after the
    // sheet was deleted and made anew; a material row written after it.
    void subcontract() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepsFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(kKnitted, QStringLiteral("R"));
        {
            SubcontractStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.caption(), QStringLiteral("Ramalhar ( Subcontrato)"));
            QVERIFY(s.entry().SERVICO.isEmpty());
            QVERIFY(!s.serviceLeft(QString()));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o serviço a subcontratar ..."));
            QVERIFY(!s.serviceLeft(QStringLiteral("TEC.VIS.CRU"))); // not a service
            QCOMPARE(f.view.messages.last(), QStringLiteral("Serviço de Subcontratação Inexistente ..."));
            QVERIFY(s.serviceLeft(QStringLiteral("srv.remalhar")));
            QCOMPARE(s.serviceLabel(), QStringLiteral("Remalhar (Subcontrato)"));
            QVERIFY(!s.servicePriceLeft(QStringLiteral("0")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o custo da subcontratação"));
            QVERIFY(s.servicePriceLeft(QStringLiteral("2,5")));
            f.view.answers = {false};
            QVERIFY(!s.finish()); // no material, no: the screen stays
            QCOMPARE(f.view.questions.last(), QStringLiteral("Não inseriu o Material .Deseja Continuar ?"));
            QVERIFY(lines(f, kKnitted, QStringLiteral("R")).isEmpty());
            QVERIFY(s.finish());
        }
        QList<QVariantList> written = lines(f, kKnitted, QStringLiteral("R"));
        QCOMPARE(written.size(), 1);
        QCOMPARE(written[0][0].toInt(), 50);
        QCOMPARE(written[0][2].toString().trimmed(), QStringLiteral("SRV.REMALHAR"));
        QCOMPARE(written[0][3].toString().trimmed(), QStringLiteral("UND"));
        QCOMPARE(written[0][4].toDouble(), 1.0);
        QCOMPARE(written[0][5].toDouble(), 2.5);
        QCOMPARE(written[0][6].toDouble(), 2.5);
        QCOMPARE(written[0][9].toString().trimmed(), QStringLiteral("S"));
        QCOMPARE(f.cell(QStringLiteral("SELECT PRECO FROM FICTECSUBCONT WHERE ARTIGO = 'CHCLA01.PRE' AND "
                                       "RELACFICTEC = 'R'"))
                     .toDouble(),
                 2.5);

        // The sheet deleted and made anew: the service comes back.
        SheetStore store(f.db());
        QVERIFY(store.deleteSheet(kKnitted));
        QVERIFY(store.ensureHeader(kKnitted, QStringLiteral("CT")));
        QVERIFY(lines(f, kKnitted, QStringLiteral("R")).isEmpty());
        {
            SubcontractStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.entry().SERVICO, QStringLiteral("SRV.REMALHAR"));
            QCOMPARE(s.entry().PRECO, 2.5);
            QCOMPARE(s.serviceLabel(), QStringLiteral("Remalhar (Subcontrato)"));
            // A material of type 100 sent with it: 0.3 at its price of 4.
            s.typeEntered(1);
            QVERIFY(!s.typeLeft(1, QStringLiteral("9999")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Seleccione o Tipo de Material ..."));
            QVERIFY(s.typeLeft(1, QStringLiteral("101")));
            QVERIFY(!s.codeLeft(1, QStringLiteral("TEC.POL.PRE"))); // of type 100
            QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo inexistente ..."));
            QVERIFY(s.codeLeft(1, QStringLiteral("TEC.VIS.CRU")));
            QCOMPARE(s.material(1).price, 4.0);
            QVERIFY(!s.quantityLeft(1, QStringLiteral("0")));
            QVERIFY(s.quantityLeft(1, QStringLiteral("0.3")));
            QCOMPARE(s.material(1).cost, 1.2);
            // F7 reloads the stored materials (none) and suspends the checks.
            s.cancelMaterials();
            QVERIFY(s.material(1).code.isEmpty());
            QVERIFY(s.codeLeft(1, QString())); // suspended: nothing checked
            s.typeEntered(1);
            QVERIFY(s.typeLeft(1, QStringLiteral("101")));
            QVERIFY(s.codeLeft(1, QStringLiteral("TEC.VIS.CRU")));
            QVERIFY(s.quantityLeft(1, QStringLiteral("0.3")));
            QVERIFY(s.finish());
        }
        written = lines(f, kKnitted, QStringLiteral("R"));
        QCOMPARE(written.size(), 2);
        QCOMPARE(written[1][2].toString().trimmed(), QStringLiteral("TEC.VIS.CRU"));
        QCOMPARE(written[1][4].toDouble(), 0.3);
        QCOMPARE(written[1][6].toDouble(), 1.2);
        QCOMPARE(written[1][9].toString().trimmed(), QStringLiteral("N"));
        QCOMPARE(f.cell(QStringLiteral("SELECT MPTMAT1 FROM FICTECSUBCONT WHERE ARTIGO = 'CHCLA01.PRE' AND "
                                       "RELACFICTEC = 'R'"))
                     .toInt(),
                 101);
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM FICTECSUBCONT")).toInt(), 1);
        {
            SubcontractStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.material(1).code, QStringLiteral("TEC.VIS.CRU"));
            QCOMPARE(s.materialType(1), 101);
            QCOMPARE(s.materialLabel(1), QStringLiteral("Tecido Viscose 140 cm Cru"));
            // Cancelled: nothing changes.
            s.cancel();
        }
        QCOMPARE(lines(f, kKnitted, QStringLiteral("R")).size(), 2);
    }

    void subcontractWithoutCostType_data() { addBackendRows(); }
    // Without cost type 50 the step is refused with its message: its former
    // lines and stored entries stay, and the screen stays open.
    void subcontractWithoutCostType() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepsFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(kKnitted, QStringLiteral("M"));
        const auto embroider = [&](const QString& price) {
            SubcontractStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            return s.open() && s.serviceLeft(QStringLiteral("SRV.BORDADO")) && s.servicePriceLeft(price) &&
                   s.finish();
        };
        QVERIFY(embroider(QStringLiteral("1.1")));
        const QList<QVariantList> before = lines(f, kKnitted, QStringLiteral("M"));
        QCOMPARE(before.size(), 1);
        f.site.exec(f.db(), QStringLiteral("UPDATE TIPOCUSTO SET CODIGO = 59 WHERE CODIGO = 50"));
        f.view.messages.clear();
        QVERIFY(!embroider(QStringLiteral("1.3")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Ainda não parametrizou o Tipo de Custo ..."));
        QCOMPARE(lines(f, kKnitted, QStringLiteral("M")), before);
        QCOMPARE(f.cell(QStringLiteral("SELECT PRECO FROM FICTECSUBCONT WHERE ARTIGO = 'CHCLA01.PRE' AND "
                                       "RELACFICTEC = 'M'"))
                     .toDouble(),
                 1.1);
    }

    void subcontractOneTransaction_data() { addBackendRows(); }
    // A failing write of the row leaves the step's former lines and row.
    void subcontractOneTransaction() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepsFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(kKnitted, QStringLiteral("M"));
        {
            SubcontractStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QVERIFY(s.serviceLeft(QStringLiteral("SRV.BORDADO")));
            QVERIFY(s.servicePriceLeft(QStringLiteral("1.1")));
            QVERIFY(s.finish());
        }
        QCOMPARE(lines(f, kKnitted, QStringLiteral("M")).size(), 1);
        f.site.exec(f.db(), QStringLiteral("DROP TABLE FICTECSUBCONT"));
        {
            SubcontractStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(!s.open()); // the row cannot be read
        }
        SheetStore store(f.db());
        std::vector<FictecDetLine> none;
        QVERIFY(!store.replaceStep(kKnitted, QStringLiteral("M"), none, nullptr, nullptr, [&](QString* e) {
            return store.putSubcontract({{"ARTIGO", kKnitted}, {"RELACFICTEC", "M"}}, e);
        }));
        QCOMPARE(lines(f, kKnitted, QStringLiteral("M")).size(), 1);
    }

    void fabric_data() { addBackendRows(); }
    // Fitting "C", 3 pieces, length 150 cm, fabric 150 cm wide at 4: metres 4.5,
    // width 1.5 m, consumption 2.25, cost 9; "X" refused, "c" taken; the
    // fabric on the line chosen again changes nothing; F7 then "&Terminar"
    // keeps the entries; a changed cost type keeps one fabric line.
    void fabric() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepsFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 10 WHERE CODIGO = 8"));
        TechSheetContext ctx = context(kPrinted, QStringLiteral("L"));
        {
            FabricStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.caption(), QStringLiteral("Seleccione o Tecido"));
            s.codeEntered();
            QVERIFY(!s.codeLeft(QString()));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o código do material ..."));
            QVERIFY(!s.codeLeft(QStringLiteral("SRV.REMALHAR")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo inexistente ..."));
            QVERIFY(s.codeLeft(QStringLiteral("TEC.VIS.CRU")));
            QCOMPARE(s.layout().ClothWidth, 1.5);
            QCOMPARE(s.layout().price, 4.0);
            QCOMPARE(s.fabric().unit, QStringLiteral("Mt"));
            const int beeps = f.view.beeps;
            QVERIFY(!s.fittingLeft(QStringLiteral("X")));
            QCOMPARE(f.view.messages.last(),
                     QStringLiteral("Insira <L> para Largura ; <C> para Comprimento ..."));
            QCOMPARE(f.view.beeps, beeps); // no beep
            QVERIFY(s.fittingLeft(QStringLiteral("c")));
            QCOMPARE(ctx.ClothFitting, QStringLiteral("C"));
            QVERIFY(!s.piecesLeft(QStringLiteral("0")));
            QCOMPARE(f.view.messages.last(),
                     QStringLiteral("Insira o nº de peças para enquadramento pelo Comprimento ..."));
            QVERIFY(!s.piecesLeft(QStringLiteral("-3"))); // refused as 0 is
            QCOMPARE(f.view.messages.last(),
                     QStringLiteral("Insira o nº de peças para enquadramento pelo Comprimento ..."));
            QVERIFY(!s.widthLeft(QStringLiteral("-1.5")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira a Largura do Tecido ..."));
            QCOMPARE(s.layout().ClothWidth, 1.5);
            QVERIFY(s.piecesLeft(QStringLiteral("3")));
            QCOMPARE(ctx.ClothMetres, 4.5);
            QCOMPARE(s.layout().consumption, 2.25);
            QCOMPARE(s.layout().cost, 9.0);
            // The same fabric again changes nothing.
            QVERIFY(s.codeLeft(QStringLiteral("tec.vis.cru")));
            QCOMPARE(s.layout().cost, 9.0);
            QCOMPARE(s.layout().consumption, 2.25);
            // F7, then "&Terminar": the entries are written.
            s.cancelFabric();
            QVERIFY(ctx.StepCancelled);
            s.codeEntered();
            QVERIFY(!ctx.StepCancelled);
            QVERIFY(s.finish());
            QVERIFY(!ctx.StepCancelled);
        }
        QList<QVariantList> written = lines(f, kPrinted, QStringLiteral("L"));
        QCOMPARE(written.size(), 1);
        QCOMPARE(written[0][0].toInt(), 8);
        QCOMPARE(written[0][2].toString().trimmed(), QStringLiteral("TEC.VIS.CRU"));
        QCOMPARE(written[0][4].toDouble(), 2.25);
        QCOMPARE(written[0][5].toDouble(), 4.0);
        QCOMPARE(written[0][6].toDouble(), 9.0);
        QCOMPARE(written[0][7].toDouble(), 2.475);
        QCOMPARE(written[0][8].toDouble(), 9.99); // 10 × 2.475 × 4 / 100 + 9
        QCOMPARE(written[0][9].toString().trimmed(), QStringLiteral("N"));
        const int detail = written[0][1].toInt();
        QCOMPARE(ctx.ClothWidth, 1.5);
        QCOMPARE(ctx.ClothPieces, 3);

        // Reopened under another fabric cost type: the line is found by its
        // step and edited in place; F7 then "&Terminar" without re-entering.
        ctx.ClothCostType = 7;
        {
            FabricStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.fabric().code, QStringLiteral("TEC.VIS.CRU"));
            QCOMPARE(s.layout().cost, 9.0);
            QVERIFY(s.priceLeft(QStringLiteral("8")));
            QCOMPARE(s.layout().cost, 18.0);
            s.cancelFabric();
            QVERIFY(s.costLeft(QString())); // suspended
            QVERIFY(s.finish());
        }
        written = lines(f, kPrinted, QStringLiteral("L"));
        QCOMPARE(written.size(), 1);
        QCOMPARE(written[0][0].toInt(), 7);
        QCOMPARE(written[0][1].toInt(), detail);
        QCOMPARE(written[0][6].toDouble(), 18.0);

        // "&Cancelar" writes nothing.
        {
            FabricStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QVERIFY(s.priceLeft(QStringLiteral("1")));
            s.cancel();
            QVERIFY(ctx.StepCancelled);
        }
        QCOMPARE(lines(f, kPrinted, QStringLiteral("L"))[0][6].toDouble(), 18.0);
    }

    void refusedFabric_data() { addBackendRows(); }
    // A fabric without price or width refused at its question is not taken:
    // the line keeps its fabric and cost, and a sheet without fabric gets none.
    void refusedFabric() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepsFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.factura(), QStringLiteral("UPDATE ARTIGOSCLS SET CUSTOPADRAO = 0 WHERE CODIGO = "
                                                "'TEC.VIS.PRE'"));
        f.site.exec(f.factura(), QStringLiteral("UPDATE ARTIGOSCLS SET LARGURA = 0 WHERE CODIGO = "
                                                "'TEC.VIS.BEG'"));
        TechSheetContext ctx = context(kPrinted, QStringLiteral("L"));
        const auto choose = [&](const QString& code, bool answer) {
            FabricStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            if (!s.open())
                return false;
            s.codeEntered();
            f.view.answers = {answer};
            return s.codeLeft(code) &&
                   (code != QLatin1String("TEC.VIS.CRU") ||
                    (s.fittingLeft(QStringLiteral("C")) && s.piecesLeft(QStringLiteral("3")))) &&
                   s.finish();
        };
        // No fabric yet: the refused one writes no line.
        QVERIFY(choose(QStringLiteral("TEC.VIS.PRE"), false));
        QCOMPARE(f.view.questions.last(), QStringLiteral("Artigo sem preço definido. Continua ?"));
        QVERIFY(lines(f, kPrinted, QStringLiteral("L")).isEmpty());
        QVERIFY(choose(QStringLiteral("TEC.VIS.CRU"), true));
        const QList<QVariantList> before = lines(f, kPrinted, QStringLiteral("L"));
        QCOMPARE(before.size(), 1);
        QCOMPARE(before[0][6].toDouble(), 9.0);
        for (const QString& refused : {QStringLiteral("TEC.VIS.PRE"), QStringLiteral("TEC.VIS.BEG")}) {
            QVERIFY(choose(refused, false));
            QCOMPARE(lines(f, kPrinted, QStringLiteral("L")), before);
        }
        QCOMPARE(f.view.questions.last(), QStringLiteral("Artigo sem largura definida. Continua ?"));
    }
};

QTEST_MAIN(TestSubcontractSteps)
#include "test_subcontract_steps.moc"
