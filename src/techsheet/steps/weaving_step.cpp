#include "weaving_step.h"

#include "core/number_input.h"
#include "shell/data_modules.h"
#include "techsheet/step_lines.h"

#include <algorithm>

namespace corvane::techsheet {

namespace {

const QString kLoomStep = QStringLiteral("T");
const QString kYarnStep = QStringLiteral("G");
constexpr int kLoomGroupType = 4;

std::size_t index(int n) {
    return static_cast<std::size_t>(std::clamp(n, 1, WeavingStep::kPositions) - 1);
}

// The first used position without a consumption: the one a refused
// calculation stopped at.
int stoppedAt(const std::array<YarnPosition, 8>& positions, const std::array<double, 8>& kg) {
    for (int i = 0; i < WeavingStep::kPositions; ++i)
        if (positions[static_cast<std::size_t>(i)].count >= 1 && kg[static_cast<std::size_t>(i)] == 0)
            return i + 1;
    return 1;
}

} // namespace

WeavingStep::WeavingStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                         ScreenView& view)
    : StepScreenBase(ctx, data, factura, std::move(user), view), yarns_(factura) {}

namespace {

screens::FieldRule countRule(WeavingStep::Side side, int n) {
    return side == WeavingStep::Side::Weft ? stepRule(StepTable::YarnLayout, "TR%1_PASSAGENS",
                                                      "Edit_Passagens%1", n, "Trama %1: passagens")
                                           : stepRule(StepTable::YarnLayout, "TE%1_NROFIOS",
                                                      "Edit_TE%1NrFios", n, "Teia %1: número de fios");
}

screens::FieldRule yarnRule(WeavingStep::Side side, int n) {
    return side == WeavingStep::Side::Weft
               ? stepRule(StepTable::YarnLayout, "TR%1_REFFIO", "Edit_TR%1Artigo", n, "Trama %1: fio")
               : stepRule(StepTable::YarnLayout, "TE%1_REFFIO", "Edit_TE%1Artigo", n, "Teia %1: fio");
}

} // namespace

QString WeavingStep::countField(Side side, int n) {
    return countRule(side, n).input;
}

QString WeavingStep::yarnField(Side side, int n) {
    return yarnRule(side, n).input;
}

QList<StepInput> WeavingStep::inputs() {
    QList<StepInput> all;
    for (Side side : {Side::Weft, Side::Warp})
        for (int n = 1; n <= kPositions; ++n)
            all << countInput(side, n) << yarnInput(side, n);
    return all;
}

StepInput WeavingStep::countInput(Side side, int n) {
    return {countRule(side, n), [this, side, n](const QString& typed) { return countLeft(side, n, typed); }};
}

StepInput WeavingStep::yarnInput(Side side, int n) {
    return withLookup(
        {yarnRule(side, n), [this, side, n](const QString& typed) { return yarnLeft(side, n, typed); }},
        yarnLookup());
}

YarnPosition& WeavingStep::at(Side side, int n) {
    return side == Side::Weft ? input_.weft[index(n)] : input_.warp[index(n)];
}

const YarnPosition& WeavingStep::position(Side side, int n) const {
    return side == Side::Weft ? input_.weft[index(n)] : input_.warp[index(n)];
}

WeavingStep::PositionView& WeavingStep::viewAt(Side side, int n) {
    return side == Side::Weft ? weftViews_[index(n)] : warpViews_[index(n)];
}

const WeavingStep::PositionView& WeavingStep::positionView(Side side, int n) const {
    return side == Side::Weft ? weftViews_[index(n)] : warpViews_[index(n)];
}

double WeavingStep::totalKg(Side side) const {
    double total = 0;
    for (const PositionView& v : side == Side::Weft ? weftViews_ : warpViews_)
        total += v.kg;
    return total;
}

