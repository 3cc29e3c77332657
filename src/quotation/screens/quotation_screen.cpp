#include "quotation_screen.h"

#include "core/number_input.h"
#include "quotation_inputs.h"
#include "quotation_search.h"
#include "screens/field_rule.h"

#include <QSysInfo>

namespace corvane::quotation {

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
const QString kSeriesInput = QStringLiteral("Edit_Serie");
const QString kNumberInput = QStringLiteral("Edit_OrcNro");
const QString kDateInput = QStringLiteral("Edit_DatOrc");

} // namespace

QuotationScreen::QuotationScreen(QuotationSources sources, QuotationView& view)
    : src_(std::move(sources)), view_(view),
      ownClaims_(src_.claims ? nullptr
                             : std::make_unique<db::DocumentClaims>(
                                   *src_.corvane,
                                   db::ClaimSession::current(src_.userCode, QSysInfo::machineHostName()))),
      claims_(src_.claims ? src_.claims : ownClaims_.get()), store_(*src_.corvane), customers_(*src_.factura),
      history_(*src_.corvane, *src_.factura, src_.userCode, src_.workingYear) {}

QuotationScreen::~QuotationScreen() {
    releaseClaim();
}

bool QuotationScreen::activate(const QuotationRightsOf& rightsOf) {
    const shell::AccessRights rights =
        rightsOf ? rightsOf(QStringLiteral("CORVANE"), kRightsChapter, kRightsProgram)
                 : shell::AccessRights::none();
    deleteVisible_ = rights.mayDelete();
    QString error;
    if (!store_.writePriceChart(src_.userCode, {}, &error))
        view_.message(error);
    texts_.insert(kSeriesInput, QStringLiteral("1"));
    texts_.insert(kDateInput, src_.workingDate.toString(kDateFormat));
    const std::optional<bool> custom = customers_.hasCustomization(&error);
    if (!custom || !*custom) {
        view_.beep();
        view_.message(QStringLiteral("Problemas c/ leitura Tabelas Customizadas"));
    }
    const std::optional<std::optional<int>> decimals = customers_.priceDecimals(src_.workingYear, &error);
    if (!decimals || !*decimals) {
        view_.message(QStringLiteral("Parâmetros Gerais, Inexistentes"));
        return false;
    }
    q_.priceDecimals = **decimals;
    view_.focusField(kSeriesInput);
    view_.refresh();
    return true;
}

void QuotationScreen::setText(const QString& input, const QString& text) {
    const QuotationInput* in = inputNamed(input);
    // Looking at another run's quotation: only another series or number.
    if (readOnly_ && (!in || in->stage != InputStage::Numbering))
        return;
    texts_.insert(input, in && in->rule.kind == screens::FieldKind::Upper ? text.toUpper() : text);
}

void QuotationScreen::fieldEnter(const QString& input) {
    const QuotationInput* in = inputNamed(input);
    view_.statusText(0, in ? in->rule.hint : QString());
    if (input == kSeriesInput) {
        view_.clearHistory();
        cancelling_ = deleting_ = false;
        deleteEnabled_ = priceFields_ = closeEnabled_ = pricePage_ = false;
        // A quotation still open is left by "&Cancelar", closing or deleting.
        leaveEnabled_ = !open_ || readOnly_;
    } else if (in && in->mode) {
        q_.mode = *in->mode;
    }
    view_.refresh();
}

bool QuotationScreen::refuse(const QString& message, const QString& focus) {
    view_.beep();
    view_.message(message);
    if (!focus.isEmpty())
        view_.focusField(focus);
    return false;
}

bool QuotationScreen::failed(const QString& error) {
    view_.message(error);
    return false;
}

bool QuotationScreen::number(const QString& input, double* value, bool refuseNegative) {
    const QString t = texts_.value(input).trimmed();
    *value = 0;
    QString message;
    if (!t.isEmpty() && !readNumber(t, value, &message))
        return refuse(message);
    if (refuseNegative && *value < 0)
        return refuse(kNegativeMessage);
    return true;
}

