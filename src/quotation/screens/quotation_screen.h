#pragma once

// The quotation screen TCORVF040 ("Orçamentação") without its widgets: the
// series and the number, the top fields, the price page with its charges,
// the two price modes, closing, deleting and cancelling. It keeps the text of
// every input, checks an input when the focus leaves it, runs the calculation
// after every change and writes through the quotation store.
//
// A quotation being changed is held by one program run at a time
// (db::DocumentClaims under QuotationStore::documentName): claimed when it is
// opened or created, given up when it is closed, cancelled, deleted, left for
// another number or when the screen closes. Another run that opens it is told
// who holds it and may only look: every write is refused.
#include "core/screen_view.h"
#include "db/document_claim.h"
#include "quotation/screens/quotation_fields.h"
#include "quotation/screens/quotation_history.h"
#include "quotation/store/customer_store.h"
#include "quotation/store/quotation_print.h"
#include "quotation/store/quotation_store.h"
#include "shell/access_rights.h"

#include <QDate>
#include <QHash>

#include <functional>
#include <memory>
#include <optional>

namespace corvane::quotation {

inline const QString kRightsChapter = QStringLiteral("Orcamentos");
inline const QString kRightsProgram = QStringLiteral("Elaboracao de Orcamentos");
inline const QString kCloseQuestion = QStringLiteral("Deseja Fechar o Orçamento !!! Confirma ?");
inline const QString kPrintQuestion = QStringLiteral("Deseja Imprimir  Orçamento !!! Confirma ?");
inline const QString kInvalidQuantity = QStringLiteral("Quantidade Inválida !!!");
inline const QString kNegativeMessage = QStringLiteral("Valores negativos não são permitidos ...");
// The claim of the quotation was taken over (this run was thought gone).
inline const QString kClaimLostMessage =
    QStringLiteral("Este Orçamento deixou de estar reservado para si: outro utilizador pode tê-lo alterado.");
inline const QString kNothingRestored = QStringLiteral("Nada foi reposto.");
// "&Imprimir" on a quotation whose stored totals are not those of its rows.
inline const QString kCloseFirstMessage =
    QStringLiteral("Este Orçamento não está fechado, ou foi alterado depois de fechado: feche-o antes de "
                   "imprimir ...");

// What the quotation screen asks of its window besides a ScreenView's.
class QuotationView : public ScreenView {
public:
    // Selects a page of the tab set: kPageInformation or kPageQuotation.
    virtual void selectPage(const QString& page) = 0;
    // The state changed: inputs, value labels, buttons.
    virtual void refresh() = 0;
    // The internal report of the quotation read, in print preview.
    virtual void previewQuotation(const QuotationPrint& quotation) = 0;
    // The customer's history, the article's history and photographs, the
    // price pie of a level (the user's slices as stored), and none of them.
    virtual void showCustomerHistory(const CustomerPanel& panel) = 0;
    virtual void showArticleHistory(const ArticlePanel& panel) = 0;
    virtual void showPriceChart(int level, const QList<ChartSlice>& slices) = 0;
    virtual void clearHistory() = 0;
};

// Where the screen reads and writes, and the working context it needs.
struct QuotationSources {
    db::Database* corvane = nullptr; // the program database: quotations, sheets, SALDOS
    db::Database* factura = nullptr; // the invoicing database: customers, articles, parameters
    QString userCode;
    QDate workingDate;
    QString workingYear;
    int currencyDecimals = 2;
    QString companyName;  // the footer of the reports
    QString reportNotice; // the reports' footer line
    // Who holds which document; none: the screen keeps claims of its own.
    db::DocumentClaims* claims = nullptr;
};

using QuotationRightsOf = shell::RightsOf;

class QuotationScreen {
public:
    QuotationScreen(QuotationSources sources, QuotationView& view);
    ~QuotationScreen();
    QuotationScreen(const QuotationScreen&) = delete;
    QuotationScreen& operator=(const QuotationScreen&) = delete;

    // FormActivate: the rights, the user's chart slices emptied, the series
    // "1" and the working date. False (after its message) when the invoicing
    // parameters of the working year are missing: the screen closes.
    bool activate(const QuotationRightsOf& rightsOf);

