// The step buttons of the technical-sheet screen: which are enabled, which
// step screen each opens and what the sheet takes back when it closes.
#include "sheet_screen.h"

namespace corvane::techsheet {

namespace {

// The steps whose button is on whenever its page is; the others follow a flag.
bool alwaysOn(StepRole step) {
    return step == StepRole::Weaving || step == StepRole::Design || step == StepRole::Fabric;
}

} // namespace

// ---- step buttons ----

bool SheetScreen::buttonEnabled(const QString& button) const {
    const StepButton* b = stepButton(button);
    if (!b || b->kind != ctx_.SheetKind)
        return false;
    return alwaysOn(b->role) || onButtons_.contains(button);
}

// The hanger or design time of a page: neither empty nor 0; the minutes go
// to the operations screen.
bool SheetScreen::requiredTime(const QString& kind, const QString& column) {
    double minutes = 0;
    if (!required(kind, column, &minutes))
        return false;
    ctx_.OperationMinutes = int(minutes);
    return true;
}

StepScreen SheetScreen::screenOf(const QString& button) const {
    const StepButton* b = stepButton(button);
    if (!b)
        return StepScreen::None;
    switch (b->role) {
    case StepRole::Weaving:
        return StepScreen::Weaving;
    case StepRole::Knitting:
        return StepScreen::Knitting;
    case StepRole::Ultrasound:
        return StepScreen::UltrasoundCut;
    case StepRole::Printing:
        return StepScreen::Printing;
    case StepRole::Design:
    case StepRole::Hanger:
    case StepRole::CardLabels:
        return StepScreen::Operations;
    case StepRole::Packaging:
        return StepScreen::Packaging;
    case StepRole::Fabric:
        return StepScreen::Fabric;
    case StepRole::Linking:
        return yesNo(b->kind, QStringLiteral("SUBCONTRATO")) == kYes ? StepScreen::Subcontract
                                                                     : StepScreen::MachineStep;
    case StepRole::Embroidery:
        return yesNo(b->kind, QStringLiteral("SUBCONT_BORDADO")) == kYes ? StepScreen::Subcontract
                                                                         : StepScreen::MachineStep;
    default:
        return StepScreen::MachineStep;
    }
}

StepScreen SheetScreen::prepareStep(const QString& button) {
    const StepButton* b = stepButton(button);
    if (!b || !buttonEnabled(button))
        return StepScreen::None;
    const QString& kind = b->kind;
    double value = 0;
    const auto machine = [this](const char* step, int group) {
        ctx_.StepCode = QString::fromLatin1(step);
        ctx_.MachineGroupType = group;
    };
    const auto operation = [this](const char* step) { ctx_.StepCode = QString::fromLatin1(step); };
    StepScreen screen = StepScreen::MachineStep;
    switch (b->role) {
    case StepRole::Weaving: {
        if (!required(kind, QStringLiteral("NROPASSAG"), &value)) {
            ctx_.CheckFailed = true;
            return StepScreen::None;
        }
        ctx_.PassagesPerCm = int(value);
        if (!required(kind, QStringLiteral("CONTRACOES"), &value)) {
            ctx_.CheckFailed = true;
            return StepScreen::None;
        }
        ctx_.ContractionPercent = value;
        ctx_.CheckFailed = false;
        ctx_.MachineGroupType = 4;
        ctx_.LoomRaports = textOf(kind, QStringLiteral("RAPORT"));
        ctx_.LoomStrips = textOf(kind, QStringLiteral("FITAS"));
        screen = StepScreen::Weaving;
        break;
    }
    case StepRole::Knitting:
        if (!required(kind, QStringLiteral("PESOKGS"), &value))
            return StepScreen::None;
        ctx_.PieceWeight = value;
        machine("A", 3);
        screen = StepScreen::Knitting;
        break;
    case StepRole::Ultrasound:
        ctx_.MachineGroupType = 1;
        screen = StepScreen::UltrasoundCut;
        break;
    case StepRole::SideSeam:
        machine("C", 2);
        break;
    case StepRole::Labels:
        machine("E", 5);
        break;
    case StepRole::Fringe:
        if (!required(kind, QStringLiteral("LARG_FRANJA"), &value)) {
            view_.focusField(inputOf(kind, QStringLiteral("FRANJA")));
            return StepScreen::None;
        }
        ctx_.FringeMeasure = value;
        machine("F", 5);
        break;
    case StepRole::Steaming:
        machine("V", 6);
        break;
    case StepRole::Linking:
        machine("R", 7);
        if (yesNo(kind, QStringLiteral("SUBCONTRATO")) == kYes)
            screen = StepScreen::Subcontract;
        break;
    case StepRole::Embroidery:
        machine("M", 7);
        if (yesNo(kind, QStringLiteral("SUBCONT_BORDADO")) == kYes)
            screen = StepScreen::Subcontract;
        break;
    case StepRole::Saw:
        machine("S", 9);
        break;
    case StepRole::Printing:
        machine("T", 8);
        screen = StepScreen::Printing;
        break;
    case StepRole::Design:
        if (!requiredTime(kind, QStringLiteral("TMPDESENHO")))
            return StepScreen::None;
        operation("H");
        screen = StepScreen::Operations;
        break;
    case StepRole::Hanger:
        if (!requiredTime(kind, QStringLiteral("TMPCABIDE")))
            return StepScreen::None;
        operation("D");
        screen = StepScreen::Operations;
        break;
    case StepRole::CardLabels:
        operation("I");
        screen = StepScreen::Operations;
        break;
    case StepRole::Packaging:
        operation("B");
        screen = StepScreen::Packaging;
        break;
    case StepRole::Fabric:
        takeCloth(header_);
        operation("L");
        screen = StepScreen::Fabric;
        break;
    }
    // A step screen says it was cancelled; nothing is left of an earlier one.
    ctx_.StepCancelled = false;
    return screen;
}

void SheetScreen::weavingClosed() {
    const QString raports = inputOf(kWovenScarf, QStringLiteral("RAPORT"));
    const QString strips = inputOf(kWovenScarf, QStringLiteral("FITAS"));
    if (ctx_.StepCancelled) {
        // The loom line stays as it was, and so do its raports and strips.
        ctx_.LoomRaports = texts_.value(raports);
        ctx_.LoomStrips = texts_.value(strips);
    } else {
        texts_.insert(raports, ctx_.LoomRaports);
        texts_.insert(strips, ctx_.LoomStrips);
    }
    ctx_.StepCancelled = false;
    view_.refresh();
}

QVariantMap SheetScreen::fabricClosed(bool cancelled) {
    if (cancelled) {
        takeCloth(header_);
        return {};
    }
    QVariantMap columns{{QStringLiteral("LARG_TECIDO"), ctx_.ClothWidth},
                        {QStringLiteral("PECAS_TECIDO"), ctx_.ClothPieces},
                        {QStringLiteral("ENQ_TECIDO"), ctx_.ClothFitting},
                        {QStringLiteral("MTL_TECIDO"), ctx_.ClothMetres}};
    if (!hasHeader()) {
        columns.insert(QStringLiteral("CODIGO"), ctx_.ArticleCode);
        columns.insert(QStringLiteral("TIPOFICTEC"), ctx_.SheetKind);
    }
    header_.insert(columns);
    view_.refresh();
    return columns;
}

bool SheetScreen::sortLines(const QString& column) {
    const QString c = column.trimmed().toUpper();
    if (c != QStringLiteral("TIPO") && c != QStringLiteral("CODIGOMP") && c != QStringLiteral("DESIGN"))
        return false;
    ctx_.LinesOrder = c;
    return true;
}

} // namespace corvane::techsheet
