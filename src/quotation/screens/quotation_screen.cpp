#include "quotation_screen.h"

#include "quotation_inputs.h"

#include "quotation/report/quotation_report.h"
#include "quotation_search.h"

#include "core/number_input.h"

#include <QSysInfo>

namespace corvane::quotation {

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
const QString kNumberHint =
    QStringLiteral("<INS> Procura Numérica, <CTRL+INS> Procura p/ Cliente, <F1> Procura Selectiva ...");
const QString kCustomerHint = QStringLiteral("<INS> Procura Numérica, <CTRL+INS> Procura Alfabética");

const QStringList kQuantities{"Edit_Qtd1", "Edit_Qtd2", "Edit_Qtd3"};

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
    texts_.insert(QStringLiteral("Edit_Serie"), QStringLiteral("1"));
    texts_.insert(QStringLiteral("Edit_DatOrc"), src_.workingDate.toString(kDateFormat));
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
    view_.focusField(QStringLiteral("Edit_Serie"));
    view_.refresh();
    return true;
}

void QuotationScreen::setText(const QString& input, const QString& text) {
    // Looking at another run's quotation: only another series or number.
    if (readOnly_ && input != QLatin1String("Edit_Serie") && input != QLatin1String("Edit_OrcNro"))
        return;
    if (input == QLatin1String("Edit_TipoFt") || input == QLatin1String("Edit_Desenho"))
        texts_.insert(input, text.toUpper());
    else
        texts_.insert(input, text);
}

