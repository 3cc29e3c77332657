#include "sheet_screen.h"

#include "core/number_input.h"
#include "core/rounding.h"

namespace corvane::techsheet {

namespace {

const QString kYes = QStringLiteral("S");
const QString kNo = QStringLiteral("N");

QString shown(double value) {
    return QString::number(value, 'g', 15);
}

// A stored value as its input shows it.
QString shownValue(const QVariant& value, FieldType type) {
    if (value.isNull() || !value.isValid())
        return {};
    switch (type) {
    case FieldType::YesNo:
        return value.toString().trimmed().toUpper();
    case FieldType::Text:
        return value.toString();
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::Real:
        return shown(value.toDouble());
    }
    return {};
}

// The step button a yes/no input turns on and off.
std::optional<StepRole> stepOfFlag(FieldRole role) {
    switch (role) {
    case FieldRole::UltrasoundCut:
        return StepRole::Ultrasound;
    case FieldRole::SawCut:
        return StepRole::Saw;
    case FieldRole::SideSeam:
        return StepRole::SideSeam;
    case FieldRole::Fringe:
        return StepRole::Fringe;
    case FieldRole::Labels:
        return StepRole::Labels;
    case FieldRole::CardLabels:
        return StepRole::CardLabels;
    case FieldRole::Hanger:
        return StepRole::Hanger;
    case FieldRole::Packaging:
        return StepRole::Packaging;
    case FieldRole::Steaming:
        return StepRole::Steaming;
    case FieldRole::Linking:
        return StepRole::Linking;
    case FieldRole::Embroidery:
        return StepRole::Embroidery;
    default:
        return std::nullopt;
    }
}

// The input a yes/no input turns on with "S" (and off with "N").
std::optional<FieldRole> inputOfFlag(FieldRole role) {
    switch (role) {
    case FieldRole::Fringe:
        return FieldRole::FringeMeasure;
    case FieldRole::Hanger:
        return FieldRole::HangerTime;
    case FieldRole::Linking:
        return FieldRole::LinkingSubcontract;
    case FieldRole::Embroidery:
        return FieldRole::EmbroiderySubcontract;
    default:
        return std::nullopt;
    }
}

// Where the focus goes after "N" in a yes/no input of a page.
std::optional<FieldRole> nextAfterNo(const QString& kind, FieldRole role) {
    switch (role) {
    case FieldRole::SideSeam:
        return FieldRole::Fringe;
    case FieldRole::Labels:
        return FieldRole::CardLabels;
    case FieldRole::CardLabels:
        return kind == kWovenScarf ? std::optional(FieldRole::Fringe) : std::nullopt;
    case FieldRole::Fringe:
        return FieldRole::Hanger;
    case FieldRole::Hanger:
        return kind == kWovenScarf ? std::optional(FieldRole::Packaging) : std::nullopt;
    case FieldRole::Linking:
        return FieldRole::DesignTime;
    case FieldRole::Embroidery:
        return kind == kKnittedScarf ? FieldRole::Linking : FieldRole::Labels;
    default:
        return std::nullopt;
    }
}

} // namespace

SheetParameters SheetParameters::fromRow(const QVariantMap& row) {
    SheetParameters p;
    p.generalWaste = row.value(QStringLiteral("DESP_GERAL")).toDouble();
    p.yarnCostType = row.value(QStringLiteral("FIOS_TC")).toInt();
    p.inkCostType = row.value(QStringLiteral("TINTAS_TC")).toInt();
    p.labelCostType = row.value(QStringLiteral("ETIQ_TC")).toInt();
    p.cardLabelCostType = row.value(QStringLiteral("ETIQCART_TC")).toInt();
    p.hangerCostType = row.value(QStringLiteral("CABIDE_TC")).toInt();
    p.fringeCostType = row.value(QStringLiteral("FRANJA_TC")).toInt();
    p.machineCostType = row.value(QStringLiteral("MAQUINAS_TC")).toInt();
    p.clothCostType = row.value(QStringLiteral("TECIDO_TC")).toInt();
    return p;
}

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
    for (const SheetField& f : sheetFields())
        if (f.kind == ctx_.SheetKind)
            texts_.insert(f.input, shownValue(header_.value(f.column), f.type));
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
    for (const SheetField& f : sheetFields()) {
        if (f.kind != ctx_.SheetKind || f.type != FieldType::YesNo || texts_.value(f.input) != kYes)
            continue;
        if (const auto step = stepOfFlag(f.role))
            setFlag(f.kind, *step, true);
        if (const auto input = inputOfFlag(f.role))
            onInputs_.insert(inputOf(f.kind, *input));
    }
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
        texts_.insert(inputOf(kind, FieldRole::YarnWaste), shown(ctx_.GeneralWastePercent));
        texts_.insert(inputOf(kind, FieldRole::FringeMeasure), shown(ctx_.FringeMeasure));
    } else {
        ctx_.YarnWastePercent = number(kind, FieldRole::YarnWaste);
    }
    view_.selectPage(kind);
    for (const SheetField& f : sheetFields()) {
        if (f.kind == kind) {
            view_.focusField(f.input);
            break;
        }
    }
    view_.refresh();
    return true;
}