bool WeavingStep::open() {
    ctx_->StepCancelled = false;
    written_ = false;
    page_ = Page::Looms;
    input_ = {};
    input_.ArticleCode = ctx_->ArticleCode;
    input_.ArticleWidth = ctx_->ArticleWidth;
    input_.ArticleLength = ctx_->ArticleLength;
    input_.ContractionPercent = ctx_->ContractionPercent;
    weftViews_ = {};
    warpViews_ = {};
    if (ctx_->ArticleCode.trimmed().isEmpty())
        return notOpened(QStringLiteral("Artigo Inválido !!!, Artigo Nº ") + ctx_->ArticleCode);
    QString error;
    if (!readPriceBasis(&error) || !yarns_.read(&error))
        return notOpened(error);
    const std::optional<QVariantMap> layout = sheets_.yarnLayout(ctx_->ArticleCode, &error);
    if (!layout)
        return notOpened(error);
    if (!layout->isEmpty()) {
        for (int n = 1; n <= kPositions; ++n) {
            const struct {
                Side side;
                const char* count;
                const char* yarn;
                const char* kg;
            } columns[] = {{Side::Weft, "TR%1_PASSAGENS", "TR%1_REFFIO", "TR%1_QTD"},
                           {Side::Warp, "TE%1_NROFIOS", "TE%1_REFFIO", "TE%1_QTD"}};
            for (const auto& c : columns) {
                YarnPosition& p = at(c.side, n);
                p.count = std::max(0, layout->value(numbered(c.count, n)).toInt());
                p.yarn = layout->value(numbered(c.yarn, n)).toString().trimmed();
                showYarn(c.side, n);
                PositionView& v = viewAt(c.side, n);
                v.kg = layout->value(numbered(c.kg, n)).toDouble();
                v.enabled = p.count > 0;
            }
        }
    }
    if (!readLooms(&error))
        return notOpened(error);
    return true;
}

bool WeavingStep::readLooms(QString* error) {
    if (!readMachines(kLoomGroupType, looms_, error))
        return false;
    const std::optional<std::vector<FictecDetLine>> lines =
        sheets_.stepLines(ctx_->ArticleCode, kLoomStep, error);
    if (!lines)
        return false;
    // The loom in use, with its time, its time without set-up and the mode
    // whose set-up the line holds.
    for (const FictecDetLine& line : *lines)
        tickMachines(looms_, line, [&line](WorkMachineRow& m) {
            m.QTD_SEMACERTO = line.TMP_SEMACERTO.value_or(0);
            m.TIPOPRD = productionModeOf(m, line);
        });
    // Each loom shows its raports and strips for this article at once; its
    // time and cost stay as written until F12.
    std::vector<WorkMachineRow> computed = looms_;
    LoomChoice choice;
    Notes ignored;
    computeLooms(input_, computed, choice, ignored);
    for (std::size_t i = 0; i < looms_.size(); ++i) {
        looms_[i].RAPORT = computed[i].RAPORT;
        looms_[i].FITAS = computed[i].FITAS;
    }
    sortRows(looms_, sortColumn_);
    return work_.fillMachines(looms_, error);
}

void WeavingStep::showYarn(Side side, int n) {
    PositionView& v = viewAt(side, n);
    const Yarn* y = yarns_.yarn(position(side, n).yarn);
    v.designation = y ? y->DESIGNACAO : QString();
    v.count = y ? y->NEFIO : 0;
}

void WeavingStep::countEntered(Side side, int n) {
    viewAt(side, n).enabled = true;
}

bool WeavingStep::countLeft(Side side, int n, const QString& typed) {
    int count = 0;
    QString message;
    const QString text = typed.trimmed();
    if (!text.isEmpty() && !readWholeNumber(text, &count, &message))
        return refuse(message, countField(side, n));
    if (count < 0)
        return refuse(QStringLiteral("'%1' não é um número válido").arg(text), countField(side, n));
    YarnPosition& p = at(side, n);
    p.count = count;
    PositionView& v = viewAt(side, n);
    if (count == 0) {
        p.yarn.clear();
        v = PositionView{};
    } else {
        v.enabled = true;
    }
    return true;
}

bool WeavingStep::yarnLeft(Side side, int n, const QString& typed) {
    YarnPosition& p = at(side, n);
    const bool taken = takeYarn(yarns_, typed, p.yarn, yarnField(side, n), countField(side, n));
    if (!taken && !typed.trimmed().isEmpty())
        p.yarn = typed.trimmed().left(16); // the code stays in its field
    showYarn(side, n);
    return taken;
}

void WeavingStep::okLeft(int row, bool ticked) {
    if (row < 0 || row >= static_cast<int>(looms_.size()))
        return;
    WorkMachineRow& m = looms_[static_cast<std::size_t>(row)];
    m.OK = ticked ? QStringLiteral("S") : QStringLiteral("N");
    if (!ticked)
        m.QTD = m.PRECO = m.CUSTO = m.QTD_SEMACERTO = 0;
}

