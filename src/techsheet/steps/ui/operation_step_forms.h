#pragma once

// The windows of the operation steps and the openers the technical-sheet
// screen calls.
#include "screens/ui/screen_dialog.h"
#include "techsheet/steps/operation_steps.h"
#include "techsheet/steps/ui/step_grid_model.h"

#include <functional>
#include <memory>

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

// The grid DBGrid1 over the rows a step screen holds.
class WorkRowsModel : public StepGridModel {
    Q_OBJECT
public:
    enum Column { Codigo, Designacao, Unidade, CustoPadrao, Ok, Tempo, Preco, Custo, Columns };
    explicit WorkRowsModel(OperationStepScreen& logic, QObject* parent = nullptr);

protected:
    int rows() const override;
    bool ticked(int row) const override;
    QVariant cell(int row, int column) const override;
    void okLeft(int row, bool ticked) override { logic_.okLeft(row, ticked); }
    bool timeLeft(int row, const QString& typed) override { return logic_.timeLeft(row, typed); }

private:
    OperationStepScreen& logic_;
};

// What both step windows share: the article, the grid, the buttons.
class OperationStepForm : public screens::ScreenDialog {
    Q_OBJECT
public:
    using LogicFactory = std::function<std::unique_ptr<OperationStepScreen>(ScreenView&)>;
    OperationStepForm(const QString& name, const LogicFactory& makeLogic,
                      const screens::ScreenSetting& setting, QWidget* parent);
    ~OperationStepForm() override;
    OperationStepScreen& base() { return *base_; }
    QTableView* grid() const { return grid_; }
    QLineEdit* input(const QString& name) const;

protected:
    bool activateScreen() override;
    bool closeRequested() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Adds a material input with its check and F1/F7 keys.
    QLineEdit* addInput(const QString& name, const std::function<bool(const QString&)>& check);
    virtual void refresh();
    // Shows a material's inputs (the focused one keeps what is typed) and its unit.
    void showMaterial(const QHash<QString, QString>& texts, const QString& unitField, const QString& unit,
                      bool enabled);
    virtual void gridKey(int key);
    virtual void materialKey(QLineEdit* input, int key);
    virtual void rowChanged(int) {}
    QVBoxLayout* materialsArea() const { return materials_; }
    screens::LookupWiring* lookups() const { return lookups_; }
    QLabel* minutes() const { return minutes_; }

private:
    std::unique_ptr<OperationStepScreen> base_;
    WorkRowsModel* model_;
    QTableView* grid_;
    QVBoxLayout* materials_;
    QLabel* minutes_;
    screens::LookupWiring* lookups_;
    QHash<QString, QLineEdit*> inputs_;
};

// TCORVF035_OPERACOES.
class TCORVF035_OPERACOES : public OperationStepForm {
    Q_OBJECT
public:
    TCORVF035_OPERACOES(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                        const QString& user, const screens::ScreenSetting& setting,
                        QWidget* parent = nullptr);
    OperationStep& logic() { return static_cast<OperationStep&>(base()); }

protected:
    void refresh() override;
    void gridKey(int key) override;
    void materialKey(QLineEdit* input, int key) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* label_ = nullptr;
};

// TCORVF035_EMBALAGEM.
class TCORVF035_EMBALAGEM : public OperationStepForm {
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
    QLabel* labels_[PackagingStep::kMaterials] = {};
};

} // namespace corvane::techsheet
