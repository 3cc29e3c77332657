#include "reference/screen_fixture.h"
#include "techsheet/steps/knitting_step.h"
#include "techsheet/stored_lines.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kArticle = QStringLiteral("GORRO.TRICOT");
const QString kUser = QStringLiteral("DEMO");

QStringList storedLines(db::Database& db) {
    return storedLines(db, kArticle);
}

struct Line {
    int tipo = 0;
    QString code;
    double quant = 0, preco = 0, valor = 0, quantFinal = 0, valorFinal = 0;
    QVariant tmpAce, tmpSemAcerto;
    QString position;
    double factConv = 0;
};

QList<Line> lines(db::Database& db) {
    QList<Line> out;
    for (const QVariantList& r : selectRows(
             db,
             QStringLiteral("SELECT TIPO, CODIGOMP, QUANT, PRECO, VALOR, QUANT_FINAL, VALOR_FINAL, TMPACE, "
                            "TMP_SEMACERTO, TECELAGEM, FACTCONV FROM FICTECDET WHERE ARTIGO = :A AND "
                            "RELACFICTEC = 'A' ORDER BY DETAIL"),
             {{QStringLiteral("A"), kArticle}}))
        out << Line{r[0].toInt(),
                    r[1].toString().trimmed(),
                    r[2].toDouble(),
                    r[3].toDouble(),
                    r[4].toDouble(),
                    r[5].toDouble(),
                    r[6].toDouble(),
                    r[7],
                    r[8],
                    r[9].toString().trimmed(),
                    r[10].toDouble()};
    return out;
}

// A signed-on demo site: no sheet of the article, two priced yarns and the
// knitting machine TRI01 at 12.5 per hour (set-up 20 and 30 minutes).
struct KnitFixture : ScreenFixture {
    QString yarn1, yarn2;
    int yarnType = 0, machineType = 0;
    explicit KnitFixture(const QString& backend) : ScreenFixture(backend) {
        if (!ready())
            return;
        site.exec(db(), QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = 'GORRO.TRICOT'"));
        site.exec(db(), QStringLiteral("DELETE FROM FICTECFIOS WHERE ARTIGO = 'GORRO.TRICOT'"));
        // The sheet screen writes the header before a step's first lines.
        SheetStore(db()).ensureHeader(kArticle, kKnittedHat);
        site.exec(db(),
                  QStringLiteral("UPDATE MAQUINAS SET PRECO = 12.5, TEMPO_ACERTO1 = 20, TEMPO_ACERTO2 = 30 "
                                 "WHERE CODIGO = 'TRI01'"));
        const QList<QVariantList> yarns = selectRows(
            factura(), QStringLiteral("SELECT CODIGO FROM ARTIGOSCLS WHERE TIPOARTIGO = '6' AND NEFIO > 0 "
                                      "ORDER BY CODIGO"));
        if (yarns.size() < 2)
            return;
        yarn1 = yarns[0][0].toString().trimmed();
        yarn2 = yarns[1][0].toString().trimmed();
        site.exec(factura(), QStringLiteral("UPDATE ARTIGOSCLS SET CUSTOPADRAO = 10 WHERE CODIGO = :C"),
                  {{QStringLiteral("C"), yarn1}});
        site.exec(factura(), QStringLiteral("UPDATE ARTIGOSCLS SET CUSTOPADRAO = 8 WHERE CODIGO = :C"),
                  {{QStringLiteral("C"), yarn2}});
        yarnType = cell(QStringLiteral("SELECT FIOS_TC FROM PARGER WHERE CODIGO = 1")).toInt();
        machineType = cell(QStringLiteral("SELECT MAQUINAS_TC FROM PARGER WHERE CODIGO = 1")).toInt();
        // The sheet's own waste counts, not the cost types'.
        site.exec(db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 50 WHERE CODIGO IN (:Y, :M)"),
                  {{QStringLiteral("Y"), yarnType}, {QStringLiteral("M"), machineType}});
    }
    db::Database& factura() { return modules().database->DbFacturacao; }
    TechSheetContext context() const {
        TechSheetContext ctx;
        ctx.ArticleCode = kArticle;
        ctx.SheetKind = kKnittedHat;
        ctx.StepCode = QStringLiteral("A");
        ctx.MachineGroupType = 3;
        ctx.PieceWeight = 180;
        ctx.YarnWastePercent = 5;
        ctx.YarnCostType = yarnType;
        ctx.MachineCostType = machineType;
        return ctx;
    }
};

int machineRow(const KnittingStep& s, const QString& code) {
    for (std::size_t r = 0; r < s.machines().size(); ++r)
        if (s.machines()[r].CODIGO == code)
            return static_cast<int>(r);
    return -1;
}

} // namespace