    // The text of an input; typing into one.
    QString text(const QString& input) const { return texts_.value(input); }
    void setText(const QString& input, const QString& text);
    // Entering an input: its hint, the price mode of the price page's fields;
    // entering the series starts over.
    void fieldEnter(const QString& input);
    // Leaving an input: its check and what it changes, the calculation after
    // a change of the price page. False keeps the focus in it (or the view
    // has been told where the focus goes).
    bool fieldExit(const QString& input);
    // A code chosen from an input's lookup list: checked as if typed.
    bool lookupChosen(const QString& input, const QString& code);
    // F1 ("P") or F2 ("T") on the article kind: set, checked, and the focus
    // on to the article.
    bool chooseKind(const QString& kind);
    // The number the quotation search (F1 on the number) answered: opened as
    // if typed, the focus on to the date; below 1 "Não foi Identificado
    // nenhum Orçamento" and the focus back in the number.
    bool searchChosen(int number);

    // BotFechar: margin-driven mode, the net margin and customer prices on,
    // a full calculation. False when there is nothing to price.
    bool closeButton();
    // Closing the quotation (confirmed on leaving Edit_PrecoCli3): totals,
    // counter, back to the number. False (values kept) when the store refuses.
    bool closeQuotation();
    // The internal report of quotation `number`: read, the user's chart slices
    // rewritten from it, shown in print preview. False (after the message)
    // when it cannot be read, or with kCloseFirstMessage when its totals are
    // not stored: never closed, or changed since (QuotationStore::save).
    bool printQuotation(int number);
    // BotChart1..3: the pie of a level's price, its slices stored for the
    // user. False when the level is not quoted.
    bool chartButton(int level);
    // The photographs' folder and extension of the working year.
    const QuotationHistory& history() const { return history_; }
    // BotImprimir: the report of the quotation being edited, as closed.
    bool printButton();
    bool printEnabled() const { return open_ && !new_ && number_ > 0; }
    // BotEliminar, after the question. False when refused or not confirmed.
    bool remove();
    // BotCancelar: a new quotation goes, an existing one gets back the rows
    // it had when it was opened — only while this run still holds it;
    // otherwise nothing is restored and the user is told.
    void cancel();
    // Esc and the close box: what "&Cancelar" does, after kAbandonQuestion
    // when typed work would be lost (a new quotation, or changes written since
    // opening). False (No) keeps the screen open.
    bool leaveScreen();
    // The screen closed: the quotation held is given up.
    void screenClosed();

    // Every input of the screen in tab order, and the one of an objectName
    // (null: none), as quotation_fields.cpp declares them.
    static const QList<QuotationInput>& inputs();
    static const QuotationInput* inputNamed(const QString& input);

