// The demo company's technical sheets: the lines of their steps as the step
// screens write them, on both backends.
#include "support/test_site.h"

#include "setup/demo_steps.h"
#include "techsheet/screens/sheet_fields.h"
#include "techsheet/steps/machine_steps.h"

#include <QMap>
#include <QSet>
#include <QtTest>

using namespace corvane;
using namespace corvane::setup;
using techsheet::StepRole;

namespace {

// The steps each demo sheet has lines of, with the roles whose buttons open them.
struct ExpectedSheet {
    QString article;
    QMap<QString, StepRole> steps;
};

QList<ExpectedSheet> expectedSheets() {
    const QMap<QString, StepRole> operations{
        {"H", StepRole::Design}, {"I", StepRole::CardLabels}, {"B", StepRole::Packaging}};
    auto with = [&operations](std::initializer_list<std::pair<const char*, StepRole>> more) {
        QMap<QString, StepRole> out = operations;
        out.insert(QStringLiteral("D"), StepRole::Hanger);
        for (const auto& [code, role] : more)
            out.insert(QString::fromLatin1(code), role);
        return out;
    };
    return {{QStringLiteral("CHCAC01.PRE"), with({{"T", StepRole::Weaving},
                                                  {"G", StepRole::Weaving},
                                                  {"J", StepRole::Ultrasound},
                                                  {"C", StepRole::SideSeam},
                                                  {"E", StepRole::Labels},
                                                  {"F", StepRole::Fringe},
                                                  {"V", StepRole::Steaming}})},
            {QStringLiteral("CHCLA01.PRE"), with({{"A", StepRole::Knitting},
                                                  {"E", StepRole::Labels},
                                                  {"R", StepRole::Linking},
                                                  {"M", StepRole::Embroidery},
                                                  {"V", StepRole::Steaming}})},
            {QStringLiteral("ECHVI01.PRE"),
             [&operations] {
                 QMap<QString, StepRole> out = operations;
                 out.insert(QStringLiteral("T"), StepRole::Printing);
                 out.insert(QStringLiteral("L"), StepRole::Fabric);
                 out.insert(QStringLiteral("J"), StepRole::Ultrasound);
                 out.insert(QStringLiteral("E"), StepRole::Labels);
                 return out;
             }()},
            {QStringLiteral("GORAC02.PRE"), with({{"A", StepRole::Knitting},
                                                  {"E", StepRole::Labels},
                                                  {"M", StepRole::Embroidery},
                                                  {"V", StepRole::Steaming},
                                                  {"S", StepRole::Saw}})}};
}

// Every column of a step's lines but their numbers, one text a line, in number order.
QStringList stepLines(db::Database& db, const QString& article, const QString& step) {
    QStringList out;
    for (const QVariantList& r : selectRows(
             db,
             QStringLiteral(
                 "SELECT TIPO, CODIGOMP, DESIGN, UNIDADE, QUANT, PRECO, VALOR, QUANT_FINAL, VALOR_FINAL, "
                 "TMPACE, TMP_SEMACERTO, OPERACAO, TECELAGEM, FACTCONV, PERC_IMPR FROM FICTECDET WHERE "
                 "ARTIGO = :A "
                 "AND RELACFICTEC = :S ORDER BY DETAIL"),
             {{QStringLiteral("A"), article}, {QStringLiteral("S"), step}})) {
        QStringList values;
        for (const QVariant& v : r)
            values << (v.isNull() ? QStringLiteral("<null>")
                       : v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float
                           ? QString::number(v.toDouble(), 'g', 15)
                           : v.toString().trimmed());
        out << values.join(QLatin1Char('|'));
    }
    return out;
}

QStringList column(db::Database& db, const QString& sql, const QVariantMap& params = {}) {
    QStringList out;
    for (const QVariantList& row : selectRows(db, sql, params))
        out << row.value(0).toString().trimmed();
    return out;
}

QVariantMap article(const QString& code) {
    return {{QStringLiteral("A"), code}};
}

} // namespace

