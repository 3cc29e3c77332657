// Runs the built `corvane-admin calc` on the documented examples and on faulty
// input, as an integration script would.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run calc(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(qEnvironmentVariable("CORVANE_BIN_DIR") + "/corvane-admin", QStringList{"calc"} + args);
    if (!p.waitForStarted())
        return {};
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished();
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QString example(const QString& name) {
    return qEnvironmentVariable("CORVANE_SOURCE_DIR") + "/docs/examples/" + name;
}

} // namespace

class TestCalcCommand : public QObject {
    Q_OBJECT
private slots:
    void documentedExamples_data() {
        // The command, and the example's name after "calc-".
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        for (const char* name : {"quote", "weave", "knit", "subcontract", "fabric", "machine", "machine-ultrasound",
                                 "operations", "operations-labels", "operations-packaging", "print"})
            QTest::newRow(name) << QString::fromLatin1(name).section('-', 0, 0) << QString::fromLatin1(name);
    }
    void documentedExamples() {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        const Run run = calc({kind, example("calc-" + name + ".json")});
        QCOMPARE(run.status, 0);
        QFile expectedFile(example("calc-" + name + ".expected.json"));
        QVERIFY(expectedFile.open(QIODevice::ReadOnly));
        const QJsonDocument expected = QJsonDocument::fromJson(expectedFile.readAll());
        QVERIFY(expected.isObject());
        QCOMPARE(QJsonDocument::fromJson(run.out), expected);
    }

    void standardInputAndFailures() {
        QFile quote(example("calc-quote.json"));
        QVERIFY(quote.open(QIODevice::ReadOnly));
        const QByteArray doc = quote.readAll();
        QCOMPARE(calc({"quote", "-"}, doc).status, 0);

        // refused: percentages of 100 or more, message in the output
        QJsonObject o = QJsonDocument::fromJson(doc).object();
        QJsonObject mas = o["ORCAMMAS"].toObject();
        mas["MARGEMLIQ"] = 95;
        o["ORCAMMAS"] = mas;
        const Run refused = calc({"quote", "-"}, QJsonDocument(o).toJson());
        QCOMPARE(refused.status, 1);
        QVERIFY(QJsonDocument::fromJson(refused.out).object()["messages"].toArray().size() == 1);

        o.remove("TIPOCUSTO");
        const Run missing = calc({"quote", "-"}, QJsonDocument(o).toJson());
        QCOMPARE(missing.status, 2);
        QVERIFY(missing.err.contains("TIPOCUSTO"));

        const Run malformed = calc({"weave", "-"}, "{\"ArticleCode\": ");
        QCOMPARE(malformed.status, 2);
        QCOMPARE(calc({"paint", "-"}).status, 2);

        // weaving without a ticked loom is refused at the loom line
        QFile weave(example("calc-weave.json"));
        QVERIFY(weave.open(QIODevice::ReadOnly));
        QByteArray w = weave.readAll();
        w.replace("\"OK\": \"S\"", "\"OK\": \"N\"");
        const Run noLoom = calc({"weave", "-"}, w);
        QCOMPARE(noLoom.status, 1);
        QVERIFY(QString::fromUtf8(noLoom.out).contains("Nº de Teares seleccionado inválido !!!"));
    }

