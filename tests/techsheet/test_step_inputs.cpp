#include "shell/data_modules.h"
#include "support/recording_view.h"
#include "techsheet/steps/knitting_step.h"
#include "techsheet/steps/machine_steps.h"
#include "techsheet/steps/operation_steps.h"
#include "techsheet/steps/subcontract_steps.h"
#include "techsheet/steps/weaving_step.h"

#include <QSet>
#include <QtTest>

using namespace corvane;
using namespace corvane::techsheet;

namespace {

// The step screens' logic over databases that are never opened: their inputs
// are declared without reading anything.
struct Steps {
    db::Database corvane{QStringLiteral("DBPRDXCORVANE"), QStringLiteral("CORVANE")};
    db::Database factura{QStringLiteral("DBPRDXFACTUR"), QStringLiteral("CORVANEFACTURA")};
    shell::TDTCORVANE data{corvane};
    TechSheetContext ctx;
    RecordingView view;
    template <typename Step> std::unique_ptr<Step> make() {
        return std::make_unique<Step>(ctx, data, factura, QStringLiteral("DEMO"), view);
    }
};

// The inputs of one window: every name once, every column found in its
// table (so the input takes its width), every lookup list over one of the
// step's datasets, a check on all but the inputs that only show a value.
void checkWindow(StepScreenBase& step, const QList<StepInput>& inputs) {
    QSet<QString> names;
    for (const StepInput& in : inputs) {
        const QString& name = in.rule.input;
        QVERIFY2(!names.contains(name), qPrintable(name));
        names << name;
        QVERIFY2(in.rule.maxLength > 0, qPrintable(name));
        QCOMPARE(bool(in.left), !in.rule.readOnly);
        if (!in.rule.lookup.isSet())
            continue;
        const QList<db::Dataset*> datasets = step.lookupDatasets();
        for (const QString& dataset : {in.rule.lookup.dataset, in.rule.lookup.alphabeticalDataset}) {
            if (dataset.isEmpty())
                continue;
            const bool found = std::any_of(datasets.cbegin(), datasets.cend(),
                                           [&](const db::Dataset* d) { return d->name() == dataset; });
            QVERIFY2(found, qPrintable(name + QStringLiteral(": ") + dataset));
        }
    }
}

QHash<QString, int> widths(const QList<StepInput>& inputs) {
    QHash<QString, int> out;
    for (const StepInput& in : inputs)
        out.insert(in.rule.input, in.rule.maxLength);
    return out;
}

} // namespace

class TestStepInputs : public QObject {
    Q_OBJECT
private slots:
    void yarnSteps() {
        Steps s;
        auto knitting = s.make<KnittingStep>();
        QList<StepInput> inputs;
        for (int n = 1; n <= KnittingStep::kRows; ++n)
            inputs << knitting->percentInput(n) << knitting->yarnInput(n) << knitting->gradationInput(n);
        checkWindow(*knitting, inputs);
        const QHash<QString, int> w = widths(inputs);
        QCOMPARE(w.value("Edit_TR8Artigo"), 16); // an article code
        QCOMPARE(w.value("Edit_Grad3"), 6);
        QCOMPARE(w.value("Edit_TrPerc1"), 24); // any number

        auto weaving = s.make<WeavingStep>();
        inputs.clear();
        for (WeavingStep::Side side : {WeavingStep::Side::Weft, WeavingStep::Side::Warp})
            for (int n = 1; n <= WeavingStep::kPositions; ++n)
                inputs << weaving->countInput(side, n) << weaving->yarnInput(side, n);
        checkWindow(*weaving, inputs);
        QCOMPARE(widths(inputs).value("Edit_TE8NrFios"), 11); // an integer column
        QCOMPARE(WeavingStep::countField(WeavingStep::Side::Weft, 2), QStringLiteral("Edit_Passagens2"));
    }

    void materialSteps() {
        Steps s;
        s.ctx.StepCode = QStringLiteral("C");
        s.ctx.MachineGroupType = 2;
        auto machine = s.make<MachineStep>();
        checkWindow(*machine, machine->materialInputs());
        s.ctx.StepCode = QStringLiteral("H");
        auto operation = s.make<OperationStep>();
        const QList<StepInput> one = operation->materialInputs();
        checkWindow(*operation, one);
        QCOMPARE(one.value(0).rule.label, QStringLiteral("Tipo Mat."));
        QCOMPARE(widths(one).value("Edit_Und1"), 3);

        auto packaging = s.make<PackagingStep>();
        QList<StepInput> inputs;
        for (int n = 1; n <= PackagingStep::kMaterials; ++n)
            inputs << packaging->materialInputs(n);
        checkWindow(*packaging, inputs);

        s.ctx.StepCode = QStringLiteral("T");
        s.ctx.MachineGroupType = 8;
        auto printing = s.make<PrintingStep>();
        inputs.clear();
        for (int n = 1; n <= kInkRows; ++n)
            inputs << printing->inkInputs(n);
        checkWindow(*printing, inputs);
    }

    void subcontractAndFabric() {
        Steps s;
        s.ctx.StepCode = QStringLiteral("R");
        auto subcontract = s.make<SubcontractStep>();
        QList<StepInput> inputs = subcontract->serviceInputs();
        for (int n = 1; n <= SubcontractStep::kMaterials; ++n)
            inputs << subcontract->materialInputs(n);
        checkWindow(*subcontract, inputs);
        QCOMPARE(widths(inputs).value("Edit_Servico"), 16);
        QCOMPARE(widths(inputs).value("Edit_TMat3"), 6); // a small integer

        auto fabric = s.make<FabricStep>();
        inputs = fabric->inputs();
        checkWindow(*fabric, inputs);
        QCOMPARE(widths(inputs).value("Edit_EnqTecido"), 1); // "L" or "C"
        QCOMPARE(inputs.value(4).rule.kind, screens::FieldKind::Upper);
    }
};

QTEST_GUILESS_MAIN(TestStepInputs)
#include "test_step_inputs.moc"