class TestDemoSheets : public QObject {
    Q_OBJECT
private slots:
    void stepsOfEachSheet_data() { addBackendRows(); }
    // Each sheet has the lines of its steps and of no other, the machines and
    // materials chosen, its header's flags for them, unique line numbers and
    // the knitting machine's time without set-up equal to its minutes.
    void stepsOfEachSheet() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        for (const ExpectedSheet& e : expectedSheets()) {
            const QStringList steps =
                column(db, QStringLiteral("SELECT DISTINCT RELACFICTEC FROM FICTECDET WHERE ARTIGO = :A"),
                       article(e.article));
            QCOMPARE(QSet<QString>(steps.cbegin(), steps.cend()),
                     QSet<QString>(e.steps.keyBegin(), e.steps.keyEnd()));
            const QStringList numbers = column(
                db, QStringLiteral("SELECT DETAIL FROM FICTECDET WHERE ARTIGO = :A"), article(e.article));
            QCOMPARE(QSet<QString>(numbers.cbegin(), numbers.cend()).size(), numbers.size());
        }
        const auto codes = [&db](const QString& a, const QString& step) {
            return column(
                db,
                QStringLiteral("SELECT CODIGOMP FROM FICTECDET WHERE ARTIGO = :A AND RELACFICTEC = :S "
                               "ORDER BY DETAIL"),
                {{QStringLiteral("A"), a}, {QStringLiteral("S"), step}});
        };
        const QString woven = QStringLiteral("CHCAC01.PRE"), scarf = QStringLiteral("CHCLA01.PRE"),
                      hat = QStringLiteral("GORAC02.PRE");
        QCOMPARE(codes(woven, "T"), QStringList{"TEAR01"});
        QCOMPARE(codes(woven, "G"), (QStringList{"FIO.ACR2/28.PRE", "FIO.ACR2/28.CIN", "FIO.ACR2/28.PRE"}));
        QCOMPARE(codes(woven, "J"), QStringList{"US01"});
        QCOMPARE(codes(woven, "C"), (QStringList{"CC01", "LIN.P120.PRE"}));
        QCOMPARE(codes(woven, "E"), (QStringList{"PC01", "ETQ.TEC.MARCA"}));
        QCOMPARE(codes(woven, "F"), (QStringList{"PC01", "FRJ.TOR10.PRE"}));
        QCOMPARE(codes(woven, "V"), QStringList{"VAP01"});
        QCOMPARE(codes(scarf, "A"), (QStringList{"TRI01", "FIO.MER2/48.PRE", "FIO.ACR2/32.PRE"}));
        QCOMPARE(codes(scarf, "R"), (QStringList{"REM01", "LIN.REM.CRU"}));
        QCOMPARE(codes(scarf, "E"), (QStringList{"PC01", "ETQ.TEC.MARCA"}));
        // The scarf's monogram is embroidered outside: the service and the thread sent, cost type 50.
        QCOMPARE(codes(scarf, "M"), (QStringList{"SRV.BORDADO", "LIN.P120.BEG"}));
        QCOMPARE(column(db,
                        QStringLiteral("SELECT DISTINCT TIPO FROM FICTECDET WHERE ARTIGO = :A AND "
                                       "RELACFICTEC = 'M'"),
                        article(scarf)),
                 QStringList{"50"});
        QCOMPARE(column(db,
                        QStringLiteral("SELECT SERVICO || '|' || MPNRO1 FROM FICTECSUBCONT WHERE ARTIGO = :A "
                                       "AND RELACFICTEC = 'M'"),
                        article(scarf)),
                 QStringList{"SRV.BORDADO|LIN.P120.BEG"});
        QCOMPARE(codes(hat, "E"), (QStringList{"PC01", "ETQ.TEC.MARCA"}));
        QCOMPARE(codes(hat, "A"),
                 (QStringList{"TRI02", "FIO.ACR2/28.PRE", "FIO.ACR2/32.PRE", "FIO.ACR2/28.BRA"}));
        QCOMPARE(codes(hat, "M"), (QStringList{"BRD01", "LIN.P120.BRA"}));
        QCOMPARE(codes(hat, "S"), QStringList{"SER01"});
        QCOMPARE(codes(hat, "D"), (QStringList{"X060061", "CAB.PLA.GORRO"})); // the hat's hanger fitting

