#pragma once

// The material fields of a step screen that holds at most one material: its
// type among the step's material types, its code looked up among the
// articles of that type, its quantity, price and cost, F1 and F7, and the
// suspended checks (TechSheetContext::StepCancelled).
#include "screens/field_input.h"
#include "screens/field_rule.h"
#include "techsheet/steps/step_screen.h"

#include <utility>

namespace corvane::techsheet {

// What the window of a one-material step calls.
class OneMaterialFields {
public:
    virtual ~OneMaterialFields() = default;
    virtual bool hasMaterial() const = 0;
    virtual db::Dataset& materialTypes() = 0;
    // The articles of the chosen type, by code or by designation.
    virtual db::Dataset& materialArticles(bool byName) = 0;
    virtual const MaterialEntry& material() const = 0;
    virtual int materialType() const = 0;
    virtual const QString& materialLabel() const = 0;
    virtual bool materialEnabled() const = 0;
    // The unit field and whether the quantity can be typed.
    virtual QString unitShown() const { return material().unit; }
    virtual bool quantityEditable() const { return true; }
    virtual bool insertMaterial() = 0;
    virtual void typeEntered() = 0;
    virtual bool typeLeft(const QString& typed) = 0;
    virtual bool codeLeft(const QString& typed) = 0;
    virtual bool quantityLeft(const QString& typed) = 0;
    virtual bool priceLeft(const QString& typed) = 0;
    virtual bool costLeft(const QString& typed) = 0;
    virtual void cancelMaterial() = 0;
    virtual void backToGrid(bool suspend) = 0;

