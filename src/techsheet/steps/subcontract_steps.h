#pragma once

// The steps of a technical sheet done without the company's machines:
// subcontracted linking "R" or embroidery "M" (TCORVF035_SUBCONT), a service
// bought per piece and up to three materials sent with it, kept per article
// and step in FICTECSUBCONT; and the fabric of a printed sheet, step "L"
// (TCORVF035_TECIDO), whose one line is edited in place and whose layout goes
// back to the sheet's header.
#include "techsheet/steps/step_screen.h"
#include "techsheet/subcontract_calc.h"

#include <array>

namespace corvane::techsheet {

// TCORVF035_SUBCONT. The checks of the fields are suspended while
// StepCancelled is set: F7 sets it, entering a material type clears it.
class SubcontractStep : public StepScreenBase {
public:
    static constexpr int kMaterials = kSubcontractMaterials;
    SubcontractStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                    ScreenView& view);

    // The stored row of the article and step, or an empty one.
    bool open() override;
    QString caption() const override;
    void sortBy(const QString&) override {}
    bool gridLeft() override { return true; }
    // The closing questions, then the FICTECSUBCONT row and the step's lines
    // in one transaction under the sheet's lock.
    bool finishStep() override;

    const SubcontractEntry& entry() const { return entry_; }
    const QString& serviceLabel() const { return entry_.serviceDesignation; }
    const MaterialEntry& material(int n) const { return materials_[index(n)]; }
    int materialType(int n) const { return entry_.MPTMAT[index(n)]; }
    const QString& materialLabel(int n) const { return labels_[index(n)]; }

    // The services (articles of type "3") by code or designation, the
    // material types and the articles of the type of the row being edited.
    db::Dataset& services(bool byName) { return byName ? servicesByName_ : servicesByCode_; }
    db::Dataset& materialTypes() { return types_; }
    db::Dataset& materialArticles(bool byName) { return byName ? byName_ : byCode_; }
    QList<db::Dataset*> lookupDatasets() override {
        return {&servicesByCode_, &servicesByName_, &types_, &byCode_, &byName_};
    }

    // The inputs (FICTECSUBCONT): the service, looked up among the
    // services, and its price per piece; for material row n its type, code
    // (looked up among the articles of the type), quantity, unit (only
    // shown), price and cost.
    QList<StepInput> serviceInputs();
    QList<StepInput> materialInputs(int n);
    QList<StepInput> inputs() override;

    bool serviceLeft(const QString& typed);
    bool servicePriceLeft(const QString& typed);
    // Entering the material type of row n: the row is the one edited and the
    // checks are no longer suspended.
    void typeEntered(int n);
    bool typeLeft(int n, const QString& typed);
    bool codeLeft(int n, const QString& typed);
    bool quantityLeft(int n, const QString& typed);
    bool priceLeft(int n, const QString& typed);
    bool costLeft(int n, const QString& typed);
    // F7 "Cancelar": checks suspended, the materials read again from the
    // stored row, the focus on row 1's type.
    void cancelMaterials();
    // F1 "Alterar Serviço".
    void changeService();

private:
    static std::size_t index(int n) { return static_cast<std::size_t>(std::clamp(n, 1, kMaterials) - 1); }
    bool suspended() const { return ctx_->StepCancelled; }
    bool validRow(int n) const { return n >= 1 && n <= kMaterials; }
    bool openTypeArticles(int type);
    // The stored materials (or none) with their designations.
    void loadMaterials(const SubcontractEntry& stored);
    SubcontractEntry entryToWrite() const;

    db::Dataset servicesByCode_;
    db::Dataset servicesByName_;
    db::Dataset types_;
    SubcontractEntry entry_;
    SubcontractEntry stored_;
    std::array<MaterialEntry, kMaterials> materials_;
    std::array<QString, kMaterials> labels_;
    int editedRow_ = 1;
    int articlesType_ = -1;
};

// TCORVF035_TECIDO. F7 suspends the checks; entering the fabric code ends the
// suspension, as entering the material type does on the machine steps.
class FabricStep : public StepScreenBase {
public:
    FabricStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
               ScreenView& view);

    // The layout from the context, the article's fabric line (step "L").
    bool open() override;
    QString caption() const override;
    void sortBy(const QString&) override {}
    bool gridLeft() override { return true; }
    // The fabric line written in place (a missing cost type writes none);
    // the layout stays in the context for the header.
    bool finishStep() override;

    // The inputs in the window's order, with their captions: the fabric
    // (FICTECMAS.TECIDO, looked up among the fabrics), its price and cost
    // (its line's PRECO, VALOR), the width (m), the fitting ("L" or "C"),
    // the pieces fitted and the consumption (the line's QUANT).
    QList<StepInput> inputs() override;

    const MaterialEntry& fabric() const { return fabric_; }
    const FabricLayout& layout() const { return layout_; }
    const QString& fabricLabel() const { return label_; }
    // The fabrics (material types 100 to 119), by code or designation.
    db::Dataset& fabrics(bool byName) { return byName ? byName_ : byCode_; }

    void codeEntered();
    bool codeLeft(const QString& typed);
    bool widthLeft(const QString& typed);
    bool fittingLeft(const QString& typed);
    bool piecesLeft(const QString& typed);
    bool consumptionLeft(const QString& typed);
    bool priceLeft(const QString& typed);
    bool costLeft(const QString& typed);
    // F7 "Cancelar": checks suspended, the focus on the fabric code.
    void cancelFabric();

private:
    bool suspended() const { return ctx_->StepCancelled; }
    // A typed number; empty is 0. False (message shown) when it is no number.
    bool typedNumber(const QString& typed, double* out);
    // The messages of a field's calculation, after a beep; the layout goes to the context.
    bool taken(bool ok, const Notes& notes);

    MaterialEntry fabric_; // code, designation, unit
    FabricLayout layout_;
    QString label_;
};

} // namespace corvane::techsheet
