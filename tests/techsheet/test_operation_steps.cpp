#include "reference/screen_fixture.h"
#include "techsheet/steps/operation_steps.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kArticle = QStringLiteral("CHCLA01.PRE");
const QString kOther = QStringLiteral("CHCLA02.PRE");

// One line of the step as stored.
struct Stored {
    int tipo = 0;
    int detail = 0;
    QString code;
    double quant = 0, preco = 0, valor = 0, quantFinal = 0, valorFinal = 0;
    QString operacao;
};

QList<Stored> stepLines(db::Database& db, const QString& article, const QString& step) {
    QList<Stored> out;
    for (const QVariantList& r : selectRows(
             db,
             QStringLiteral("SELECT TIPO, DETAIL, CODIGOMP, QUANT, PRECO, VALOR, QUANT_FINAL, VALOR_FINAL, "
                            "OPERACAO FROM FICTECDET WHERE ARTIGO = :A AND RELACFICTEC = :S ORDER BY DETAIL"),
             {{QStringLiteral("A"), article}, {QStringLiteral("S"), step}}))
        out << Stored{r[0].toInt(),    r[1].toInt(),    r[2].toString().trimmed(),
                      r[3].toDouble(), r[4].toDouble(), r[5].toDouble(),
                      r[6].toDouble(), r[7].toDouble(), r[8].toString().trimmed()};
    return out;
}

TechSheetContext context(const QString& article, const QString& step, int minutes) {
    TechSheetContext ctx;
    ctx.ArticleCode = article;
    ctx.StepCode = step;
    ctx.OperationMinutes = minutes;
    ctx.HangerCostType = 6;
    ctx.CardLabelCostType = 5;
    return ctx;
}

// A signed-on demo site without sheet lines of the two articles, the design
// operations at 0.2 and one hanger-fitting operation of cost type 6.
struct StepFixture : ScreenFixture {
    explicit StepFixture(const QString& backend) : ScreenFixture(backend) {
        if (!ready())
            return;
        site.exec(db(),
                  QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO IN ('CHCLA01.PRE', 'CHCLA02.PRE')"));
        site.exec(db(), QStringLiteral("DELETE FROM WORKFTARTIGOS"));
        site.exec(db(), QStringLiteral("UPDATE OPERACOES SET PRECO = 0.2 WHERE TC = 20"));
        // Only the hanger and cardboard-label operations the tests add.
        site.exec(db(), QStringLiteral("DELETE FROM OPERACOES WHERE TC IN (5, 6)"));
        site.exec(db(), QStringLiteral(
                            "INSERT INTO OPERACOES (CODIGO, DESIGNACAO, TC, UNIDADE, TU, PRECO, TIPOCUSTO) "
                            "VALUES (60, 'Colocar Cabide', 6, 'Min', 'N', 0.3, 'X060060')"));
    }
    db::Database& factura() { return modules().database->DbFacturacao; }
    QStringList workRows(const QString& user) {
        QStringList out;
        for (const QVariantList& r :
             selectRows(db(),
                        QStringLiteral("SELECT CODIGO, OK FROM WORKFTARTIGOS WHERE UTIL = :U "
                                       "ORDER BY CODIGO"),
                        {{QStringLiteral("U"), user}}))
            out << r[0].toString().trimmed() + QLatin1Char('=') + r[1].toString().trimmed();
        return out;
    }
};

} // namespace

