#pragma once

// The windows of the operation steps and the openers the technical-sheet
// screen calls.
#include "screens/ui/screen_dialog.h"
#include "techsheet/steps/one_material_step.h"
#include "techsheet/steps/operation_steps.h"
#include "techsheet/steps/ui/step_grid_model.h"

#include <QHash>

#include <array>
#include <functional>
#include <memory>

class QGridLayout;
class QLabel;
class QLineEdit;
class QTableView;
class QVBoxLayout;

namespace corvane::screens {
class LookupWiring;
}

namespace corvane::techsheet {

// Opens the step "H", "D" or "I" (ctx.StepCode) modally; true when the
// step's lines were written. ctx.StepCancelled tells whether it was cancelled.
bool openOperationStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                       const QString& user, const screens::ScreenSetting& setting);
// The same for packaging, step "B".
bool openPackagingStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                       const QString& user, const screens::ScreenSetting& setting);


// What every step window shares: the article, the grid, the buttons.
class StepForm : public screens::ScreenDialog {
    Q_OBJECT
public:
    using LogicFactory = std::function<std::unique_ptr<StepScreenBase>(ScreenView&)>;
    using ModelFactory = std::function<screens::GridModel*(StepScreenBase&, QObject*)>;
    StepForm(const QString& name, const LogicFactory& makeLogic, const ModelFactory& makeModel,
             const screens::ScreenSetting& setting, QWidget* parent);
    ~StepForm() override;
    StepScreenBase& base() { return *base_; }
    QTableView* grid() const { return grid_; }
    QLineEdit* input(const QString& name) const;
    // Adds a material input with its check, its lookup list and F1/F7 keys
    // (an input that only shows a value: none of them).
    QLineEdit* addInput(const StepInput& input);
    QVBoxLayout* materialsArea() const { return materials_; }
    screens::LookupWiring* lookups() const { return lookups_; }
    // Shows a material's inputs (the focused one keeps what is typed) and its unit.
    void showMaterial(const QList<std::pair<QLineEdit*, QString>>& texts, QLineEdit* unit,
                      const QString& unitText, bool enabled);
    // Shows what the logic holds.
    virtual void refresh();

protected:
    bool activateScreen() override;
    bool closeRequested() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    virtual void gridKey(int key);
    virtual void materialKey(QLineEdit* input, int key);
    virtual void rowChanged(int) {}
    QLabel* minutes() const { return minutes_; }
    QLabel* gridTitle() const { return gridTitle_; }
    QLabel* materialsTitle() const { return materialsTitle_; }

private:
    std::unique_ptr<StepScreenBase> base_;
    screens::GridModel* model_;
    QTableView* grid_;
    QVBoxLayout* materials_;
    QLabel* minutes_;
    QLabel* gridTitle_;
    QLabel* materialsTitle_;
    screens::LookupWiring* lookups_;
    QHash<QString, QLineEdit*> inputs_;
};

// The fields of a step's one material: "Tipo Mat." with its lookup, "Código"
// with its designation and two lookups, "Qtd.", "Und.", "Preço €", "Custo".
class OneMaterialPanel {
public:
    OneMaterialPanel(StepForm& form, OneMaterialFields& logic);
    void refresh();
    // F1 or F7 on a material field; F1 suspends the checks from the type
    // field, or from every field when `f1SuspendsAll`.
    void key(QLineEdit* edit, int key, bool f1SuspendsAll);
    // Entering the type field.
    void focusIn(QObject* watched);

private:
    StepForm& form_;
    OneMaterialFields& logic_;
    QHash<QString, QLineEdit*> inputs_; // by the column they fill
    QLabel* label_ = nullptr;
};

// A step window with one material: F1 on the grid enables its fields, F1 or
// F7 on them go back to the grid or clear it.
class OneMaterialForm : public StepForm {
    Q_OBJECT
public:
    // `f1SuspendsAll`: F1 suspends the checks from every material field, not
    // only from the type.
    OneMaterialForm(const QString& name, const LogicFactory& makeLogic, const ModelFactory& makeModel,
                    bool f1SuspendsAll, const screens::ScreenSetting& setting, QWidget* parent);
    void refresh() override;

protected:
    void gridKey(int key) override;
    void materialKey(QLineEdit* input, int key) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    OneMaterialPanel material_;
    bool f1SuspendsAll_;
};

// TCORVF035_OPERACOES.
class TCORVF035_OPERACOES : public OneMaterialForm {
    Q_OBJECT
public:
    TCORVF035_OPERACOES(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                        const QString& user, const screens::ScreenSetting& setting,
                        QWidget* parent = nullptr);
    OperationStep& logic() { return static_cast<OperationStep&>(base()); }
};

// TCORVF035_EMBALAGEM.
class TCORVF035_EMBALAGEM : public StepForm {
    Q_OBJECT
public:
    TCORVF035_EMBALAGEM(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                        const QString& user, const screens::ScreenSetting& setting,
                        QWidget* parent = nullptr);
    PackagingStep& logic() { return static_cast<PackagingStep&>(base()); }

protected:
    void refresh() override;
    void gridKey(int key) override;
    void materialKey(QLineEdit* input, int key) override;
    void rowChanged(int row) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MaterialWidgets {
        QList<QLineEdit*> inputs; // code, quantity, unit, price, cost
        QLabel* label = nullptr;  // the material's designation
    };
    // The material row (1 to 3) of a code input, 0 for any other widget.
    int codeRow(const QObject* watched) const;

    std::array<MaterialWidgets, PackagingStep::kMaterials> rows_;
};

} // namespace corvane::techsheet
