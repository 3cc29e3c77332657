#pragma once

// The operation steps of a technical sheet: design "H", hanger fitting "D" and
// cardboard labels "I" (TCORVF035_OPERACOES), and packaging "B"
// (TCORVF035_EMBALAGEM). The screen holds its candidate rows in memory: the
// user's WORKFTARTIGOS rows are written from them, never read back, so two
// sessions of one user never mix their rows, and the step's lines are built
// from the rows this screen shows.
#include "techsheet/operation_calc.h"
#include "techsheet/steps/one_material_step.h"

#include <array>

namespace corvane::techsheet {

// What both operation screens share: the candidate rows and their grid, the
// opening, the closing and the writing of the step.
class OperationStepScreen : public StepScreenBase {
public:
    OperationStepScreen(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                        ScreenView& view);

    bool open() override;

    // The grid DBGrid1, in the order shown.
    const std::vector<WorkArticleRow>& rows() const { return rows_; }
    // Leaving the OK column of a row ticked or not.
    void okLeft(int row, bool ticked);
    // Leaving the time column with what was typed; false refuses it (message shown).
    bool timeLeft(int row, const QString& typed);
    void sortBy(const QString& column) override;
    bool gridLeft() override;
    // The closing checks, then the step's lines replaced in one transaction;
    // false keeps the screen open with everything entered.
    bool finishStep() override;

protected:
    // The candidates of the step as the reference table now has them.
    virtual bool readCandidates(std::vector<WorkArticleRow>& rows, QString* error) = 0;
    // Whether a line of the step marks its candidate row.
    virtual bool marksRow(const FictecDetLine& line) const = 0;
    // The materials found on the step's lines when the screen opens.
    virtual void materialsFromSheet(const std::vector<FictecDetLine>& lines) = 0;
    // After opening, once the rows are shown.
    virtual void opened() {}
    // The step's own closing questions; false keeps the screen open.
    virtual bool closingQuestions() = 0;
    virtual std::vector<MaterialEntry> materialsToWrite() const = 0;
    int rowOf(const QString& code) const;
    // Asks each question in turn; false at the first answered no.
    bool confirmAll(const QStringList& questions);

    std::vector<WorkArticleRow> rows_;
};

// TCORVF035_OPERACOES: design, hanger fitting and cardboard labels, with at
// most one material of the step's material types ("D" and "I").
class OperationStep : public OneMaterialStep<OperationStepScreen> {
public:
    OperationStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                  ScreenView& view);

    QString caption() const override;
    // "Tempo  : " with OperationMinutes, hidden on "I".
    bool showsMinutes() const { return step_ != QLatin1String("I"); }
    bool hasMaterial() const override { return operationStepHasMaterial(step_); }

protected:
    bool readCandidates(std::vector<WorkArticleRow>& rows, QString* error) override;
    bool marksRow(const FictecDetLine& line) const override;
    void materialsFromSheet(const std::vector<FictecDetLine>& lines) override;
    void opened() override;
    bool closingQuestions() override;
    std::vector<MaterialEntry> materialsToWrite() const override;
    void materialChosen(const MaterialArticle& a) override;

private:
    int costType() const;
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

    // The inputs of material row n: code, quantity, unit, price and cost.
    QList<StepInput> materialInputs(int n);
    QList<StepInput> inputs() override;

    // The current packaging row changed (Edit_Codigo).
    void currentRowChanged(int row);
    // Grid F1 "Inserir Material ".
    void insertMaterial();
    // Entering the code of row n ends the checks' suspension (row 1 also
    // stops the proposal).
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
