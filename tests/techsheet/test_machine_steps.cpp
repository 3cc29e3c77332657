#include "reference/screen_fixture.h"
#include "techsheet/steps/machine_steps.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kArticle = QStringLiteral("CHCLA01.PRE");

// One stored line of a step.
struct Stored {
    int tipo = 0;
    int detail = 0;
    QString code, unit;
    double quant = 0, preco = 0, valor = 0, quantFinal = 0, valorFinal = 0;
    QVariant tmpAce, semAcerto;
    QString operacao;
    // Everything but the line number, to compare two writes of a step.
    QString key() const {
        return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9|%10|%11")
            .arg(tipo)
            .arg(code, unit)
            .arg(quant, 0, 'g', 15)
            .arg(preco, 0, 'g', 15)
            .arg(valor, 0, 'g', 15)
            .arg(quantFinal, 0, 'g', 15)
            .arg(valorFinal, 0, 'g', 15)
            .arg(tmpAce.toString(), semAcerto.toString(), operacao);
    }
};

QList<Stored> stepLines(db::Database& db, const QString& step) {
    QList<Stored> out;
    for (const QVariantList& r : selectRows(
             db,
             QStringLiteral("SELECT TIPO, DETAIL, CODIGOMP, UNIDADE, QUANT, PRECO, VALOR, QUANT_FINAL, "
                            "VALOR_FINAL, TMPACE, TMP_SEMACERTO, OPERACAO FROM FICTECDET WHERE ARTIGO = :A "
                            "AND RELACFICTEC = :S ORDER BY DETAIL"),
             {{QStringLiteral("A"), kArticle}, {QStringLiteral("S"), step}}))
        out << Stored{r[0].toInt(),
                      r[1].toInt(),
                      r[2].toString().trimmed(),
                      r[3].toString().trimmed(),
                      r[4].toDouble(),
                      r[5].toDouble(),
                      r[6].toDouble(),
                      r[7].toDouble(),
                      r[8].toDouble(),
                      r[9],
                      r[10],
                      r[11].toString().trimmed()};
    return out;
}

QStringList keys(const QList<Stored>& lines) {
    QStringList out;
    for (const Stored& l : lines)
        out << l.key();
    return out;
}

const Stored* lineOf(const QList<Stored>& lines, const QString& code) {
    for (const Stored& l : lines)
        if (l.code == code)
            return &l;
    return nullptr;
}

TechSheetContext context(const QString& step, int groupType) {
    TechSheetContext ctx;
    ctx.ArticleCode = kArticle;
    ctx.ArticleLength = 180;
    ctx.ArticleWidth = 30;
    ctx.StepCode = step;
    ctx.MachineGroupType = groupType;
    ctx.FringeMeasure = 120;
    ctx.MachineCostType = 10;
    ctx.YarnCostType = 1;
    ctx.LabelCostType = 3;
    ctx.FringeCostType = 7;
    return ctx;
}