void QuotationScreen::fieldEnter(const QString& input) {
    if (input == QLatin1String("Edit_OrcNro"))
        view_.statusText(0, kNumberHint);
    else if (input == QLatin1String("Edit_CliNro"))
        view_.statusText(0, kCustomerHint);
    else
        view_.statusText(0, QString());
    if (input == QLatin1String("Edit_Serie")) {
        view_.clearHistory();
        cancelling_ = deleting_ = false;
        deleteEnabled_ = priceFields_ = closeEnabled_ = pricePage_ = false;
        // A quotation still open is left by "&Cancelar", closing or deleting.
        leaveEnabled_ = !open_ || readOnly_;
    } else if (input == QLatin1String("Edit_MargLiq")) {
        q_.mode = PriceMode::Margin;
    } else if (kCustomerPrices.contains(input)) {
        q_.mode = PriceMode::Customer;
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
    bool ok = true;
    if (input == QLatin1String("Edit_Serie"))
        ok = exitSeries();
    else if (input == QLatin1String("Edit_OrcNro"))
        ok = exitNumber();
    else if (!open_ || readOnly_)
        return true;
    else if (input == QLatin1String("Edit_DatOrc"))
        ok = exitDate();
    else if (input == QLatin1String("Edit_CliNro"))
        ok = exitCustomer();
    else if (input == QLatin1String("Edit_TipoFt"))
        ok = exitKind();
    else if (input == QLatin1String("Edit_ArtNro"))
        ok = exitArticle();
    else if (input == QLatin1String("Edit_MargemLiq"))
        ok = exitMargin();
    else if (input == QLatin1String("Edit_Qtd1"))
        ok = exitQuantity1();
    else if (input == QLatin1String("Edit_Qtd2"))
        ok = exitQuantity2();
    else if (input == QLatin1String("Edit_Qtd3"))
        ok = exitQuantity3();
    else if (input == QLatin1String("Edit_Observ1"))
        q_.mas.OBSERV1 = texts_.value(input).left(40);
    else if (input == QLatin1String("Edit_Observ2"))
        q_.mas.OBSERV2 = texts_.value(input).left(40);
    else if (input == QLatin1String("Edit_Desenho"))
        ok = exitDrawing();
    else if (!pricePage_)
        return true;
    else if (input == QLatin1String("Edit_VndNro"))
        ok = exitRepresentative(true);
    else if (input == QLatin1String("Edit_AgtNro"))
        ok = exitRepresentative(false);
    else if (input == QLatin1String("Edit_MetExp"))
        ok = exitMethod();
    else if (input == QLatin1String("Edit_CndPgt"))
        ok = exitCondition();
    else if (input == QLatin1String("Edit_RoyNom"))
        q_.com.ROYNOM = texts_.value(input).left(30);
    else if (input == QLatin1String("Edit_CndPgtDias"))
        ok = number(input, &q_.cndpgt.CNDPGTDIAS, false);
    else
        ok = exitPriceField(input);
    view_.refresh();
    return ok;
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
    const QString input = QStringLiteral("Edit_OrcNro");
    if (number < 1) {
        view_.message(kNothingFound);
        view_.focusField(input);
        return false;
    }
    texts_.insert(input, QString::number(number));
    if (!exitNumber())
        return false;
    view_.focusField(QStringLiteral("Edit_DatOrc"));
    return true;
}

bool QuotationScreen::exitSeries() {
    const QString t = texts_.value(QStringLiteral("Edit_Serie")).trimmed();
    bool isNumber = false;
    const int s = t.toInt(&isNumber);
    if (!isNumber || t.size() != 1 || s < 1 || s > kSeriesCount)
        return refuse(kSeriesMessage);
    series_ = s;
    QString error;
    const std::optional<int> proposal = store_.proposeNumber(s, &error);
    if (!proposal)
        return refuse(error);
    proposal_ = *proposal;
    texts_.insert(QStringLiteral("Edit_OrcNro"), QString::number(proposal_));
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
    for (const char* input : {"Edit_CliNro", "Edit_TipoFt", "Edit_ArtNro", "Edit_MargemLiq", "Edit_Qtd1",
                              "Edit_Qtd2", "Edit_Qtd3", "Edit_Observ1", "Edit_Observ2", "Edit_Desenho"})
        texts_.insert(QLatin1String(input), QString());
    customerName_.clear();
    designation_.clear();
    q_.mas.QUANT = {};
    q_.mas.MARGEMLIQ = 0;
}

void QuotationScreen::showTop() {
    const OrcamMas& m = q_.mas;
    texts_.insert(QStringLiteral("Edit_DatOrc"), m.DATAEMI.date().toString(kDateFormat));
    texts_.insert(QStringLiteral("Edit_CliNro"), m.CLINRO ? QString::number(m.CLINRO) : QString());
    texts_.insert(QStringLiteral("Edit_TipoFt"), m.TIPOFT);
    texts_.insert(QStringLiteral("Edit_ArtNro"), m.ARTIGO);
    texts_.insert(QStringLiteral("Edit_MargemLiq"), numberText(m.MARGEMLIQ));
    for (int i = 0; i < 3; ++i)
        texts_.insert(kQuantities[i], numberText(m.QUANT[i]));
    texts_.insert(QStringLiteral("Edit_Observ1"), m.OBSERV1);
    texts_.insert(QStringLiteral("Edit_Observ2"), m.OBSERV2);
    texts_.insert(QStringLiteral("Edit_Desenho"), m.DESENHO);
}

QString QuotationScreen::levelHeading(int level) const {
    const double qty = q_.mas.QUANT[level - 1];
    return qty > 0 ? QStringLiteral("( ") + numberText(qty) + QStringLiteral(" )") : QString();
}

bool QuotationScreen::exitDate() {
    const QDate d = QDate::fromString(texts_.value(QStringLiteral("Edit_DatOrc")).trimmed(), kDateFormat);
    if (!d.isValid())
        return refuse(
            QStringLiteral("'%1' não é uma data válida").arg(texts_.value(QStringLiteral("Edit_DatOrc"))));
    q_.mas.DATAEMI = QDateTime(d, QTime(0, 0));
    return true;
}

bool QuotationScreen::exitCustomer() {
    const QString t = texts_.value(QStringLiteral("Edit_CliNro")).trimmed();
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

bool QuotationScreen::exitKind() {
    const QString kind = texts_.value(QStringLiteral("Edit_TipoFt")).trimmed().toUpper();
    if (kind != QLatin1String("P") && kind != QLatin1String("T"))
        return refuse(QStringLiteral("Insira <P> para Produto ou <T> para Registo Técnico de Produto !!"));
    q_.mas.TIPOFT = kind;
    return true;
}

bool QuotationScreen::exitArticle() {
    const QString code = texts_.value(QStringLiteral("Edit_ArtNro")).trimmed();
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

bool QuotationScreen::exitMargin() {
    const QString input = QStringLiteral("Edit_MargemLiq");
    double m = 0;
    if (!number(input, &m, q_.mode == PriceMode::Margin))
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

bool QuotationScreen::exitQuantity1() {
    q_.mas.QUANT[0] = 0;
    double q1 = 0;
    if (!number(QStringLiteral("Edit_Qtd1"), &q1, true))
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

bool QuotationScreen::exitQuantity2() {
    q_.mas.QUANT[1] = 0;
    const QString input = QStringLiteral("Edit_Qtd2");
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

bool QuotationScreen::exitQuantity3() {
    q_.mode = PriceMode::Margin;
    q_.mas.QUANT[2] = 0;
    double q3 = 0;
    if (!number(QStringLiteral("Edit_Qtd3"), &q3, true))
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
            view_.focusField(QStringLiteral("Edit_OrcNro"));
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

bool QuotationScreen::exitDrawing() {
    const QString d = texts_.value(QStringLiteral("Edit_Desenho")).trimmed().toUpper();
    if (d != QLatin1String("S") && d != QLatin1String("N"))
        return refuse(QStringLiteral("Digite [S] ou [N]"));
    q_.mas.DESENHO = d;
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
