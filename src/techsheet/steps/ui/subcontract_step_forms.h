#pragma once

// The windows of the subcontracted finishing and fabric steps and the openers
// the technical-sheet screen calls. Neither has a grid: each is a row of
// inputs checked as they are left.
#include "screens/ui/screen_dialog.h"
#include "techsheet/steps/subcontract_steps.h"

#include <QHash>

#include <array>
#include <functional>
#include <memory>

class QGridLayout;
class QLabel;
class QLineEdit;

namespace corvane::screens {
class LookupWiring;
}

namespace corvane::techsheet {

// Opens the subcontracted linking or embroidery of ctx.StepCode ("R", "M")
// modally; true when the step's lines were written.
bool openSubcontractStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data,
                         db::Database& factura, const QString& user, const screens::ScreenSetting& setting);
// Opens the fabric step "L"; true when the fabric line was written. The
// layout is left in the context; ctx.StepCancelled tells whether it counts.
bool openFabricStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                    const QString& user, const screens::ScreenSetting& setting);

// A step window of inputs: the article, the inputs with their checks and
// keys, "&Terminar" and "&Cancelar".
class StepFieldsForm : public screens::ScreenDialog {
    Q_OBJECT
public:
    using LogicFactory = std::function<std::unique_ptr<StepScreenBase>(ScreenView&)>;
    StepFieldsForm(const QString& name, const LogicFactory& makeLogic, const screens::ScreenSetting& setting,
                   QWidget* parent);
    ~StepFieldsForm() override;
    StepScreenBase& base() { return *base_; }
    QLineEdit* input(const QString& name) const { return inputs_.value(name); }
    virtual void refresh() = 0;

protected:
    // An input at (row, column) of the inputs' grid, checked as it is left,
    // with its lookup list.
    QLineEdit* addInput(const StepInput& input, int row, int column);
    QLabel* addLabel(const QString& text, int row, int column, const QString& name = {});
    // Sets an input's text to what the logic holds.
    static void showText(QLineEdit* input, const QString& text);
    QGridLayout* fields() const { return fields_; }
    screens::LookupWiring* lookups() const { return lookups_; }
    // F1 or F7 on an input.
    virtual void key(QLineEdit*, int) {}
    virtual void entered(QLineEdit*) {}
    bool activateScreen() override;
    bool closeRequested() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<StepScreenBase> base_;
    QGridLayout* fields_;
    screens::LookupWiring* lookups_;
    QHash<QString, QLineEdit*> inputs_;
};

// TCORVF035_SUBCONT.
class TCORVF035_SUBCONT : public StepFieldsForm {
    Q_OBJECT
public:
    TCORVF035_SUBCONT(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                      const QString& user, const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    SubcontractStep& logic() { return static_cast<SubcontractStep&>(base()); }
    void refresh() override;

protected:
    void key(QLineEdit* input, int key) override;
    void entered(QLineEdit* input) override;

private:
    struct MaterialWidgets {
        QList<QLineEdit*> inputs; // type, code, quantity, unit, price, cost
        QLabel* label = nullptr;  // the material's designation
    };
    // The material row (1 to 3) of an input; 0 for the service's.
    int rowOf(const QLineEdit* input) const;

    std::array<QLineEdit*, 2> service_{}; // the service and its price
    QLabel* serviceLabel_;
    std::array<MaterialWidgets, SubcontractStep::kMaterials> rows_;
};

// TCORVF035_TECIDO.
class TCORVF035_TECIDO : public StepFieldsForm {
    Q_OBJECT
public:
    TCORVF035_TECIDO(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                     const QString& user, const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    FabricStep& logic() { return static_cast<FabricStep&>(base()); }
    void refresh() override;

protected:
    void key(QLineEdit* input, int key) override;
    void entered(QLineEdit* input) override;

private:
    QHash<QString, QLineEdit*> byColumn_; // the inputs by the column they fill
    QLabel* fabric_;
    QLabel* metres_;
    QLabel* unit_;
};

} // namespace corvane::techsheet
