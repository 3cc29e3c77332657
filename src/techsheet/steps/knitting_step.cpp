#include "knitting_step.h"

#include "screens/field_input.h"
#include "shell/data_modules.h"

#include <algorithm>

namespace corvane::techsheet {

namespace {

const QString kStep = QStringLiteral("A");
const QString kTotalRefused = QStringLiteral("O Total de % de Consumo excedeu os 100%");

screens::FieldRule percentRule(int n) {
    return stepRule(StepTable::YarnLayout, "TR%1_PERC", "Edit_TrPerc%1", n, "Fio %1: % do consumo");
}
screens::FieldRule yarnRule(int n) {
    return stepRule(StepTable::YarnLayout, "TR%1_REFFIO", "Edit_TR%1Artigo", n, "Fio %1: código");
}
QString percentField(int n) {
    return percentRule(n).input;
}
QString yarnField(int n) {
    return yarnRule(n).input;
}

} // namespace

KnittingStep::KnittingStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                           QString user, ScreenView& view)
    : StepScreenBase(ctx, data, factura, std::move(user), view), yarns_(factura) {}

StepInput KnittingStep::percentInput(int n) {
    return {percentRule(n), [this, n](const QString& typed) { return percentLeft(n, typed); }};
}

StepInput KnittingStep::yarnInput(int n) {
    return withLookup({yarnRule(n), [this, n](const QString& typed) { return yarnLeft(n, typed); }},
                      yarnLookup());
}

StepInput KnittingStep::gradationInput(int n) {
    return {stepRule(StepTable::YarnLayout, "TE%1_GRAD", "Edit_Grad%1", n, "Fio %1: graduação"),
            [this, n](const QString& typed) {
                gradationLeft(n, typed);
                return true;
            }};
}

QList<StepInput> KnittingStep::inputs() {
    QList<StepInput> all;
    for (int n = 1; n <= kRows; ++n)
        all << percentInput(n) << yarnInput(n) << gradationInput(n);
    return all;
}

bool KnittingStep::open() {
    ctx_->StepCancelled = false;
    written_ = false;
    input_ = {};
    input_.ArticleCode = ctx_->ArticleCode;
    input_.PieceWeight = ctx_->PieceWeight;
    input_.YarnWastePercent = ctx_->YarnWastePercent;
    views_ = {};
    QString error;
    if (ctx_->ArticleCode.trimmed().isEmpty())
        return notOpened(QStringLiteral("Artigo Inválido !!!, Artigo Nº ") + ctx_->ArticleCode);
    if (!readPriceBasis(&error) || !yarns_.read(&error))
        return notOpened(error);

    const std::optional<QVariantMap> layout = sheets_.yarnLayout(ctx_->ArticleCode, &error);
    if (!layout)
        return notOpened(error);
    if (!layout->isEmpty()) {
        for (int n = 1; n <= kRows; ++n) {
            KnitRow& r = input_.rows[static_cast<std::size_t>(n - 1)];
            r.percent = layout->value(numbered("TR%1_PERC", n)).toDouble();
            r.yarn = layout->value(numbered("TR%1_REFFIO", n)).toString().trimmed();
            r.gradation = layout->value(numbered("TE%1_GRAD", n)).toString().trimmed();
            showYarn(n);
            views_[static_cast<std::size_t>(n - 1)].kg = layout->value(numbered("TR%1_QTD", n)).toDouble();
        }
    }
    if (!readMachines(&error))
        return notOpened(error);
    return true;
}

bool KnittingStep::readMachines(QString* error) {
    if (!StepScreenBase::readMachines(ctx_->MachineGroupType, machines_, error))
        return false;
    // The machine in use, with its minutes as written: the machine line is
    // the step's line without a yarn position.
    const std::optional<std::vector<FictecDetLine>> lines =
        sheets_.stepLines(ctx_->ArticleCode, kStep, error);
    if (!lines)
        return false;
    for (const FictecDetLine& line : *lines) {
        if (!line.TECELAGEM.isEmpty())
            continue;
        tickMachines(machines_, line, [&line](WorkMachineRow& m) {
            m.QTD_SEMACERTO = line.TMP_SEMACERTO.value_or(0);
            m.TIPOPRD = 0; // typed minutes
        });
    }
    sortBy(sortColumn_);
    return work_.fillMachines(machines_, error);
}

void KnittingStep::showYarn(int n) {
    RowView& v = views_[static_cast<std::size_t>(n - 1)];
    const Yarn* y = yarns_.yarn(row(n).yarn);
    v.designation = y ? y->DESIGNACAO : QString();
    v.count = y ? y->NEFIO : 0;
    v.unit = y ? y->UNCOMPRA : QString();
}

double KnittingStep::totalKg() const {
    double total = 0;
    for (const RowView& v : views_)
        total += v.kg;
    return total;
}

bool KnittingStep::percentLeft(int n, const QString& typed) {
    double value = 0;
    QString message;
    if (!typed.trimmed().isEmpty() && !screens::readNumber(typed.trimmed(), &value, &message))
        return refuse(message, percentField(n));
    Notes notes;
    KnitRow& r = input_.rows[static_cast<std::size_t>(n - 1)];
    if (!knitPercentOnExit(value, r.percent, notes)) {
        show(notes);
        view_.focusField(percentField(n));
        return false;
    }
    RowView& v = views_[static_cast<std::size_t>(n - 1)];
    v.enabled = r.percent > 0;
    if (!v.enabled) {
        r.yarn.clear();
        v = RowView{};
        v.enabled = false;
    }
    return true;
}