// ---- inputs ----

bool SheetScreen::fieldEnabled(const QString& input) const {
    const SheetField* f = sheetField(input);
    if (!f || f->kind != ctx_.SheetKind || f->readOnly || lookOnly())
        return false;
    for (const SheetField& flag : sheetFields())
        if (flag.kind == f->kind && inputOfFlag(flag.role) == f->role)
            return onInputs_.contains(input);
    return true;
}

void SheetScreen::setText(const QString& input, const QString& text) {
    const SheetField* f = sheetField(input);
    if (!f || f->readOnly || lookOnly())
        return;
    const QString held = text.left(f->width);
    texts_.insert(input, f->type == FieldType::YesNo ? held.toUpper() : held);
}

void SheetScreen::fieldEnter(const QString& input) {
    const SheetField* f = sheetField(input);
    view_.statusText(0, f && f->role == FieldRole::WorkType ? kWorkTypeHint : QString());
}

bool SheetScreen::fieldExit(const QString& input) {
    const SheetField* f = sheetField(input);
    if (!f || ctx_.Cancelling || !fieldEnabled(input))
        return true;
    const bool ok = checkField(*f);
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

bool SheetScreen::readNumber(const SheetField& field, double* value) {
    const QString t = texts_.value(field.input).trimmed();
    *value = 0;
    if (t.isEmpty())
        return true;
    QString message;
    if (field.type == FieldType::Real) {
        if (corvane::readNumber(t, value, &message))
            return true;
    } else {
        int whole = 0;
        if (readWholeNumber(t, &whole, &message) &&
            (field.type == FieldType::Integer || withinSmallInteger(whole, &message))) {
            *value = whole;
            return true;
        }
    }
    return refuse(field.input, message);
}

// An input that may be neither empty nor 0.
bool SheetScreen::checkRequired(const SheetField& field, const QString& message, double* value) {
    if (texts_.value(field.input).trimmed().isEmpty())
        return refuse(field.input, message);
    if (!readNumber(field, value))
        return false;
    return *value > 0 || refuse(field.input, message); // no negative time, measure or weight either
}

bool SheetScreen::checkField(const SheetField& f) {
    if (f.type == FieldType::YesNo)
        return checkYesNo(f);
    double value = 0;
    switch (f.role) {
    case FieldRole::WorkType:
        return checkWorkType(f);
    case FieldRole::Passages: {
        const bool ok = checkRequired(f, QStringLiteral("Digite o Nº de Passagens ..."), &value);
        ctx_.CheckFailed = !ok;
        if (ok)
            ctx_.PassagesPerCm = int(value);
        return ok;
    }
    case FieldRole::Contraction: {
        const bool ok = checkRequired(f, QStringLiteral("Digite a % de Contracoes ..."), &value);
        ctx_.CheckFailed = !ok;
        if (ok)
            ctx_.ContractionPercent = value;
        return ok;
    }
    case FieldRole::YarnWaste:
        if (!readNumber(f, &value))
            return false;
        ctx_.YarnWastePercent = value;
        texts_.insert(f.input, shown(value));
        return true;
    case FieldRole::FringeMeasure:
        if (!checkRequired(f, QStringLiteral("Insira a medida da Franja ..."), &value)) {
            view_.focusField(inputOf(f.kind, FieldRole::Fringe));
            return false;
        }
        ctx_.FringeMeasure = value;
        return true;
    case FieldRole::HangerTime:
        return requiredTime(f.input);
    case FieldRole::DesignTime:
        // The woven scarf's design time is checked when its button is pressed.
        return f.kind == kWovenScarf ? readNumber(f, &value) : requiredTime(f.input);
    case FieldRole::Weight:
        if (texts_.value(f.input).trimmed().isEmpty())
            return refuse(f.input, {});
        if (!checkRequired(f, QStringLiteral("Insira o Peso da Peça ..."), &value))
            return false;
        ctx_.PieceWeight = value;
        setFlag(f.kind, StepRole::Knitting, true);
        return true;
    case FieldRole::PrintSurface: {
        const bool empty = texts_.value(f.input).trimmed().isEmpty();
        if (!readNumber(f, &value))
            return false;
        if (empty || value == 0) {
            setFlag(f.kind, StepRole::Printing, false);
            return refuse(f.input, QStringLiteral("Defina a % de Superficie Total de Impressão ..."));
        }
        if (value < 0 || value > 100) {
            setFlag(f.kind, StepRole::Printing, false);
            return refuse(f.input, QStringLiteral(" % de Superficie Total de Impressão inválida ..."));
        }
        ctx_.PrintSurfacePercent = value;
        setFlag(f.kind, StepRole::Printing, true);
        return true;
    }
    case FieldRole::SampleWeight:
    case FieldRole::CarriageSpeed:
    case FieldRole::TakeDownSpeed:
    case FieldRole::PrintPasses:
        return readNumber(f, &value);
    default:
        return true;
    }
}

bool SheetScreen::checkWorkType(const SheetField& f) {
    const QString t = texts_.value(f.input).trimmed();
    ctx_.CheckFailed = true;
    if (t.isEmpty() || t == QStringLiteral("0"))
        return refuse(f.input, QStringLiteral("Tipo de Trabalho Inválido ..."));
    double code = 0;
    if (!readNumber(f, &code))
        return false;
    if (code == 0)
        return refuse(f.input, QStringLiteral("Tipo de Trabalho Inválido ..."));
    const WorkType* w = workType(int(code));
    if (!w)
        return refuse(f.input, QStringLiteral("Tipo de Trabalho Inexistente ..."));
    texts_.insert(kWorkTypeLabel, w->designation);
    texts_.insert(inputOf(f.kind, FieldRole::Passages), QString::number(w->passagesPerCm));
    ctx_.WorkType = w->code;
    ctx_.PassagesPerCm = w->passagesPerCm;
    ctx_.CheckFailed = false;
    return true;
}

bool SheetScreen::checkYesNo(const SheetField& f) {
    const QString t = texts_.value(f.input).trimmed().toUpper();
    if (t != kYes && t != kNo)
        return refuse(f.input, kYesNoMessage);
    texts_.insert(f.input, t);
    yesNoDone(f, t == kYes);
    return true;
}

void SheetScreen::yesNoDone(const SheetField& f, bool yes) {
    const auto flagStep = stepOfFlag(f.role);
    const auto flagInput = inputOfFlag(f.role);
    // Linking and embroidery are turned on by saying whether they are
    // subcontracted.
    const bool bySubcontract = f.role == FieldRole::Linking || f.role == FieldRole::Embroidery;
    if (flagStep && !(yes && bySubcontract))
        setFlag(f.kind, *flagStep, yes);
    if (flagInput) {
        const QString input = inputOf(f.kind, *flagInput);
        if (yes)
            onInputs_.insert(input);
        else
            onInputs_.remove(input);
    }
    switch (f.role) {
    case FieldRole::Fringe:
        if (yes) {
            if (ctx_.FringeMeasure == 0)
                ctx_.FringeMeasure = 4 * ctx_.ArticleWidth;
            texts_.insert(inputOf(f.kind, FieldRole::FringeMeasure), shown(ctx_.FringeMeasure));
        } else {
            texts_.insert(inputOf(f.kind, FieldRole::FringeMeasure), QString());
            ctx_.FringeMeasure = 0;
        }
        break;
    case FieldRole::Linking:
    case FieldRole::Embroidery:
        if (!yes)
            texts_.insert(inputOf(f.kind, *flagInput), kNo);
        break;
    case FieldRole::LinkingSubcontract:
        setFlag(f.kind, StepRole::Linking, true);
        break;
    case FieldRole::EmbroiderySubcontract:
        setFlag(f.kind, StepRole::Embroidery, true);
        break;
    default:
        break;
    }
    if (!yes)
        if (const auto next = nextAfterNo(f.kind, f.role))
            view_.focusField(inputOf(f.kind, *next));
}

void SheetScreen::setFlag(const QString& kind, StepRole step, bool on) {
    const QString button = buttonOf(kind, step);
    if (button.isEmpty())
        return;
    if (on)
        onButtons_.insert(button);
    else
        onButtons_.remove(button);
}

const WorkType* SheetScreen::workType(int code) const {
    for (const WorkType& w : workTypes_)
        if (w.code == code)
            return &w;
    return nullptr;
}

// ---- saving ----

double SheetScreen::number(const QString& kind, FieldRole role) const {
    QString t = textOf(kind, role).trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return t.toDouble(); // 0 when empty or not a number
}

QString SheetScreen::yesNo(const QString& kind, FieldRole role) const {
    return textOf(kind, role).trimmed().toUpper();
}

QString SheetScreen::textOf(const QString& kind, FieldRole role) const {
    return texts_.value(inputOf(kind, role));
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
    const auto fromInputs = [&](std::initializer_list<FieldRole> roles) {
        for (FieldRole role : roles) {
            const SheetField* f = fieldOf(kind, role);
            switch (f->type) {
            case FieldType::YesNo:
                m.insert(f->column, yesNo(kind, role));
                break;
            case FieldType::Text:
                m.insert(f->column, textOf(kind, role));
                break;
            case FieldType::SmallInt:
            case FieldType::Integer:
                m.insert(f->column, int(roundHalfEven(number(kind, role))));
                break;
            case FieldType::Real:
                m.insert(f->column, number(kind, role));
                break;
            }
        }
    };
    const auto sampleWeight = [&] {
        if (!textOf(kind, FieldRole::SampleWeight).trimmed().isEmpty())
            fromInputs({FieldRole::SampleWeight});
    };
    const auto clearFabric = [&] {
        put("LARG_TECIDO", 0.0);
        put("PECAS_TECIDO", 0);
        put("MTL_TECIDO", 0.0);
        put("ENQ_TECIDO", QString());
    };
    using R = FieldRole;
    put("CODIGO", ctx_.ArticleCode);
    put("TIPOFICTEC", kind);
    fromInputs(
        {R::Reference, R::Labels, R::CardLabels, R::Hanger, R::Packaging, R::HangerTime, R::DesignTime});
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
        fromInputs({R::Steaming, R::UltrasoundCut, R::SideSeam, R::Fringe, R::Strips, R::Raports});
        clearFabric();
    } else if (kind == kKnittedScarf) {
        put("TIPOTRABALHO", 0);
        put("NROPASSAG", 0);
        put("PESOKGS", ctx_.PieceWeight);
        sampleWeight();
        put("DESPERD", ctx_.YarnWastePercent);
        put("LARG_FRANJA", ctx_.FringeMeasure);
        fromInputs({R::UltrasoundCut, R::SideSeam, R::Fringe, R::Steaming, R::Linking, R::LinkingSubcontract,
                    R::EmbroiderySubcontract, R::Embroidery, R::TakeDownSpeed, R::CarriageSpeed});
        put("FITAS", 0);
        put("RAPORT", 0);
        put("SUPIMPR", 0.0);
        clearFabric();
    } else if (kind == kPrintedScarf) {
        put("TIPOTRABALHO", 0);
        fromInputs({R::PrintPasses, R::Resolution, R::UltrasoundCut, R::SideSeam, R::Fringe});
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
        fromInputs({R::SawCut, R::Steaming, R::EmbroiderySubcontract, R::Embroidery, R::TakeDownSpeed,
                    R::CarriageSpeed});
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
