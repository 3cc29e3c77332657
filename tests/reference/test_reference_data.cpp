#include "reference/costing_rules.h"
#include "shell/data_modules.h"
#include "support/column_lists.h"
#include "support/test_site.h"

#include <QtTest>

using namespace corvane;
using namespace corvane::shell;

namespace {

// The datasets with their columns in table order, "NAME:type" with type i
// integer, s small integer, f float, tN text of N characters.
struct Expected {
    db::Dataset TDTCORVANE::*dataset;
    const char* key;
    const char* columns;
    bool reportsErrors;
};
const QList<Expected> kDatasets = {
    {&TDTCORVANE::TIPOCUSTO, "CODIGO", "CODIGO:i DESIGNACAO:t40 CLAS:s TU:t1 DESPERD:f CLAS_ORC:s", true},
    {&TDTCORVANE::PARGER, "CODIGO",
     "CODIGO:i ORDFABVIA{1-5}:t15 ORDNRO{1-5}:i ORCAMVIA{1-5}:t15 ORCAMNRO{1-5}:i TIPOPRECO:t3 DESP_GERAL:f "
     "CONV_KGS_TINTAS:f TINTAS_TC:s MAQUINAS_TC:s ESTRUTURA:s FIOS_TC:s CNDPGT{1-5}:t50 OBSERV{1-4}:t85 "
     "TRANSPORTE:t30 DEPARTAMENTO:t20 TRS_CONSUMO:i TRS_DEVOL:i ARMNRO:i REQVIA{1-5}:t15 TRS_PRODUTO:i "
     "ARMZ_PRODUTO:i PRZENT:t60 CABIDE_TC:s FRANJA_TC:s COSTURA_TC:s ETIQ_TC:s ETIQCART_TC:s TECIDO_TC:s",
     true},
    {&TDTCORVANE::OPERACOES, "CODIGO", "CODIGO:i DESIGNACAO:t40 TC:i UNIDADE:t3 TU:t1 PRECO:f TIPOCUSTO:t7",
     true},
    {&TDTCORVANE::GRUPOMAQUINAS, "CODIGO", "CODIGO:s DESIGNACAO:t30 TIPOMAQ:s", true},
    {&TDTCORVANE::MAQUINAS, "CODIGO",
     "CODIGO:t10 DESIGNACAO:t40 SIGLA:t12 CCUSTO:t10 GRUPO:s COMPRIM:i LARGURA:i PRDHOR1:f PRDHOR2:f "
     "UNDPRD:t3 "
     "TEMPO_ACERTO1:f TEMPO_ACERTO2:f DESPERDICIO:f PRECO:f INTERFACE_COD:s PAINEL:s RAPORT:i LARG_PENTE:f "
     "NROPASSAGENS:i",
     true},
    {&TDTCORVANE::MAQUINASMP, "MAQNRO",
     "MAQNRO:t10 CODIGO1:t16 CONS_PERC1:f CODIGO2:t16 CONS_PERC2:f CODIGO3:t16 CONS_PERC3:f CODIGO4:t16 "
     "CONS_PERC4:f CODIGO5:t16 CONS_PERC5:f",
     false},
    {&TDTCORVANE::TIPOMATERIAL, "CODIGO", "CODIGO:s DESIGNACAO:t25", false},
    {&TDTCORVANE::TIPOTRABALHO, "CODIGO", "CODIGO:s DESIGNACAO:t25 PASSAG_CM:s", false},
    {&TDTCORVANE::EMBALAGEM, "CODIGO", "CODIGO:s DESIGNACAO:t40 CUSTOFIXO:f TIPOCUSTO:s", false},
    {&TDTCORVANE::EMBALAGEMMP, "CODIGO",
     "CODIGO:s ARTNRO1:t16 DESIGNACAO1:t40 QTD1:f PRECO1:f ARTNRO2:t16 DESIGNACAO2:t40 QTD2:f PRECO2:f "
     "ARTNRO3:t16 DESIGNACAO3:t40 QTD3:f PRECO3:f UND{1-3}:t3",
     false},
};

// A value of the type, different for each seed; texts fill their length.
QVariant sample(const QString& type, int seed) {
    if (type == QLatin1String("i"))
        return 700000 + seed;
    if (type == QLatin1String("s"))
        return 3000 + seed;
    if (type == QLatin1String("f"))
        return seed + 0.375;
    const int length = type.mid(1).toInt();
    if (length <= 3)
        return QString(QChar(u'A' + seed)).repeated(length);
    return (QStringLiteral("Çé%1").arg(seed) + QString(length, QLatin1Char('x'))).left(length);
}

bool sameValue(const QVariant& read, const QVariant& written, const QString& type) {
    if (type.startsWith(QLatin1Char('t')))
        return read.toString() == written.toString();
    return read.toDouble() == written.toDouble();
}

struct Columns {
    QStringList names, types;
    explicit Columns(const char* list) {
        for (const QString& c : expandColumns(QString::fromLatin1(list))) {
            names << c.section(QLatin1Char(':'), 0, 0);
            types << c.section(QLatin1Char(':'), 1, 1);
        }
    }
    QString typeOf(const QString& name) const { return types.value(names.indexOf(name)); }
};

void writeRow(db::Dataset& ds, int row, const Columns& cols, int seed) {
    for (int i = 0; i < cols.names.size(); ++i)
        ds.setValue(row, cols.names[i], sample(cols.types[i], seed));
}

// Reads the row whose key has the seed's value back and compares every column.
void checkRow(db::Dataset& ds, const Expected& d, const Columns& cols, int seed) {
    QString error;
    QVERIFY2(ds.reopen(&error), qPrintable(error));
    const QString key = QString::fromLatin1(d.key);
    const int row = ds.locate(key, sample(cols.typeOf(key), seed));
    QVERIFY2(row >= 0, qPrintable(ds.name()));
    for (int i = 0; i < cols.names.size(); ++i)
        QVERIFY2(sameValue(ds.value(row, cols.names[i]), sample(cols.types[i], seed), cols.types[i]),
                 qPrintable(QStringLiteral("%1.%2 = %3")
                                .arg(ds.name(), cols.names[i], ds.value(row, cols.names[i]).toString())));
}

} // namespace