bool WeavingStep::modeLeft(int row, const QString& typed) {
    if (row < 0 || row >= static_cast<int>(looms_.size()))
        return false;
    const QString t = typed.trimmed();
    if (t != QLatin1String("1") && t != QLatin1String("2"))
        return refuse(QStringLiteral("Tipo de Produção inválido, 1 ou 2 ..."), kStepGrid);
    looms_[static_cast<std::size_t>(row)].TIPOPRD = t.toInt();
    return true;
}

void WeavingStep::sortBy(const QString& column) {
    sortMachines(looms_, column);
}

bool WeavingStep::gridLeft() {
    return keepMachines(looms_);
}

bool WeavingStep::computeAll(std::array<double, 8>& weftKg, std::array<double, 8>& warpKg) {
    view_.statusText(0, kSavingStatus);
    Notes notes;
    LoomChoice choice;
    page_ = Page::Looms;
    const bool looms = computeLooms(input_, looms_, choice, notes);
    if (!choice.LoomStrips.isEmpty()) {
        ctx_->LoomRaports = choice.LoomRaports;
        ctx_->LoomStrips = choice.LoomStrips;
    }
    gridLeft();
    if (!looms)
        return refusedInGrid(notes);

    page_ = Page::Weft;
    for (PositionView& v : weftViews_)
        v.kg = 0;
    for (PositionView& v : warpViews_)
        v.kg = 0;
    const bool weft = computeWeft(input_, yarns_.yarns(), weftKg, notes);
    for (int i = 0; i < kPositions; ++i)
        weftViews_[static_cast<std::size_t>(i)].kg = weftKg[static_cast<std::size_t>(i)];
    if (!weft) {
        show(notes);
        view_.focusField(yarnField(Side::Weft, stoppedAt(input_.weft, weftKg)));
        return false;
    }

    const bool warp = computeWarp(input_, yarns_.yarns(), looms_, choice.strips, warpKg, notes);
    for (int i = 0; i < kPositions; ++i)
        warpViews_[static_cast<std::size_t>(i)].kg = warpKg[static_cast<std::size_t>(i)];
    if (!warp) {
        if (notes.messages.value(notes.messages.size() - 1) == kMachineCountRefused) {
            page_ = Page::Looms;
            return refusedInGrid(notes);
        }
        page_ = Page::Warp;
        show(notes);
        view_.focusField(yarnField(Side::Warp, stoppedAt(input_.warp, warpKg)));
        return false;
    }
    return true;
}

bool WeavingStep::anyWeftYarn() const {
    return std::any_of(input_.weft.begin(), input_.weft.end(),
                       [](const YarnPosition& p) { return !p.yarn.trimmed().isEmpty(); });
}

QVariantMap WeavingStep::layoutColumns(const std::array<double, 8>& weftKg,
                                       const std::array<double, 8>& warpKg) const {
    QVariantMap c{{QStringLiteral("ARTIGO"), ctx_->ArticleCode}};
    for (int n = 1; n <= kPositions; ++n) {
        const std::size_t i = index(n);
        c.insert(numbered("TR%1_PASSAGENS", n), input_.weft[i].count);
        c.insert(numbered("TR%1_REFFIO", n), input_.weft[i].yarn.left(16));
        c.insert(numbered("TR%1_QTD", n), weftKg[i]);
        c.insert(numbered("TE%1_NROFIOS", n), input_.warp[i].count);
        c.insert(numbered("TE%1_REFFIO", n), input_.warp[i].yarn.left(16));
        c.insert(numbered("TE%1_QTD", n), warpKg[i]);
    }
    return c;
}

bool WeavingStep::compute() {
    std::array<double, 8> weftKg{};
    std::array<double, 8> warpKg{};
    if (!computeAll(weftKg, warpKg))
        return false;
    QString error;
    // Looked at only, the consumptions are shown and nothing is written.
    if (anyWeftYarn() && !lookOnly() && !sheets_.saveYarnLayout(layoutColumns(weftKg, warpKg), &error))
        return refuse(error);
    view_.statusText(0, QString());
    return true;
}

