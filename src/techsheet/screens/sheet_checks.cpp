// The checks of the technical-sheet screen's inputs, run when the focus
// leaves one: each applies the input's rule (sheetInputs()), then takes the
// value into the context and turns buttons and inputs on or off.
#include "sheet_screen.h"

namespace corvane::techsheet {

bool SheetScreen::converted(const SheetInput& input, const screens::FieldRule& rule, QVariant* value) {
    QString message;
    return screens::convertField(rule, texts_.value(input.rule.input), value, &message) ||
           refuse(input.rule.input, message);
}

bool SheetScreen::required(const QString& kind, const QString& column, double* value) {
    const SheetInput* in = pageInput(kind, column);
    QVariant v;
    if (!in || !converted(*in, &v))
        return false;
    *value = v.toDouble();
    return true;
}

bool SheetScreen::answer(const SheetInput& input, bool* yes) {
    QVariant v;
    if (!converted(input, &v))
        return false;
    texts_.insert(input.rule.input, v.toString());
    *yes = v.toString() == kYes;
    return true;
}

// A flag's button and input; the focus moves on after "N".
void SheetScreen::turnOn(const SheetInput& flag, bool on) {
    if (flag.button)
        setFlag(flag.page, *flag.button, on);
    if (!flag.opens.isEmpty()) {
        const QString input = inputOf(flag.page, flag.opens);
        if (on)
            onInputs_.insert(input);
        else
            onInputs_.remove(input);
    }
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

// ---- numbers ----

bool SheetScreen::takeWorkType(const SheetInput& in) {
    ctx_.CheckFailed = true;
    QVariant code;
    if (!converted(in, &code))
        return false;
    if (code.toInt() == 0)
        return refuse(in.rule.input, in.rule.emptyMessage);
    const WorkType* w = workType(code.toInt());
    if (!w)
        return refuse(in.rule.input, in.rule.lookup.notFoundMessage);
    texts_.insert(in.rule.lookup.labelName, w->designation);
    texts_.insert(inputOf(in.page, QStringLiteral("NROPASSAG")), QString::number(w->passagesPerCm));
    ctx_.WorkType = w->code;
    ctx_.PassagesPerCm = w->passagesPerCm;
    ctx_.CheckFailed = false;
    return true;
}

// The weaving button checks them again; the context says whether they passed.
bool SheetScreen::recorded(const SheetInput& in, QVariant* value) {
    ctx_.CheckFailed = !converted(in, value);
    return !ctx_.CheckFailed;
}

bool SheetScreen::takePassages(const SheetInput& in) {
    QVariant passages;
    if (!recorded(in, &passages))
        return false;
    ctx_.PassagesPerCm = passages.toInt();
    return true;
}

bool SheetScreen::takeContraction(const SheetInput& in) {
    QVariant percent;
    if (!recorded(in, &percent))
        return false;
    ctx_.ContractionPercent = percent.toDouble(); // %
    return true;
}

// Empty is 0, shown as such.
bool SheetScreen::takeYarnWaste(const SheetInput& in) {
    QVariant percent;
    if (!converted(in, &percent))
        return false;
    ctx_.YarnWastePercent = percent.toDouble();
    texts_.insert(in.rule.input, shown(ctx_.YarnWastePercent));
    return true;
}

// Refused, the focus goes back to the fringe flag.
bool SheetScreen::takeFringeMeasure(const SheetInput& in) {
    QVariant cm; // the fringe measure, cm
    if (!converted(in, &cm)) {
        for (const SheetInput& flag : sheetInputs())
            if (flag.page == in.page && flag.opens == in.rule.column)
                view_.focusField(flag.rule.input);
        return false;
    }
    ctx_.FringeMeasure = cm.toDouble();
    return true;
}

bool SheetScreen::takeTime(const SheetInput& in) {
    return requiredTime(in.page, in.rule.column);
}

bool SheetScreen::typedNumber(const SheetInput& in, double* value) {
    screens::FieldRule number = in.rule;
    number.emptyMessage.clear();
    number.positive = false;
    QVariant typed;
    if (!converted(in, number, &typed))
        return false;
    *value = typed.toDouble();
    return true;
}

// The input's other rules wait for its button.
bool SheetScreen::takeNumberOnly(const SheetInput& in) {
    double value = 0;
    return typedNumber(in, &value);
}

// Empty keeps the focus without a word; a weight turns the knitting button on.
bool SheetScreen::takeWeight(const SheetInput& in) {
    if (texts_.value(in.rule.input).trimmed().isEmpty())
        return refuse(in.rule.input, {});
    QVariant kg;
    if (!converted(in, &kg))
        return false;
    ctx_.PieceWeight = kg.toDouble();
    setFlag(in.page, StepRole::Knitting, true);
    return true;
}

// A share of the surface (%) above 0 and at most 100 turns the printing
// button on; anything else but a wrong number turns it off.
bool SheetScreen::takePrintSurface(const SheetInput& in) {
    double percent = 0;
    if (!typedNumber(in, &percent))
        return false;
    const bool ok = percent > 0 && percent <= 100;
    setFlag(in.page, StepRole::Printing, ok);
    if (percent == 0)
        return refuse(in.rule.input, in.rule.emptyMessage);
    if (!ok)
        return refuse(in.rule.input, in.rule.rangeMessage);
    ctx_.PrintSurfacePercent = percent;
    return true;
}

// ---- yes/no ----

bool SheetScreen::flagStep(const SheetInput& in) {
    bool yes = false;
    if (!answer(in, &yes))
        return false;
    turnOn(in, yes);
    if (!yes && !in.afterNo.isEmpty())
        view_.focusField(inputOf(in.page, in.afterNo));
    return true;
}

bool SheetScreen::flagFringe(const SheetInput& in) {
    if (!flagStep(in))
        return false;
    const QString measure = inputOf(in.page, in.opens);
    if (texts_.value(in.rule.input) == kYes) {
        if (ctx_.FringeMeasure == 0)
            ctx_.FringeMeasure = 4 * ctx_.ArticleWidth;
        texts_.insert(measure, shown(ctx_.FringeMeasure));
    } else {
        texts_.insert(measure, QString());
        ctx_.FringeMeasure = 0;
    }
    return true;
}

bool SheetScreen::flagOwnWork(const SheetInput& in) {
    bool yes = false;
    if (!answer(in, &yes))
        return false;
    if (yes) {
        onInputs_.insert(inputOf(in.page, in.opens));
        return true;
    }
    texts_.insert(inputOf(in.page, in.opens), kNo);
    turnOn(in, false);
    view_.focusField(inputOf(in.page, in.afterNo));
    return true;
}

bool SheetScreen::flagSubcontract(const SheetInput& in) {
    bool yes = false;
    if (!answer(in, &yes))
        return false;
    for (const SheetInput& owner : sheetInputs())
        if (owner.page == in.page && owner.opens == in.rule.column && owner.button)
            setFlag(in.page, *owner.button, true);
    return true;
}

} // namespace corvane::techsheet
