#pragma once

// The operation steps of a technical sheet: design "H", hanger fitting "D" and
// cardboard labels "I" (TCORVF035_OPERACOES), and packaging "B"
// (TCORVF035_EMBALAGEM). The screen holds its candidate rows in memory: the
// user's WORKFTARTIGOS rows are written from them, never read back, so two
// sessions of one user never mix their rows, and the step's lines are built
// from the rows this screen shows.
#include "core/screen_view.h"
#include "db/dataset.h"
#include "techsheet/operation_calc.h"
#include "techsheet/store/sheet_store.h"
#include "techsheet/tech_sheet_context.h"

#include <array>

namespace corvane::shell {
class TDTCORVANE;
}

namespace corvane::techsheet {

// The article price PARGER.TIPOPRECO chooses: "CUP" standard cost, "PMC"
// average cost, "PUE" last entry price, any other 0.
double priceByBasis(const QString& basis, double standard, double average, double lastEntry);

// The ARTIGOSCLS columns a material is shown and priced with.
struct MaterialArticle {
    QString code;
    QString designation;
    QString unit;     // UNCOMPRA
    int type = 0;     // TIPOMAT
    double price = 0; // by PARGER.TIPOPRECO
};

// What both operation screens share: the candidate rows and their grid, the
// opening, the closing and the writing of the step.
class OperationStepScreen {
public:
    OperationStepScreen(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                        ScreenView& view);
    virtual ~OperationStepScreen() = default;

    // Opening: the work rows refilled from the reference table and marked from
    // the sheet. False when they could not be read or written (message shown).
    bool open();
    virtual QString caption() const = 0;
    const QString& stepCode() const { return step_; }
    const TechSheetContext& context() const { return *ctx_; }

    // The grid DBGrid1, in the order shown.
    const std::vector<WorkArticleRow>& rows() const { return rows_; }
    // Leaving the OK column of a row ticked or not.
    void okLeft(int row, bool ticked);
    // Leaving the time column with what was typed; false refuses it (message shown).
    bool timeLeft(int row, const QString& typed);
    // A click on the title "Código" (CODIGO) or "Designação" (DESIGNACAO).
    void sortBy(const QString& column);
    const QString& sortColumn() const { return sortColumn_; }
    // Leaving the grid: the user's work rows take this screen's rows.
    bool gridLeft();

    // "&Terminar": the closing checks, then the step's lines replaced in one
    // transaction. True when they were written and the screen closes; false
    // keeps the screen open with everything entered.
    bool finish();
    // "&Cancelar": nothing is written.
    void cancel();
    bool written() const { return written_; }

    // Articles of the materials, for the lookups and the code checks.
    db::Dataset& articlesByCode() { return byCode_; }
    db::Dataset& articlesByName() { return byName_; }

protected:
    // The candidates of the step as the reference table now has them.
    virtual bool readCandidates(std::vector<WorkArticleRow>& rows, QString* error) = 0;
    // Whether a line of the step marks its candidate row.
    virtual bool marksRow(const FictecDetLine& line) const = 0;
    // The materials found on the step's lines when the screen opens.
    virtual void materialsFromSheet(const std::vector<FictecDetLine>& lines) = 0;
    // Messages of a calculation, each after a beep.
    void show(const Notes& notes);
    // A beep and the message; false.
    bool refuse(const QString& message);
    // The quantity, price and cost fields of a material as they are left:
    // cost := quantity × price, or the typed cost. A price of 0 asks whether
    // to go on; no drops the material.
    enum class PriceAnswer { Taken, Refused, Dropped };
    bool quantityOf(MaterialEntry& m, const QString& typed);
    PriceAnswer priceOf(MaterialEntry& m, const QString& typed);
    bool costOf(MaterialEntry& m, const QString& typed, bool zeroRefused);
    // After opening, once the rows are shown.
    virtual void opened() {}
    // The step's own closing questions; false keeps the screen open.
    virtual bool closingQuestions() = 0;
    virtual std::vector<MaterialEntry> materialsToWrite() const = 0;