bool QuotationScreen::fieldExit(const QString& input) {
    if (cancelling_ || deleting_)
        return true;
    const QuotationInput* in = inputNamed(input);
    if (!in || (in->stage != InputStage::Numbering && (!open_ || readOnly_)) ||
        (in->stage == InputStage::Price && !pricePage_))
        return true;
    const bool ok = exitInput(*in);
    view_.refresh();
    return ok;
}

bool QuotationScreen::exitInput(const QuotationInput& in) {
    if (!in.rule.allowed.isEmpty()) {
        QVariant value;
        QString message;
        if (!screens::convertField(in.rule, texts_.value(in.rule.input).trimmed(), &value, &message))
            return refuse(message);
        texts_.insert(in.rule.input, value.toString());
    }
    return !in.check || (this->*in.check)(in);
}

bool QuotationScreen::keepText(const QuotationInput& in) {
    in.text(q_) = texts_.value(in.rule.input).left(in.rule.maxLength);
    return true;
}

bool QuotationScreen::keepNumber(const QuotationInput& in) {
    return number(in.rule.input, &in.number(q_), false);
}

bool QuotationScreen::lookupChosen(const QString& input, const QString& code) {
    setText(input, code);
    return fieldExit(input);
}

bool QuotationScreen::chooseKind(const QString& kind) {
    if (!lookupChosen(QStringLiteral("Edit_TipoFt"), kind))
        return false;
    view_.focusField(QStringLiteral("Edit_ArtNro"));
    return true;
}

bool QuotationScreen::searchChosen(int number) {
    if (number < 1) {
        view_.message(kNothingFound);
        view_.focusField(kNumberInput);
        return false;
    }
    texts_.insert(kNumberInput, QString::number(number));
    if (!exitNumber(*inputNamed(kNumberInput)))
        return false;
    view_.focusField(kDateInput);
    return true;
}

// The rule took one of the series "1" to "5".
bool QuotationScreen::exitSeries(const QuotationInput& in) {
    const int s = texts_.value(in.rule.input).toInt();
    series_ = s;
    QString error;
    const std::optional<int> proposal = store_.proposeNumber(s, &error);
    if (!proposal)
        return refuse(error);
    proposal_ = *proposal;
    texts_.insert(kNumberInput, QString::number(proposal_));
    return true;
}

void QuotationScreen::take(const QuotationRecord& r) {
    q_.mas = r.mas;
    satellites_ = r.com && r.transp && r.cndpgt && r.desc;
    q_.com = r.com.value_or(OrcamCom{});
    q_.transp = r.transp.value_or(OrcamTransp{});
    q_.cndpgt = r.cndpgt.value_or(OrcamCndPgt{});
    q_.desc = r.desc.value_or(OrcamDesc{});
}

QuotationRecord QuotationScreen::recordOf(const Quotation& q) const {
    QuotationRecord r;
    r.mas = q.mas;
    if (satellites_) {
        r.com = q.com;
        r.transp = q.transp;
        r.cndpgt = q.cndpgt;
        r.desc = q.desc;
    }
    return r;
}

void QuotationScreen::clearTopFields() {
    for (const QuotationInput& in : inputs())
        if (in.stage == InputStage::Top && in.page == kPageInformation && in.rule.input != kDateInput)
            texts_.insert(in.rule.input, QString());
    customerName_.clear();
    designation_.clear();
    q_.mas.QUANT = {};
    q_.mas.MARGEMLIQ = 0;
}

// The texts of the inputs that show a value of the quotation as it is, on
// the inputs of `stage`; fixed amounts and percents of a charge that has
// both show nothing for 0.
void QuotationScreen::showValues(InputStage stage) {
    for (const QuotationInput& in : inputs()) {
        if (in.stage != stage)
            continue;
        if (in.text)
            texts_.insert(in.rule.input, in.text(q_));
        else if (in.number)
            texts_.insert(in.rule.input, in.cleared ? chargeText(in.number(q_)) : numberText(in.number(q_)));
    }
}

