#pragma once

#include "article_fields.h"
#include "articles/store/article_store.h"
#include "core/screen_view.h"
#include "db/dataset.h"
#include "shell/access_rights.h"

#include <QDate>
#include <QHash>

#include <array>
#include <functional>
#include <memory>

namespace corvane::articles {

enum class ArticleMode { Browsing, Inserting, Changing, Deleting };

// What the article screen asks of its window besides a ScreenView's.
class ArticleView : public ScreenView {
public:
    // Selects a page: kPageGeneral selects the first pages of both page
    // controls, an inner page's caption that page of NB1.
    virtual void selectPage(const QString& page) = 0;
    // The state changed: inputs, boxes, captions, buttons, list.
    virtual void refresh() = 0;
};

// Where the article screen reads and writes.
struct ArticleSources {
    db::Database* factura = nullptr;
    db::Database* contab = nullptr;
    db::Database* corvane = nullptr;      // the technical sheets
    db::Dataset* materialTypes = nullptr; // TIPOMATERIAL of the program database
    QString workingYear;
    QString userCode;
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
};

// The rights of the signed-on user for an application, chapter and program.
using RightsOf = shell::RightsOf;

// What the buttons and inputs of the screen allow now.
// The status line over an article the user may not change.
inline const QString kLookOnlyHint = QStringLiteral("Só consulta: sem autorização para alterar artigos");

struct ArticleButtons {
    bool insertVisible = false; // BotInserir, BotCancelar
    bool deleteVisible = false; // BotDelete
    bool scannerVisible = false;
    bool familyVisible = false; // BotFamilia
    bool tariffVisible = false; // BotPPautal
    bool compositionVisible = false;
    bool vatVisible = false;
    std::array<bool, 9> levelVisible{}; // BotCustom1..9
    bool listButtons = true;            // "&Ins", "&Elim", the navigator, "&Term", "Forns"
    bool deleteEnabled = true;
    bool insertEnabled = true;
    bool codeEnabled = false; // Edit_Codigo
    bool costCentreEnabled = false;
    bool satellitesEnabled = true; // "&Moedas", "&Paises"
};

// The article record screen TCORVF035 without its widgets: the list of the
// ordinary articles, one article at a time in the inputs, opening, changing
// and deleting articles. Modes follow the focus: leaving the list starts
// changing the article shown (or the one being inserted), returning to it
// saves and goes back to browsing.
class ArticleScreen {
public:
    ArticleScreen(ArticleSources sources, ArticleView& view);
    ~ArticleScreen();
    ArticleScreen(const ArticleScreen&) = delete;
    ArticleScreen& operator=(const ArticleScreen&) = delete;

    // FormActivate: rights, parameters, tables, the list by code; false with a
    // message when the screen cannot work (it then closes).
    bool activate(const RightsOf& rightsOf, const QString& signature);
    void close();

    ArticleMode mode() const { return mode_; }
    int saveGuard() const { return saveGuard_; }
    const QString& currentCode() const { return code_; }
    const QString& group() const { return group_; }
    ArticleOrder order() const { return order_; }
    bool codified() const { return codified_; }
    const ArticleButtons& buttons() const { return buttons_; }
    // Whether the inputs take no typing: an article shown to a user without
    // the right to change articles (one being inserted takes typing).
    bool inputsReadOnly() const { return mode_ != ArticleMode::Inserting && !changeRight_; }
    bool accounting() const { return accounting_; }
    bool stocks() const { return stocks_; }

    db::Dataset& list() { return *list_; }
    int currentRow() const { return row_; }
    int articleCount() const { return count_; }
    db::Dataset& suppliers() { return *suppliers_; }
    db::Dataset* lookupDataset(const QString& name) const { return lookups_.value(name); }

    // The text of an input or read-only box, and a level's caption.
    QString text(const QString& input) const { return texts_.value(input); }
    QString levelCaption(int level) const { return captions_.value(level - 1); }
    bool levelEnabled(int level) const { return !captions_.value(level - 1).isEmpty(); }

    // Typing into an input (the designation's length counters follow).
    void setText(const QString& input, const QString& text);
    // Entering an input: its hint, and "&Moedas"/"&Paises" off in Edit_VosRef.
    void fieldEnter(const QString& input);
    // Leaving an input: its check (only while inserting or changing); false
    // keeps the focus in it.
    bool fieldExit(const QString& input, const QString& text);
    // An inner page was chosen; false when it is refused (Stocks without stock).
    bool pageSelected(const QString& page);

    // A row change of the list while browsing shows that article.
    void setCurrentRow(int row);
    void gridExit(); // DBGrid1Exit
    // DBGrid1Enter: saves (see the modes), then browses the article. False
    // when the save failed: the mode and every typed value stay.
    bool gridEnter();
    void insert(); // BotInserirClick
    void cancel(); // BotCancelarClick
    // The close box or Esc: an article being inserted or changed with typed
    // values not yet written asks kAbandonQuestion first (No: the screen
    // stays); true when the screen may close.
    bool leaving();
    // BotDeleteClick: the guards, the question, the deletion; true when deleted.
    bool remove();
    // A title of the list: the order, keeping the current article.
    void sortBy(ArticleOrder order);
    // Positions the list on an article; false when it is not listed (the
    // list stays on the article shown). A large list continues from the
    // article: the rows before it come with fetchBefore().
    bool locate(const QString& code);
    // Reads rows before the first the list holds; how many came (they come
    // first, so the current row moves down by as many).
    int fetchBefore();
    // Reads the list again after another screen changed the article (its
    // technical sheet), staying on it.
    void reread();
    // The first and the last article of the list ("|<", ">|").
    void firstRow();
    void lastRow();