        // The printed stole: the printer with the four inks it proposes, their
        // shares of the printed area, and its fabric cut two across 1.4 m.
        const QString printed = QStringLiteral("ECHVI01.PRE");
        QCOMPARE(codes(printed, "T"),
                 (QStringList{"IMP01", "TIN.CIANO", "TIN.MAGENTA", "TIN.AMARELO", "TIN.PRETO"}));
        QCOMPARE(column(db,
                        QStringLiteral("SELECT PERC_IMPR FROM FICTECDET WHERE ARTIGO = :A AND RELACFICTEC = "
                                       "'T' AND UNIDADE = 'Lts' ORDER BY DETAIL"),
                        article(printed)),
                 (QStringList{"30", "25", "25", "20"}));
        const QList<QVariantList> printer = selectRows(
            db,
            QStringLiteral("SELECT QUANT, TMP_SEMACERTO, PRECO, VALOR FROM FICTECDET WHERE ARTIGO = :A AND "
                           "RELACFICTEC = 'T' AND CODIGOMP = 'IMP01'"),
            article(printed));
        QCOMPARE(printer.size(), 1);
        QCOMPARE(printer[0][0].toDouble(), 6.0);
        QCOMPARE(printer[0][1].toDouble(), 6.0);
        QCOMPARE(printer[0][2].toDouble(), 24.0);
        QCOMPARE(printer[0][3].toDouble(), 2.4); // 6 minutes at 24 an hour
        QCOMPARE(codes(printed, "L"), QStringList{"TEC.VIS.CRU"});
        QCOMPARE(codes(printed, "J"), QStringList{"US01"});
        QCOMPARE(codes(printed, "E"), (QStringList{"PC01", "ETQ.TEC.MARCA"}));
        const QList<QVariantList> cloth = selectRows(
            db,
            QStringLiteral("SELECT LARG_TECIDO, PECAS_TECIDO, ENQ_TECIDO, MTL_TECIDO FROM FICTECMAS WHERE "
                           "CODIGO = :A"),
            article(printed));
        QCOMPARE(cloth.size(), 1);
        QCOMPARE(cloth[0][0].toDouble(), 1.4);
        QCOMPARE(cloth[0][1].toInt(), 2);
        QCOMPARE(cloth[0][2].toString().trimmed(), QStringLiteral("L"));
        QCOMPARE(cloth[0][3].toDouble(), 1.4); // two 70 cm pieces: 1.4 m of fabric

        // Costs a piece can bear: the fabric 1.4 m × 1.4 m / 2 at 4.10, the four
        // inks of 1.4 m² printed at 85 % with 0.0125 l/m², the cut of 2 m at 6 m a
        // minute after 10 minutes of set-up.
        const QList<QVariantList> fabric = selectRows(
            db,
            QStringLiteral(
                "SELECT QUANT, PRECO, VALOR FROM FICTECDET WHERE ARTIGO = :A AND RELACFICTEC = 'L'"),
            article(printed));
        QCOMPARE(fabric.size(), 1);
        QCOMPARE(fabric[0][0].toDouble(), 0.98);
        QCOMPARE(fabric[0][2].toDouble(), 4.018);
        const QList<QVariantList> inks =
            selectRows(db,
                       QStringLiteral("SELECT SUM(QUANT), SUM(VALOR) FROM FICTECDET WHERE ARTIGO = :A AND "
                                      "RELACFICTEC = 'T' AND UNIDADE = 'Lts'"),
                       article(printed));
        // 0.0045 + 0.0037 + 0.0037 + 0.003 litres
        QVERIFY(qAbs(inks.value(0).value(0).toDouble() - 0.0149) < 1e-12);
        QVERIFY2(qAbs(inks.value(0).value(1).toDouble() - 0.13499) < 1e-9,
                 qPrintable(inks.value(0).value(1).toString()));
        const QList<QVariantList> cut = selectRows(
            db,
            QStringLiteral("SELECT QUANT, TMP_SEMACERTO, VALOR FROM FICTECDET WHERE ARTIGO = :A AND "
                           "RELACFICTEC = 'J'"),
            article(printed));
        QCOMPARE(cut.size(), 1);
        QCOMPARE(cut[0][0].toDouble(), 10.33);
        QCOMPARE(cut[0][1].toDouble(), 0.33);
        QCOMPARE(cut[0][2].toDouble(), 3.62); // 10.33 × 0.35 = 3.6155

        // Six strips across the loom: the sheet keeps its raports and strips;
        // a piece takes its sixth of 720 passages at 400 a minute, plus 15 of set-up.
        const QList<QVariantList> loom = selectRows(
            db,
            QStringLiteral("SELECT QUANT, TMP_SEMACERTO, TMPACE FROM FICTECDET WHERE ARTIGO = :A AND "
                           "RELACFICTEC = 'T'"),
            article(woven));
        QCOMPARE(loom.size(), 1);
        QCOMPARE(loom[0][0].toDouble(), 15.3);
        QCOMPARE(loom[0][1].toDouble(), 0.3);
        QCOMPARE(loom[0][2].toDouble(), 15.0);
        const QList<QVariantList> raports = selectRows(
            db, QStringLiteral("SELECT RAPORT, FITAS FROM FICTECMAS WHERE CODIGO = :A"), article(woven));
        QCOMPARE(raports.value(0).value(0).toInt(), 3);
        QCOMPARE(raports.value(0).value(1).toInt(), 6);