void QuotationScreen::showTop() {
    const OrcamMas& m = q_.mas;
    texts_.insert(kDateInput, m.DATAEMI.date().toString(kDateFormat));
    texts_.insert(QStringLiteral("Edit_CliNro"), m.CLINRO ? QString::number(m.CLINRO) : QString());
    showValues(InputStage::Top);
}

QString QuotationScreen::levelHeading(int level) const {
    const double qty = q_.mas.QUANT[level - 1];
    return qty > 0 ? QStringLiteral("( ") + numberText(qty) + QStringLiteral(" )") : QString();
}

bool QuotationScreen::exitDate(const QuotationInput& in) {
    const QString text = texts_.value(in.rule.input);
    const QDate d = QDate::fromString(text.trimmed(), kDateFormat);
    if (!d.isValid())
        return refuse(QStringLiteral("'%1' não é uma data válida").arg(text));
    q_.mas.DATAEMI = QDateTime(d, QTime(0, 0));
    return true;
}

bool QuotationScreen::exitCustomer(const QuotationInput& in) {
    const QString t = texts_.value(in.rule.input).trimmed();
    bool isNumber = false;
    const int code = t.toInt(&isNumber);
    if (t.isEmpty() || !isNumber)
        return refuse(QStringLiteral("Cliente Inválido"));
    QString error;
    const auto customer = customers_.customer(code, &error);
    if (!customer)
        return failed(error);
    if (!*customer) {
        customerName_ = QStringLiteral("Cliente Inxistente ...");
        return refuse(QStringLiteral("Cliente Inexistente : %1").arg(code));
    }
    customerName_ = (*customer)->NOME;
    if (!mayWrite())
        return false;
    const std::optional<Satellites> defaults = customers_.satellites(code, &error);
    if (!defaults || !store_.setCustomer(number_, code, customerName_, *defaults, &error))
        return failed(error);
    changed_ = true;
    const std::optional<QuotationRecord> stored = store_.read(number_, &error);
    if (!stored)
        return failed(error);
    const OrcamMas mas = q_.mas;
    take(*stored);
    q_.mas = mas;
    q_.mas.CLINRO = code;
    q_.mas.CLINOM = customerName_;
    showCustomerHistory();
    return true;
}

bool QuotationScreen::exitArticle(const QuotationInput& in) {
    const QString code = texts_.value(in.rule.input).trimmed();
    const bool record = q_.mas.TIPOFT == QLatin1String("T");
    QString error;
    std::optional<std::optional<QString>> article;
    if (!code.isEmpty())
        article = record ? recordArticle(*src_.corvane, code, &error) : customers_.article(code, &error);
    else
        article = std::optional<QString>{};
    if (!article)
        return failed(error);
    if (!*article)
        return refuse(QStringLiteral("Artigo Inexistente ...") + code);
    if (!record) {
        const std::optional<bool> sheet = hasSheet(*src_.corvane, code, &error);
        if (!sheet)
            return failed(error);
        if (!*sheet)
            return refuse(QStringLiteral("Artigo sem Ficha Técnica ...") + code);
    }
    designation_ = **article;
    q_.mas.ARTIGO = code;
    q_.mas.DESIGN = designation_;
    // The design costs are charged the first time a customer buys an article.
    const std::optional<bool> ordered = customers_.hasOrdered(q_.mas.CLINRO, code, &error);
    if (!ordered)
        return failed(error);
    q_.mas.DESENHO = *ordered ? QStringLiteral("N") : QStringLiteral("S");
    texts_.insert(QStringLiteral("Edit_Desenho"), q_.mas.DESENHO);
    if (!buildUnitCosts())
        return false;
    showArticleHistory();
    return true;
}

bool QuotationScreen::exitMargin(const QuotationInput& in) {
    double m = 0;
    if (!number(in.rule.input, &m, q_.mode == PriceMode::Margin))
        return false;
    if (m == 0)
        return refuse(QStringLiteral("Indique que margem quer aplicar"));
    const Quotation before = q_;
    q_.mas.MARGEMLIQ = m;
    if (pricePage_ && !calculate()) {
        q_ = before;
        return false;
    }
    return true;
}

