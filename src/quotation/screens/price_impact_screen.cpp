#include "price_impact_screen.h"

#include "core/number_input.h"
#include "techsheet/store/sheet_recost.h"

#include <algorithm>
#include <cmath>

namespace corvane::quotation {

namespace {

QString unknownText(ChangeKind kind, const QString& code) {
    switch (kind) {
    case ChangeKind::Article:
        return QStringLiteral("Artigo Inexistente .... : ") + code;
    case ChangeKind::Machine:
        return QStringLiteral("Máquina Inexistente : ") + code;
    case ChangeKind::Waste:
        break;
    }
    return QStringLiteral("Tipo de Custo Inexistente : ") + code;
}

} // namespace

bool PriceImpactScreen::open(QString* error) {
    today_ = techsheet::readCostReference(corvane_, factura_, error);
    return today_.has_value();
}

std::optional<double> PriceImpactScreen::todayOf(ChangeKind kind, const QString& code) const {
    if (!today_)
        return std::nullopt;
    switch (kind) {
    case ChangeKind::Article:
        return today_->articlePrice(code);
    case ChangeKind::Machine:
        return today_->machineRate(code);
    case ChangeKind::Waste:
        break;
    }
    bool ok = false;
    const int type = code.trimmed().toInt(&ok);
    const techsheet::TipoCusto* t = ok ? techsheet::findCostType(today_->costTypes, type) : nullptr;
    return t ? std::optional<double>(t->DESPERD) : std::nullopt;
}

bool PriceImpactScreen::addChange(ChangeKind kind, const QString& code, const QString& typed,
                                  QString* message) {
    const QString key = techsheet::CostReference::key(code);
    const std::optional<double> today = todayOf(kind, key);
    if (!today) {
        *message = unknownText(kind, key);
        return false;
    }
    double value = 0;
    if (!readNumber(typed, &value, message))
        return false;
    if (!std::isfinite(value) || value < 0 || (kind == ChangeKind::Waste && value >= 100)) {
        *message = kind == ChangeKind::Waste ? QStringLiteral("O desperdício vai de 0 a 100 % ...")
                                             : QStringLiteral("O preço não pode ser negativo ...");
        return false;
    }
    const auto same = std::find_if(changes_.begin(), changes_.end(),
                                   [&](const PriceChange& c) { return c.kind == kind && c.code == key; });
    if (same != changes_.end())
        same->proposed = value;
    else
        changes_.push_back({kind, key, *today, value});
    return true;
}

void PriceImpactScreen::removeChange(int row) {
    if (row >= 0 && row < static_cast<int>(changes_.size()))
        changes_.erase(changes_.begin() + row);
}

bool PriceImpactScreen::setThreshold(const QString& typed, QString* message) {
    double value = 0;
    if (!readNumber(typed, &value, message))
        return false;
    if (!(value >= 0 && value < 100)) {
        *message = QStringLiteral("A margem mínima vai de 0 a 100 % ...");
        return false;
    }
    threshold_ = value;
    return true;
}

bool PriceImpactScreen::run(const ImpactProgress& progress, QString* error) {
    if (changes_.empty()) {
        *error = kNoChanges;
        return false;
    }
    if (!today_ && !open(error))
        return false;
    techsheet::WhatIf w;
    for (const PriceChange& c : changes_) {
        if (c.kind == ChangeKind::Article)
            w.articlePrices.insert(c.code, c.proposed);
        else if (c.kind == ChangeKind::Machine)
            w.machineRates.insert(c.code, c.proposed);
        else
            w.waste.insert(c.code.toInt(), c.proposed);
    }
    const std::optional<techsheet::CostReference> after = techsheet::applyWhatIf(*today_, w, error);
    ImpactReport report;
    if (!after || !priceImpact(corvane_, *today_, *after, threshold_, report, progress, error))
        return false;
    report_ = std::move(report);
    lines_ = impactLines(report_, threshold_);
    return true;
}

components::ChartSeries PriceImpactScreen::marginFalls(int bars) const {
    std::vector<const ImpactLine*> judged;
    for (const ImpactLine& l : lines_)
        if (l.problem.isEmpty())
            judged.push_back(&l);
    std::stable_sort(judged.begin(), judged.end(), [](const ImpactLine* a, const ImpactLine* b) {
        return a->marginToday - a->marginAfter > b->marginToday - b->marginAfter;
    });
    components::ChartSeries s;
    for (const ImpactLine* l : judged) {
        if (s.size() >= bars)
            break;
        s.labels << QStringLiteral("%1/%2").arg(l->number).arg(l->level);
        s.values << l->marginToday - l->marginAfter;
    }
    return s;
}

} // namespace corvane::quotation