    // An article looked up by code in the invoicing database (any type).
    std::optional<MaterialArticle> findArticle(const QString& code);
    // The article of a material list row, priced by TIPOPRECO.
    MaterialArticle articleOf(db::Dataset& articles, int row) const;
    bool openArticles(QString* error);
    int rowOf(const QString& code) const;
    bool readNumberOf(const QString& text, double* out);

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
    std::vector<WorkArticleRow> rows_;
    QString sortColumn_ = QStringLiteral("CODIGO");
    QString priceBasis_;
    bool written_ = false;

private:
    void applySort();
    bool notOpened(const QString& error);
    bool readCostTypes(CostTypes& out, QString* error);
};

// TCORVF035_OPERACOES: design, hanger fitting and cardboard labels, with at
// most one material of the step's material types ("D" and "I").
class OperationStep : public OperationStepScreen {
public:
    OperationStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                  ScreenView& view);

    QString caption() const override;
    // "Tempo  : " with OperationMinutes, hidden on "I".
    bool showsMinutes() const { return step_ != QLatin1String("I"); }
    bool hasMaterial() const { return step_ != QLatin1String("H"); }
    // The step's material types (TIPOMATERIAL in the step's range), for the lookup.
    db::Dataset& materialTypes() { return types_; }

    // The material: type, code (with its designation label), quantity, unit,
    // price and cost.
    const MaterialEntry& material() const { return material_; }
    int materialType() const { return materialType_; }
    const QString& materialLabel() const { return materialLabel_; }
    bool materialEnabled() const { return materialEnabled_; }

    // Grid F1 "Inserir Material ": false on "H".
    bool insertMaterial();
    // Entering the type field clears the suspension of the checks.
    void typeEntered();
    bool typeLeft(const QString& typed);
    bool codeLeft(const QString& typed);
    bool quantityLeft(const QString& typed);
    bool priceLeft(const QString& typed);
    bool costLeft(const QString& typed);
    // F7 "Cancelar" on the material fields: the material cleared, checks suspended.
    void cancelMaterial();
    // F1 "Alterar Operação": checks suspended (from the type), focus to the grid.
    void backToGrid(bool fromType);

protected:
    bool readCandidates(std::vector<WorkArticleRow>& rows, QString* error) override;
    bool marksRow(const FictecDetLine& line) const override;
    void materialsFromSheet(const std::vector<FictecDetLine>& lines) override;
    void opened() override;
    bool closingQuestions() override;
    std::vector<MaterialEntry> materialsToWrite() const override;

private:
    bool suspended() const { return ctx_->StepCancelled; }
    int costType() const;
    bool openTypeArticles(int type);

    db::Dataset types_;
    MaterialEntry material_;
    int materialType_ = 0;
    int articlesType_ = -1;
    QString materialLabel_;
    bool materialEnabled_ = false;
};

// TCORVF035_EMBALAGEM: packaging types with up to three materials, proposed
// from the packaging type's subsidiary materials (EMBALAGEMMP) while the sheet
// has none.
class PackagingStep : public OperationStepScreen {
public:
    static constexpr int kMaterials = 3;
    PackagingStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                  ScreenView& view);

    QString caption() const override;
    // Material rows 1 to 3.
    const MaterialEntry& material(int n) const { return materials_[n - 1]; }
    const QString& materialLabel(int n) const { return labels_[n - 1]; }
    bool materialEnabled() const { return materialEnabled_; }
    // Whether the materials follow the current packaging row.
    bool following() const { return following_; }

    // The current packaging row changed (Edit_Codigo).
    void currentRowChanged(int row);
    // Grid F1 "Inserir Material ".
    void insertMaterial();
    // Entering the code of row n (row 1 stops the proposal).
    void codeEntered(int n);
    bool codeLeft(int n, const QString& typed);
    bool quantityLeft(int n, const QString& typed);
    bool priceLeft(int n, const QString& typed);
    bool costLeft(int n, const QString& typed);
    // F7 "Cancelar": checks suspended, the materials reloaded.
    void cancelMaterials();
    // The reload: the sheet's materials of the step, else the proposal of
    // the current packaging row.
    void reloadMaterials();

protected:
    bool readCandidates(std::vector<WorkArticleRow>& rows, QString* error) override;
    bool marksRow(const FictecDetLine& line) const override;
    void materialsFromSheet(const std::vector<FictecDetLine>& lines) override;
    void opened() override;
    bool closingQuestions() override;
    std::vector<MaterialEntry> materialsToWrite() const override;

private:
    bool suspended() const { return ctx_->StepCancelled; }
    void clearRow(int n);
    void propose();

    std::array<MaterialEntry, kMaterials> materials_;
    std::array<QString, kMaterials> labels_;
    int current_ = 0;
    bool following_ = true;
    bool materialEnabled_ = false;
};

} // namespace corvane::techsheet
