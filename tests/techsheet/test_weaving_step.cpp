#include "reference/screen_fixture.h"
#include "techsheet/steps/weaving_step.h"
#include "techsheet/stored_lines.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

const QString kArticle = QStringLiteral("CACHECOL.TEAR");
const QString kUser = QStringLiteral("DEMO");
using Side = WeavingStep::Side;

QStringList storedLines(db::Database& db) {
    return storedLines(db, kArticle);
}

struct Line {
    int tipo = 0;
    QString step, code, unit;
    double quant = 0, preco = 0, valor = 0, quantFinal = 0, valorFinal = 0;
    QVariant tmpAce, tmpSemAcerto;
    QString position;
    double factConv = 0;
};

QList<Line> lines(db::Database& db) {
    QList<Line> out;
    for (const QVariantList& r : selectRows(
             db,
             QStringLiteral("SELECT TIPO, RELACFICTEC, CODIGOMP, UNIDADE, QUANT, PRECO, VALOR, QUANT_FINAL, "
                            "VALOR_FINAL, TMPACE, TMP_SEMACERTO, TECELAGEM, FACTCONV FROM FICTECDET WHERE "
                            "ARTIGO = :A ORDER BY DETAIL"),
             {{QStringLiteral("A"), kArticle}}))
        out << Line{r[0].toInt(),
                    r[1].toString().trimmed(),
                    r[2].toString().trimmed(),
                    r[3].toString().trimmed(),
                    r[4].toDouble(),
                    r[5].toDouble(),
                    r[6].toDouble(),
                    r[7].toDouble(),
                    r[8].toDouble(),
                    r[9],
                    r[10],
                    r[11].toString().trimmed(),
                    r[12].toDouble()};
    return out;
}

// A signed-on demo site without a sheet of the article: two yarns of Nm 30
// at 10 and 8, the loom TEAR01 1800 mm wide with a raport of 600 mm, 400
// passages a minute in mode 1 (set-up 15) and 320 in mode 2 (set-up 25), at
// 0.55 a minute; the yarn cost type wastes 5 %, the machines' 2 %.
struct WeaveFixture : ScreenFixture {
    QString yarn1, yarn2;
    int yarnType = 0, machineType = 0;
    explicit WeaveFixture(const QString& backend) : ScreenFixture(backend) {
        if (!ready())
            return;
        site.exec(db(), QStringLiteral("DELETE FROM FICTECDET WHERE ARTIGO = 'CACHECOL.TEAR'"));
        site.exec(db(), QStringLiteral("DELETE FROM FICTECFIOS WHERE ARTIGO = 'CACHECOL.TEAR'"));
        // The sheet screen writes the header before a step's first lines.
        SheetStore(db()).ensureHeader(kArticle, kWovenScarf);
        site.exec(db(), QStringLiteral("UPDATE MAQUINAS SET LARGURA = 1800, RAPORT = 600, PRDHOR1 = 400, "
                                       "TEMPO_ACERTO1 = 15, PRDHOR2 = 320, TEMPO_ACERTO2 = 25, PRECO = 0.55 "
                                       "WHERE CODIGO = 'TEAR01'"));
        const QList<QVariantList> yarns = selectRows(
            factura(), QStringLiteral("SELECT CODIGO FROM ARTIGOSCLS WHERE TIPOARTIGO = '6' AND NEFIO > 0 "
                                      "ORDER BY CODIGO"));
        if (yarns.size() < 2)
            return;
        yarn1 = yarns[0][0].toString().trimmed();
        yarn2 = yarns[1][0].toString().trimmed();
        site.exec(factura(),
                  QStringLiteral("UPDATE ARTIGOSCLS SET CUSTOPADRAO = 10, NEFIO = 30 WHERE CODIGO = :C"),
                  {{QStringLiteral("C"), yarn1}});
        site.exec(factura(),
                  QStringLiteral("UPDATE ARTIGOSCLS SET CUSTOPADRAO = 8, NEFIO = 30 WHERE CODIGO = :C"),
                  {{QStringLiteral("C"), yarn2}});
        yarnType = cell(QStringLiteral("SELECT FIOS_TC FROM PARGER WHERE CODIGO = 1")).toInt();
        machineType = cell(QStringLiteral("SELECT MAQUINAS_TC FROM PARGER WHERE CODIGO = 1")).toInt();
        site.exec(db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 5 WHERE CODIGO = :Y"),
                  {{QStringLiteral("Y"), yarnType}});
        site.exec(db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 2 WHERE CODIGO = :M"),
                  {{QStringLiteral("M"), machineType}});
    }
    db::Database& factura() { return modules().database->DbFacturacao; }
    TechSheetContext context() const {
        TechSheetContext ctx;
        ctx.ArticleCode = kArticle;
        ctx.SheetKind = kWovenScarf;
        ctx.MachineGroupType = 4;
        ctx.ArticleWidth = 30;
        ctx.ArticleLength = 160;
        ctx.ContractionPercent = 10;
        ctx.YarnCostType = yarnType;
        ctx.MachineCostType = machineType;
        return ctx;
    }
    int layoutRows() {
        return cell(QStringLiteral("SELECT COUNT(*) FROM FICTECFIOS WHERE ARTIGO = 'CACHECOL.TEAR'")).toInt();
    }
};