bool KnittingStep::yarnLeft(int n, const QString& typed) {
    KnitRow& r = input_.rows[static_cast<std::size_t>(n - 1)];
    const bool taken = takeYarn(yarns_, typed, r.yarn, yarnField(n), percentField(n));
    if (!taken && !typed.trimmed().isEmpty())
        r.yarn = typed.trimmed(); // the code stays in its field
    showYarn(n);
    return taken;
}

void KnittingStep::gradationLeft(int n, const QString& typed) {
    input_.rows[static_cast<std::size_t>(n - 1)].gradation = typed.left(6);
}

void KnittingStep::okLeft(int row, bool ticked) {
    if (row < 0 || row >= static_cast<int>(machines_.size()))
        return;
    WorkMachineRow& m = machines_[static_cast<std::size_t>(row)];
    m.OK = ticked ? QStringLiteral("S") : QStringLiteral("N");
    if (!ticked)
        m.QTD = m.PRECO = m.CUSTO = 0;
}

bool KnittingStep::timeLeft(int row, const QString& typed) {
    if (row < 0 || row >= static_cast<int>(machines_.size()))
        return false;
    double value = 0;
    if (!typed.trimmed().isEmpty() && !readNumberOf(typed, &value))
        return false;
    WorkMachineRow candidate = machines_[static_cast<std::size_t>(row)];
    candidate.QTD = value;
    Notes notes;
    if (!costKnittingMachine(candidate, notes)) {
        show(notes);
        return false;
    }
    machines_[static_cast<std::size_t>(row)] = candidate;
    return true;
}

void KnittingStep::sortBy(const QString& column) {
    sortMachines(machines_, column);
}

bool KnittingStep::gridLeft() {
    return keepMachines(machines_);
}

bool KnittingStep::consumptions(std::array<double, 8>& kg) {
    Notes notes;
    if (computeKnitConsumption(input_, yarns_.yarns(), kg, notes))
        return true;
    show(notes);
    if (notes.messages.value(notes.messages.size() - 1) == kTotalRefused)
        view_.focusField(percentField(1));
    return false;
}

bool KnittingStep::anyYarn() const {
    return std::any_of(input_.rows.begin(), input_.rows.end(),
                       [](const KnitRow& r) { return !r.yarn.trimmed().isEmpty(); });
}

QVariantMap KnittingStep::layoutColumns(const std::array<double, 8>& kg) const {
    QVariantMap c{{QStringLiteral("ARTIGO"), ctx_->ArticleCode}};
    for (int n = 1; n <= kRows; ++n) {
        const KnitRow& r = row(n);
        c.insert(numbered("TR%1_PERC", n), r.percent);
        c.insert(numbered("TR%1_REFFIO", n), r.yarn);
        c.insert(numbered("TR%1_QTD", n), kg[static_cast<std::size_t>(n - 1)]);
        c.insert(numbered("TE%1_GRAD", n), r.gradation.left(6));
    }
    return c;
}

bool KnittingStep::compute() {
    view_.statusText(0, kSavingStatus);
    std::array<double, 8> kg{};
    if (!consumptions(kg))
        return false;
    for (int i = 0; i < kRows; ++i)
        views_[static_cast<std::size_t>(i)].kg = kg[static_cast<std::size_t>(i)];
    QString error;
    // Looked at only, the consumptions are shown and nothing is written.
    if (anyYarn() && !lookOnly() && !sheets_.saveYarnLayout(layoutColumns(kg), &error)) {
        view_.message(error);
        return false;
    }
    view_.statusText(0, QString());
    return true;
}

bool KnittingStep::deleteLayout() {
    if (!deleteStoredLayout())
        return false;
    input_.rows = {};
    views_ = {};
    return true;
}

bool KnittingStep::finishStep() {
    ctx_->StepCancelled = false;
    view_.statusText(0, kSavingStatus);
    std::array<double, 8> kg{};
    if (!consumptions(kg))
        return false;
    Notes costing;
    if (!costKnittingMachines(machines_, costing)) {
        show(costing);
        view_.focusField(kStepGrid);
        return false;
    }
    if (!gridLeft())
        return false;
    if (tickedCount(machines_) != 1)
        return refuse(kMachineCountRefused, kStepGrid);

    QString error;
    CostTypes costTypes;
    if (!readCostTypes(costTypes, &error)) {
        view_.message(error);
        return false;
    }
    std::vector<FictecDetLine> lines;
    int detail = 1; // the store numbers them after the article's greatest number
    Notes notes;
    const bool built = knittingLines(input_, kg, machines_, yarns_.yarns(), costTypes, ctx_->MachineCostType,
                                     ctx_->YarnCostType, detail, lines, notes);
    show(notes);
    if (!built)
        return false;
    // Without any yarn the stored layout goes with the yarn lines, so the two
    // never disagree.
    const bool layout = anyYarn();
    const QVariantMap columns = layoutColumns(kg);
    const std::function<bool(QString*)> alsoWrite = [&](QString* e) {
        return layout ? sheets_.putYarnLayout(columns, e) : sheets_.dropYarnLayout(ctx_->ArticleCode, e);
    };
    if (!sheets_.replaceStep(ctx_->ArticleCode, kStep, std::move(lines), &error, nullptr, alsoWrite)) {
        view_.message(error);
        return false;
    }
    for (int i = 0; i < kRows; ++i)
        views_[static_cast<std::size_t>(i)].kg = kg[static_cast<std::size_t>(i)];
    if (!layout) {
        view_.beep();
        view_.beep();
        view_.statusText(0, QStringLiteral("O Artigo : ") + ctx_->ArticleCode +
                                QStringLiteral(" não está preenchido !!!"));
    } else {
        view_.statusText(0, QString());
    }
    written_ = true;
    return true;
}

} // namespace corvane::techsheet