// A signed-on demo site without lines of the article, with test machines:
// sewing machines at 12.5 and 30 an hour, ultrasound cutters in units,
// metres and revolutions per minute.
struct MachineFixture : ScreenFixture {
    explicit MachineFixture(const QString& backend) : ScreenFixture(backend) {
        if (!ready())
            return;
        site.exec(db(), QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = 'CHCLA01.PRE'"));
        site.exec(db(), QStringLiteral("DELETE FROM WORKFTMAQUINAS"));
        site.exec(db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 0 WHERE CODIGO = 10"));
        const char* machines[] = {
            "('CC90', 'Corte e Coze Teste', 2, 'UPM', 12, 8, 5, 8, 12.5, 1)",
            "('CC91', 'Corte e Coze Rápida', 2, 'UPM', 12, 8, 5, 8, 30, 1)",
            "('US90', 'Ultra-Sons Unidades', 1, 'UPM', 20, 10, 5, 7, 0.35, 1)",
            "('US91', 'Ultra-Sons Metros', 1, 'MTM', 12, 4, 10, 15, 0.35, 1)",
            "('US92', 'Ultra-Sons Rotações', 1, 'RPM', 6, 4, 10, 15, 0.35, NULL)",
        };
        for (const char* m : machines)
            site.exec(db(),
                      QStringLiteral("INSERT INTO MAQUINAS (CODIGO, DESIGNACAO, GRUPO, UNDPRD, PRDHOR1, "
                                     "PRDHOR2, TEMPO_ACERTO1, TEMPO_ACERTO2, PRECO, NROPASSAGENS) VALUES ") +
                          QLatin1String(m));
    }
    db::Database& factura() { return modules().database->DbFacturacao; }
    int rowOf(const MachineStepScreen& s, const QString& code) {
        for (std::size_t r = 0; r < s.rows().size(); ++r)
            if (s.rows()[r].CODIGO == code)
                return static_cast<int>(r);
        return -1;
    }
};

} // namespace

class TestMachineSteps : public QObject {
    Q_OBJECT
private slots:
    void typedMinutes_data() { addBackendRows(); }
    // Side seam: typed minutes costed per hour, the lines written, a reopened
    // step saved unchanged writes the same lines, no machine or a failed write
    // keeps the old ones.
    void typedMinutes() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        MachineFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(QStringLiteral("C"), 2);
        {
            MachineStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.caption(), QStringLiteral("Maquinas Corte e Coze"));
            QVERIFY(f.view.messages.isEmpty());
            const int slow = f.rowOf(s, QStringLiteral("CC90"));
            const int fast = f.rowOf(s, QStringLiteral("CC91"));
            QVERIFY(slow >= 0 && fast >= 0);
            QCOMPARE(f.rowOf(s, QStringLiteral("US90")), -1); // another group type
            QVERIFY(!s.finish());
            QCOMPARE(f.view.messages.last(),
                     QStringLiteral("Não seleccionou nenhuma Máquina, reveja de novo ..."));
            s.okLeft(slow, true);
            QVERIFY(!s.timeLeft(slow, QStringLiteral("0")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o tempo [min] por cada operação..."));
            QVERIFY(s.timeLeft(slow, QStringLiteral("90")));
            QCOMPARE(s.rows()[slow].CUSTO, 18.75);
            QCOMPARE(s.rows()[slow].PRECO, 12.5);
            s.okLeft(fast, true);
            QVERIFY(s.timeLeft(fast, QStringLiteral("2.5")));
            QCOMPARE(s.rows()[fast].QTD, 2.5);
            QCOMPARE(s.rows()[fast].CUSTO, 1.5); // 3 minutes
            f.view.answers = {false};
            QVERIFY(!s.finish());
            QCOMPARE(f.view.questions.last(),
                     QStringLiteral("Não inseriu a Matéria Prima .Deseja Continuar ?"));
            QVERIFY(stepLines(f.db(), QStringLiteral("C")).isEmpty());
            QVERIFY(s.finish());
            QVERIFY(s.written());
        }
        const QList<Stored> first = stepLines(f.db(), QStringLiteral("C"));
        QCOMPARE(first.size(), 2);
        const Stored* slow = lineOf(first, QStringLiteral("CC90"));
        const Stored* fast = lineOf(first, QStringLiteral("CC91"));
        QVERIFY(slow && fast);
        QCOMPARE(slow->tipo, 10);
        QCOMPARE(slow->unit, QStringLiteral("Min"));
        QCOMPARE(slow->quant, 90.0);
        QCOMPARE(slow->preco, 12.5);
        QCOMPARE(slow->valor, 18.75);
        QCOMPARE(slow->semAcerto.toDouble(), 90.0);
        QCOMPARE(slow->operacao, QStringLiteral("M"));
        QCOMPARE(fast->quant, 2.5);
        QCOMPARE(fast->preco, 30.0);
        QCOMPARE(fast->valor, 1.5);
        QCOMPARE(fast->quantFinal, 2.5);
        QCOMPARE(fast->valorFinal, 1.5);
        QCOMPARE(fast->semAcerto.toDouble(), 2.5);
        QCOMPARE(fast->tmpAce.toDouble(), 8.0); // typed minutes: the set-up of mode 2

        // Reopened and saved unchanged: the same lines.
        {
            MachineStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QVERIFY(s.rows()[f.rowOf(s, QStringLiteral("CC90"))].ticked());
            QCOMPARE(s.rows()[f.rowOf(s, QStringLiteral("CC91"))].CUSTO, 1.5);
            QVERIFY(s.finish());
        }
        QCOMPARE(keys(stepLines(f.db(), QStringLiteral("C"))), keys(first));

        // No machine left ticked: the screen stays open, the lines stay.
        {
            MachineStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            for (int r = 0; r < int(s.rows().size()); ++r)
                s.okLeft(r, false);
            QVERIFY(!s.finish());
            QCOMPARE(f.view.messages.last(),
                     QStringLiteral("Não seleccionou nenhuma Máquina, reveja de novo ..."));
            QCOMPARE(f.view.focus.last(), QStringLiteral("DBGrid1"));
            s.cancel();
            QVERIFY(ctx.StepCancelled);
        }
        QCOMPARE(keys(stepLines(f.db(), QStringLiteral("C"))), keys(first));

        // A failure on the second insert: nothing changes, the screen keeps its rows.
        MachineStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(s.open());
        const int slowRow = f.rowOf(s, QStringLiteral("CC90"));
        QVERIFY(s.timeLeft(slowRow, QStringLiteral("60")));
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
        QCOMPARE(keys(stepLines(f.db(), QStringLiteral("C"))), keys(first));
        QVERIFY(s.finish());
        QCOMPARE(lineOf(stepLines(f.db(), QStringLiteral("C")), QStringLiteral("CC90"))->quant, 60.0);
    }