int loomRow(const WeavingStep& s, const QString& code) {
    for (std::size_t r = 0; r < s.looms().size(); ++r)
        if (s.looms()[r].CODIGO == code)
            return static_cast<int>(r);
    return -1;
}

// Needles 1 and 2 at 120 and 80 passages, colour 1 of 200 threads, TEAR01 ticked.
void layOut(WeavingStep& s, const WeaveFixture& f) {
    s.countEntered(Side::Weft, 1);
    QVERIFY(s.countLeft(Side::Weft, 1, QStringLiteral("120")));
    QVERIFY(s.yarnLeft(Side::Weft, 1, f.yarn1));
    QVERIFY(s.countLeft(Side::Weft, 2, QStringLiteral("80")));
    QVERIFY(s.yarnLeft(Side::Weft, 2, f.yarn2.toLower()));
    QVERIFY(s.countLeft(Side::Warp, 1, QStringLiteral("200")));
    QVERIFY(s.yarnLeft(Side::Warp, 1, f.yarn1));
    s.okLeft(loomRow(s, QStringLiteral("TEAR01")), true);
}

} // namespace

class TestWeavingStep : public QObject {
    Q_OBJECT
private slots:
    void fields_data() { addBackendRows(); }
    // The weft and warp fields as they are entered and left.
    void fields() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        WeaveFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        QVERIFY(!f.yarn2.isEmpty());
        TechSheetContext ctx = f.context();
        WeavingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
        QVERIFY(s.open());
        QCOMPARE(s.caption(), QStringLiteral("Tecelagem ( Alta Def./100%Acr. )"));
        QVERIFY(loomRow(s, QStringLiteral("TEAR01")) >= 0);
        QVERIFY(loomRow(s, QStringLiteral("TEAR02")) >= 0);
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(*) FROM WORKFTMAQUINAS WHERE UTIL = 'DEMO'")).toInt(),
                 int(s.looms().size()));

        QVERIFY(!s.positionView(Side::Weft, 1).enabled);
        s.countEntered(Side::Weft, 1);
        QVERIFY(s.positionView(Side::Weft, 1).enabled);
        QVERIFY(!s.countLeft(Side::Weft, 1, QStringLiteral("abc")));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Passagens1"));
        QVERIFY(!s.countLeft(Side::Weft, 1, QStringLiteral("-3")));
        QVERIFY(s.countLeft(Side::Weft, 1, QStringLiteral("120")));

        // The code: empty goes back to the passages; unknown stays; a yarn shows.
        const int beeps = f.view.beeps;
        QVERIFY(!s.yarnLeft(Side::Weft, 1, QStringLiteral("  ")));
        QCOMPARE(f.view.beeps, beeps + 1);
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_Passagens1"));
        QVERIFY(!s.yarnLeft(Side::Weft, 1, QStringLiteral("NAO.EXISTE")));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo Inexistente .... : NAO.EXISTE"));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_TR1Artigo"));
        QVERIFY(s.yarnLeft(Side::Weft, 1, f.yarn1.toLower()));
        QCOMPARE(s.position(Side::Weft, 1).yarn, f.yarn1);
        QVERIFY(!s.positionView(Side::Weft, 1).designation.isEmpty());
        QCOMPARE(s.positionView(Side::Weft, 1).count, 30.0);

        // A yarn without price is taken with a warning.
        f.site.exec(f.factura(), QStringLiteral("UPDATE ARTIGOSCLS SET CUSTOPADRAO = 0 WHERE CODIGO = :C"),
                    {{QStringLiteral("C"), f.yarn2}});
        QVERIFY(s.open());
        const int messages = f.view.messages.size();
        QVERIFY(s.countLeft(Side::Warp, 3, QStringLiteral("40")));
        QVERIFY(s.yarnLeft(Side::Warp, 3, f.yarn2));
        QCOMPARE(f.view.messages.mid(messages), QStringList{"Atenção está a seleccionar um Fio sem Preço"});
        QCOMPARE(s.position(Side::Warp, 3).yarn, f.yarn2);

        // Passages of 0 clear the code and its labels.
        QVERIFY(s.countLeft(Side::Warp, 3, QStringLiteral("0")));
        QVERIFY(s.position(Side::Warp, 3).yarn.isEmpty());
        QVERIFY(s.positionView(Side::Warp, 3).designation.isEmpty());
        QVERIFY(!s.positionView(Side::Warp, 3).enabled);

        // The mode of a loom: 1 or 2.
        const int tear = loomRow(s, QStringLiteral("TEAR01"));
        QVERIFY(!s.modeLeft(tear, QStringLiteral("3")));
        QVERIFY(s.modeLeft(tear, QStringLiteral("2")));
        QCOMPARE(s.looms()[tear].TIPOPRD, 2);
    }

    void weaving_data() { addBackendRows(); }
    // F12 computes looms and consumptions and stores the layout; "&Gravar"
    // writes the loom line and the yarn lines.
    void weaving() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        WeaveFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        QVERIFY(!f.yarn2.isEmpty());
        TechSheetContext ctx = f.context();
        WeavingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
        QVERIFY(s.open());
        layOut(s, f);
        const int tear = loomRow(s, QStringLiteral("TEAR01"));

        QVERIFY(s.compute());
        const WorkMachineRow& loom = s.looms()[tear];
        QCOMPARE(loom.RAPORT, 3);
        QCOMPARE(loom.FITAS, 6.0);
        QCOMPARE(loom.QTD_SEMACERTO, 0.08); // 200 passages / 400 a minute / 6 strips
        QCOMPARE(loom.QTD, 15.08);
        QCOMPARE(loom.CUSTO, 8.29);
        QCOMPARE(ctx.LoomRaports, QStringLiteral("3"));
        QCOMPARE(ctx.LoomStrips, QStringLiteral("6"));
        // The other loom is computed too: 4 raports of 19 strips make 7.6.
        QCOMPARE(s.looms()[loomRow(s, QStringLiteral("TEAR02"))].FITAS, 7.6);
        QCOMPARE(s.positionView(Side::Weft, 1).kg, 0.00132); // 120 × 0.30 / 30 × 1.1 / 1000
        QCOMPARE(s.positionView(Side::Weft, 2).kg, 0.00088);
        QCOMPARE(s.positionView(Side::Warp, 1).kg, 0.00195556); // 200 × 1.6 / 30 × 1.1 / 6 / 1000
        QCOMPARE(s.totalKg(Side::Weft), 0.0022);
        QCOMPARE(f.view.status[0].last(), QString());
        const QList<QVariantList> layout = selectRows(
            f.db(),
            QStringLiteral("SELECT TR1_PASSAGENS, TR1_REFFIO, TR1_QTD, TR2_PASSAGENS, TE1_NROFIOS, "
                           "TE1_REFFIO, TE1_QTD, TR3_PASSAGENS FROM FICTECFIOS WHERE ARTIGO = :A"),
            {{QStringLiteral("A"), kArticle}});
        QCOMPARE(layout.size(), 1);
        QCOMPARE(layout[0][0].toInt(), 120);
        QCOMPARE(layout[0][1].toString().trimmed(), f.yarn1);
        QCOMPARE(layout[0][2].toDouble(), 0.00132);
        QCOMPARE(layout[0][3].toInt(), 80);
        QCOMPARE(layout[0][4].toInt(), 200);
        QCOMPARE(layout[0][5].toString().trimmed(), f.yarn1);
        QCOMPARE(layout[0][6].toDouble(), 0.00195556);
        QCOMPARE(layout[0][7].toInt(), 0);
        QVERIFY(storedLines(f.db()).isEmpty()); // F12 writes no line

        QVERIFY(s.finish());
        QVERIFY(s.written());
        QVERIFY(!ctx.StepCancelled);
        const QList<Line> l = lines(f.db());
        QCOMPARE(l.size(), 4);
        QCOMPARE(l[0].step, QStringLiteral("T"));
        QCOMPARE(l[0].code, QStringLiteral("TEAR01"));
        QCOMPARE(l[0].tipo, f.machineType);
        QCOMPARE(l[0].unit, QStringLiteral("Min"));
        QCOMPARE(l[0].quant, 15.08);
        QCOMPARE(l[0].preco, 0.55);
        QCOMPARE(l[0].valor, 8.29);
        QCOMPARE(l[0].quantFinal, 15.3816); // 15.08 × 1.02
        QCOMPARE(l[0].valorFinal, 8.46);    // 8.294 + 0.55 × 2 × 15.3816 / 100
        QCOMPARE(l[0].tmpAce.toDouble(), 15.0);
        QCOMPARE(l[0].tmpSemAcerto.toDouble(), 0.08);
        QCOMPARE(l[1].step, QStringLiteral("G"));
        QCOMPARE(l[1].code, f.yarn1);
        QCOMPARE(l[1].tipo, f.yarnType);
        QCOMPARE(l[1].quant, 0.00132);
        QCOMPARE(l[1].preco, 10.0);
        QCOMPARE(l[1].valor, 0.01);
        QCOMPARE(l[1].quantFinal, 0.001386);
        QCOMPARE(l[1].position, QStringLiteral("TR-01"));
        QCOMPARE(l[1].factConv, 1000.0);
        QCOMPARE(l[2].code, f.yarn2);
        QCOMPARE(l[2].position, QStringLiteral("TR-02"));
        QCOMPARE(l[3].code, f.yarn1);
        QCOMPARE(l[3].quant, 0.00195556);
        QCOMPARE(l[3].position, QStringLiteral("TE-01"));
        QCOMPARE(f.cell(QStringLiteral("SELECT COUNT(DISTINCT DETAIL) FROM FICTECDET WHERE ARTIGO = "
                                       "'CACHECOL.TEAR'"))
                     .toInt(),
                 4);
    }

    void refusals_data() { addBackendRows(); }
    // A refused calculation or close (no weft among them) writes nothing and
    // keeps the old lines.
    void refusals() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        WeaveFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        QVERIFY(!f.yarn2.isEmpty());
        TechSheetContext ctx = f.context();
        {
            WeavingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            layOut(s, f);
            QVERIFY(s.finish());
        }
        const QStringList saved = storedLines(f.db());
        QCOMPARE(saved.size(), 4);

        WeavingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
        QVERIFY(s.open());
        const int tear1 = loomRow(s, QStringLiteral("TEAR01"));
        const int tear2 = loomRow(s, QStringLiteral("TEAR02"));
        QVERIFY(s.looms()[tear1].ticked());

        // No loom ticked: the warp cannot be divided, nothing changes.
        s.okLeft(tear1, false);
        QVERIFY(!s.finish());
        QCOMPARE(f.view.messages.last(), QStringLiteral("Nº de Teares seleccionado inválido !!!"));
        QCOMPARE(s.page(), WeavingStep::Page::Looms);
        QCOMPARE(f.view.focus.last(), QStringLiteral("DBGrid1"));
        QVERIFY(!s.written());
        QCOMPARE(storedLines(f.db()), saved);

        // Two looms: refused as well (the second weaves 7.6 strips).
        s.okLeft(tear1, true);
        s.okLeft(tear2, true);
        QVERIFY(!s.finish());
        QCOMPARE(f.view.messages.last(), QStringLiteral("Verifique medidas da máquina seleccionada..."));
        f.site.exec(f.db(), QStringLiteral(
                                "UPDATE MAQUINAS SET RAPORT = 600, LARGURA = 2400 WHERE CODIGO = 'TEAR02'"));
        QVERIFY(s.open());
        s.okLeft(loomRow(s, QStringLiteral("TEAR02")), true);
        QVERIFY(!s.finish());
        QCOMPARE(f.view.messages.last(), QStringLiteral("Nº de Teares seleccionado inválido !!!"));
        QCOMPARE(storedLines(f.db()), saved);

        // Needle 3 with passages but no code.
        QVERIFY(s.open());
        QVERIFY(s.countLeft(Side::Weft, 3, QStringLiteral("50")));
        QVERIFY(!s.compute());
        QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo-3 da Trama Inválido !!!"));
        QCOMPARE(f.view.focus.last(), QStringLiteral("Edit_TR3Artigo"));
        QCOMPARE(s.page(), WeavingStep::Page::Weft);
        QCOMPARE(f.cell(QStringLiteral("SELECT TR3_PASSAGENS FROM FICTECFIOS WHERE ARTIGO = 'CACHECOL.TEAR'"))
                     .toInt(),
                 0);
        QVERIFY(!s.finish());
        QCOMPARE(storedLines(f.db()), saved);

        // No weft left: the loom would cost its set-up alone beside the yarn
        // lines of the old layout; refused, the layout and lines stay.
        {
            WeavingStep w(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(w.open());
            QVERIFY(w.countLeft(Side::Weft, 1, QStringLiteral("0")));
            QVERIFY(w.countLeft(Side::Weft, 2, QStringLiteral("0")));
            QVERIFY(!w.finish());
            QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo-1 da Trama Inválido !!!"));
        }
        QCOMPARE(storedLines(f.db()), saved);
        QCOMPARE(f.cell(QStringLiteral("SELECT TR1_PASSAGENS FROM FICTECFIOS WHERE ARTIGO = "
                                       "'CACHECOL.TEAR'"))
                     .toInt(),
                 120);

        // An article without width.
        TechSheetContext narrow = f.context();
        narrow.ArticleWidth = 0;
        WeavingStep n(narrow, f.corvane(), f.factura(), kUser, f.view);
        QVERIFY(n.open());
        QVERIFY(!n.compute());
        QCOMPARE(f.view.messages.last(), QStringLiteral("Largura do Artigo não está definida ..."));

        // No article: the screen does not open.
        TechSheetContext none = f.context();
        none.ArticleCode.clear();
        WeavingStep e(none, f.corvane(), f.factura(), kUser, f.view);
        QVERIFY(!e.open());
        QCOMPARE(f.view.messages.last(), QStringLiteral("Artigo Inválido !!!, Artigo Nº "));
        QVERIFY(none.StepCancelled);
    }

    void reopening_data() { addBackendRows(); }
    // Reopening shows the layout and the loom in use with its mode; saving
    // unchanged writes the same lines; cancelling rebuilds only the yarn lines.
    void reopening() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        WeaveFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        QVERIFY(!f.yarn2.isEmpty());
        TechSheetContext ctx = f.context();
        {
            WeavingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            layOut(s, f);
            QVERIFY(s.modeLeft(loomRow(s, QStringLiteral("TEAR01")), QStringLiteral("2")));
            QVERIFY(s.finish());
        }
        const QStringList saved = storedLines(f.db());
        QCOMPARE(saved.size(), 4);
        QCOMPARE(lines(f.db())[0].tmpAce.toDouble(), 25.0); // mode 2's set-up

        {
            WeavingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            QCOMPARE(s.position(Side::Weft, 1).count, 120);
            QCOMPARE(s.position(Side::Weft, 2).yarn, f.yarn2);
            QCOMPARE(s.positionView(Side::Warp, 1).kg, 0.00195556);
            QVERIFY(s.positionView(Side::Warp, 1).enabled);
            QVERIFY(!s.positionView(Side::Warp, 2).enabled);
            const WorkMachineRow& loom = s.looms()[loomRow(s, QStringLiteral("TEAR01"))];
            QVERIFY(loom.ticked());
            QCOMPARE(loom.TIPOPRD, 2);
            QCOMPARE(loom.QTD_SEMACERTO, 0.1); // 200 / 320 / 6
            QCOMPARE(loom.RAPORT, 3);
            QCOMPARE(loom.FITAS, 6.0);
            QCOMPARE(loom.QTD, 25.1); // as written, not yet computed again
            QCOMPARE(f.cell(QStringLiteral("SELECT TIPOPRD FROM WORKFTMAQUINAS WHERE UTIL = 'DEMO' AND "
                                           "CODIGO = 'TEAR01'"))
                         .toInt(),
                     2);
            QVERIFY(s.finish());
        }
        QCOMPARE(storedLines(f.db()), saved);

        // Cancelled after a new layout: the yarn lines follow the stored
        // layout, the loom line stays.
        {
            WeavingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            QVERIFY(s.countLeft(Side::Weft, 2, QStringLiteral("0")));
            QVERIFY(s.compute());
            s.cancel();
            QVERIFY(ctx.StepCancelled);
            QVERIFY(!s.written());
        }
        QList<Line> l = lines(f.db());
        QCOMPARE(l.size(), 3);
        QCOMPARE(l[0].step, QStringLiteral("T"));
        QCOMPARE(storedLines(f.db()).first(), saved.first());
        QCOMPARE(l[1].position, QStringLiteral("TR-01"));
        QCOMPARE(l[2].position, QStringLiteral("TE-01"));

        // Without a stored layout, cancelling leaves no yarn line.
        {
            WeavingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
            QVERIFY(s.open());
            f.view.answers = {false};
            QVERIFY(!s.deleteLayout());
            QCOMPARE(f.layoutRows(), 1);
            QVERIFY(s.deleteLayout());
            QCOMPARE(f.view.questions.last(),
                     QStringLiteral("Eliminação da Referência : CACHECOL.TEAR,  Confirma ?"));
            QCOMPARE(f.layoutRows(), 0);
            QVERIFY(s.position(Side::Weft, 1).yarn.isEmpty());
            s.cancel();
        }
        l = lines(f.db());
        QCOMPARE(l.size(), 1);
        QCOMPARE(l[0].step, QStringLiteral("T"));
        QCOMPARE(f.view.status[0].last(), QStringLiteral("O Artigo : CACHECOL.TEAR não está preenchido !!!"));
    }
};

QTEST_GUILESS_MAIN(TestWeavingStep)
#include "test_weaving_step.moc"
