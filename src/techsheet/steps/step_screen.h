#pragma once

// What every step screen of the technical sheet shares: the context it reads,
// the sheet and work rows it writes, the article lookups of its materials and
// the checks of a material's quantity, price and cost.
#include "articles/store/article_lists.h"
#include "core/screen_view.h"
#include "db/dataset.h"
#include "techsheet/sheet_lines.h"
#include "techsheet/steps/step_inputs.h"
#include "techsheet/store/sheet_store.h"
#include "techsheet/tech_sheet_context.h"

#include <QCollator>
#include <QList>
#include <QVariantList>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

namespace corvane::shell {
class TDTCORVANE;
}

namespace corvane::techsheet {

class YarnLists;

// The ARTIGOSCLS columns a material is shown and priced with.
struct MaterialArticle {
    QString code;
    QString designation;
    QString unit;     // UNCOMPRA
    int type = 0;     // TIPOMAT
    double price = 0; // by PARGER.TIPOPRECO
};

class StepScreenBase {
public:
    StepScreenBase(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                   ScreenView& view);
    virtual ~StepScreenBase() = default;

    // Opening: the work rows refilled and marked from the sheet. False when
    // they could not be read or written (message shown).
    virtual bool open() = 0;
    virtual QString caption() const = 0;
    // A click on the title "Código" (CODIGO) or "Designação" (DESIGNACAO).
    virtual void sortBy(const QString& column) = 0;
    // Leaving the grid: the user's work rows take this screen's rows.
    virtual bool gridLeft() = 0;
    // "&Terminar": true when the step's lines were written and the screen
    // closes. Refused, with the message saying who holds it, while the sheet
    // is only looked at.
    bool finish() { return mayChange() && finishStep(); }
    // "&Cancelar": nothing is written, unless the step says otherwise.
    virtual void cancel() { ctx_->StepCancelled = true; }
    bool written() const { return written_; }

    const QString& stepCode() const { return step_; }
    const TechSheetContext& context() const { return *ctx_; }
    const QString& sortColumn() const { return sortColumn_; }

    // Articles of the materials, for the lookups and the code checks.
    db::Dataset& articlesByCode() { return byCode_; }
    db::Dataset& articlesByName() { return byName_; }
    // The datasets the inputs' lookup lists show (found by their names).
    virtual QList<db::Dataset*> lookupDatasets() { return {&byCode_, &byName_}; }
    // Every input of the step's window, declared, in the window's order.
    virtual QList<StepInput> inputs() = 0;

protected:
    // The article list the material inputs choose from, by code and by name.
    void setArticleList(articles::ArticleList list);
    virtual bool finishStep() = 0;
    // Whether the sheet may be changed: not while another user holds it
    // (the message and false).
    bool mayChange();
    bool lookOnly() const { return !ctx_->LookOnlyReason.isEmpty(); }
    // Messages of a calculation, each after a beep.
    void show(const Notes& notes);
    // A beep and the message, the focus in `field` when one is given; false.
    bool refuse(const QString& message, const QString& field = {});
    bool readNumberOf(const QString& text, double* out);
    // The message of a failed opening; the screen closes and writes nothing.
    bool notOpened(const QString& error);
    // PARGER.TIPOPRECO, the basis of the article prices.
    bool readPriceBasis(QString* error);
    bool readCostTypes(CostTypes& out, QString* error);
    // The machines of the machine groups of `groupType` (GRUPOMAQUINAS.TIPOMAQ), by code.
    bool readMachines(int groupType, std::vector<WorkMachineRow>& rows, QString* error);
    // Ticks the machines a step's line names, with the line's minutes, price
    // and cost; `restore` takes what else of the line the step keeps.
    static void tickMachines(std::vector<WorkMachineRow>& rows, const FictecDetLine& line,
                             const std::function<void(WorkMachineRow&)>& restore);
    // Takes a grid title's column to order by; false for any other column.
    bool takeSortColumn(const QString& column);
    // A grid of machines ordered by a title's column, and kept in the user's
    // work rows (false with the message shown when they cannot be written).
    void sortMachines(std::vector<WorkMachineRow>& rows, const QString& column);
    bool keepMachines(const std::vector<WorkMachineRow>& rows);
    // Delete "Eliminar" on a yarn step: the article's yarn layout deleted once
    // confirmed; true when it was.
    bool deleteStoredLayout();
    // The message of a failed write; `ok`.
    bool reported(bool ok, const QString& error);
    // A refused closing check: its messages, the focus back in the grid; false.
    bool refusedInGrid(const Notes& notes);
    // Replaces the step's lines in one transaction after the messages of
    // their calculation; false (message shown) leaves the sheet unchanged.
    // `alsoWrite` runs in the same transaction (what the step keeps beside).
    bool writeStep(std::vector<FictecDetLine> lines, const Notes& notes,
                   const std::function<bool(QString*)>& alsoWrite = {});