    void materials_data() { addBackendRows(); }
    // The material of a step: a thread on "C" at quantity 1 and no price, a
    // label on "E" priced from the article, no material on "V"; the machine
    // waste applied to the minutes.
    void materials() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        MachineFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(QStringLiteral("C"), 2);
        {
            MachineStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            s.okLeft(f.rowOf(s, QStringLiteral("CC91")), true);
            QVERIFY(s.timeLeft(f.rowOf(s, QStringLiteral("CC91")), QStringLiteral("2")));
            QVERIFY(s.insertMaterial());
            QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_TipoMat"));
            s.typeEntered();
            QVERIFY(!s.typeLeft(QStringLiteral("1")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Seleccione o Tipo de Material ..."));
            QVERIFY(s.typeLeft(QStringLiteral("41")));
            QVERIFY(!s.codeLeft(QString()));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o código do material ..."));
            QVERIFY(!s.codeLeft(QStringLiteral("ETQ.TEC.MARCA")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo inexistente ..."));
            f.view.answers = {false};
            QVERIFY(s.codeLeft(QStringLiteral("FIO.ACR2/28")));
            QCOMPARE(f.view.questions.last(), QStringLiteral("Deseja Gravar ?"));
            QVERIFY(!s.written());
            QCOMPARE(s.material().quantity, 1.0);
            QCOMPARE(s.material().price, 0.0);
            QCOMPARE(s.unitShown(), QStringLiteral("Und"));
            QVERIFY(s.finish());
        }
        QList<Stored> lines = stepLines(f.db(), QStringLiteral("C"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1].code, QStringLiteral("FIO.ACR2/28"));
        QCOMPARE(lines[1].tipo, 1);
        QCOMPARE(lines[1].quant, 1.0);
        QCOMPARE(lines[1].preco, 0.0);
        QCOMPARE(lines[1].valor, 0.0);
        QCOMPARE(lines[1].operacao, QStringLiteral("N"));
        {
            // Found again; F7 clears it and suspends the checks.
            MachineStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.material().code, QStringLiteral("FIO.ACR2/28"));
            QCOMPARE(s.materialType(), 41);
            s.cancelMaterial();
            QVERIFY(s.material().code.isEmpty());
            QVERIFY(s.codeLeft(QString())); // suspended
            s.cancel();
        }

        // Labels with a machine waste of 10 %: 20 minutes give 22.
        f.site.exec(f.db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 10 WHERE CODIGO = 10"));
        ctx = context(QStringLiteral("E"), 5);
        f.site.exec(f.db(), QStringLiteral("UPDATE MAQUINAS SET GRUPO = 5 WHERE CODIGO = 'CC90'"));
        {
            MachineStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.caption(), QStringLiteral("Maquinas Ponto Corrido"));
            const int row = f.rowOf(s, QStringLiteral("CC90"));
            s.okLeft(row, true);
            QVERIFY(s.timeLeft(row, QStringLiteral("20")));
            QVERIFY(s.insertMaterial());
            s.typeEntered();
            QVERIFY(s.typeLeft(QStringLiteral("1")));
            QVERIFY(s.codeLeft(QStringLiteral("ETQ.TEC.MARCA")));
            QCOMPARE(s.material().price, 0.04);
            QCOMPARE(s.material().quantity, 0.0);
            f.view.questions.clear();
            f.view.answers = {false};
            QVERIFY(!s.finish());
            QCOMPARE(f.view.questions,
                     QStringList{"Não inseriu o consumo de Matéria Prima .Deseja Continuar ?"});
            QVERIFY(s.quantityLeft(QStringLiteral("2")));
            QCOMPARE(s.material().cost, 0.08);
            QVERIFY(s.finish());
        }
        lines = stepLines(f.db(), QStringLiteral("E"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].quantFinal, 22.0);
        QCOMPARE(lines[1].tipo, 3);
        QCOMPARE(lines[1].quant, 2.0);
        QCOMPARE(lines[1].valor, 0.08);
        QCOMPARE(lines[1].quantFinal, 2.02);

        // Fringe: the fringe measure in "Cm" at the article price / 100; a
        // thread on linking saved at once by "Deseja Gravar ?".
        ctx = context(QStringLiteral("F"), 5);
        {
            MachineStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.material().quantity, 120.0);
            QVERIFY(!s.quantityEditable());
            s.okLeft(f.rowOf(s, QStringLiteral("CC90")), true);
            QVERIFY(s.timeLeft(f.rowOf(s, QStringLiteral("CC90")), QStringLiteral("6")));
            QVERIFY(s.insertMaterial());
            s.typeEntered();
            QVERIFY(s.typeLeft(QStringLiteral("140")));
            QVERIFY(s.codeLeft(QStringLiteral("FRJ.TOR10.PRE")));
            QCOMPARE(s.material().unit, QStringLiteral("Cm"));
            QCOMPARE(s.material().quantity, 120.0);
            QCOMPARE(s.material().price, 0.009);
            s.backToGrid(true); // F1: the checks suspended
            QVERIFY(s.priceLeft(QString()));
            QVERIFY(s.finish());
        }
        lines = stepLines(f.db(), QStringLiteral("F"));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1].tipo, 7);
        QCOMPARE(lines[1].unit, QStringLiteral("Cm"));
        QCOMPARE(lines[1].quant, 120.0);
        QCOMPARE(lines[1].valor, 1.08);
        ctx = context(QStringLiteral("R"), 7);
        f.site.exec(f.db(), QStringLiteral("UPDATE MAQUINAS SET GRUPO = 7 WHERE CODIGO = 'CC91'"));
        {
            MachineStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.caption(), QStringLiteral("Ramalhar / Bordar"));
            s.okLeft(f.rowOf(s, QStringLiteral("CC91")), true);
            QVERIFY(s.timeLeft(f.rowOf(s, QStringLiteral("CC91")), QStringLiteral("4")));
            QVERIFY(s.insertMaterial());
            s.typeEntered();
            QVERIFY(s.typeLeft(QStringLiteral("41")));
            f.view.answers = {true};
            QVERIFY(s.codeLeft(QStringLiteral("FIO.ACR2/28")));
            QVERIFY(s.written());
        }
        QCOMPARE(stepLines(f.db(), QStringLiteral("R")).size(), 2);

