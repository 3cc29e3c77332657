// Runs the built `corvane-admin calc` on the documented examples and on faulty
// input, as an integration script would.
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
        QTest::addColumn<QString>("kind");
        QTest::newRow("quote") << "quote";
        QTest::newRow("weave") << "weave";
        QTest::newRow("knit") << "knit";
        QTest::newRow("subcontract") << "subcontract";
        QTest::newRow("fabric") << "fabric";
        QTest::newRow("print") << "print";
    }
    void documentedExamples() {
        QFETCH(QString, kind);
        const Run run = calc({kind, example("calc-" + kind + ".json")});
        QCOMPARE(run.status, 0);
        QFile expectedFile(example("calc-" + kind + ".expected.json"));
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
        QCOMPARE(lines[4].toObject()["PRECO"].toDouble(), 2.5);

        proposed["ArticleWidth"] = 0;
        const Run zero = calc({"print", "-"}, QJsonDocument(proposed).toJson());
        QCOMPARE(zero.status, 1);
        QCOMPARE(output(zero)["messages"].toArray().last().toString(),
                 QString("Impossibilidade de Cálculo, comprim.ou Largura Nulo ..."));
        QVERIFY(output(zero)["FICTECDET"].toArray().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCalcCommand)
#include "test_calc_command.moc"