    // "Ficha Técnica" (F12): only products have a sheet.
    bool sheetAllowed();
    // "&Moedas" and "&Paises": only for an article that is saved.
    bool satellitesAllowed();
    // Every article for the lookup "Localizar", by code or alphabetically,
    // opened; null with *error when it cannot be read.
    std::unique_ptr<db::Dataset> lookupList(bool alphabetical, QString* error);
    // "Exportar para Excel": every column of every article in code order,
    // titled "Tabela de Artigos" with the company and the database's alias.
    bool exportList(const QString& path, const QString& company, const QString& databaseAlias,
                    QString* error = nullptr);

    // The values the save writes, converted from the inputs; false with the
    // refused input's message (the save then stops).
    // The typed columns as written; quiet: a text that cannot be converted
    // is left out without a word.
    bool collectValues(QVariantMap* values, bool quiet = false);
    // Changing starts from the article as stored now; false (with a message)
    // when another user deleted it.
    bool startChanging();
    // A column of the article shown: as read when the changing started, else
    // as the list holds it.
    QVariant shown(const QString& column) const;

    // The screen's own rules of its inputs, declared beside them (see
    // articleFields()) and run by fieldExit; false keeps the focus.
    using Rule = screens::FieldRule;
    bool checkCode(const Rule&, const QString& text, const QVariant&);
    bool checkDesignation(const Rule& rule, const QString& text, const QVariant&);
    bool checkArticleType(const Rule& rule, const QString& text, const QVariant&);
    bool checkDiscontinued(const Rule& rule, const QString& text, const QVariant&);
    bool checkTariff(const Rule& rule, const QString& text, const QVariant&);
    bool checkMaterialType(const Rule& rule, const QString& text, const QVariant& value);
    bool checkComposition(const Rule& rule, const QString& text, const QVariant& value);
    bool checkFamily(const Rule& rule, const QString& text, const QVariant&);
    bool checkCostCentre(const Rule&, const QString& text, const QVariant&);
    bool checkLevel(const Rule& rule, const QString&, const QVariant&);
    bool checkVat(const Rule& rule, const QString&, const QVariant& value);
    bool checkCommission(const Rule& rule, const QString& text, const QVariant& value);
    bool checkSalesUnit(const Rule&, const QString& text, const QVariant&);

private:
    int rowOf(const QString& code);
    void showArticle();
    void clearInputs();
    void describe(const QString& input);
    void layOutLevels();
    void lookUpLevel(int level);
    bool openList(QString* error);
    bool reopenList();
    void countArticles();
    bool readParameters(QString* error);
    QString groupOfType(const QString& type) const;
    bool checkField(const QString& input, const QString& text);
    bool refuse(const QString& input, const QString& message, bool beep = true);
    bool codeExit(const QString& text);
    bool costCentreCheck(const QString& text);
    bool lastCaptionedLevel(int level) const;
    void composeDesignation();
    bool save();
    void selectPage(const QString& page) { view_.selectPage(page); }
    int lookupRow(const QString& dataset, const QString& column, const QVariant& key) const;
    QString lookupText(const QString& dataset, const QString& keyColumn, const QVariant& key,
                       const QString& column) const;

    ArticleSources src_;
    ArticleView& view_;
    ArticleStore store_;
    std::unique_ptr<db::Dataset> list_;
    std::unique_ptr<db::Dataset> suppliers_;
    std::unique_ptr<db::Dataset> parCustom_;
    std::unique_ptr<db::Dataset> parGrupos_;
    std::vector<std::unique_ptr<db::Dataset>> owned_;
    QHash<QString, db::Dataset*> lookups_;
    QHash<QString, QString> texts_;
    QStringList captions_;
    std::array<QString, 9> reduced_;
    ArticleButtons buttons_;
    ArticleMode mode_ = ArticleMode::Browsing;
    ArticleOrder order_ = ArticleOrder::Code;
    int saveGuard_ = 9;
    int row_ = -1;
    int count_ = 0;
    QString code_;
    QString group_;
    int level_ = 0;
    bool codified_ = false;
    bool handlers_ = false;
    QHash<QString, QString> openedTexts_; // what the inputs showed when the article was opened for change
    bool accounting_ = false;
    bool stocks_ = false;
    bool orders_ = false;
    bool deleteRight_ = false;
    bool changeRight_ = false;
    QVariant opened_;
    QString openedBy_;
    QString typedDesign_;     // the designation typed, before the levels were added
    QString composedDesign_;  // what the levels made of it
    QVariantMap stored_;      // the row as read when the changing started
    QVariantMap shownValues_; // what the screen showed of it, as it would write it
    QVariantMap parameters_;  // PARCUSTOM "1"
};

QString modeName(ArticleMode mode);
// Whether two article codes are the same code (case and trailing blanks aside).
bool sameCode(const QString& a, const QString& b);

} // namespace corvane::articles