    // The machine and operation steps refuse what their screens refuse, and
    // packaging without typed materials takes those its type proposes.
    void stepRefusalsAndProposals() {
        const QJsonObject machine = document("calc-machine.json");
        QJsonObject o = machine;
        QJsonArray rows = o["machines"].toArray();
        QJsonObject first = rows[0].toObject();
        first["QTD"] = 0;
        rows[0] = first;
        o["machines"] = rows;
        Run run = calc({"machine", "-"}, QJsonDocument(o).toJson());
        QCOMPARE(run.status, 1);
        QCOMPARE(messages(run).last(), QStringLiteral("Insira o tempo [min] por cada operação..."));
        QVERIFY(lines(run).isEmpty());

        // nothing ticked
        o = machine;
        rows = o["machines"].toArray();
        for (qsizetype i = 0; i < rows.size(); ++i) {
            QJsonObject r = rows[i].toObject();
            r["OK"] = "N";
            rows[i] = r;
        }
        o["machines"] = rows;
        run = calc({"machine", "-"}, QJsonDocument(o).toJson());
        QCOMPARE(run.status, 1);
        QCOMPARE(messages(run).last(), QStringLiteral("Não seleccionou nenhuma Máquina, reveja de novo ..."));

        // a material type the step does not offer; steaming takes no material
        o = machine;
        o["material_rows"] = QJsonArray{QJsonObject{{"TIPOMAT", 140}, {"CODIGO", "LIN.P120.PRE"}}};
        run = calc({"machine", "-"}, QJsonDocument(o).toJson());
        QCOMPARE(run.status, 1);
        QCOMPARE(messages(run).last(), QStringLiteral("Seleccione o Tipo de Material ..."));
        o = machine;
        o["StepCode"] = "V";
        QCOMPARE(calc({"machine", "-"}, QJsonDocument(o).toJson()).status, 2);

        // labels: the quantity is typed, a line without material asks on closing
        o = machine;
        o["StepCode"] = "E";
        o["LabelCostType"] = 10;
        o["material_rows"] = QJsonArray{QJsonObject{{"TIPOMAT", 45}, {"CODIGO", "LIN.P120.PRE"}}};
        QCOMPARE(calc({"machine", "-"}, QJsonDocument(o).toJson()).status, 1); // type 45 is not a label's
        o.remove("material_rows");
        run = calc({"machine", "-"}, QJsonDocument(o).toJson());
        QCOMPARE(run.status, 0);
        QCOMPARE(messages(run), (QStringList{"Não inseriu a Matéria Prima .Deseja Continuar ?",
                                             "Não inseriu o consumo de Matéria Prima .Deseja Continuar ?",
                                             "Não inseriu o Custo da Matéria Prima .Deseja Continuar ?"}));
        QCOMPARE(lines(run).size(), 2);

        // cardboard labels: a ticked row without a typed time
        QJsonObject labels = document("calc-operations-labels.json");
        rows = labels["operations"].toArray();
        QJsonObject noTime = rows[1].toObject();
        noTime.remove("QTD");
        rows[1] = noTime;
        labels["operations"] = rows;
        run = calc({"operations", "-"}, QJsonDocument(labels).toJson());
        QCOMPARE(run.status, 1);
        QCOMPARE(messages(run).last(), QStringLiteral("Introduza o tempo da operação ..."));

        // packaging: row 1 may not be empty; without typed rows the type's materials
        QJsonObject packaging = document("calc-operations-packaging.json");
        packaging["material_rows"] = QJsonArray{QJsonObject{{"CODIGO", ""}}};
        run = calc({"operations", "-"}, QJsonDocument(packaging).toJson());
        QCOMPARE(run.status, 1);
        QCOMPARE(messages(run).last(), QStringLiteral("Insira o código do material ..."));
        packaging.remove("material_rows");
        packaging["EMBALAGEMMP"] = QJsonArray{
            QJsonObject{{"CODIGO", 1}, {"ARTNRO1", "EMB.SACO"}, {"QTD1", 1}, {"PRECO1", 0.05}},
            QJsonObject{{"CODIGO", 2},         {"ARTNRO1", "EMB.CX.OFERTA"}, {"DESIGNACAO1", "Caixa"},
                        {"UND1", "Und"},       {"QTD1", 1},                  {"PRECO1", 0.4},
                        {"ARTNRO3", "EMB.FITA"}, {"QTD3", 0.5},              {"PRECO3", 0.2}}};
        run = calc({"operations", "-"}, QJsonDocument(packaging).toJson());
        QCOMPARE(run.status, 0);
        const QJsonArray written = lines(run);
        QCOMPARE(written.size(), 3);
        QCOMPARE(written[1].toObject()["CODIGOMP"].toString(), QStringLiteral("EMB.CX.OFERTA"));
        QCOMPARE(written[1].toObject()["VALOR"].toDouble(), 0.4);
        QCOMPARE(written[2].toObject()["CODIGOMP"].toString(), QStringLiteral("EMB.FITA"));
        QCOMPARE(written[2].toObject()["VALOR"].toDouble(), 0.1);
        // nothing ticked
        rows = packaging["operations"].toArray();
        QJsonObject box = rows[1].toObject();
        box["OK"] = "N";
        rows[1] = box;
        packaging["operations"] = rows;
        run = calc({"operations", "-"}, QJsonDocument(packaging).toJson());
        QCOMPARE(run.status, 1);
        QCOMPARE(messages(run).last(),
                 QStringLiteral("Não seleccionou nenhum tipo de Operação de Embalagem, reveja tudo de novo ..."));
    }

