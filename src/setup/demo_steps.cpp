#include "demo_steps.h"

#include "articles/store/article_store.h"
#include "techsheet/screens/sheet_editing.h"
#include "techsheet/steps/knitting_step.h"
#include "techsheet/steps/machine_steps.h"
#include "techsheet/steps/operation_steps.h"
#include "techsheet/steps/subcontract_steps.h"
#include "techsheet/steps/weaving_step.h"

namespace corvane::setup {

using namespace techsheet;

namespace {

// The material fields as a user fills them: F1, the type, the code, then the
// quantity when one is to be typed.
bool enterMaterial(OneMaterialFields& fields, const StepMaterial& m) {
    if (!fields.insertMaterial())
        return false;
    fields.typeEntered();
    if (!fields.typeLeft(QString::number(m.type)) || !fields.codeLeft(m.code))
        return false;
    return m.quantity.isEmpty() || fields.quantityLeft(m.quantity);
}

// Ticks the machines of a machine grid and leaves each one's time column
// with what is typed; `typed` is the column's handler.
template <typename Step, typename Screen>
bool tickMachines(Step& step, const std::vector<WorkMachineRow>& rows, const QList<TickedMachine>& machines,
                  bool (Screen::*typed)(int, const QString&)) {
    for (const TickedMachine& m : machines) {
        const int row = SheetStepRunner::rowOf(rows, m.code);
        if (row < 0)
            return false;
        step.okLeft(row, true);
        if (!(step.*typed)(row, m.typed))
            return false;
    }
    return step.gridLeft();
}

} // namespace

SheetStepRunner::SheetStepRunner(db::Database& corvane, db::Database& factura, QString user)
    : factura_(factura), user_(std::move(user)), data_(corvane), store_(corvane) {}

SheetStepRunner::~SheetStepRunner() = default;

bool SheetStepRunner::open(const QString& article, QString* error) {
    view_.clear();
    const std::optional<TechSheetContext> context =
        articles::ArticleStore(factura_).sheetContext(article, error);
    if (!context) {
        if (error && error->isEmpty())
            *error = QStringLiteral("Artigo inexistente: ") + article;
        return false;
    }
    ctx_ = *context;
    screen_ = std::make_unique<SheetScreen>(ctx_, view_);
    if (activateSheet(*screen_, store_, data_.TIPOTRABALHO, error))
        return true;
    if (error && error->isEmpty())
        *error = article + QStringLiteral(": ") + view_.messages.join(QStringLiteral("; "));
    return false;
}

bool SheetStepRunner::save(QString* error) {
    if (!screen_) {
        if (error)
            *error = QStringLiteral("Ficha técnica não aberta");
        return false;
    }
    const QVariantMap columns = screen_->saveColumns();
    return columns.isEmpty() || store_.saveHeader(columns, error);
}

bool SheetStepRunner::close(QString* error) {
    screen_.reset();
    return WorkRowsStore(data_.db, user_).clear(error);
}

bool SheetStepRunner::press(StepRole role, StepScreen expected, QString* error) {
    view_.clear();
    if (!screen_) {
        if (error)
            *error = QStringLiteral("Ficha técnica não aberta");
        return false;
    }
    button_ = buttonOf(ctx_.SheetKind, role);
    const StepScreen opened = button_.isEmpty() ? StepScreen::None : screen_->prepareStep(button_);
    if (opened == expected)
        return true;
    return failed(button_.isEmpty() ? QStringLiteral("a página não tem este passo")
                                    : QStringLiteral("o botão não abre o ecrã do passo"),
                  error);
}

bool SheetStepRunner::failed(const QString& what, QString* error) const {
    if (error) {
        *error = QStringLiteral("%1, %2: %3").arg(ctx_.ArticleCode, button_, what);
        if (!view_.messages.isEmpty())
            *error += QStringLiteral(": ") + view_.messages.join(QStringLiteral("; "));
    }
    return false;
}

bool SheetStepRunner::machineStep(StepRole role, const QList<TickedMachine>& machines,
                                  const std::optional<StepMaterial>& material, QString* error) {
    return run<MachineStep>(
        role, StepScreen::MachineStep,
        [&](MachineStep& s) {
            return tickMachines(s, s.rows(), machines, &MachineStep::timeLeft) &&
                   (!material || enterMaterial(s, *material));
        },
        error);
}

bool SheetStepRunner::ultrasound(const QList<TickedMachine>& machines, QString* error) {
    return run<UltrasoundStep>(
        StepRole::Ultrasound, StepScreen::UltrasoundCut,
        [&](UltrasoundStep& s) { return tickMachines(s, s.rows(), machines, &UltrasoundStep::modeLeft); },
        error);
}

bool SheetStepRunner::knitting(const QList<KnittedYarn>& yarns, const TickedMachine& machine,
                               QString* error) {
    return run<KnittingStep>(
        StepRole::Knitting, StepScreen::Knitting,
        [&](KnittingStep& s) {
            int n = 0;
            for (const KnittedYarn& y : yarns) {
                if (++n > KnittingStep::kRows || !s.percentLeft(n, y.percent) || !s.yarnLeft(n, y.code))
                    return false;
                s.gradationLeft(n, y.gradation);
            }
            return tickMachines(s, s.machines(), {machine}, &KnittingStep::timeLeft) && s.compute();
        },
        error);
}

bool SheetStepRunner::weaving(const QList<WovenYarn>& weft, const QList<WovenYarn>& warp,
                              const TickedMachine& loom, QString* error) {
    using Side = WeavingStep::Side;
    return run<WeavingStep>(
        StepRole::Weaving, StepScreen::Weaving,
        [&](WeavingStep& s) {
            for (const auto& [side, yarns] : {std::pair{Side::Weft, &weft}, std::pair{Side::Warp, &warp}}) {
                int n = 0;
                for (const WovenYarn& y : *yarns) {
                    if (++n > WeavingStep::kPositions)
                        return false;
                    s.countEntered(side, n);
                    if (!s.countLeft(side, n, y.count) || !s.yarnLeft(side, n, y.code))
                        return false;
                }
            }
            return tickMachines(s, s.looms(), {loom}, &WeavingStep::modeLeft) && s.compute();
        },
        error);
}

bool SheetStepRunner::operation(StepRole role, const TickedOperation& ticked,
                                const std::optional<StepMaterial>& material, QString* error) {
    return run<OperationStep>(
        role, StepScreen::Operations,
        [&](OperationStep& s) {
            int row = -1;
            for (std::size_t r = 0; r < s.rows().size() && row < 0; ++r)
                if (s.rows()[r].DESIGNACAO.contains(ticked.match, Qt::CaseInsensitive))
                    row = static_cast<int>(r);
            if (row < 0)
                return false;
            s.okLeft(row, true);
            if (!ticked.typed.isEmpty() && !s.timeLeft(row, ticked.typed))
                return false;
            return s.gridLeft() && (!material || enterMaterial(s, *material));
        },
        error);
}

bool SheetStepRunner::packaging(int code, const QString& typed, QString* error) {
    return run<PackagingStep>(
        StepRole::Packaging, StepScreen::Packaging,
        [&](PackagingStep& s) {
            const int row = rowOf(s.rows(), QString::number(code));
            if (row < 0)
                return false;
            s.currentRowChanged(row); // the materials of the type are proposed
            s.okLeft(row, true);
            return s.timeLeft(row, typed) && s.gridLeft();
        },
        error);
}

bool SheetStepRunner::subcontract(StepRole role, const QString& service, const QString& price,
                                  const QList<SentMaterial>& materials, QString* error) {
    return run<SubcontractStep>(
        role, StepScreen::Subcontract,
        [&](SubcontractStep& s) {
            if (!s.serviceLeft(service) || !s.servicePriceLeft(price))
                return false;
            int n = 0;
            for (const SentMaterial& m : materials) {
                if (++n > SubcontractStep::kMaterials)
                    return false;
                s.typeEntered(n);
                if (!s.typeLeft(n, QString::number(m.type)) || !s.codeLeft(n, m.code) ||
                    !s.quantityLeft(n, m.quantity))
                    return false;
            }
            return true;
        },
        error);
}

bool SheetStepRunner::printing(const TickedMachine& printer, const QList<PrintedInk>& inks, QString* error) {
    return run<PrintingStep>(
        StepRole::Printing, StepScreen::Printing,
        [&](PrintingStep& s) {
            const int row = rowOf(s.rows(), printer.code);
            if (row < 0)
                return false;
            s.gridEntered();
            s.currentRowChanged(row); // the printer's inks are proposed
            s.okLeft(row, true);
            if (!s.timeLeft(row, printer.typed) || !s.gridLeft())
                return false;
            if (inks.isEmpty())
                return true;
            s.insertInks();
            int n = 0;
            for (const PrintedInk& ink : inks) {
                if (++n > kInkRows)
                    return false;
                s.codeEntered(n);
                if (!s.codeLeft(n, ink.code) || !s.percentLeft(n, ink.percent))
                    return false;
            }
            for (int rest = n + 1; rest <= kInkRows; ++rest)
                s.removeInk(rest);
            return true;
        },
        error);
}

bool SheetStepRunner::fabric(const ClothLayout& cloth, QString* error) {
    return run<FabricStep>(
        StepRole::Fabric, StepScreen::Fabric,
        [&](FabricStep& s) {
            s.codeEntered();
            return s.codeLeft(cloth.code) && (cloth.width.isEmpty() || s.widthLeft(cloth.width)) &&
                   s.fittingLeft(cloth.fitting) && s.piecesLeft(cloth.pieces);
        },
        error);
}

bool SheetStepRunner::fabricClosed(QString* error) {
    QVariantMap header = screen_->fabricClosed(ctx_.StepCancelled);
    if (header.isEmpty())
        return true;
    header.insert(QStringLiteral("CODIGO"), ctx_.ArticleCode);
    return store_.saveHeader(header, error);
}

bool SheetStepRunner::rerun(StepRole role, QString* error) {
    if ((role == StepRole::Linking || role == StepRole::Embroidery) && screen_ &&
        screen_->screenOf(buttonOf(ctx_.SheetKind, role)) == StepScreen::Subcontract)
        return run<SubcontractStep>(role, StepScreen::Subcontract, {}, error);
    switch (role) {
    case StepRole::Knitting:
        return run<KnittingStep>(role, StepScreen::Knitting, {}, error);
    case StepRole::Ultrasound:
        return run<UltrasoundStep>(role, StepScreen::UltrasoundCut, {}, error);
    case StepRole::Design:
    case StepRole::Hanger:
    case StepRole::CardLabels:
        return run<OperationStep>(role, StepScreen::Operations, {}, error);
    case StepRole::Packaging:
        return run<PackagingStep>(role, StepScreen::Packaging, {}, error);
    case StepRole::SideSeam:
    case StepRole::Labels:
    case StepRole::Fringe:
    case StepRole::Steaming:
    case StepRole::Linking:
    case StepRole::Embroidery:
    case StepRole::Saw:
        return run<MachineStep>(role, StepScreen::MachineStep, {}, error);
    case StepRole::Weaving:
        return run<WeavingStep>(role, StepScreen::Weaving, {}, error);
    case StepRole::Printing:
        return run<PrintingStep>(role, StepScreen::Printing, {}, error);
    case StepRole::Fabric:
        return run<FabricStep>(role, StepScreen::Fabric, {}, error);
    }
    button_ = buttonOf(ctx_.SheetKind, role);
    return failed(QStringLiteral("passo sem ecrã nesta versão"), error);
}

} // namespace corvane::setup