class TestOperationSteps : public QObject {
    Q_OBJECT
private slots:
    void design_data() { addBackendRows(); }
    // Design: the sheet's minutes whatever was typed, one line per operation,
    // the rows marked again from the lines; no choice, or a time of 0.
    void design() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(kArticle, QStringLiteral("H"), 30);
        {
            OperationStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.caption(), QStringLiteral("Seleccione a Operação (Desenho)"));
            QVERIFY(f.view.messages.isEmpty());
            QCOMPARE(int(s.rows().size()), 2);
            QCOMPARE(f.workRows(QStringLiteral("DEMO")), (QStringList{"X200001=N", "X200002=N"}));
            QVERIFY(!s.finish());
            QCOMPARE(f.view.messages.last(),
                     QStringLiteral("Não seleccionou nenhum tipo de Operação, reveja tudo de novo ..."));
            s.okLeft(0, true);
            QCOMPARE(s.rows()[0].QTD, 30.0);
            QCOMPARE(s.rows()[0].CUSTO, 6.0);
            QVERIFY(s.timeLeft(1, QStringLiteral("12"))); // not ticked: the time is kept
            QCOMPARE(s.rows()[1].QTD, 12.0);
            s.okLeft(1, true);
            QCOMPARE(s.rows()[1].QTD, 30.0);
            QVERIFY(!s.timeLeft(1, QString()));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Introduza o tempo da operação ..."));
            QVERIFY(s.timeLeft(1, QStringLiteral("7")));
            QCOMPARE(s.rows()[1].QTD, 30.0);
            QVERIFY(s.finish());
            QVERIFY(s.written());
            QVERIFY(!ctx.StepCancelled);
        }
        QList<Stored> lines = stepLines(f.db(), kArticle, QStringLiteral("H"));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].detail != lines[1].detail);
        for (const Stored& l : lines) {
            QCOMPARE(l.tipo, 20);
            QCOMPARE(l.quant, 30.0);
            QCOMPARE(l.preco, 0.2);
            QCOMPARE(l.valor, 6.0);
            QCOMPARE(l.quantFinal, 30.0);
            QCOMPARE(l.valorFinal, 6.0);
            QCOMPARE(l.operacao, QStringLiteral("S"));
        }
        QCOMPARE(lines[0].code, QStringLiteral("X200001"));

        // Opening again marks both from the sheet.
        {
            OperationStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(f.workRows(QStringLiteral("DEMO")), (QStringList{"X200001=S", "X200002=S"}));
            QCOMPARE(s.rows()[1].CUSTO, 6.0);
            s.okLeft(1, false);
            QCOMPARE(s.rows()[1].QTD, 0.0);
            s.cancel();
            QVERIFY(ctx.StepCancelled);
            QVERIFY(!s.written());
        }
        QCOMPARE(stepLines(f.db(), kArticle, QStringLiteral("H")).size(), 2); // cancelled: unchanged

        // Without design time: the warning, and a ticked row of time 0 writes no line.
        ctx.OperationMinutes = 0;
        f.view.messages.clear();
        OperationStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(s.open());
        QVERIFY(!ctx.StepCancelled);
        QCOMPARE(f.view.messages,
                 QStringList{"Não vai poder seleccionar nenhuma Operação, use a tecla <CANCELAR> ..."});
        s.okLeft(1, false);
        s.okLeft(0, true);
        QCOMPARE(s.rows()[0].QTD, 0.0);
        QVERIFY(s.finish());
        QCOMPARE(stepLines(f.db(), kArticle, QStringLiteral("H")).size(), 0);
    }

    void hangerMaterial_data() { addBackendRows(); }
    // Hanger fitting with its material: the checks of the material fields,
    // the closing questions, the lines and the material found again.
    void hangerMaterial() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(kArticle, QStringLiteral("D"), 4);
        {
            OperationStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(int(s.rows().size()), 1);
            s.okLeft(0, true);
            QCOMPARE(s.rows()[0].QTD, 4.0);
            QCOMPARE(s.rows()[0].CUSTO, 1.2);
            f.view.answers = {false};
            QVERIFY(!s.finish());
            QCOMPARE(f.view.questions.last(), QStringLiteral("Não inseriu o Material .Deseja Continuar ?"));
            QCOMPARE(f.view.focus.last(), QStringLiteral("DBGrid1"));
            QVERIFY(!s.written());

            QVERIFY(s.insertMaterial());
            QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_TipoMat"));
            s.typeEntered();
            QVERIFY(!s.typeLeft(QStringLiteral("12")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Seleccione o Tipo de Material ..."));
            QVERIFY(s.typeLeft(QStringLiteral("160")));
            QVERIFY(!s.codeLeft(QString()));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o código do material ..."));
            QVERIFY(!s.codeLeft(QStringLiteral("CAB.CAR.CACHECOL"))); // of type 161
            QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo inexistente ..."));
            QVERIFY(s.codeLeft(QStringLiteral("cab.pla.cachecol")));
            QCOMPARE(s.material().code, QStringLiteral("CAB.PLA.CACHECOL"));
            QCOMPARE(s.material().price, 0.09); // CUSTOPADRAO
            QCOMPARE(s.material().unit, QStringLiteral("Und"));
            QVERIFY(!s.quantityLeft(QStringLiteral("0")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira a Quantidade de Consumo ..."));
            QVERIFY(!s.priceLeft(QString()));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o Preço de Custo ..."));
            QVERIFY(s.quantityLeft(QStringLiteral("2")));
            QCOMPARE(s.material().cost, 0.18);
            QVERIFY(!s.costLeft(QString()));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o Custo ..."));

            // F7 clears the material and suspends the checks until the type is entered.
            s.cancelMaterial();
            QVERIFY(s.material().code.isEmpty());
            QVERIFY(ctx.StepCancelled);
            QVERIFY(s.codeLeft(QString()));
            s.typeEntered();
            QVERIFY(!ctx.StepCancelled);
            QVERIFY(s.typeLeft(QStringLiteral("160")));
            QVERIFY(s.codeLeft(QStringLiteral("CAB.PLA.CACHECOL")));
            QVERIFY(s.quantityLeft(QStringLiteral("1")));
            f.view.answers.clear();
            QVERIFY(s.finish());
        }
        const QList<Stored> lines = stepLines(f.db(), kArticle, QStringLiteral("D"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].code, QStringLiteral("X060060"));
        QCOMPARE(lines[0].tipo, 6);
        QCOMPARE(lines[0].quant, 4.0);
        QCOMPARE(lines[0].valor, 1.2);
        QCOMPARE(lines[0].quantFinal, 4.02); // cost type 6 wastes 0.5%
        QCOMPARE(lines[0].valorFinal, 1.206);
        QCOMPARE(lines[1].code, QStringLiteral("CAB.PLA.CACHECOL"));
        QCOMPARE(lines[1].tipo, 6);
        QCOMPARE(lines[1].detail, lines[0].detail + 1);
        QCOMPARE(lines[1].quant, 1.0);
        QCOMPARE(lines[1].preco, 0.09);
        QCOMPARE(lines[1].valor, 0.09);
        QCOMPARE(lines[1].quantFinal, 1.005);
        QCOMPARE(lines[1].operacao, QStringLiteral("N"));

        OperationStep again(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(again.open());
        QVERIFY(again.rows()[0].ticked());
        QCOMPARE(again.material().code, QStringLiteral("CAB.PLA.CACHECOL"));
        QCOMPARE(again.materialType(), 160);
        QCOMPARE(again.materialLabel(), QStringLiteral("Cabide Plástico p/ Cachecol"));
        QCOMPARE(again.material().quantity, 1.0);
        QVERIFY(again.quantityLeft(QStringLiteral("3")));
        again.backToGrid(true);
        QVERIFY(again.quantityLeft(QStringLiteral("0"))); // suspended: nothing checked
        QVERIFY(again.finish());
        QCOMPARE(stepLines(f.db(), kArticle, QStringLiteral("D"))[1].quant, 3.0);
    }

    void cardLabels_data() { addBackendRows(); }
    // Cardboard labels: the typed time stays, its cost rounded to 3; the
    // closing questions on a material without quantity or price.
    void cardLabels() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.db(),
                    QStringLiteral("INSERT INTO OPERACOES (CODIGO, DESIGNACAO, TC, UNIDADE, TU, PRECO, "
                                   "TIPOCUSTO) VALUES (61, 'Colocar Etiqueta', 5, 'Min', 'N', 0.123, "
                                   "'X050061')"));
        TechSheetContext ctx = context(kArticle, QStringLiteral("I"), 0);
        OperationStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(s.open());
        QVERIFY(f.view.messages.isEmpty()); // no design or hanger time needed
        QVERIFY(!s.showsMinutes());
        QCOMPARE(int(s.rows().size()), 1);
        s.okLeft(0, true);
        QVERIFY(s.timeLeft(0, QStringLiteral("2,5")));
        QCOMPARE(s.rows()[0].QTD, 2.5);
        QCOMPARE(s.rows()[0].CUSTO, 0.308);
        QVERIFY(s.insertMaterial());
        s.typeEntered();
        QVERIFY(!s.typeLeft(QStringLiteral("160")));
        QVERIFY(s.typeLeft(QStringLiteral("11")));
        QVERIFY(s.codeLeft(QStringLiteral("ETQ.CAR.COLEC")));
        QCOMPARE(s.material().price, 0.07);
        f.view.answers = {true};
        QVERIFY(s.priceLeft(QStringLiteral("0")));
        QCOMPARE(f.view.questions.last(), QStringLiteral("Artigo sem preço definido. Continua ?"));
        QCOMPARE(s.material().price, 0.0);
        f.view.questions.clear();
        f.view.answers = {true, false};
        QVERIFY(!s.finish());
        QCOMPARE(f.view.questions, (QStringList{"Não inseriu o consumo de Material .Deseja Continuar ?",
                                                "Não inseriu o Custo de Material .Deseja Continuar ?"}));
        QVERIFY(!s.written());
        // No on a price of 0 drops the material.
        f.view.answers = {false};
        QVERIFY(s.priceLeft(QStringLiteral("0")));
        QVERIFY(s.material().code.isEmpty());
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_TipoMat"));
        QVERIFY(s.typeLeft(QStringLiteral("11")));
        QVERIFY(s.codeLeft(QStringLiteral("ETQ.CAR.COLEC")));
        QVERIFY(s.quantityLeft(QStringLiteral("2")));
        QVERIFY(s.costLeft(QStringLiteral("0.5"))); // the typed cost replaces the computed one
        f.view.questions.clear();
        QVERIFY(s.finish());
        QVERIFY(f.view.questions.isEmpty());
        const QList<Stored> lines = stepLines(f.db(), kArticle, QStringLiteral("I"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].tipo, 5);
        QCOMPARE(lines[0].quant, 2.5);
        QCOMPARE(lines[0].valor, 0.308);
        QCOMPARE(lines[0].quantFinal, 2.525); // cost type 5 wastes 1%
        QCOMPARE(lines[1].code, QStringLiteral("ETQ.CAR.COLEC"));
        QCOMPARE(lines[1].tipo, 5);
        QCOMPARE(lines[1].quant, 2.0);
        QCOMPARE(lines[1].valor, 0.5);
    }

    void packaging_data() { addBackendRows(); }
    // Packaging: the worked example, the proposals of the packaging types,
    // row 2 emptied, the sheet's materials found again, and costing after F7.
    void packaging() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        f.site.exec(f.db(), QStringLiteral("UPDATE EMBALAGEM SET CUSTOFIXO = 0.5 WHERE CODIGO = 1"));
        f.site.exec(f.db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 10 WHERE CODIGO = 40"));
        TechSheetContext ctx = context(kArticle, QStringLiteral("B"), 0);
        {
            PackagingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QVERIFY(f.view.messages.isEmpty());
            QCOMPARE(s.caption(), QStringLiteral("Seleccione a Operação (Embalagem)"));
            QCOMPARE(int(s.rows().size()), 4);
            QCOMPARE(s.rows()[0].UNCOMPRA, QStringLiteral("Min"));
            QCOMPARE(s.material(1).code, QStringLiteral("EMB.SACO3040"));
            QCOMPARE(s.material(2).code, QStringLiteral("EMB.SEDA5070"));
            QVERIFY(s.material(3).code.isEmpty());
            s.currentRowChanged(1);
            QCOMPARE(s.material(3).code, QStringLiteral("EMB.FITA"));
            QCOMPARE(s.material(3).cost, 0.6 * 0.08);
            QCOMPARE(s.materialLabel(3), QStringLiteral("Fita de Cetim 10 mm"));
            s.currentRowChanged(0);
            QVERIFY(s.material(3).code.isEmpty());

            s.okLeft(0, true);
            QCOMPARE(s.rows()[0].CUSTO, 0.0);
            QVERIFY(s.timeLeft(0, QStringLiteral("2")));
            QCOMPARE(s.rows()[0].QTD, 2.0);
            QCOMPARE(s.rows()[0].CUSTO, 1.0);

            // Row 2 emptied: rows 2 and 3 go, row 1 stays; the proposal has stopped.
            s.insertMaterial();
            QVERIFY(!s.following());
            QVERIFY(s.codeLeft(2, QString()));
            QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_MpNro1"));
            QVERIFY(s.material(2).code.isEmpty());
            s.currentRowChanged(1);
            QCOMPARE(s.material(1).code, QStringLiteral("EMB.SACO3040"));
            QVERIFY(s.material(2).code.isEmpty());
            QVERIFY(!s.codeLeft(1, QString()));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o código do material ..."));
            QVERIFY(!s.codeLeft(3, QStringLiteral("FIO.ACR2/28"))); // not a packaging material
            QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo inexistente ..."));
            QVERIFY(s.finish());
        }
        QList<Stored> lines = stepLines(f.db(), kArticle, QStringLiteral("B"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].tipo, 40);
        QCOMPARE(lines[0].code, QStringLiteral("1"));
        QCOMPARE(lines[0].quant, 2.0);
        QCOMPARE(lines[0].preco, 0.5);
        QCOMPARE(lines[0].valor, 1.0);
        QCOMPARE(lines[0].quantFinal, 2.2);
        QCOMPARE(lines[0].valorFinal, 1.1);
        QCOMPARE(lines[1].code, QStringLiteral("EMB.SACO3040"));
        QCOMPARE(lines[1].tipo, 40);
        QCOMPARE(lines[1].quantFinal, 1.1);
        QCOMPARE(lines[1].operacao, QStringLiteral("N"));

        // Opening again: the sheet's materials, whatever row is current; after
        // F7 (checks suspended) leaving a row still costs it.
        PackagingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(s.open());
        QVERIFY(s.rows()[0].ticked());
        QCOMPARE(s.rows()[0].QTD, 2.0);
        s.currentRowChanged(1);
        QCOMPARE(s.material(1).code, QStringLiteral("EMB.SACO3040"));
        QVERIFY(s.material(2).code.isEmpty());
        s.cancelMaterials();
        QVERIFY(ctx.StepCancelled);
        QVERIFY(s.timeLeft(1, QStringLiteral("3")));
        s.okLeft(1, true);
        QCOMPARE(s.rows()[1].PRECO, 0.35);
        QCOMPARE(s.rows()[1].CUSTO, 1.05);
        // Entering a material code after F7: the rows can be edited again.
        s.codeEntered(2);
        QVERIFY(!ctx.StepCancelled);
        QVERIFY(s.codeLeft(2, QStringLiteral("EMB.FITA")));
        QCOMPARE(s.material(2).code, QStringLiteral("EMB.FITA"));
        QVERIFY(s.quantityLeft(2, QStringLiteral("0.6")));
        QCOMPARE(s.material(2).quantity, 0.6);
        QVERIFY(s.finish());
        QVERIFY(!ctx.StepCancelled);
        lines = stepLines(f.db(), kArticle, QStringLiteral("B"));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[1].code, QStringLiteral("2"));
        QCOMPARE(lines[1].valor, 1.05);
        QCOMPARE(lines[3].code, QStringLiteral("EMB.FITA"));
        QCOMPARE(lines[3].quant, 0.6);
    }

    void packagingWithoutCostType_data() { addBackendRows(); }
    // Without cost type 40 the packaging refuses to close with its message
    // and the sheet keeps the step's former lines.
    void packagingWithoutCostType() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(kArticle, QStringLiteral("B"), 0);
        const auto pack = [&](const QString& minutes) {
            PackagingStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            if (!s.open())
                return false;
            s.okLeft(0, true);
            return s.timeLeft(0, minutes) && s.finish();
        };
        QVERIFY(pack(QStringLiteral("2")));
        const QList<Stored> before = stepLines(f.db(), kArticle, QStringLiteral("B"));
        QVERIFY(before.size() >= 2); // the packaging and its proposed materials
        f.site.exec(f.db(), QStringLiteral("UPDATE TIPOCUSTO SET CODIGO = 49 WHERE CODIGO = 40"));
        QVERIFY(!pack(QStringLiteral("3")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Ainda não parametrizou o Tipo de Custo ..."));
        const QList<Stored> after = stepLines(f.db(), kArticle, QStringLiteral("B"));
        QCOMPARE(after.size(), before.size());
        QCOMPARE(after[0].quant, 2.0);
    }

    void failedWrite_data() { addBackendRows(); }
    // A failure on the second insert: the old lines stay, the screen keeps its rows.
    void failedWrite() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(kArticle, QStringLiteral("H"), 30);
        {
            OperationStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            s.okLeft(0, true);
            QVERIFY(s.finish());
        }
        OperationStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(s.open());
        s.okLeft(1, true);
        int inserts = 0;
        f.corvane().db.setFailureHook([&inserts](const QString& sql, QString* message) {
            if (!sql.startsWith(QLatin1String("INSERT INTO FICTECDET")) || ++inserts < 2)
                return false;
            *message = QStringLiteral("servidor recusou a linha");
            return true;
        });
        QVERIFY(!s.finish());
        f.corvane().db.setFailureHook({});
        QVERIFY(f.view.messages.last().contains(QStringLiteral("servidor recusou a linha")));
        QVERIFY(!s.written());
        QList<Stored> lines = stepLines(f.db(), kArticle, QStringLiteral("H"));
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].code, QStringLiteral("X200001"));
        QVERIFY(s.rows()[0].ticked() && s.rows()[1].ticked());
        QVERIFY(s.finish());
        QCOMPARE(stepLines(f.db(), kArticle, QStringLiteral("H")).size(), 2);
    }

    void users_data() { addBackendRows(); }
    // Two users each see their own work rows; one user signed on twice:
    // each screen writes the rows it shows.
    void users() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        StepFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        std::unique_ptr<db::Database> second = f.site.connectProgram();
        QVERIFY(second);
        shell::TDTCORVANE secondData(*second);
        // The sheet screen writes the header before a step's first lines.
        QVERIFY(SheetStore(f.db()).ensureHeader(kOther, kKnittedHat));
        TechSheetContext one = context(kArticle, QStringLiteral("H"), 30);
        TechSheetContext two = context(kOther, QStringLiteral("H"), 20);

        OperationStep demo(one, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        OperationStep ana(two, secondData, f.factura(), QStringLiteral("ANA"), f.view);
        QVERIFY(demo.open());
        QVERIFY(ana.open());
        demo.okLeft(0, true);
        ana.okLeft(1, true);
        QVERIFY(demo.gridLeft());
        QVERIFY(ana.gridLeft());
        QCOMPARE(f.workRows(QStringLiteral("DEMO")), (QStringList{"X200001=S", "X200002=N"}));
        QCOMPARE(f.workRows(QStringLiteral("ANA")), (QStringList{"X200001=N", "X200002=S"}));

        // DEMO again on the second connection, on the other article: opening
        // replaces DEMO's work rows, yet each screen writes its own choice.
        TechSheetContext three = context(kOther, QStringLiteral("H"), 20);
        OperationStep twice(three, secondData, f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(twice.open());
        twice.okLeft(1, true);
        QVERIFY(twice.gridLeft());
        QVERIFY(demo.finish());
        QVERIFY(twice.finish());
        QList<Stored> lines = stepLines(f.db(), kArticle, QStringLiteral("H"));
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].code, QStringLiteral("X200001"));
        QCOMPARE(lines[0].valor, 6.0);
        lines = stepLines(f.db(), kOther, QStringLiteral("H"));
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].code, QStringLiteral("X200002"));
        QCOMPARE(lines[0].valor, 4.0);
        QCOMPARE(f.workRows(QStringLiteral("ANA")), (QStringList{"X200001=N", "X200002=S"}));
    }
};

QTEST_GUILESS_MAIN(TestOperationSteps)
#include "test_operation_steps.moc"
