#pragma once

// The window of the knitting step and the opener the technical-sheet screen calls.
#include "screens/ui/screen_dialog.h"
#include "techsheet/steps/knitting_step.h"

#include <QAbstractTableModel>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QTableView;

namespace corvane::screens {
class LookupWiring;
}

namespace corvane::techsheet {

// Opens the knitting step (step "A") modally; true when its lines were
// written. ctx.StepCancelled tells whether it was cancelled.
bool openKnittingStep(QWidget* parent, TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                      const QString& user, const screens::ScreenSetting& setting);

// The grid DBGrid1 over the knitting machines.
class KnittingMachinesModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Codigo,
        Designacao,
        Unidade,
        CustoPadrao,
        Producao1,
        Acerto1,
        Producao2,
        Acerto2,
        Ok,
        Tempo,
        Preco,
        Custo,
        Columns
    };
    explicit KnittingMachinesModel(KnittingStep& logic, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void reload();

private:
    KnittingStep& logic_;
};

// TCORVF035FIOS_CT.
class TCORVF035FIOS_CT : public screens::ScreenDialog {
    Q_OBJECT
public:
    TCORVF035FIOS_CT(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura,
                     const QString& user, const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    ~TCORVF035FIOS_CT() override;
    KnittingStep& logic() { return *logic_; }
    QTableView* grid() const { return grid_; }

protected:
    bool activateScreen() override;
    bool closeRequested() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RowWidgets {
        QLineEdit* percent = nullptr;
        QLineEdit* yarn = nullptr;
        QLineEdit* gradation = nullptr;
        QLabel* designation = nullptr;
        QLabel* count = nullptr;
        QLabel* consumption = nullptr;
        QLabel* unit = nullptr;
    };
    void refresh();

    std::unique_ptr<KnittingStep> logic_;
    KnittingMachinesModel* model_;
    QTableView* grid_;
    std::array<RowWidgets, KnittingStep::kRows> rows_;
    QLabel* total_;
    screens::LookupWiring* lookups_;
};

} // namespace corvane::techsheet