    // Printing: inks over 100 % and a repeated ink refused; without typed
    // rows the ticked printer's inks are proposed; a zero size refused.
    void printing() {
        QFile file(example("calc-print.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QJsonObject doc = QJsonDocument::fromJson(file.readAll()).object();
        const auto withRows = [&doc](const QJsonArray& rows) {
            QJsonObject o = doc;
            o["rows"] = rows;
            return QJsonDocument(o).toJson();
        };
        const auto output = [](const Run& run) { return QJsonDocument::fromJson(run.out).object(); };

        const Run over =
            calc({"print", "-"}, withRows({QJsonObject{{"code", "TIN.CIANO"}, {"percent", 60}},
                                           QJsonObject{{"code", "TIN.MAGENTA"}, {"percent", 50}}}));
        QCOMPARE(over.status, 1);
        QCOMPARE(output(over)["messages"].toArray().last().toString(),
                 QString("A % Total de Consumo de Tintas não pode ultrapassar os 100%"));
        QVERIFY(output(over)["FICTECDET"].toArray().isEmpty());

        const Run repeated =
            calc({"print", "-"}, withRows({QJsonObject{{"code", "TIN.CIANO"}, {"percent", 60}},
                                           QJsonObject{{"code", "tin.ciano"}, {"percent", 40}}}));
        QCOMPARE(repeated.status, 1);
        QCOMPARE(output(repeated)["messages"].toArray().last().toString(),
                 QString("A Tinta tin.ciano já está na linha 1 ..."));

        // Row 2 left empty while the inks share 90 %.
        const Run empty =
            calc({"print", "-"},
                 withRows({QJsonObject{{"code", "TIN.CIANO"}, {"percent", 50}}, QJsonObject{{"code", ""}},
                           QJsonObject{{"code", "TIN.MAGENTA"}, {"percent", 40}}}));
        QCOMPARE(empty.status, 1);
        QCOMPARE(output(empty)["messages"].toArray().last().toString(),
                 QString("Insira o código do material ..."));

        QJsonObject proposed = doc;
        proposed.remove("rows");
        const Run machine = calc({"print", "-"}, QJsonDocument(proposed).toJson());
        QCOMPARE(machine.status, 0);
        const QJsonArray lines = output(machine)["FICTECDET"].toArray();
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[4].toObject()["CODIGOMP"].toString(), QString("TIN.PRETO"));
        QCOMPARE(lines[4].toObject()["PERC_IMPR"].toDouble(), 20.0);
        QCOMPARE(lines[4].toObject()["PRECO"].toDouble(), 8.0); // its price a kg, whatever k is
        QCOMPARE(lines[4].toObject()["QUANT"].toDouble(), 0.003); // 1.19 m² × 20 % × 0.0125 l/m²
        QCOMPARE(lines[4].toObject()["VALOR"].toDouble(), 0.0238);

        proposed["ArticleWidth"] = 0;
        const Run zero = calc({"print", "-"}, QJsonDocument(proposed).toJson());
        QCOMPARE(zero.status, 1);
        QCOMPARE(output(zero)["messages"].toArray().last().toString(),
                 QString("Impossibilidade de Cálculo, comprim.ou Largura Nulo ..."));
        QVERIFY(output(zero)["FICTECDET"].toArray().isEmpty());
    }

private:
    static QJsonObject document(const QString& name) {
        QFile f(example(name));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(f.readAll()).object();
    }
    static QStringList messages(const Run& run) {
        QStringList out;
        for (const QJsonValue& m : QJsonDocument::fromJson(run.out).object()["messages"].toArray())
            out << m.toString();
        return out;
    }
    static QJsonArray lines(const Run& run) {
        return QJsonDocument::fromJson(run.out).object()["FICTECDET"].toArray();
    }
};

QTEST_GUILESS_MAIN(TestCalcCommand)
#include "test_calc_command.moc"
