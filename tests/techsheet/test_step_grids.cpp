#include "reference/screen_fixture.h"
#include "techsheet/steps/knitting_step.h"
#include "techsheet/steps/machine_steps.h"
#include "techsheet/steps/operation_steps.h"
#include "techsheet/steps/ui/step_grid_model.h"
#include "techsheet/steps/weaving_step.h"
#include "techsheet/store/sheet_store.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;
using screens::GridModel;

namespace {

const QString kUser = QStringLiteral("DEMO");

// A signed-on demo site with test machines: a sewing machine at 12.5 an
// hour (group type 2), an ultrasound cutter of 20 units a minute with 5
// minutes of set-up (group type 1), the knitting machine TRI01 at 12.5 an
// hour, the loom TEAR01; the design operations at 0.2 a minute.
struct GridFixture : ScreenFixture {
    explicit GridFixture(const QString& backend) : ScreenFixture(backend) {
        if (!ready())
            return;
        site.exec(db(), QStringLiteral("DELETE FROM WORKFTMAQUINAS"));
        site.exec(db(), QStringLiteral("UPDATE TIPOCUSTO SET DESPERD = 0 WHERE CODIGO = 10"));
        site.exec(db(), QStringLiteral("UPDATE OPERACOES SET PRECO = 0.2 WHERE TC = 20"));
        site.exec(db(), QStringLiteral("UPDATE MAQUINAS SET PRECO = 12.5 WHERE CODIGO = 'TRI01'"));
        for (const char* m : {"('CC90', 'Corte e Coze Teste', 2, 'UPM', 12, 8, 5, 8, 12.5, 1)",
                              "('US90', 'Ultra-Sons Unidades', 1, 'UPM', 20, 10, 5, 7, 0.35, 1)"})
            site.exec(db(),
                      QStringLiteral("INSERT INTO MAQUINAS (CODIGO, DESIGNACAO, GRUPO, UNDPRD, PRDHOR1, "
                                     "PRDHOR2, TEMPO_ACERTO1, TEMPO_ACERTO2, PRECO, NROPASSAGENS) VALUES ") +
                          QLatin1String(m));
        SheetStore(db()).ensureHeader(QStringLiteral("GORRO.FORM"), kKnittedHat);
        SheetStore(db()).ensureHeader(QStringLiteral("CACHECOL.FORM"), kWovenScarf);
    }
    db::Database& factura() { return modules().database->DbFacturacao; }
    int costType(const char* column) {
        return cell(QStringLiteral("SELECT %1 FROM PARGER WHERE CODIGO = 1").arg(QLatin1String(column)))
            .toInt();
    }
};

TechSheetContext context(const QString& article, const QString& step, int groupType) {
    TechSheetContext ctx;
    ctx.ArticleCode = article;
    ctx.ArticleLength = 180;
    ctx.ArticleWidth = 30;
    ctx.StepCode = step;
    ctx.MachineGroupType = groupType;
    ctx.MachineCostType = 10;
    ctx.OperationMinutes = 30;
    return ctx;
}

int rowOf(const GridModel& m, const QString& code) {
    for (int r = 0; r < m.rowCount(); ++r)
        if (m.index(r, m.column(QStringLiteral("CODIGO"))).data().toString() == code)
            return r;
    return -1;
}

QVariantList rowShown(const GridModel& m, int row) {
    QVariantList cells;
    for (int c = 0; c < m.columnCount(); ++c)
        cells << m.index(row, c).data(Qt::DisplayRole) << m.index(row, c).data(Qt::CheckStateRole);
    return cells;
}

QString shown(const GridModel& m, int row, const QString& key) {
    return m.index(row, m.column(key)).data().toString();
}

// What every step grid shares, on `row`: only "OK" is ticked and only
// `typedKey` typed; a tick is reported once; `refused` typed is refused with
// the row unchanged and nothing reported; a grid only looked at takes
// nothing; indexes past the rows take nothing. `row` is left ticked.
void checkStepGrid(GridModel& m, int row, const QString& typedKey, const QString& refused) {
    QVERIFY(row >= 0);
    QVERIFY(m.column(QStringLiteral("OK")) >= 0);
    QVERIFY(m.column(typedKey) >= 0);
    for (int c = 0; c < m.columnCount(); ++c) {
        const QString key = m.table().columns[c].key;
        const Qt::ItemFlags f = m.flags(m.index(row, c));
        QCOMPARE(bool(f & Qt::ItemIsUserCheckable), key == QLatin1String("OK"));
        QCOMPARE(bool(f & Qt::ItemIsEditable), key == typedKey);
    }
    const QModelIndex ok = m.index(row, m.column(QStringLiteral("OK")));
    const QModelIndex typed = m.index(row, m.column(typedKey));
    QSignalSpy edited(&m, &GridModel::edited);
    m.setData(ok, Qt::Unchecked, Qt::CheckStateRole);
    edited.clear();
    QVERIFY(m.setData(ok, Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(ok.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(edited.size(), 1);
    QVERIFY(m.setData(ok, Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(edited.size(), 1);

    const QVariantList before = rowShown(m, row);
    QVERIFY(!m.setData(typed, refused, Qt::EditRole));
    QCOMPARE(rowShown(m, row), before);
    QCOMPARE(edited.size(), 1);

    m.setReadOnly(true);
    QVERIFY(!(m.flags(ok) & Qt::ItemIsUserCheckable));
    QVERIFY(!(m.flags(typed) & Qt::ItemIsEditable));
    QVERIFY(!m.setData(ok, Qt::Unchecked, Qt::CheckStateRole));
    QVERIFY(!m.setData(typed, QStringLiteral("2"), Qt::EditRole));
    QCOMPARE(rowShown(m, row), before);
    QCOMPARE(edited.size(), 1);
    m.setReadOnly(false);

    QVERIFY(!m.index(m.rowCount(), 0).isValid());
    QVERIFY(!m.setData(m.index(m.rowCount(), m.column(typedKey)), QStringLiteral("2"), Qt::EditRole));
}

} // namespace

class TestStepGrids : public QObject {
    Q_OBJECT
private slots:
    void machines_data() { addBackendRows(); }
    // A machine step's grid: the minutes typed in "Tempo (Min)", the cost shown.
    void machines() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        GridFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(QStringLiteral("CHCLA01.PRE"), QStringLiteral("C"), 2);
        MachineStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
        GridModel m(machineColumns(s));
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(s.open());
        m.reload();
        const int row = rowOf(m, QStringLiteral("CC90"));
        checkStepGrid(m, row, QStringLiteral("QTD"), QStringLiteral("0"));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Insira o tempo [min] por cada operação..."));
        QCOMPARE(m.headerData(m.column(QStringLiteral("QTD")), Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Tempo (Min)"));
        QCOMPARE(m.column(QStringLiteral("TIPOPRD")), -1);
        QVERIFY(m.setData(m.index(row, m.column(QStringLiteral("QTD"))), QStringLiteral("90"), Qt::EditRole));
        QCOMPARE(shown(m, row, QStringLiteral("CUSTO")), QStringLiteral("18,75"));
        QCOMPARE(shown(m, row, QStringLiteral("PRECO")), QStringLiteral("12,5"));
        // Ordered by designation and shown again.
        s.sortBy(QStringLiteral("DESIGNACAO"));
        m.reload();
        QCOMPARE(shown(m, rowOf(m, QStringLiteral("CC90")), QStringLiteral("CUSTO")),
                 QStringLiteral("18,75"));
    }

    void ultrasound_data() { addBackendRows(); }
    // Ultrasound cutting: the mode typed in "T.P.?" (as a whole number), the time computed.
    void ultrasound() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        GridFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(QStringLiteral("CHCLA01.PRE"), QStringLiteral("X"), 0);
        UltrasoundStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
        QVERIFY(s.open());
        GridModel m(machineColumns(s));
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const int row = rowOf(m, QStringLiteral("US90"));
        checkStepGrid(m, row, QStringLiteral("TIPOPRD"), QStringLiteral("3"));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Digite entre [1] e [2] ..."));
        const int mode = m.column(QStringLiteral("TIPOPRD"));
        QCOMPARE(m.column(QStringLiteral("QTD")), mode + 1);
        QCOMPARE(m.headerData(mode + 1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Tempo"));
        QCOMPARE(m.index(row, mode).data(Qt::EditRole).typeId(), int(QMetaType::Int));
        QVERIFY(m.setData(m.index(row, mode), 1, Qt::EditRole)); // the spin box's value
        QCOMPARE(shown(m, row, QStringLiteral("QTD")), QStringLiteral("55"));
    }

    void knitting_data() { addBackendRows(); }
    // The knitting step's machines: the minutes typed.
    void knitting() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        GridFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(QStringLiteral("GORRO.FORM"), QStringLiteral("A"), 3);
        ctx.PieceWeight = 180;
        ctx.YarnCostType = f.costType("FIOS_TC");
        ctx.MachineCostType = f.costType("MAQUINAS_TC");
        KnittingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
        QVERIFY(s.open());
        GridModel m(machineColumns(
            s.machines(), MachineGrid::Knitting, [&s](int row, bool on) { s.okLeft(row, on); },
            [&s](int row, const QString& typed) { return s.timeLeft(row, typed); }));
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const int row = rowOf(m, QStringLiteral("TRI01"));
        checkStepGrid(m, row, QStringLiteral("QTD"), QStringLiteral("abc"));
        QVERIFY(m.setData(m.index(row, m.column(QStringLiteral("QTD"))), QStringLiteral("90"), Qt::EditRole));
        QCOMPARE(shown(m, row, QStringLiteral("CUSTO")), QStringLiteral("18,75"));
        // Cleared: the time and the cost go with the tick.
        QVERIFY(m.setData(m.index(row, m.column(QStringLiteral("OK"))), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(shown(m, row, QStringLiteral("CUSTO")), QStringLiteral("0"));
    }

    void operations_data() { addBackendRows(); }
    // An operation step's rows: ticked, the operation's minutes costed; the minutes typed.
    void operations() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        GridFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(QStringLiteral("CHCLA01.PRE"), QStringLiteral("H"), 0);
        OperationStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
        QVERIFY(s.open());
        GridModel m(workColumns(s));
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(m.rowCount() > 0);
        checkStepGrid(m, 0, QStringLiteral("QTD"), QStringLiteral("abc"));
        QCOMPARE(shown(m, 0, QStringLiteral("CUSTO")), QStringLiteral("6"));
        QCOMPARE(m.headerData(m.column(QStringLiteral("QTD")), Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("Tempo (mm)"));
    }

    void looms_data() { addBackendRows(); }
    // The weaving step's looms: the mode typed in "T.P.?", 1 or 2.
    void looms() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        GridFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        TechSheetContext ctx = context(QStringLiteral("CACHECOL.FORM"), QString(), 4);
        ctx.SheetKind = kWovenScarf;
        ctx.ArticleLength = 160;
        ctx.ContractionPercent = 10;
        ctx.YarnCostType = f.costType("FIOS_TC");
        ctx.MachineCostType = f.costType("MAQUINAS_TC");
        WeavingStep s(ctx, f.corvane(), f.factura(), kUser, f.view);
        QVERIFY(s.open());
        GridModel m(loomColumns(s));
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const int row = rowOf(m, QStringLiteral("TEAR01"));
        checkStepGrid(m, row, QStringLiteral("TIPOPRD"), QStringLiteral("3"));
        QCOMPARE(f.view.messages.last(), QStringLiteral("Tipo de Produção inválido, 1 ou 2 ..."));
        const int mode = m.column(QStringLiteral("TIPOPRD"));
        QCOMPARE(m.index(row, mode).data(Qt::EditRole).typeId(), int(QMetaType::Int));
        QSignalSpy edited(&m, &GridModel::edited);
        const int other = m.index(row, mode).data().toInt() == 1 ? 2 : 1;
        QVERIFY(m.setData(m.index(row, mode), QString::number(other), Qt::EditRole));
        QCOMPARE(m.index(row, mode).data().toInt(), other);
        QCOMPARE(edited.size(), 1);
    }
};

QTEST_MAIN(TestStepGrids)
#include "test_step_grids.moc"
