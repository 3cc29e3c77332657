#include "sheet_screen.h"

#include "core/number_input.h"
#include "core/rounding.h"

namespace corvane::techsheet {

namespace {

// A stored value as its input shows it.
QString shownValue(const QVariant& value, screens::FieldKind kind) {
    if (value.isNull() || !value.isValid())
        return {};
    switch (kind) {
    case screens::FieldKind::Upper:
        return value.toString().trimmed().toUpper();
    case screens::FieldKind::Text:
        return value.toString();
    case screens::FieldKind::Whole:
    case screens::FieldKind::SmallWhole:
    case screens::FieldKind::Number:
        return numberText(value.toDouble());
    }
    return {};
}

} // namespace

SheetScreen::SheetScreen(TechSheetContext& context, SheetView& view) : ctx_(context), view_(view) {}

// ---- opening, cancelling, deleting ----

bool SheetScreen::activate(const SheetReference& reference, const QVariantMap& header, bool hasLines) {
    return open(reference, header, hasLines, false);
}

bool SheetScreen::cancel(const SheetReference& reference, const QVariantMap& header, bool hasLines) {
    const QString chosen = ctx_.SheetKind;
    if (!open(reference, header, hasLines, true))
        return false;
    // Lines made for a kind not saved yet keep that kind: it could not be
    // chosen again while they exist.
    if (!hasHeader() && hasLines_ && chosen != kNoKind) {
        ctx_.SheetKind = chosen;
        opened_ = saveColumns();
        view_.selectPage(chosen);
        view_.refresh();
    }
    return true;
}

bool SheetScreen::open(const SheetReference& reference, const QVariantMap& header, bool hasLines,
                       bool cancelling) {
    ctx_.Cancelling = cancelling;
    if (!reference.parameters) {
        view_.message(kMissingParameters);
        return false;
    }
    takeParameters(*reference.parameters);
    workTypes_ = reference.workTypes;
    ctx_.SheetKind = kNoKind;
    ctx_.LinesOrder = QStringLiteral("CODIGOMP");
    clearInputs();
    ctx_.FringeMeasure = 4 * ctx_.ArticleWidth;
    header_ = header;
    hasLines_ = hasLines;
    if (hasHeader()) {
        loadHeader();
        view_.selectPage(ctx_.SheetKind);
    } else {
        view_.selectPage(kNoKind);
        if (kindChoiceEnabled())
            view_.focusField(kKindGroup);
    }
    opened_ = saveColumns();
    view_.refresh();
    return true;
}

void SheetScreen::headerWritten(const QVariantMap& columns) {
    header_.insert(columns);
    view_.refresh();
}

void SheetScreen::saved() {
    header_.insert(saveColumns());
    opened_ = saveColumns();
    view_.refresh();
}

void SheetScreen::sheetDeleted(const SheetReference& reference) {
    ctx_.StepCancelled = true;
    if (reference.parameters)
        takeParameters(*reference.parameters);
    workTypes_ = reference.workTypes;
    header_.clear();
    hasLines_ = false;
    ctx_.SheetKind = kNoKind;
    clearInputs();
    ctx_.FringeMeasure = 4 * ctx_.ArticleWidth;
    opened_ = saveColumns();
    view_.selectPage(kNoKind);
    view_.focusField(kKindGroup);
    view_.refresh();
}

void SheetScreen::takeParameters(const SheetParameters& p) {
    ctx_.GeneralWastePercent = p.generalWaste;
    ctx_.YarnCostType = p.yarnCostType;
    ctx_.InkCostType = p.inkCostType;
    ctx_.LabelCostType = p.labelCostType;
    ctx_.CardLabelCostType = p.cardLabelCostType;
    ctx_.HangerCostType = p.hangerCostType;
    ctx_.FringeCostType = p.fringeCostType;
    ctx_.MachineCostType = p.machineCostType;
    ctx_.ClothCostType = p.clothCostType;
}

// The fabric values of a header (none: all empty).
void SheetScreen::takeCloth(const QVariantMap& header) {
    ctx_.ClothArticle = header.value(QStringLiteral("TECIDO")).toString();
    ctx_.ClothWidth = header.value(QStringLiteral("LARG_TECIDO")).toDouble();
    ctx_.ClothPieces = header.value(QStringLiteral("PECAS_TECIDO")).toInt();
    ctx_.ClothFitting = header.value(QStringLiteral("ENQ_TECIDO")).toString();
    ctx_.ClothMetres = header.value(QStringLiteral("MTL_TECIDO")).toDouble();
}

void SheetScreen::clearInputs() {
    texts_.clear();
    onButtons_.clear();
    onInputs_.clear();
    ctx_.WorkType = 0;
    ctx_.PassagesPerCm = 0;
    ctx_.ContractionPercent = 0;
    ctx_.YarnWastePercent = 0;
    ctx_.PieceWeight = 0;
    ctx_.PrintSurfacePercent = 0;
    ctx_.OperationMinutes = 0;
    takeCloth({});
}

void SheetScreen::loadHeader() {
    const auto value = [this](const char* column) { return header_.value(QString::fromLatin1(column)); };
    ctx_.SheetKind = value("TIPOFICTEC").toString().trimmed().toUpper();
    for (const SheetInput& in : sheetInputs())
        if (in.page == ctx_.SheetKind)
            texts_.insert(in.rule.input, shownValue(header_.value(in.rule.column), in.rule.kind));
    ctx_.WorkType = value("TIPOTRABALHO").toInt();
    ctx_.PassagesPerCm = value("NROPASSAG").toInt();
    ctx_.ContractionPercent = value("CONTRACOES").toDouble();
    ctx_.YarnWastePercent = value("DESPERD").toDouble();
    ctx_.FringeMeasure = value("LARG_FRANJA").toDouble();
    ctx_.PieceWeight = value("PESOKGS").toDouble();
    ctx_.PrintSurfacePercent = value("SUPIMPR").toDouble();
    takeCloth(header_);
    if (ctx_.SheetKind == kWovenScarf) {
        const WorkType* w = workType(ctx_.WorkType);
        texts_.insert(kWorkTypeLabel, w ? w->designation : QString());
    }
    // The flags stored "S" turn their buttons and inputs on.
    for (const SheetInput& in : sheetInputs())
        if (in.page == ctx_.SheetKind && texts_.value(in.rule.input) == kYes)
            turnOn(in, true);
    setFlag(ctx_.SheetKind, StepRole::Knitting, ctx_.PieceWeight != 0);
    setFlag(ctx_.SheetKind, StepRole::Printing, ctx_.PrintSurfacePercent != 0);
}

void SheetScreen::setHasLines(bool hasLines) {
    hasLines_ = hasLines;
    view_.refresh();
}

// ---- the kind ----

bool SheetScreen::chooseKind(const QString& kind) {
    if (!kindChoiceEnabled() || !sheetKinds().contains(kind))
        return false;
    ctx_.SheetKind = kind;
    ctx_.Cancelling = false;
    if (kind == kWovenScarf) {
        ctx_.YarnWastePercent = ctx_.GeneralWastePercent;
        texts_.insert(inputOf(kind, QStringLiteral("DESPERD")), shown(ctx_.GeneralWastePercent));
        texts_.insert(inputOf(kind, QStringLiteral("LARG_FRANJA")), shown(ctx_.FringeMeasure));
    } else {
        ctx_.YarnWastePercent = number(kind, QStringLiteral("DESPERD"));
    }
    view_.selectPage(kind);
    for (const SheetInput& in : sheetInputs()) {
        if (in.page == kind) {
            view_.focusField(in.rule.input);
            break;
        }
    }
    view_.refresh();
    return true;
}

// ---- inputs ----

bool SheetScreen::fieldEnabled(const QString& input) const {
    const SheetInput* in = sheetInput(input);
    if (!in || in->page != ctx_.SheetKind || in->rule.readOnly || lookOnly())
        return false;
    // An input a flag turns on.
    for (const SheetInput& flag : sheetInputs())
        if (flag.page == in->page && flag.opens == in->rule.column)
            return onInputs_.contains(input);
    return true;
}

void SheetScreen::setText(const QString& input, const QString& text) {
    const SheetInput* in = sheetInput(input);
    if (!in || in->rule.readOnly || lookOnly())
        return;
    const QString held = text.left(in->rule.maxLength);
    texts_.insert(input, in->rule.kind == screens::FieldKind::Upper ? held.toUpper() : held);
}

void SheetScreen::fieldEnter(const QString& input) {
    const SheetInput* in = sheetInput(input);
    view_.statusText(0, in ? in->rule.hint : QString());
}

bool SheetScreen::fieldExit(const QString& input) {
    const SheetInput* in = sheetInput(input);
    if (!in || ctx_.Cancelling || !fieldEnabled(input))
        return true;
    QVariant value;
    const bool ok = in->check ? (this->*in->check)(*in) : converted(*in, &value);
    view_.refresh();
    return ok;
}

bool SheetScreen::refuse(const QString& input, const QString& message, const QString& focus) {
    if (!message.isEmpty()) {
        view_.beep();
        view_.message(message);
    }
    view_.focusField(focus.isEmpty() ? input : focus);
    return false;
}

// ---- saving ----

double SheetScreen::number(const QString& kind, const QString& column) const {
    QString t = textOf(kind, column).trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return t.toDouble(); // 0 when empty or not a number
}

QString SheetScreen::yesNo(const QString& kind, const QString& column) const {
    return textOf(kind, column).trimmed().toUpper();
}

QString SheetScreen::textOf(const QString& kind, const QString& column) const {
    return texts_.value(inputOf(kind, column));
}

QVariantMap SheetScreen::saveColumns() const {
    const QString& kind = ctx_.SheetKind;
    if (!sheetKinds().contains(kind))
        return {};
    QVariantMap m;
    const auto put = [&m](const char* column, const QVariant& value) {
        m.insert(QString::fromLatin1(column), value);
    };
    // Columns taken from the page's inputs as they show them.
    const auto fromInputs = [&](std::initializer_list<const char*> columns) {
        for (const char* c : columns) {
            const QString column = QString::fromLatin1(c);
            switch (pageInput(kind, column)->rule.kind) {
            case screens::FieldKind::Upper:
                m.insert(column, yesNo(kind, column));
                break;
            case screens::FieldKind::Text:
                m.insert(column, textOf(kind, column));
                break;
            case screens::FieldKind::Whole:
            case screens::FieldKind::SmallWhole:
                m.insert(column, int(roundHalfEven(number(kind, column))));
                break;
            case screens::FieldKind::Number:
                m.insert(column, number(kind, column));
                break;
            }
        }
    };
    const auto sampleWeight = [&] {
        if (!textOf(kind, QStringLiteral("PESOAMOSTRA")).trimmed().isEmpty())
            fromInputs({"PESOAMOSTRA"});
    };
    const auto clearFabric = [&] {
        put("LARG_TECIDO", 0.0);
        put("PECAS_TECIDO", 0);
        put("MTL_TECIDO", 0.0);
        put("ENQ_TECIDO", QString());
    };
    put("CODIGO", ctx_.ArticleCode);
    put("TIPOFICTEC", kind);
    fromInputs(
        {"REF_INFORMAT", "ETIQUETA", "ETIQ_CARTOLINA", "CABIDE", "EMBALAGEM", "TMPCABIDE", "TMPDESENHO"});
    if (kind == kWovenScarf) {
        put("TIPOTRABALHO", ctx_.WorkType);
        put("NROPASSAG", ctx_.PassagesPerCm);
        put("CONTRACOES", ctx_.ContractionPercent);
        put("PESOKGS", 0.0);
        put("PESOAMOSTRA", 0.0);
        put("VELOCID_TIRAGEM", 0.0);
        put("VELOCID_CARRO", 0.0);
        put("REMALHA", kNo);
        put("SUBCONTRATO", kNo);
        put("DESPERD", ctx_.YarnWastePercent);
        put("LARG_FRANJA", ctx_.FringeMeasure);
        put("SUPIMPR", 0.0);
        fromInputs({"VAPORIZA", "CORTEULTRA", "COSTURA", "FRANJA", "FITAS", "RAPORT"});
        clearFabric();
    } else if (kind == kKnittedScarf) {
        put("TIPOTRABALHO", 0);
        put("NROPASSAG", 0);
        put("PESOKGS", ctx_.PieceWeight);
        sampleWeight();
        put("DESPERD", ctx_.YarnWastePercent);
        put("LARG_FRANJA", ctx_.FringeMeasure);
        fromInputs({"CORTEULTRA", "COSTURA", "FRANJA", "VAPORIZA", "REMALHA", "SUBCONTRATO",
                    "SUBCONT_BORDADO", "BORDADO", "VELOCID_TIRAGEM", "VELOCID_CARRO"});
        put("FITAS", 0);
        put("RAPORT", 0);
        put("SUPIMPR", 0.0);
        clearFabric();
    } else if (kind == kPrintedScarf) {
        put("TIPOTRABALHO", 0);
        fromInputs({"NRPASSADAS", "RESOLUCAO", "CORTEULTRA", "COSTURA", "FRANJA"});
        put("LARG_FRANJA", ctx_.FringeMeasure);
        put("SUPIMPR", ctx_.PrintSurfacePercent);
        put("DESPERD", 0.0);
        put("VELOCID_TIRAGEM", 0.0);
        put("VELOCID_CARRO", 0.0);
        put("FITAS", 0);
        put("RAPORT", 0);
        put("PESOKGS", 0.0);
        put("PESOAMOSTRA", 0.0);
        put("REMALHA", kNo);
        put("SUBCONTRATO", kNo);
    } else { // kKnittedHat
        put("TIPOTRABALHO", 0);
        put("NRPASSADAS", 0);
        put("PESOKGS", ctx_.PieceWeight);
        sampleWeight();
        put("DESPERD", ctx_.YarnWastePercent);
        fromInputs(
            {"CORTEULTRA", "VAPORIZA", "SUBCONT_BORDADO", "BORDADO", "VELOCID_TIRAGEM", "VELOCID_CARRO"});
        put("COSTURA", kNo);
        put("FRANJA", kNo);
        put("LARG_FRANJA", 0.0);
        put("REMALHA", kNo);
        put("SUBCONTRATO", kNo);
        put("FITAS", 0);
        put("RAPORT", 0);
        put("SUPIMPR", 0.0);
        clearFabric();
    }
    return m;
}

} // namespace corvane::techsheet
