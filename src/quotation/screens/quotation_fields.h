#pragma once

// Every input of the quotation screen, declared once: its column, kind and
// length from the quotation tables' description (ORCAMMAS and its
// satellites), its caption, width, hint and lookup, where the window shows
// it, and the check that runs when the focus leaves it. The screen checks
// and the window builds its inputs from these declarations.
#include "quotation/quotation_calc.h"
#include "screens/field_rule.h"

#include <optional>

namespace corvane::quotation {

class QuotationScreen;

inline const QString kPageInformation = QStringLiteral("Informação");
inline const QString kPageQuotation = QStringLiteral("Orçamento");
inline const QString kPagePhotos = QStringLiteral("Fotos");
// The tabs of the charges notebook NBOrc on the price page, in order.
inline const QString kTabCommissions = QStringLiteral("&1 - Comissões");
inline const QString kTabTransport = QStringLiteral("&2 - Transporte");
inline const QString kTabPayment = QStringLiteral("&3 - Cond.Pagamento");
inline const QString kTabDiscounts = QStringLiteral("&4 - Descontos");
inline const QStringList kChargeTabs{kTabCommissions, kTabTransport, kTabPayment, kTabDiscounts};

// When the check of an input runs.
enum class InputStage {
    Numbering, // the series and the number: always (also while only looking)
    Top,       // the other top fields: while a quotation is open for change
    Price,     // the price page: once it has been reached
};

struct QuotationInput;
// The check of an input, run after its rule's (screens::convertField when
// the rule lists the values allowed). False keeps the focus in it (or the
// view has been told where the focus goes).
using InputCheck = bool (QuotationScreen::*)(const QuotationInput&);

struct QuotationInput {
    screens::FieldRule rule; // input, column, label (the caption), kind, length, width, hint, lookup
    QString page;            // kPageInformation, kPageQuotation or one of kChargeTabs
    QString beside;          // the label beside the input (its objectName); empty: none
    InputStage stage = InputStage::Top;
    InputCheck check = nullptr; // none: the rule's check only
    // Entering the input selects this price mode.
    std::optional<PriceMode> mode;
    // The value of the quotation the input shows and its check keeps: a text
    // (kept cut to the rule's length) or a number; `cleared` is the other
    // half of a charge given as a fixed amount or a percent, set to 0 when
    // this half is positive (and such halves show nothing for 0).
    QString& (*text)(Quotation&) = nullptr;
    double& (*number)(Quotation&) = nullptr;
    double& (*cleared)(Quotation&) = nullptr;
    // Another input showing the same value, given the value typed here.
    QString mirror;
};

} // namespace corvane::quotation
