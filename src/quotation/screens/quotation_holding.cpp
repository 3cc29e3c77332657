// The quotation screen's opening and leaving of a quotation: the number
// entered (claimed, created or opened, or only looked at while another run
// holds it), closing, deleting, "&Cancelar", Esc and the close box.
#include "quotation_screen.h"

namespace corvane::quotation {

namespace {

const QString kNumberInput = QStringLiteral("Edit_OrcNro");

QString documentOf(int number) {
    return QuotationStore::documentName(number);
}

} // namespace

bool QuotationScreen::exitNumber(const QuotationInput&) {
    deleteEnabled_ = true;
    const int n = texts_.value(kNumberInput).trimmed().toInt();
    if (n <= 0) {
        view_.focusField(QStringLiteral("Edit_Serie"));
        return false;
    }
    // Leaving the number again keeps the quotation being changed; one only
    // looked at is asked for again.
    if (open_ && n == number_ && !readOnly_)
        return true;
    if (open_ && !leaveForAnother())
        return false;
    db::ClaimHolder holder;
    QString error;
    switch (claims_->claim(documentOf(n), &holder, &error)) {
    case db::DocumentClaims::Outcome::Failed:
        return failed(error);
    case db::DocumentClaims::Outcome::HeldByOther:
        return enterHeldByOther(n, holder);
    case db::DocumentClaims::Outcome::Held:
        break;
    }
    return enterClaimed(n);
}

bool QuotationScreen::enterClaimed(int n) {
    const QDate date =
        QDate::fromString(texts_.value(QStringLiteral("Edit_DatOrc")), QStringLiteral("dd/MM/yyyy"));
    const Entry e = store_.enter(series_, n, QDateTime(date.isValid() ? date : src_.workingDate, QTime(0, 0)),
                                 n == proposal_);
    if (e.outcome == Entry::Outcome::Created || e.outcome == Entry::Outcome::Opened)
        return open(n, e.record, e.outcome == Entry::Outcome::Created, false);
    claims_->release(documentOf(n));
    switch (e.outcome) {
    case Entry::Outcome::Approved:
        return refuse(e.message);
    case Entry::Outcome::Taken:
        // Another user created the proposal meanwhile: the next free number.
        proposal_ = e.proposal;
        texts_.insert(kNumberInput, QString::number(proposal_));
        view_.beep();
        return false;
    default:
        return failed(e.message);
    }
}

bool QuotationScreen::enterHeldByOther(int n, const db::ClaimHolder& holder) {
    QString error;
    if (n == proposal_) {
        // Another user is creating the proposal: the next free number.
        const std::optional<int> next = store_.proposeNumber(series_, &error);
        if (!next)
            return refuse(error);
        proposal_ = std::max(*next, n + 1);
        texts_.insert(kNumberInput, QString::number(proposal_));
        view_.beep();
        return false;
    }
    const std::optional<QuotationRecord> record = store_.read(n, &error);
    if (!record)
        return failed(error);
    if (record->mas.approved())
        return refuse(kApprovedMessage);
    heldBy_ = db::DocumentClaims::inUseText(QStringLiteral("Orçamento"), holder, claims_->now());
    view_.beep();
    view_.message(heldBy_);
    return open(n, *record, false, true);
}

bool QuotationScreen::open(int n, const QuotationRecord& record, bool created, bool lookOnly) {
    number_ = n;
    open_ = true;
    new_ = created;
    readOnly_ = lookOnly;
    changed_ = false;
    asOpened_.reset();
    leaveEnabled_ = lookOnly;
    values_ = LevelValues{};
    unit_ = UnitCosts{};
    unitFor_ = Levels{-1, -1, -1};
    customerName_.clear();
    designation_.clear();
    const int decimals = q_.priceDecimals;
    q_ = Quotation{};
    q_.priceDecimals = decimals;
    take(record);
    if (new_) {
        clearTopFields();
        return true;
    }
    if (!lookOnly)
        asOpened_ = record;
    QString error;
    if (q_.mas.CLINRO != 0) {
        const auto customer = customers_.customer(q_.mas.CLINRO, &error);
        if (!customer)
            return failed(error);
        customerName_ = *customer ? (*customer)->NOME : QStringLiteral("Cliente Inxistente ...");
    }
    if (!q_.mas.ARTIGO.isEmpty()) {
        const auto article = q_.mas.TIPOFT == QLatin1String("T")
                                 ? recordArticle(*src_.corvane, q_.mas.ARTIGO, &error)
                                 : customers_.article(q_.mas.ARTIGO, &error);
        if (!article)
            return failed(error);
        designation_ = *article ? **article : QStringLiteral("Artigo Inexistente ...");
        if (*article && !buildUnitCosts())
            return false;
    }
    if (q_.mas.CLINRO != 0)
        showCustomerHistory();
    if (!q_.mas.ARTIGO.isEmpty())
        showArticleHistory();
    showTop();
    return true;
}

bool QuotationScreen::leaveForAnother() {
    if (new_ && !readOnly_) {
        if (!view_.confirm(kAbandonQuestion)) {
            texts_.insert(kNumberInput, QString::number(number_));
            return false;
        }
        undo();
    }
    releaseClaim();
    reset();
    return true;
}

bool QuotationScreen::mayWrite() {
    if (readOnly_)
        return refuse(heldBy_);
    QString error;
    if (claims_->holds(documentOf(number_), &error))
        return true;
    return error.isEmpty() ? refuse(kClaimLostMessage) : failed(error);
}

void QuotationScreen::releaseClaim() {
    // A connection lost took the claim with it (on SQLite it is taken over).
    if (open_ && !readOnly_ && claims_->database().isConnected())
        claims_->release(documentOf(number_));
}

void QuotationScreen::reset() {
    open_ = new_ = readOnly_ = changed_ = false;
    asOpened_.reset();
    heldBy_.clear();
    closeEnabled_ = priceFields_ = pricePage_ = false;
    clearTopFields();
    view_.clearHistory();
}

bool QuotationScreen::closeQuotation() {
    if (!open_ || !pricePage_ || !mayWrite())
        return false;
    QString error;
    if (!store_.close(series_, record(), closingTotals(values_, src_.currencyDecimals), &error)) {
        // Nothing was written: the values stay for another try.
        view_.beep();
        return failed(error);
    }
    // Closed: no longer a new quotation, nothing left for "&Cancelar" to undo.
    releaseClaim();
    open_ = new_ = changed_ = false;
    asOpened_.reset();
    if (number_ > 0 && view_.confirm(kPrintQuestion))
        printQuotation(number_);
    view_.clearHistory();
    view_.selectPage(kPageInformation);
    closeEnabled_ = priceFields_ = pricePage_ = false;
    clearTopFields();
    q_.mode = PriceMode::Margin;
    values_ = LevelValues{};
    view_.focusField(kNumberInput);
    view_.refresh();
    return true;
}

bool QuotationScreen::remove() {
    if (!open_ || !deleteVisible_ || !mayWrite())
        return false;
    deleting_ = true;
    if (!view_.confirm(kDeleteQuestion)) {
        deleting_ = false;
        return false;
    }
    view_.focusField(QStringLiteral("Edit_Serie"));
    QString error;
    if (!store_.remove(number_, &error)) {
        deleting_ = false;
        return refuse(error);
    }
    releaseClaim();
    reset();
    const std::optional<int> last = store_.lastNumber(&error);
    number_ = last.value_or(0);
    texts_.insert(kNumberInput, QString::number(number_));
    view_.focusField(QStringLiteral("Edit_Serie"));
    view_.refresh();
    return true;
}

void QuotationScreen::undo() {
    // An existing quotation nothing was written to since it was opened is as it was.
    if (!new_ && !changed_)
        return;
    QString error;
    const bool held = claims_->holds(documentOf(number_), &error);
    if (held && store_.cancel(number_, new_ ? std::nullopt : asOpened_, &error))
        return;
    view_.beep();
    view_.message(held || !error.isEmpty() ? error : kClaimLostMessage + QLatin1Char(' ') + kNothingRestored);
}

void QuotationScreen::cancel() {
    cancelling_ = true;
    if (open_ && !readOnly_)
        undo();
    releaseClaim();
    reset();
    view_.selectPage(kPageInformation);
    view_.focusField(QStringLiteral("Edit_Serie"));
    view_.refresh();
}

bool QuotationScreen::leaveScreen() {
    const bool typed = open_ && !readOnly_ && (new_ || changed_);
    if (typed && !view_.confirm(kAbandonQuestion))
        return false;
    cancel();
    return true;
}

void QuotationScreen::screenClosed() {
    releaseClaim();
    open_ = new_ = readOnly_ = false;
}

} // namespace corvane::quotation