class TestKnittingStep : public QObject {
    Q_OBJECT
private slots:
    void knitting_data() { addBackendRows(); }
    // The shares of the piece's weight, the machine's typed minutes and the
    // checks before anything is written.
    void knitting() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        KnitFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        QVERIFY(!f.yarn2.isEmpty());
        TechSheetContext ctx = f.context();
        KnittingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
        QVERIFY(s.open());
        QCOMPARE(s.caption(), QStringLiteral("Tecelagem ( Tricotados )"));
        const int tri01 = machineRow(s, QStringLiteral("TRI01"));
        const int tri02 = machineRow(s, QStringLiteral("TRI02"));
        QVERIFY(tri01 >= 0 && tri02 >= 0);
        QCOMPARE(tickedCount(s.machines()), 0);
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM WORKFTMAQUINAS WHERE UTIL = 'DEMO'")).toInt(),
                 int(s.machines().size()));

        // Percent and yarn fields.
        QVERIFY(!s.percentLeft(1, QStringLiteral("101")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("% de consumo inválida !!!"));
        QVERIFY(s.percentLeft(1, QStringLiteral("60")));
        QVERIFY(!s.yarnLeft(1, QStringLiteral("NAO.EXISTE")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo Inexistente .... : NAO.EXISTE"));
        QVERIFY(s.yarnLeft(1, f.yarn1));
        QVERIFY(!s.rowView(1).designation.isEmpty());
        QVERIFY(s.rowView(1).count > 0);
        s.gradationLeft(1, QStringLiteral("G1-LONGA"));
        QCOMPARE(s.row(1).gradation, QStringLiteral("G1-LON"));
        QVERIFY(s.percentLeft(2, QStringLiteral("50")));
        QVERIFY(s.yarnLeft(2, f.yarn2));

        // 60 + 50 %: refused, nothing written.
        QVERIFY(!s.finish());
        QCOMPARE(f.view.messages.last(), QStringLiteral("O Total de % de Consumo excedeu os 100%"));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_TrPerc1"));
        QVERIFY(!s.written());
        QVERIFY(storedLines(f.db()).isEmpty());
        QCOMPARE(
            f.cell(QStringLiteral("SELECT COUNT(*) FROM FICTECFIOS WHERE ARTIGO = 'GORRO.TRICOT'")).toInt(),
            0);

        // No machine, then two: refused, nothing written.
        QVERIFY(s.percentLeft(2, QStringLiteral("40")));
        QVERIFY(!s.finish());
        QCOMPARE(f.view.messages.last(), QStringLiteral("Nº de Teares seleccionado inválido !!!"));
        s.okLeft(tri01, true);
        QVERIFY(!s.timeLeft(tri01, QStringLiteral("0")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o tempo [min] por cada operação..."));
        QVERIFY(s.timeLeft(tri01, QStringLiteral("90")));
        QCOMPARE(s.machines()[tri01].CUSTO, 18.75);
        QCOMPARE(s.machines()[tri01].QTD_SEMACERTO, 90.0);
        s.okLeft(tri02, true);
        QVERIFY(s.timeLeft(tri02, QStringLiteral("30")));
        QVERIFY(!s.finish());
        QCOMPARE(f.view.messages.last(), QStringLiteral("Nº de Teares seleccionado inválido !!!"));
        QVERIFY(storedLines(f.db()).isEmpty());
        QCOMPARE(
            f.cell(QStringLiteral("SELECT COUNT(*) FROM FICTECFIOS WHERE ARTIGO = 'GORRO.TRICOT'")).toInt(),
            0);

        s.okLeft(tri02, false);
        QVERIFY(s.finish());
        QVERIFY(s.written());
        QVERIFY(!ctx.StepCancelled);
        QCOMPARE(s.rowView(1).kg, 0.108);
        QCOMPARE(s.totalKg(), 0.18);

        const QList<Line> l = lines(f.db());
        QCOMPARE(l.size(), 3);
        QCOMPARE(l[0].code, QStringLiteral("TRI01"));
        QCOMPARE(l[0].tipo, f.machineType);
        QCOMPARE(l[0].quant, 90.0);
        QCOMPARE(l[0].preco, 12.5);
        QCOMPARE(l[0].valor, 18.75);
        QCOMPARE(l[0].quantFinal, 94.5);
        QCOMPARE(l[0].valorFinal, 19.73); // the sheet's 5 %, not the cost type's 50 %
        QCOMPARE(l[0].tmpAce.toDouble(), 30.0);
        QCOMPARE(l[0].tmpSemAcerto.toDouble(), 90.0); // the minutes per piece
        QCOMPARE(l[0].factConv, 1000.0);
        QCOMPARE(l[1].code, f.yarn1);
        QCOMPARE(l[1].tipo, f.yarnType);
        QCOMPARE(l[1].quant, 0.108);
        QCOMPARE(l[1].preco, 10.0);
        QCOMPARE(l[1].valor, 1.08);
        QCOMPARE(l[1].quantFinal, 0.1134);
        QCOMPARE(l[1].position, QStringLiteral("TR-01"));
        QCOMPARE(l[1].factConv, 0.0);
        QCOMPARE(l[2].code, f.yarn2);
        QCOMPARE(l[2].quant, 0.072);
        QCOMPARE(l[2].position, QStringLiteral("TR-02"));

        const QList<QVariantList> layout = selectRows(
            f.db(),
            QStringLiteral("SELECT TR1_PERC, TR1_REFFIO, TR1_QTD, TE1_GRAD, TR2_PERC, TR2_QTD, TR3_PERC "
                           "FROM FICTECFIOS WHERE ARTIGO = 'GORRO.TRICOT'"));
        QCOMPARE(layout.size(), 1);
        QCOMPARE(layout[0][0].toDouble(), 60.0);
        QCOMPARE(layout[0][1].toString().trimmed(), f.yarn1);
        QCOMPARE(layout[0][2].toDouble(), 0.108);
        QCOMPARE(layout[0][3].toString().trimmed(), QStringLiteral("G1-LON"));
        QCOMPARE(layout[0][4].toDouble(), 40.0);
        QCOMPARE(layout[0][5].toDouble(), 0.072);
        QCOMPARE(layout[0][6].toDouble(), 0.0);
    }

    void reopening_data() { addBackendRows(); }
    // Reopening shows what was saved; refused closes keep the old lines,
    // saving unchanged writes the same lines, cancelling writes nothing.
    void reopening() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        KnitFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        QVERIFY(!f.yarn2.isEmpty());
        TechSheetContext ctx = f.context();
        {
            KnittingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            QVERIFY(s.percentLeft(1, QStringLiteral("60")));
            QVERIFY(s.yarnLeft(1, f.yarn1));
            s.gradationLeft(1, QStringLiteral("G1"));
            QVERIFY(s.percentLeft(3, QStringLiteral("25")));
            QVERIFY(s.yarnLeft(3, f.yarn2));
            const int tri01 = machineRow(s, QStringLiteral("TRI01"));
            s.okLeft(tri01, true);
            QVERIFY(s.timeLeft(tri01, QStringLiteral("90")));
            QVERIFY(s.finish());
        }
        const QStringList saved = storedLines(f.db());
        QCOMPARE(saved.size(), 3);

        // Reopened: the layout and the machine as saved.
        {
            KnittingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            QCOMPARE(s.row(1).percent, 60.0);
            QCOMPARE(s.row(1).yarn, f.yarn1);
            QCOMPARE(s.row(1).gradation, QStringLiteral("G1"));
            QCOMPARE(s.rowView(1).kg, 0.108);
            QCOMPARE(s.row(3).percent, 25.0);
            QCOMPARE(s.rowView(3).kg, 0.045);
            QCOMPARE(tickedCount(s.machines()), 1);
            const WorkMachineRow& m = s.machines()[machineRow(s, QStringLiteral("TRI01"))];
            QVERIFY(m.ticked());
            QCOMPARE(m.QTD, 90.0);
            QCOMPARE(m.QTD_SEMACERTO, 90.0);
            QCOMPARE(f.cell(QStringLiteral(
                                "SELECT OK FROM WORKFTMAQUINAS WHERE UTIL = 'DEMO' AND CODIGO = 'TRI01'"))
                         .toString(),
                     QStringLiteral("S"));

            // Two machines, then none: the screen stays open, the old lines stay.
            const int tri02 = machineRow(s, QStringLiteral("TRI02"));
            s.okLeft(tri02, true);
            QVERIFY(s.timeLeft(tri02, QStringLiteral("15")));
            QVERIFY(s.percentLeft(1, QStringLiteral("50")));
            QVERIFY(!s.finish());
            QCOMPARE(f.view.messages.last(), QStringLiteral("Nº de Teares seleccionado inválido !!!"));
            QCOMPARE(storedLines(f.db()), saved);
            s.okLeft(tri02, false);
            s.okLeft(machineRow(s, QStringLiteral("TRI01")), false);
            QVERIFY(!s.finish());
            QCOMPARE(storedLines(f.db()), saved);
            QCOMPARE(selectRows(f.db(), QStringLiteral("SELECT TR1_PERC FROM FICTECFIOS WHERE ARTIGO = "
                                                       "'GORRO.TRICOT'"))[0][0]
                         .toDouble(),
                     60.0);
            s.cancel();
            QVERIFY(ctx.StepCancelled);
            QVERIFY(!s.written());
        }
        QCOMPARE(storedLines(f.db()), saved);

        // Saving unchanged writes the same lines.
        {
            KnittingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            QVERIFY(s.finish());
        }
        QCOMPARE(storedLines(f.db()), saved);

        // Delete "Eliminar": asked, then the layout goes and the lines stay.
        {
            KnittingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            f.view.answers = {false};
            QVERIFY(!s.deleteLayout());
            QCOMPARE(f.view.questions.last(),
                     QStringLiteral("Eliminação da Referência : GORRO.TRICOT,  Confirma ?"));
            QCOMPARE(s.row(1).percent, 60.0);
            QVERIFY(s.deleteLayout());
            QCOMPARE(s.row(1).percent, 0.0);
            QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM FICTECFIOS WHERE ARTIGO = 'GORRO.TRICOT'"))
                         .toInt(),
                     0);
            QCOMPARE(storedLines(f.db()), saved);
        }
        // Reopened without a layout: the machine is still shown in use.
        {
            KnittingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            QVERIFY(s.row(1).yarn.isEmpty());
            QCOMPARE(tickedCount(s.machines()), 1);
            QVERIFY(s.percentLeft(1, QStringLiteral("60")));
            QVERIFY(s.yarnLeft(1, f.yarn1));
            s.gradationLeft(1, QStringLiteral("G1"));
            QVERIFY(s.percentLeft(3, QStringLiteral("25")));
            QVERIFY(s.yarnLeft(3, f.yarn2));
            QVERIFY(s.compute()); // F12 stores the layout again
            QCOMPARE(f.cell(QStringLiteral("SELECT TR3_PERC FROM FICTECFIOS WHERE ARTIGO = 'GORRO.TRICOT'"))
                         .toDouble(),
                     25.0);
        }

        // A percentage below 1 clears its row's yarn.
        {
            KnittingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            QVERIFY(s.percentLeft(3, QStringLiteral("0.5")));
            QCOMPARE(s.row(3).percent, 0.0);
            QVERIFY(s.row(3).yarn.isEmpty());
            QVERIFY(!s.rowView(3).enabled);
            QVERIFY(s.finish());
        }
        QCOMPARE(lines(f.db()).size(), 2);
        QCOMPARE(
            selectRows(f.db(), QStringLiteral("SELECT TR3_PERC, TR3_REFFIO FROM FICTECFIOS WHERE ARTIGO = "
                                              "'GORRO.TRICOT'"))[0][1]
                .toString()
                .trimmed(),
            QString());

        // Every percentage at 0: the yarn lines go and so does the stored
        // layout, so reopening shows no yarn beside the machine alone.
        {
            KnittingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            QVERIFY(s.percentLeft(1, QStringLiteral("0")));
            QVERIFY(s.finish());
        }
        QCOMPARE(lines(f.db()).size(), 1);
        QCOMPARE(
            f.cell(QStringLiteral("SELECT COUNT(*) FROM FICTECFIOS WHERE ARTIGO = 'GORRO.TRICOT'")).toInt(),
            0);
        {
            KnittingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            QCOMPARE(s.row(1).percent, 0.0);
            QVERIFY(s.row(1).yarn.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestKnittingStep)
#include "test_knitting_step.moc"