        // Steaming has no material: F1 does nothing, nothing is asked.
        ctx = context(QStringLiteral("V"), 6);
        MachineStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(s.open());
        QCOMPARE(s.caption(), QStringLiteral("Vaporizar"));
        QVERIFY(!s.insertMaterial());
        QVERIFY(!s.materialEnabled());

        // A zero width: the warning, and the screen works on.
        ctx = context(QStringLiteral("C"), 2);
        ctx.ArticleWidth = 0;
        MachineStep zero(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(zero.open());
        QCOMPARE(f.view.messages.last(),
                 QStringLiteral("Impossibilidade de Cálculo, comprim.ou Largura da peça nulo ..."));
    }

    void ultrasound_data() { addBackendRows(); }
    // Ultrasound: minutes by production unit and mode; the mode and time
    // without set-up found again, so saving unchanged writes the same lines.
    void ultrasound() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        MachineFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(QStringLiteral("X"), 0);
        {
            UltrasoundStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
            QVERIFY(s.open());
            QCOMPARE(s.stepCode(), QStringLiteral("J"));
            QCOMPARE(s.caption(), QStringLiteral("Seleccione a Máquina de Corte Ultra Som"));
            QCOMPARE(f.rowOf(s, QStringLiteral("CC90")), -1);
            const int units = f.rowOf(s, QStringLiteral("US90"));
            const int metres = f.rowOf(s, QStringLiteral("US91"));
            const int turns = f.rowOf(s, QStringLiteral("US92"));
            QVERIFY(units >= 0 && metres >= 0 && turns >= 0);
            QVERIFY(!s.modeLeft(units, QStringLiteral("3")));
            QCOMPARE(f.view.messages.last(), QStringLiteral("Digite entre [1] e [2] ..."));
            QVERIFY(s.modeLeft(units, QStringLiteral("1")));
            QCOMPARE(s.rows()[units].QTD, 55.0);
            QCOMPARE(s.rows()[units].QTD_SEMACERTO, 50.0);
            QCOMPARE(s.rows()[units].CUSTO, 19.25);
            QVERIFY(s.modeLeft(units, QStringLiteral("2"))); // 1000 / 10 + 7
            QCOMPARE(s.rows()[units].QTD, 107.0);
            // The 180 cm scarf at 12 m a minute: 1.8 / 12 = 0.15 minutes, 10 of set-up.
            QVERIFY(s.modeLeft(metres, QStringLiteral("1")));
            QCOMPARE(s.rows()[metres].QTD, 10.15);
            QCOMPARE(s.rows()[metres].QTD_SEMACERTO, 0.15);
            QCOMPARE(s.rows()[metres].CUSTO, 3.553); // 10.15 × 0.35 a minute
            QVERIFY(s.modeLeft(turns, QStringLiteral("1")));
            QCOMPARE(s.rows()[turns].QTD, 0.0);
            QCOMPARE(s.rows()[turns].CUSTO, 0.0);
            s.okLeft(turns, false);
            QCOMPARE(s.rows()[turns].TIPOPRD, 0);
            s.okLeft(units, true);
            s.okLeft(metres, true);
            QVERIFY(s.finish());
            QVERIFY(f.view.questions.isEmpty());
        }
        const QList<Stored> first = stepLines(f.db(), QStringLiteral("J"));
        QCOMPARE(first.size(), 2);
        const Stored* units = lineOf(first, QStringLiteral("US90"));
        const Stored* metres = lineOf(first, QStringLiteral("US91"));
        QVERIFY(units && metres);
        QCOMPARE(units->quant, 107.0);
        QCOMPARE(units->valor, 37.45);
        QCOMPARE(units->tmpAce.toDouble(), 7.0);
        QCOMPARE(units->semAcerto.toDouble(), 100.0);
        QVERIFY(units->operacao.isEmpty());
        QCOMPARE(metres->quant, 10.15);
        QCOMPARE(metres->valor, 3.55);
        QCOMPARE(metres->tmpAce.toDouble(), 10.0);
        QCOMPARE(metres->semAcerto.toDouble(), 0.15);

        UltrasoundStep s(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(s.open());
        const WorkMachineRow& again = s.rows()[f.rowOf(s, QStringLiteral("US90"))];
        QVERIFY(again.ticked());
        QCOMPARE(again.TIPOPRD, 2);
        QCOMPARE(again.QTD_SEMACERTO, 100.0);
        QVERIFY(s.finish());
        QCOMPARE(keys(stepLines(f.db(), QStringLiteral("J"))), keys(first));

        // A zero length: the ultrasound warning, and the screen works on.
        ctx.ArticleLength = 0;
        UltrasoundStep zero(ctx, f.corvane(), f.factura(), QStringLiteral("DEMO"), f.view);
        QVERIFY(zero.open());
        QCOMPARE(f.view.messages.last(),
                 QStringLiteral("Impossibilidade de Cálculo, comprim.ou Largura da Etiqueta nulo ..."));
    }
};

QTEST_MAIN(TestMachineSteps)
#include "test_machine_steps.moc"