class TestReferenceData : public QObject {
    Q_OBJECT
private slots:
    void compositeOperationCode() {
        QCOMPARE(reference::compositeOperationCode(5, 12), QStringLiteral("X050012"));
        QCOMPARE(reference::compositeOperationCode(14, 1000), QStringLiteral("X141000"));
        QCOMPARE(reference::compositeOperationCode(7, 5), QStringLiteral("X070005"));
        QCOMPARE(reference::compositeOperationCode(12, 123456), QStringLiteral("X121234"));
        QCOMPARE(reference::compositeOperationCode(40, 150), QStringLiteral("X400150"));
    }

    void datasetsReadAndWriteEveryColumn_data() { addBackendRows(); }
    void datasetsReadAndWriteEveryColumn() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        TDTCORVANE m(site.program());
        for (const Expected& d : kDatasets) {
            db::Dataset& ds = m.*d.dataset;
            const Columns cols(d.columns);
            QString error;
            QVERIFY2(ds.open(&error) && ds.fetchAll(&error), qPrintable(error));
            QCOMPARE(ds.fields(), cols.names);
            QVERIFY2(ds.rowCount() > 0, qPrintable(ds.name() + " has no demo rows"));
            QCOMPARE(ds.reportsErrors(), d.reportsErrors);
            const int demoRows = ds.rowCount();

            writeRow(ds, ds.append(), cols, 1);
            QVERIFY2(ds.applyUpdates({}, &error), qPrintable(ds.name() + ": " + error));
            checkRow(ds, d, cols, 1);

            // Every column changes, the key too: the row is found by its old key.
            const QString key = QString::fromLatin1(d.key);
            writeRow(ds, ds.locate(key, sample(cols.typeOf(key), 1)), cols, 2);
            QVERIFY2(ds.applyUpdates({}, &error), qPrintable(ds.name() + ": " + error));
            checkRow(ds, d, cols, 2);
            QCOMPARE(ds.locate(key, sample(cols.typeOf(key), 1)), -1);

            ds.remove(ds.locate(key, sample(cols.typeOf(key), 2)));
            QVERIFY2(ds.applyUpdates({}, &error), qPrintable(ds.name() + ": " + error));
            QVERIFY(ds.reopen(&error) && ds.fetchAll(&error));
            QCOMPARE(ds.rowCount(), demoRows);
            ds.close();
        }
    }

    void applyFailuresReachTheDialog_data() { addBackendRows(); }
    void applyFailuresReachTheDialog() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        TDTCORVANE m(site.program());
        for (const Expected& d : kDatasets) {
            db::Dataset& ds = m.*d.dataset;
            QString error;
            QVERIFY(ds.open(&error) && ds.fetchAll(&error));
            const QString key = QString::fromLatin1(d.key);
            // A second row with a key already taken.
            const QVariant taken = ds.value(0, key);
            ds.setValue(ds.append(), key, taken);
            QList<db::UpdateFailure> shown;
            const bool applied = ds.applyUpdates(
                [&shown](const db::UpdateFailure& f) {
                    shown << f;
                    return db::UpdateAction::Abort;
                },
                &error);
            QVERIFY2(!applied, qPrintable(ds.name()));
            QVERIFY(!error.isEmpty());
            QCOMPARE(ds.pendingCount(), 1); // the buffer keeps the change
            if (!d.reportsErrors) {
                QVERIFY2(shown.isEmpty(), qPrintable(ds.name()));
                continue;
            }
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.first().dataset, &ds);
            QCOMPARE(shown.first().kind, db::UpdateKind::Inserted);
            QCOMPARE(shown.first().error, error);
            QCOMPARE(shown.first().fields, ds.fields());
            QCOMPARE(shown.first().newValues.value(ds.fieldIndex(key)).toString(), taken.toString());
            ds.close();
        }
    }

    void emptyCostTypeReadsZero_data() { addBackendRows(); }
    void emptyCostTypeReadsZero() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        TDTCORVANE m(site.program());
        QVERIFY(m.PARGER.open());
        QCOMPARE(reference::pargerCostType(m.PARGER, QStringLiteral("CABIDE_TC")), 6);
        QCOMPARE(reference::pargerCostType(m.PARGER, QStringLiteral("MAQUINAS_TC")), 10);
        site.exec(site.program(), QStringLiteral("UPDATE PARGER SET TECIDO_TC = NULL"));
        QVERIFY(m.PARGER.reopen());
        QCOMPARE(reference::pargerCostType(m.PARGER, QStringLiteral("TECIDO_TC")), 0);
        QCOMPARE(reference::pargerCostType(m.PARGER, QStringLiteral("ETIQCART_TC")), 5);
        site.exec(site.program(), QStringLiteral("DELETE FROM PARGER"));
        QVERIFY(m.PARGER.reopen());
        QCOMPARE(reference::pargerCostType(m.PARGER, QStringLiteral("FIOS_TC")), 0);
    }

    // The stock codes of the demo company's general parameters are movements
    // and warehouses of its invoicing database, each of the kind it stands for.
    void demoStockCodesExist_data() { addBackendRows(); }
    void demoStockCodesExist() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        auto parameter = [&](const char* column) {
            const auto v = site.program().scalar(
                QStringLiteral("SELECT %1 FROM PARGER WHERE CODIGO = 1").arg(QLatin1String(column)));
            return v ? *v : QVariant();
        };
        auto movement = [&](const char* column, const char* field) {
            const QVariant code = parameter(column);
            const auto v = site.invoicing().scalar(
                QStringLiteral("SELECT %1 FROM STKTRS WHERE TRSCOD = :C").arg(QLatin1String(field)),
                {{QStringLiteral("C"), code}});
            return v ? v->toString() : QStringLiteral("(movimento %1 inexistente)").arg(code.toString());
        };
        QCOMPARE(movement("TRS_CONSUMO", "TIPOMOV"), QStringLiteral("SCI"));
        QCOMPARE(movement("TRS_CONSUMO", "CONSUMO"), QStringLiteral("S"));
        QCOMPARE(movement("TRS_DEVOL", "DEVOLUCAO"), QStringLiteral("S"));
        QCOMPARE(movement("TRS_DEVOL", "TRSTIP"), QStringLiteral("E"));
        QCOMPARE(movement("TRS_PRODUTO", "TRSTIP"), QStringLiteral("E"));
        for (const char* column : {"ARMNRO", "ARMZ_PRODUTO"}) {
            const auto name =
                site.invoicing().scalar(QStringLiteral("SELECT NOME FROM STKARMAZEM WHERE CODIGO = :C"),
                                        {{QStringLiteral("C"), parameter(column)}});
            QVERIFY2(name && !name->toString().isEmpty(), column);
        }
    }
};

QTEST_GUILESS_MAIN(TestReferenceData)
#include "test_reference_data.moc"
