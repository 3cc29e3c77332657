// The quotation screen's price page: the charges, the net margin and the
// customer prices, the calculation after each change, the price chart,
// closing's first step ("&Fechar") and printing.
#include "quotation_screen.h"

#include "quotation_inputs.h"

namespace corvane::quotation {

void QuotationScreen::showPrice() {
    texts_.insert(QStringLiteral("Edit_VndNro"), QString::number(q_.com.VNDNRO));
    texts_.insert(QStringLiteral("Edit_AgtNro"), QString::number(q_.com.AGTNRO));
    texts_.insert(QStringLiteral("Edit_CndPgt"), QString::number(q_.cndpgt.CNDPGTCODE));
    showValues(InputStage::Price);
}

bool QuotationScreen::exitSeller(const QuotationInput&) {
    return exitRepresentative(true);
}

bool QuotationScreen::exitAgent(const QuotationInput&) {
    return exitRepresentative(false);
}

bool QuotationScreen::exitRepresentative(bool seller) {
    const QString input = seller ? QStringLiteral("Edit_VndNro") : QStringLiteral("Edit_AgtNro");
    int& number = seller ? q_.com.VNDNRO : q_.com.AGTNRO;
    QString& name = seller ? q_.com.VNDNOM : q_.com.AGTNOM;
    double& percent = seller ? q_.com.VND.PERC : q_.com.AGT.PERC;
    number = texts_.value(input).trimmed().toInt();
    name.clear();
    percent = 0;
    if (number == 0) {
        view_.beep();
        calculate();
        view_.focusField(seller ? QStringLiteral("Edit_AgtNro") : QStringLiteral("Edit_RoyNom"));
        return false;
    }
    QString error;
    const auto found = seller ? customers_.seller(number, &error) : customers_.agent(number, &error);
    if (!found)
        return failed(error);
    if (!*found) {
        view_.beep();
        calculate();
        return false;
    }
    name = (*found)->NOME;
    percent = (*found)->PRCCOM.value_or(0);
    return calculate();
}

bool QuotationScreen::exitMethod(const QuotationInput& in) {
    const QString code = texts_.value(in.rule.input).trimmed();
    FixedOrPercentCharge& shipping = q_.transp.METEXP;
    shipping.PERC = 0;
    shipping.VALFIXO = 0;
    q_.transp.METEXPCODE.clear();
    if (code.isEmpty()) {
        calculate();
        view_.focusField(QStringLiteral("Edit_SegPerc"));
        return false;
    }
    QString error;
    const auto method = customers_.shippingMethod(code, &error);
    if (!method)
        return failed(error);
    if (!*method) {
        view_.beep();
        calculate();
        return false;
    }
    q_.transp.METEXPCODE = (*method)->METEXPEDICAO;
    shipping.PERC = (*method)->PERCUSTO;
    return calculate();
}

bool QuotationScreen::exitCondition(const QuotationInput& in) {
    const int code = texts_.value(in.rule.input).trimmed().toInt();
    OrcamCndPgt& c = q_.cndpgt;
    c.CNDPGTCODE = code;
    c.CNDPGTDES.clear();
    c.CNDPGTDIAS = 0;
    c.CNDPGT.PERC = 0;
    if (code == 0) {
        calculate();
        view_.focusField(QStringLiteral("Edit_Desc1ValFixo"));
        return false;
    }
    QString error;
    const auto condition = customers_.paymentCondition(code, &error);
    if (!condition)
        return failed(error);
    if (!*condition) {
        view_.beep();
        calculate();
        return false;
    }
    c.CNDPGTDES = paymentConditionText(**condition);
    c.CNDPGTDIAS = (*condition)->NRDIAS;
    c.DESC.PERC = (*condition)->PRCDESC;
    // A percent chosen clears the fixed amount, as typing it does.
    if (c.DESC.PERC > 0)
        c.DESC.VALFIXO = 0;
    return calculate();
}

bool QuotationScreen::exitValue(const QuotationInput& in, bool refuseNegative) {
    const Quotation before = q_;
    if (in.mode)
        q_.mode = *in.mode;
    double v = 0;
    if (!number(in.rule.input, &v, refuseNegative))
        return false;
    in.number(q_) = v;
    if (in.cleared && v > 0)
        in.cleared(q_) = 0;
    if (!in.mirror.isEmpty())
        texts_.insert(in.mirror, numberText(v));
    if (calculate())
        return true;
    q_ = before;
    return false;
}

bool QuotationScreen::exitAmount(const QuotationInput& in) {
    return exitValue(in, false);
}

bool QuotationScreen::exitPercent(const QuotationInput& in) {
    return exitValue(in, q_.mode == PriceMode::Margin);
}

bool QuotationScreen::exitNetMargin(const QuotationInput& in) {
    return exitValue(in, true);
}

bool QuotationScreen::exitLastCustomerPrice(const QuotationInput& in) {
    if (!exitAmount(in))
        return false;
    return !view_.confirm(kCloseQuestion) || closeQuotation();
}

bool QuotationScreen::buildUnitCosts() {
    unitFor_ = q_.mas.QUANT;
    if (q_.mas.ARTIGO.isEmpty()) {
        unit_ = UnitCosts{};
        return true;
    }
    Notes notes;
    QString error;
    const std::optional<UnitCosts> unit =
        sheetUnitCosts(*src_.corvane, q_.mas.ARTIGO, q_.mas.TIPOFT, q_.mas.QUANT, notes, &error);
    for (const QString& m : notes.messages) {
        view_.beep();
        view_.message(m);
    }
    if (!unit)
        return failed(error);
    unit_ = *unit;
    return true;
}

bool QuotationScreen::calculate(bool* refused) {
    if (refused)
        *refused = false;
    if (!mayWrite())
        return false;
    // The transformation cost depends on the quantities: built again for new ones.
    if (unitFor_ != q_.mas.QUANT && !buildUnitCosts())
        return false;
    // Computed apart: until it is written the screen keeps the calculation stored.
    Quotation q = q_;
    Notes notes;
    LevelValues values;
    if (!calculateQuotation(q, unit_, values, notes)) {
        if (refused)
            *refused = true;
        return refuse(notes.messages.join(QLatin1Char('\n')));
    }
    q.mas.VNDNRO = q.com.VNDNRO;
    q.mas.CLINOM = customerName_;
    q.mas.DESIGN = designation_;
    QString error;
    if (!store_.save(recordOf(q), &error))
        return failed(error);
    q_ = q;
    values_ = values;
    changed_ = true;
    drawPriceChart(1);
    showPrice();
    return true;
}

bool QuotationScreen::closeButton() {
    if (!open_ || !pricePage_ || readOnly_)
        return false;
    q_.mode = PriceMode::Margin;
    priceFields_ = true;
    view_.selectPage(kPageQuotation);
    const bool ok = calculate();
    q_.mas.VNDNRO = q_.com.VNDNRO;
    view_.focusField(QStringLiteral("Edit_MargLiq"));
    view_.refresh();
    return ok;
}

bool QuotationScreen::printQuotation(int number) {
    QString error;
    const std::optional<QuotationPrint> q =
        readQuotationPrint(*src_.corvane, *src_.factura, number, src_.workingYear, &error);
    if (!q) {
        view_.beep();
        return failed(error);
    }
    // The totals are there only while the quotation is as it was closed.
    if (q->totals.isEmpty())
        return refuse(kCloseFirstMessage);
    // The report leaves the chart of its level 1 for the user.
    if (!store_.writePriceChart(src_.userCode, printedChart(*q, src_.currencyDecimals), &error))
        view_.message(error);
    view_.previewQuotation(*q);
    return true;
}

LevelFigures QuotationScreen::figures(int level) const {
    return levelFigures(values_, q_.mas, level, src_.currencyDecimals);
}

void QuotationScreen::drawPriceChart(int level) {
    const QList<ChartSlice> slices = priceChartSlices(figures(level));
    // The user's slices are kept for the report; the pie draws these ones.
    QString error;
    if (!store_.writePriceChart(src_.userCode, slices, &error))
        view_.message(error);
    view_.showPriceChart(level, slices);
}

bool QuotationScreen::chartButton(int level) {
    if (!open_ || !pricePage_ || level < 1 || level > 3 || q_.mas.QUANT[static_cast<size_t>(level - 1)] <= 0)
        return false;
    drawPriceChart(level);
    return true;
}

bool QuotationScreen::printButton() {
    return printEnabled() && printQuotation(number_);
}

} // namespace corvane::quotation
