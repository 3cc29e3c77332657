#include "step_grid_model.h"

#include "screens/ui/screen_dialog.h"
#include "techsheet/steps/machine_steps.h"
#include "techsheet/steps/operation_steps.h"
#include "techsheet/steps/weaving_step.h"
#include "techsheet/tech_sheet_context.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QWidget>

namespace corvane::techsheet {

using screens::GridColumn;
using screens::GridColumns;
using screens::RowColumns;
using screens::typedIn;

GridColumns loomColumns(WeavingStep& logic) {
    using R = WorkMachineRow;
    const RowColumns<R> c(logic.looms());
    return c.table({
        c.field(QStringLiteral("CODIGO"), QStringLiteral("Código"), &R::CODIGO, 70),
        c.field(QStringLiteral("DESIGNACAO"), QStringLiteral("Designação"), &R::DESIGNACAO, 230),
        c.number(QStringLiteral("CUSTOPADRAO"), QStringLiteral("Prc.Padrão"), &R::CUSTOPADRAO, 70),
        c.number(QStringLiteral("LARGURA"), QStringLiteral("Larg."), &R::LARGURA, 50),
        c.number(QStringLiteral("LARG_RAPORT"), QStringLiteral("Larg.Raport"), &R::LARG_RAPORT, 75),
        c.field(QStringLiteral("UNIDADE"), QStringLiteral("Und"), &R::UNIDADE, 40),
        c.number(QStringLiteral("PRODUCAO1"), QStringLiteral("NºPass."), &R::PRODUCAO1, 60),
        c.number(QStringLiteral("ACERTO1"), QStringLiteral("Acerto Min"), &R::ACERTO1, 70),
        c.field(QStringLiteral("RAPORT"), QStringLiteral("Raport"), &R::RAPORT, 50),
        c.number(QStringLiteral("FITAS"), QStringLiteral("Nº Fitas"), &R::FITAS, 60),
        c.check(
            QStringLiteral("OK"), QStringLiteral("OK"), &R::ticked,
            [&logic](int row, bool on) { logic.okLeft(row, on); }, 35),
        typedIn(c.field(QStringLiteral("TIPOPRD"), QStringLiteral("T.P.?"), &R::TIPOPRD, 40),
                [&logic](int row, const QString& typed) { return logic.modeLeft(row, typed); }),
        c.number(QStringLiteral("QTD"), QStringLiteral("Tempo"), &R::QTD, 60),
        c.number(QStringLiteral("PRECO"), QStringLiteral("Preço"), &R::PRECO, 60),
        c.number(QStringLiteral("CUSTO"), QStringLiteral("Custo"), &R::CUSTO, 60),
    });
}

GridColumns workColumns(OperationStepScreen& logic) {
    using R = WorkArticleRow;
    const RowColumns<R> c(logic.rows());
    return c.table({
        c.field(QStringLiteral("CODIGO"), QStringLiteral("Código"), &R::CODIGO, 90),
        c.field(QStringLiteral("DESIGNACAO"), QStringLiteral("Designação"), &R::DESIGNACAO, 260),
        c.field(QStringLiteral("UNCOMPRA"), QStringLiteral("Und."), &R::UNCOMPRA, 60),
        c.number(QStringLiteral("CUSTOPADRAO"), QStringLiteral("C.Padrão"), &R::CUSTOPADRAO, 60),
        c.check(
            QStringLiteral("OK"), QStringLiteral("OK"), &R::ticked,
            [&logic](int row, bool on) { logic.okLeft(row, on); }, 60),
        typedIn(c.number(QStringLiteral("QTD"), QStringLiteral("Tempo (mm)"), &R::QTD, 60),
                [&logic](int row, const QString& typed) { return logic.timeLeft(row, typed); }),
        c.number(QStringLiteral("PRECO"), QStringLiteral("Preço"), &R::PRECO, 60),
        c.number(QStringLiteral("CUSTO"), QStringLiteral("Custo"), &R::CUSTO, 60),
    });
}

GridColumns machineColumns(const std::vector<WorkMachineRow>& rows, MachineGrid grid, OkLeft okLeft,
                           TypedLeft typedLeft) {
    using R = WorkMachineRow;
    const RowColumns<R> c(rows);
    // The step windows draw every column after the designation 60 pixels wide.
    const bool knitting = grid == MachineGrid::Knitting;
    const auto width = [knitting](int inKnitting) { return knitting ? inKnitting : 60; };
    QList<GridColumn> columns{
        c.field(QStringLiteral("CODIGO"), QStringLiteral("Código"), &R::CODIGO, knitting ? 70 : 90),
        c.field(QStringLiteral("DESIGNACAO"), QStringLiteral("Designação"), &R::DESIGNACAO,
                knitting ? 220 : 260),
        c.field(QStringLiteral("UNIDADE"), QStringLiteral("Und"), &R::UNIDADE, width(40)),
        c.number(QStringLiteral("CUSTOPADRAO"), QStringLiteral("Preço Padrão"), &R::CUSTOPADRAO, width(80)),
        c.number(QStringLiteral("PRODUCAO1"), QStringLiteral("Prod. I"), &R::PRODUCAO1, width(55)),
        c.number(QStringLiteral("ACERTO1"), QStringLiteral("Acerto I"), &R::ACERTO1, width(60)),
        c.number(QStringLiteral("PRODUCAO2"), QStringLiteral("Prod. II"), &R::PRODUCAO2, width(55)),
        c.number(QStringLiteral("ACERTO2"), QStringLiteral("Acerto II"), &R::ACERTO2, width(60)),
        c.check(QStringLiteral("OK"), QStringLiteral("OK"), &R::ticked, std::move(okLeft), width(35))};
    if (grid == MachineGrid::Ultrasound)
        columns << typedIn(c.field(QStringLiteral("TIPOPRD"), QStringLiteral("T.P.?"), &R::TIPOPRD, 60),
                           std::move(typedLeft))
                << c.number(QStringLiteral("QTD"), QStringLiteral("Tempo"), &R::QTD, 60);
    else
        columns << typedIn(c.number(QStringLiteral("QTD"), QStringLiteral("Tempo (Min)"), &R::QTD, width(80)),
                           std::move(typedLeft));
    columns << c.number(QStringLiteral("PRECO"), QStringLiteral("Preço"), &R::PRECO, width(60))
            << c.number(QStringLiteral("CUSTO"), QStringLiteral("Custo"), &R::CUSTO, width(60));
    return c.table(columns);
}

GridColumns machineColumns(MachineStepScreen& logic) {
    OkLeft ok = [&logic](int row, bool ticked) { logic.okLeft(row, ticked); };
    // What is typed: an ultrasound cutter's mode, or the minutes.
    if (auto* cutter = dynamic_cast<UltrasoundStep*>(&logic))
        return machineColumns(
            logic.rows(), MachineGrid::Ultrasound, ok,
            [cutter](int row, const QString& typed) { return cutter->modeLeft(row, typed); });
    auto* step = dynamic_cast<TypedMinutesStep*>(&logic);
    return machineColumns(logic.rows(), MachineGrid::Steps, ok, [step](int row, const QString& typed) {
        return step && step->timeLeft(row, typed);
    });
}

QGridLayout* articleHeader(QWidget* owner, const TechSheetContext& ctx, const QString& caption) {
    auto* head = new QGridLayout;
    head->addWidget(new QLabel(caption, owner), 0, 0);
    auto* article = new QLabel(
        QStringLiteral("%1  %2 %3").arg(ctx.ArticleCode, ctx.ArticleDesignation, ctx.ArticleDesignation2),
        owner);
    article->setObjectName(QStringLiteral("Label_Artigo"));
    head->addWidget(article, 0, 1, 1, 3);
    head->addWidget(new QLabel(QStringLiteral("Comprim : ") + stepNumber(ctx.ArticleLength), owner), 1, 0);
    head->addWidget(new QLabel(QStringLiteral("Largura : ") + stepNumber(ctx.ArticleWidth), owner), 1, 1);
    return head;
}

QTableView* makeStepGrid(QWidget* owner, screens::GridModel* model,
                         std::function<void(const QString& column)> sortBy, std::function<void()> sorted) {
    auto* grid = new QTableView(owner);
    grid->setObjectName(QStringLiteral("DBGrid1"));
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setSectionsClickable(true);
    grid->verticalHeader()->hide();
    grid->installEventFilter(owner);
    if (auto* screen = qobject_cast<screens::ScreenDialog*>(owner))
        QObject::connect(model, &screens::GridModel::edited, screen, [screen] { screen->noteTyped(); });
    model->setSortedColumn(0);
    screens::sizeGridColumns(grid, *model, true);
    QObject::connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, grid,
                     [model, sortBy = std::move(sortBy), sorted = std::move(sorted)](int section) {
                         if (section > 1)
                             return; // only "Código" and "Designação" order the rows
                         sortBy(section == 0 ? QStringLiteral("CODIGO") : QStringLiteral("DESIGNACAO"));
                         model->setSortedColumn(section);
                         model->reload();
                         if (sorted)
                             sorted();
                     });
    return grid;
}

void showLookOnly(screens::ScreenDialog* form, const TechSheetContext& ctx,
                  std::initializer_list<screens::GridModel*> models) {
    if (ctx.LookOnlyReason.isEmpty())
        return;
    form->makeInputsReadOnly();
    for (screens::GridModel* m : models)
        m->setReadOnly(true);
}

void leaveGridEditor(QWidget* dialog, QWidget* grid) {
    if (QWidget* f = dialog->focusWidget(); f && grid->isAncestorOf(f))
        grid->setFocus();
}

} // namespace corvane::techsheet