        // The fringe is as wide as the sheet says, in centimetres at the metre's price / 100.
        const QList<QVariantList> fringe =
            selectRows(db,
                       QStringLiteral("SELECT QUANT, UNIDADE, PRECO FROM FICTECDET WHERE ARTIGO = :A AND "
                                      "CODIGOMP = 'FRJ.TOR10.PRE'"),
                       article(woven));
        QCOMPARE(fringe.size(), 1);
        QCOMPARE(fringe[0][0].toDouble(), 120.0);
        QCOMPARE(fringe[0][1].toString().trimmed(), QStringLiteral("Cm"));
        QCOMPARE(fringe[0][2].toDouble(), 0.009);

        // Knitting: the machine's time without set-up is its minutes; the
        // yarns share the piece's weight, their layout sums 100.
        for (const QString& a : {scarf, hat}) {
            const QList<QVariantList> machine = selectRows(
                db,
                QStringLiteral(
                    "SELECT QUANT, TMP_SEMACERTO FROM FICTECDET WHERE ARTIGO = :A AND RELACFICTEC = 'A' "
                    "AND COALESCE(TECELAGEM, '') = ''"),
                article(a));
            QCOMPARE(machine.size(), 1);
            QVERIFY(machine[0][0].toDouble() > 0);
            QCOMPARE(machine[0][1].toDouble(), machine[0][0].toDouble());
            const QList<QVariantList> layout = selectRows(
                db,
                QStringLiteral(
                    "SELECT TR1_PERC + TR2_PERC + TR3_PERC + TR4_PERC + TR5_PERC + TR6_PERC + "
                    "TR7_PERC + TR8_PERC, TR1_QTD + TR2_QTD + TR3_QTD FROM FICTECFIOS WHERE ARTIGO = :A"),
                article(a));
            QCOMPARE(layout.size(), 1);
            QCOMPARE(layout[0][0].toDouble(), 100.0);
            const double weight =
                column(db, QStringLiteral("SELECT PESOKGS FROM FICTECMAS WHERE CODIGO = :A"), article(a))
                    .value(0)
                    .toDouble();
            QVERIFY(qAbs(layout[0][1].toDouble() - weight / 1000) < 1e-6);
        }
        QCOMPARE(
            column(db, QStringLiteral("SELECT COSTURA FROM FICTECMAS WHERE CODIGO = :A"), article(woven)),
            QStringList{"S"});
        QCOMPARE(
            column(db,
                   QStringLiteral("SELECT COSTURA || ETIQUETA || BORDADO || SUBCONT_BORDADO || REMALHA || "
                                  "SUBCONTRATO FROM FICTECMAS WHERE CODIGO = :A"),
                   article(scarf)),
            QStringList{"NSSSSN"});
        QCOMPARE(column(db,
                        QStringLiteral("SELECT BORDADO || SUBCONT_BORDADO || CORTEULTRA FROM FICTECMAS WHERE "
                                       "CODIGO = :A"),
                        article(hat)),
                 QStringList{"SNS"});
    }

    void reopenedUnchanged_data() { addBackendRows(); }
    // Every step of every demo sheet reopened and finished without a change
    // writes the same lines (and the same yarn layout), numbers aside. Each
    // sheet has lines for every step button its header turns on, and none
    // for a button it turns off.
    void reopenedUnchanged() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        SheetStepRunner run(db, site.invoicing(), kDemoUser);
        const QString layoutSql = QStringLiteral("SELECT * FROM FICTECFIOS WHERE ARTIGO = :A");
        for (const ExpectedSheet& e : expectedSheets()) {
            const QList<QVariantList> layout = selectRows(db, layoutSql, article(e.article));
            QString error;
            QVERIFY2(run.open(e.article, &error), qPrintable(error));
            const QList<StepRole> written = e.steps.values();
            int on = 0;
            for (const techsheet::StepButton& b : techsheet::stepButtons()) {
                if (b.kind != run.context().SheetKind)
                    continue;
                const bool enabled = run.screen()->buttonEnabled(b.name);
                on += enabled;
                QVERIFY2(enabled == written.contains(b.role), qPrintable(e.article + ": " + b.name));
            }
            QVERIFY(on >= 7);
            for (auto it = e.steps.cbegin(); it != e.steps.cend(); ++it) {
                const QStringList before = stepLines(db, e.article, it.key());
                QVERIFY(!before.isEmpty());
                QVERIFY2(run.rerun(it.value(), &error), qPrintable(error));
                // the ultrasound and weaving screens name their steps themselves
                if (it.key() != QLatin1String("J") && it.value() != StepRole::Weaving)
                    QCOMPARE(run.context().StepCode, it.key());
                QCOMPARE(stepLines(db, e.article, it.key()), before);
            }
            QCOMPARE(selectRows(db, layoutSql, article(e.article)), layout);
        }
    }

    void refusedStepFails_data() { addBackendRows(); }
    // A step the screens refuse stops with what they said and leaves the
    // step's lines as they were; a step the page has no button for, or whose
    // button opens another screen, is refused too.
    void refusedStepFails() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        db::Database& db = site.program();
        SheetStepRunner run(db, site.invoicing(), kDemoUser);
        const QString scarf = QStringLiteral("CHCLA01.PRE");
        QString error;
        QVERIFY2(run.open(scarf, &error), qPrintable(error));
        const QStringList steaming = stepLines(db, scarf, QStringLiteral("V"));

        QVERIFY(!run.machineStep(StepRole::Steaming, {{QStringLiteral("VAP01"), QStringLiteral("0")}},
                                 std::nullopt, &error));
        QVERIFY2(error.contains(scarf) && error.contains(QStringLiteral("Bot_VaporCt")) &&
                     error.contains(QStringLiteral("Insira o tempo [min] por cada operação...")),
                 qPrintable(error));
        QCOMPARE(stepLines(db, scarf, QStringLiteral("V")), steaming);

        // Every machine unticked: "&Terminar" refuses.
        QVERIFY(!run.run<techsheet::MachineStep>(
            StepRole::Steaming, techsheet::StepScreen::MachineStep,
            [](techsheet::MachineStep& s) {
                for (int r = 0; r < int(s.rows().size()); ++r)
                    s.okLeft(r, false);
                return true;
            },
            &error));
        QVERIFY2(error.contains(QStringLiteral("Não seleccionou nenhuma Máquina, reveja de novo ...")),
                 qPrintable(error));
        QCOMPARE(stepLines(db, scarf, QStringLiteral("V")), steaming);

        // The yarn shares over 100.
        const QStringList knitting = stepLines(db, scarf, QStringLiteral("A"));
        QVERIFY(!run.knitting({{QStringLiteral("70"), QStringLiteral("FIO.MER2/48.PRE"), {}},
                               {QStringLiteral("40"), QStringLiteral("FIO.ACR2/32.PRE"), {}}},
                              {QStringLiteral("TRI01"), QStringLiteral("18")}, &error));
        QVERIFY2(error.contains(QStringLiteral("O Total de % de Consumo excedeu os 100%")),
                 qPrintable(error));
        QCOMPARE(stepLines(db, scarf, QStringLiteral("A")), knitting);

        // The knitted scarf's page has no saw; its sheet is not a hat's.
        QVERIFY(!run.machineStep(StepRole::Saw, {{QStringLiteral("SER01"), QStringLiteral("1")}},
                                 std::nullopt, &error));
        QVERIFY2(error.contains(scarf), qPrintable(error));
        QVERIFY(stepLines(db, scarf, QStringLiteral("S")).isEmpty());
        // Linking done outside opens the subcontract screen, not the machines.
        site.exec(db, QStringLiteral("UPDATE FICTECMAS SET SUBCONTRATO = 'S' WHERE CODIGO = :A"),
                  article(scarf));
        QVERIFY2(run.open(scarf, &error), qPrintable(error));
        const QStringList linking = stepLines(db, scarf, QStringLiteral("R"));
        QVERIFY(!run.machineStep(StepRole::Linking, {{QStringLiteral("REM01"), QStringLiteral("6")}},
                                 std::nullopt, &error));
        QVERIFY2(error.contains(QStringLiteral("Bot_RemalhaCT")), qPrintable(error));
        QCOMPARE(stepLines(db, scarf, QStringLiteral("R")), linking);
    }
};

QTEST_GUILESS_MAIN(TestDemoSheets)
#include "test_demo_sheets.moc"