bool QuotationScreen::exitQuantity1(const QuotationInput& in) {
    q_.mas.QUANT[0] = 0;
    double q1 = 0;
    if (!number(in.rule.input, &q1, true))
        return false;
    if (q1 == 0)
        return refuse(kInvalidQuantity);
    // Changed after the price page: still below the next level (the top
    // fields in order check it on leaving Qtd. II and Qtd. III).
    const double q2 = q_.mas.QUANT[1];
    if (pricePage_ && q2 > 0 && q1 >= q2)
        return refuse(kInvalidQuantity);
    double m = 0;
    if (texts_.value(QStringLiteral("Edit_MargemLiq")).trimmed().isEmpty() ||
        !number(QStringLiteral("Edit_MargemLiq"), &m, q_.mode == PriceMode::Margin))
        return refuse(QStringLiteral("Indique a Margem por favor"), QStringLiteral("Edit_MargemLiq"));
    q_.mas.MARGEMLIQ = m;
    q_.mas.QUANT[0] = q1;
    return true;
}

bool QuotationScreen::exitQuantity2(const QuotationInput& in) {
    q_.mas.QUANT[1] = 0;
    const QString& input = in.rule.input;
    if (texts_.value(input).trimmed().isEmpty()) {
        q_.mas.QUANT[2] = 0; // level 3 is used only with level 2
        return buildUnitCosts();
    }
    double q2 = 0;
    if (!number(input, &q2, true))
        return false;
    const double q3 = q_.mas.QUANT[2];
    if (q2 != 0 && (q2 <= q_.mas.QUANT[0] || (pricePage_ && q3 > 0 && q2 >= q3)))
        return refuse(kInvalidQuantity, QStringLiteral("Edit_Qtd1"));
    q_.mas.QUANT[1] = q2;
    if (q2 == 0)
        q_.mas.QUANT[2] = 0;
    return true;
}

bool QuotationScreen::exitQuantity3(const QuotationInput& in) {
    q_.mode = PriceMode::Margin;
    q_.mas.QUANT[2] = 0;
    double q3 = 0;
    if (!number(in.rule.input, &q3, true))
        return false;
    // The gate to the price page: Q1 < Q2 < Q3, however the fields were reached.
    const Levels& q = q_.mas.QUANT;
    if ((q3 != 0 && (q[1] == 0 || q3 <= q[1])) || q[0] <= 0 || (q[1] != 0 && q[1] <= q[0]))
        return refuse(kInvalidQuantity, QStringLiteral("Edit_Qtd1"));
    q_.mas.QUANT[2] = q3;
    pricePage_ = true;
    view_.selectPage(kPageQuotation);
    bool refused = false;
    if (!buildUnitCosts() || !calculate(&refused)) {
        if (!refused) {
            view_.focusField(kNumberInput);
            return false;
        }
        // The percentages sum to 100 or more: the margin is the one to change.
        pricePage_ = false;
        view_.selectPage(kPageInformation);
        view_.focusField(QStringLiteral("Edit_MargemLiq"));
        return false;
    }
    closeEnabled_ = true;
    view_.focusField(QStringLiteral("Edit_VndNro"));
    return true;
}

// The rule took "S" or "N".
bool QuotationScreen::exitDrawing(const QuotationInput& in) {
    in.text(q_) = texts_.value(in.rule.input);
    return !pricePage_ || calculate();
}

void QuotationScreen::showCustomerHistory() {
    QString error;
    const std::optional<CustomerPanel> panel = history_.customer(q_.mas.CLINRO, &error);
    if (panel)
        view_.showCustomerHistory(*panel);
    else
        view_.message(error);
}

void QuotationScreen::showArticleHistory() {
    QString error;
    const std::optional<ArticlePanel> panel =
        history_.article(q_.mas.CLINRO, q_.mas.ARTIGO, q_.mas.TIPOFT == QLatin1String("T"), &error);
    if (panel)
        view_.showArticleHistory(*panel);
    else
        view_.message(error);
}

} // namespace corvane::quotation