    // The quantity, price and cost fields of a material as they are left:
    // cost := quantity × price, or the typed cost. A price of 0 asks whether
    // to go on; no drops the material.
    enum class PriceAnswer { Taken, Refused, Dropped };
    bool quantityOf(MaterialEntry& m, const QString& typed);
    PriceAnswer priceOf(MaterialEntry& m, const QString& typed);
    bool costOf(MaterialEntry& m, const QString& typed, bool zeroRefused);

    // A yarn code as its field is left: empty, a beep and the focus back in
    // `backField`; not a yarn, "Artigo Inexistente .... : " and the focus
    // stays; a yarn, taken into `code` with a warning when it has no price.
    // False when refused (`code` then empty).
    bool takeYarn(YarnLists& yarns, const QString& typed, QString& code, const QString& field,
                  const QString& backField);
    // The code of material row n (1 to 3) of a screen with three, as it is
    // left: an unchanged code does nothing; row 1 empty is refused; row 2
    // empty drops rows 2 and 3, row 3 empty row 3; a code not in `articles`
    // is refused; a material found takes its designation, unit and price,
    // quantity and cost 0, and a price of 0 asks whether to go on (no runs
    // `cancel`). False when refused.
    bool rowCodeLeft(std::array<MaterialEntry, 3>& rows, std::array<QString, 3>& labels, int n,
                     const QString& typed, db::Dataset& articles, const std::function<void()>& cancel);
    // The inputs of material row n of a step's lines (FICTECDET): its code
    // ("Edit_MpNro<n>", looked up among the articles, its designation in
    // "Label_MpNro<n>"), quantity, unit (only shown), price and cost, each
    // checked by the handler given (called with n and what it holds).
    using RowLeft = std::function<bool(int n, const QString& typed)>;
    static QList<StepInput> materialRow(int n, const RowLeft& code, const RowLeft& quantity,
                                        const RowLeft& price, const RowLeft& cost);

    // An article looked up by code in the invoicing database (any type).
    std::optional<MaterialArticle> findArticle(const QString& code);
    // The article of a material list row, priced by TIPOPRECO.
    MaterialArticle articleOf(db::Dataset& articles, int row) const;
    bool openArticles(QString* error);

    static bool sameCode(const QString& a, const QString& b);
    // Every row of a select as values in column order.
    static bool readRows(db::Database& db, const QString& sql, const QVariantMap& params,
                         QList<QVariantList>& out, QString* error);

    TechSheetContext* ctx_;
    shell::TDTCORVANE& data_;
    db::Database& factura_;
    QString user_;
    ScreenView& view_;
    QString step_;
    SheetStore sheets_;
    WorkRowsStore work_;
    db::Dataset byCode_;
    db::Dataset byName_;
    QString sortColumn_ = QStringLiteral("CODIGO");
    QString priceBasis_;
    bool written_ = false;
};

// Orders a grid's rows by code ("CODIGO") or designation ("DESIGNACAO").
template <typename Row> void sortRows(std::vector<Row>& rows, const QString& column) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const bool byName = column == QLatin1String("DESIGNACAO");
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        return byName ? collator.compare(a.DESIGNACAO, b.DESIGNACAO) < 0 : a.CODIGO < b.CODIGO;
    });
}

// The grid of a step screen, and the status while a step computes or writes.
inline const QString kStepGrid = QStringLiteral("DBGrid1");
inline const QString kSavingStatus = QStringLiteral("Gravação em Curso, aguarde por favor ...");

// The messages of the material fields.
inline const QString kNoArticleLabel = QStringLiteral("Artigo Inexistente ...");
inline const QString kUnknownArticle = QStringLiteral("Artigo inexistente ...");
inline const QString kNoArticlePrice = QStringLiteral("Artigo sem preço definido. Continua ?");
inline const QString kNoMaterialCode = QStringLiteral("Insira o código do material ...");

} // namespace corvane::techsheet