bool WeavingStep::deleteLayout() {
    if (!deleteStoredLayout())
        return false;
    input_.weft = {};
    input_.warp = {};
    weftViews_ = {};
    warpViews_ = {};
    return true;
}

bool WeavingStep::yarnLinesOf(const QVariantMap& layout, const CostTypes& costTypes,
                              std::vector<FictecDetLine>& lines) {
    WeavingInput stored;
    stored.ArticleCode = ctx_->ArticleCode;
    std::array<double, 8> weftKg{};
    std::array<double, 8> warpKg{};
    for (int n = 1; n <= kPositions; ++n) {
        const std::size_t i = index(n);
        stored.weft[i] = {layout.value(numbered("TR%1_PASSAGENS", n)).toInt(),
                          layout.value(numbered("TR%1_REFFIO", n)).toString().trimmed()};
        stored.warp[i] = {layout.value(numbered("TE%1_NROFIOS", n)).toInt(),
                          layout.value(numbered("TE%1_REFFIO", n)).toString().trimmed()};
        weftKg[i] = layout.value(numbered("TR%1_QTD", n)).toDouble();
        warpKg[i] = layout.value(numbered("TE%1_QTD", n)).toDouble();
    }
    Notes notes;
    int detail = 1; // the store numbers them after the article's greatest number
    const bool built = weavingYarnLines(stored, weftKg, warpKg, yarns_.yarns(), costTypes, ctx_->YarnCostType,
                                        detail, lines, notes);
    show(notes);
    return built;
}

void WeavingStep::notFilled() {
    view_.beep();
    view_.beep();
    view_.statusText(0, QStringLiteral("O Artigo : ") + ctx_->ArticleCode +
                            QStringLiteral(" não está preenchido !!!"));
}

bool WeavingStep::finishStep() {
    ctx_->StepCancelled = false;
    std::array<double, 8> weftKg{};
    std::array<double, 8> warpKg{};
    if (!computeAll(weftKg, warpKg))
        return false;
    if (tickedCount(looms_) != 1) {
        page_ = Page::Looms;
        return refuse(kMachineCountRefused, kStepGrid);
    }
    // Without weft the loom would cost its set-up alone beside yarn lines of
    // another layout: refused, the sheet keeps its lines.
    Notes weft;
    if (!checkWeftGiven(input_, weft)) {
        page_ = Page::Weft;
        show(weft);
        view_.focusField(yarnField(Side::Weft, 1));
        return false;
    }
    QString error;
    CostTypes costTypes;
    if (!reported(readCostTypes(costTypes, &error), error))
        return false;

    // The yarn lines and the loom line come from the layout written now.
    const QVariantMap layout = layoutColumns(weftKg, warpKg);
    std::vector<FictecDetLine> yarnLines;
    if (!yarnLinesOf(layout, costTypes, yarnLines))
        return false;
    std::vector<FictecDetLine> loomLines;
    Notes notes;
    int detail = 1;
    if (!weavingLoomLine(input_, looms_, costTypes, ctx_->MachineCostType, detail, loomLines, notes))
        return refusedInGrid(notes);
    show(notes);

    std::vector<SheetStore::StepLines> steps;
    steps.push_back({kLoomStep, std::move(loomLines)});
    steps.push_back({kYarnStep, std::move(yarnLines)});
    const auto alsoWrite = [&](QString* e) { return sheets_.putYarnLayout(layout, e); };
    if (!reported(sheets_.replaceSteps(ctx_->ArticleCode, std::move(steps), &error, alsoWrite), error))
        return false;
    view_.statusText(0, QString());
    written_ = true;
    return true;
}

void WeavingStep::cancel() {
    ctx_->StepCancelled = true;
    QString error;
    CostTypes costTypes;
    const std::optional<QVariantMap> layout = sheets_.yarnLayout(ctx_->ArticleCode, &error);
    if (!layout || !readCostTypes(costTypes, &error)) {
        view_.message(error);
        return;
    }
    std::vector<FictecDetLine> lines;
    if (!layout->isEmpty() && !yarnLinesOf(*layout, costTypes, lines))
        return; // the yarn lines stay as they were
    if (!reported(sheets_.replaceStep(ctx_->ArticleCode, kYarnStep, std::move(lines), &error), error))
        return;
    if (layout->isEmpty())
        notFilled();
}

} // namespace corvane::techsheet