    const QuotationSources& sources() const { return src_; }
    // State.
    int series() const { return series_; }
    int number() const { return number_; }
    bool hasQuotation() const { return open_; }
    bool isNew() const { return new_; }
    // Opened while another run holds it: it can be looked at, not changed.
    bool readOnly() const { return readOnly_; }
    // "Orçamento em uso por ANA desde 10:42" while readOnly().
    const QString& heldBy() const { return heldBy_; }
    PriceMode mode() const { return q_.mode; }
    int priceDecimals() const { return q_.priceDecimals; }
    int currencyDecimals() const { return src_.currencyDecimals; }
    const Quotation& quotation() const { return q_; }
    const UnitCosts& unitCosts() const { return unit_; }
    const LevelValues& values() const { return values_; }
    // What the price page shows of level `level` (1..3): the figures the
    // closing stores and the report prints (quotation_figures.h).
    LevelFigures figures(int level) const;
    const QString& customerName() const { return customerName_; }
    const QString& designation() const { return designation_; }
    // Buttons and parts of the window.
    bool deleteVisible() const { return deleteVisible_; }
    bool deleteEnabled() const { return deleteEnabled_ && !readOnly_; }
    bool closeEnabled() const { return closeEnabled_ && !readOnly_; }
    bool leaveEnabled() const { return leaveEnabled_; }      // BitTerminar
    bool pricePageEnabled() const { return pricePage_; }     // the tab set
    bool priceFieldsEnabled() const { return priceFields_; } // Edit_MargLiq, Edit_PrecoCli1..3
    // A level's heading: its quantity between "( " and " )", empty when 0.
    QString levelHeading(int level) const;

private:
    bool refuse(const QString& message, const QString& focus = {});
    bool failed(const QString& error);
    // The rule's check of an input (a value among those allowed, its text
    // then as the rule gives it), then the input's own.
    bool exitInput(const QuotationInput& in);
    // The inputs' checks (quotation_fields.cpp refers to them).
    bool exitSeries(const QuotationInput& in);
    bool exitNumber(const QuotationInput& in);
    // The claim of quotation `n` taken: it is entered (created or opened).
    bool enterClaimed(int n);
    // Another run holds quotation `n`: the next proposal, or the quotation
    // opened to be looked at.
    bool enterHeldByOther(int n, const db::ClaimHolder& holder);
    // The state of a quotation entered, its values shown.
    bool open(int n, const QuotationRecord& record, bool created, bool lookOnly);
    // Another number typed while a quotation is open: a new one is abandoned
    // after kAbandonQuestion (No keeps it and false), the claim given up.
    bool leaveForAnother();
    // Whether this run may write the open quotation: it holds its claim.
    bool mayWrite();
    // The writes of "&Cancelar", when this run still holds the quotation.
    void undo();
    void releaseClaim();
    // Back to no quotation: the top fields, the history and the pages cleared.
    void reset();
    bool exitDate(const QuotationInput& in);
    bool exitCustomer(const QuotationInput& in);
    bool exitArticle(const QuotationInput& in);
    bool exitMargin(const QuotationInput& in);
    bool exitQuantity1(const QuotationInput& in);
    bool exitQuantity2(const QuotationInput& in);
    bool exitQuantity3(const QuotationInput& in);
    bool exitDrawing(const QuotationInput& in);
    bool exitSeller(const QuotationInput& in);
    bool exitAgent(const QuotationInput& in);
    bool exitMethod(const QuotationInput& in);
    bool exitCondition(const QuotationInput& in);
    // The text or number the input keeps, nothing else.
    bool keepText(const QuotationInput& in);
    bool keepNumber(const QuotationInput& in);
    // A number of the price page: the price mode the input selects, the value
    // kept (the other half of its charge cleared when positive, its mirror
    // shown), a calculation; the values before it back when refused.
    bool exitValue(const QuotationInput& in, bool refuseNegative);
    // A fixed amount or a customer price; a percent, refused negative in
    // margin-driven mode; the net margin, never negative.
    bool exitAmount(const QuotationInput& in);
    bool exitPercent(const QuotationInput& in);
    bool exitNetMargin(const QuotationInput& in);
    // The last customer price: then closing the quotation is offered.
    bool exitLastCustomerPrice(const QuotationInput& in);
    // Edit_VndNro (seller) or Edit_AgtNro: the name and commission percent.
    bool exitRepresentative(bool seller);
    // Reads a number typed into an input (empty: 0); refuses it with its message.
    bool number(const QString& input, double* value, bool refuseNegative);
    void clearTopFields();
    void showValues(InputStage stage);
    void showTop();
    void showPrice();
    void take(const QuotationRecord& record);
    QuotationRecord recordOf(const Quotation& q) const;
    QuotationRecord record() const { return recordOf(q_); }
    bool buildUnitCosts();
    // The history panels of the customer and of the article; a failure to
    // read them is told and does not stop the quotation.
    void showCustomerHistory();
    void showArticleHistory();
    // The pie of a level's figures, its slices also stored for the user.
    void drawPriceChart(int level);
    // A full calculation: the unit costs again when the quantities changed,
    // the calculation, the rows saved, the level-1 chart. False when refused
    // (*refused: by the calculation itself, as a percentage sum of 100 or
    // more) or not written; then the screen keeps the calculation stored.
    bool calculate(bool* refused = nullptr);

    QuotationSources src_;
    QuotationView& view_;
    std::unique_ptr<db::DocumentClaims> ownClaims_;
    db::DocumentClaims* claims_;
    QuotationStore store_;
    CustomerStore customers_;
    QuotationHistory history_;
    QHash<QString, QString> texts_;

    int series_ = 1;
    int number_ = 0;
    int proposal_ = 0;
    bool open_ = false;       // a quotation is being edited
    bool new_ = false;        // it was created by this screen and never closed
    bool satellites_ = false; // its four charge rows exist
    bool readOnly_ = false;   // another run holds it
    bool changed_ = false;    // written since it was opened
    QString heldBy_;
    std::optional<QuotationRecord> asOpened_;
    bool cancelling_ = false;
    bool deleting_ = false;

    Quotation q_;
    UnitCosts unit_;
    Levels unitFor_{-1, -1, -1}; // the quantities unit_ was built for
    LevelValues values_;
    QString customerName_;
    QString designation_;

    bool deleteVisible_ = false;
    bool deleteEnabled_ = false;
    bool closeEnabled_ = false;
    bool leaveEnabled_ = true;
    bool pricePage_ = false;
    bool priceFields_ = false;
};

} // namespace corvane::quotation