    // The material's inputs in the window's order, with their captions: its
    // type ("Tipo Mat.", looked up among the step's types), code ("Código",
    // looked up among the articles of the type, its designation beside),
    // quantity, unit (only shown), price and cost (FICTECDET's columns).
    QList<StepInput> materialInputs() {
        using T = StepTable;
        const auto left = [this](bool (OneMaterialFields::*check)(const QString&)) {
            return [this, check](const QString& typed) { return (this->*check)(typed); };
        };
        return {withLookup({stepRule(T::WorkArticles, "TIPOMAT", "Edit_TipoMat", 0, "Tipo Mat."),
                            left(&OneMaterialFields::typeLeft)},
                           materialTypeLookup()),
                withLookup({stepRule(T::SheetLines, "CODIGOMP", "Edit_MpNro1", 0, "Código"),
                            left(&OneMaterialFields::codeLeft)},
                           articleLookup(), QStringLiteral("Label_MpNro1")),
                {stepRule(T::SheetLines, "QUANT", "Edit_QtdMp1", 0, "Qtd."),
                 left(&OneMaterialFields::quantityLeft)},
                shownInput(T::SheetLines, "UNIDADE", "Edit_Und1", 0, "Und."),
                {stepRule(T::SheetLines, "PRECO", "Edit_PrecoMp1", 0, "Preço €"),
                 left(&OneMaterialFields::priceLeft)},
                {stepRule(T::SheetLines, "VALOR", "Edit_CustoMp", 0, "Custo"),
                 left(&OneMaterialFields::costLeft)}};
    }
};

template <typename Base> class OneMaterialStep : public Base, public OneMaterialFields {
public:
    QList<StepInput> inputs() override { return materialInputs(); }
    // `typesSql` lists the step's material types from :WTMat1 to `toParam`.
    template <typename... Args>
    OneMaterialStep(const QString& typesSql, const QString& toParam, std::pair<int, int> typeRange,
                    Args&&... args)
        : Base(std::forward<Args>(args)...),
          types_(this->data_.db, QStringLiteral("TIPOMATERIAL"), typesSql) {
        types_.setParam(QStringLiteral("WTMat1"), typeRange.first);
        types_.setParam(toParam, typeRange.second);
        this->setArticleList(articles::ArticleList::MaterialsOfType);
    }

    // The step's material types, for the lookup.
    db::Dataset& materialTypes() override { return types_; }
    QList<db::Dataset*> lookupDatasets() override { return {&types_, &this->byCode_, &this->byName_}; }
    db::Dataset& materialArticles(bool byName) override { return byName ? this->byName_ : this->byCode_; }
    const MaterialEntry& material() const override { return material_; }
    int materialType() const override { return materialType_; }
    const QString& materialLabel() const override { return materialLabel_; }
    bool materialEnabled() const override { return materialEnabled_; }

    // Grid F1 "Inserir Material ": false when the step has no material.
    bool insertMaterial() override {
        if (!hasMaterial())
            return false;
        materialEnabled_ = true;
        materialInserted();
        this->view_.focusField(kTypeField);
        return true;
    }
    // Entering the type field clears the suspension of the checks.
    void typeEntered() override { this->ctx_->StepCancelled = false; }
    bool typeLeft(const QString& typed) override {
        if (suspended())
            return true;
        int type = 0;
        QString message;
        if (typed.trimmed().isEmpty() || !screens::readWholeNumber(typed, &type, &message) ||
            screens::findKey(types_, QStringLiteral("CODIGO"), type) < 0)
            return this->refuse(QStringLiteral("Seleccione o Tipo de Material ..."));
        materialType_ = type;
        return openTypeArticles(type);
    }
    bool codeLeft(const QString& typed) override {
        if (suspended())
            return true;
        const QString code = typed.trimmed();
        if (code.isEmpty())
            return this->refuse(kNoMaterialCode);
        if (!material_.code.isEmpty() && this->sameCode(code, material_.code))
            return true; // the material shown stays
        const int row = openTypeArticles(materialType_)
                            ? screens::findKey(this->byCode_, QStringLiteral("CODIGO"), code)
                            : -1;
        if (row < 0)
            return this->refuse(kUnknownArticle);
        const MaterialArticle a = this->articleOf(this->byCode_, row);
        materialLabel_ = a.designation;
        materialChosen(a);
        return true;
    }
    bool quantityLeft(const QString& typed) override {
        return suspended() || this->quantityOf(material_, typed);
    }
    bool priceLeft(const QString& typed) override {
        if (suspended())
            return true;
        const typename Base::PriceAnswer answer = this->priceOf(material_, typed);
        if (answer == Base::PriceAnswer::Dropped) {
            materialType_ = 0;
            materialLabel_.clear();
            materialCleared();
            this->view_.focusField(kTypeField);
        }
        return answer != Base::PriceAnswer::Refused;
    }
    bool costLeft(const QString& typed) override {
        return suspended() || this->costOf(material_, typed, false);
    }
    // F7 "Cancelar": the material cleared, checks suspended.
    void cancelMaterial() override {
        material_ = {};
        materialType_ = 0;
        materialLabel_.clear();
        materialCleared();
        this->ctx_->StepCancelled = true;
        this->view_.focusField(kTypeField);
    }
    // F1 back to the grid, the checks suspended when `suspend`.
    void backToGrid(bool suspend) override {
        if (suspend)
            this->ctx_->StepCancelled = true;
        this->view_.focusField(QStringLiteral("DBGrid1"));
    }

protected:
    // A material of the chosen type was found: the step prices it.
    virtual void materialChosen(const MaterialArticle& a) = 0;
    // After F1 and after the material was cleared.
    virtual void materialInserted() {}
    virtual void materialCleared() {}
    // The unit a material found on the sheet is shown with.
    virtual QString unitOf(const MaterialArticle& a) const { return a.unit; }

    // A material line of the sheet becomes the material, its article looked up.
    void takeSheetMaterial(const FictecDetLine& line) {
        material_ = {line.CODIGOMP, line.DESIGN, line.UNIDADE, line.QUANT, line.PRECO, line.VALOR};
        materialType_ = 0;
        materialLabel_ = kNoArticleLabel;
        if (const std::optional<MaterialArticle> a = this->findArticle(line.CODIGOMP)) {
            material_.designation = materialLabel_ = a->designation;
            material_.unit = unitOf(*a);
            materialType_ = a->type;
        }
    }
    void openMaterialTypes() {
        QString error;
        if (hasMaterial() && (!types_.reopen(&error) || !types_.fetchAll(&error)))
            this->view_.message(error);
    }
    bool suspended() const { return this->ctx_->StepCancelled; }

    MaterialEntry material_;
    int materialType_ = 0;
    QString materialLabel_;

private:
    bool openTypeArticles(int type) {
        if (articlesType_ == type && this->byCode_.isOpen())
            return true;
        QString error;
        this->byCode_.setParam(QStringLiteral("WFtTMat"), type);
        this->byName_.setParam(QStringLiteral("WFtTMat"), type);
        if (!this->openArticles(&error)) {
            this->view_.message(error);
            return false;
        }
        articlesType_ = type;
        return true;
    }

    inline static const QString kTypeField = QStringLiteral("Edit_TipoMat");
    db::Dataset types_;
    int articlesType_ = -1;
    bool materialEnabled_ = false;
};

} // namespace corvane::techsheet
