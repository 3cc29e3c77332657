#pragma once

// The knitting step of a knitted scarf or hat (TCORVF035FIOS_CT, step "A"):
// the piece's weight shared over up to eight yarns, a gradation per yarn, one
// knitting machine with its typed minutes. "&Gravar" writes the yarn layout
// (FICTECFIOS), the machine line and the yarn lines in one transaction, and
// only once every check has passed; a refused or cancelled close leaves the
// sheet as it was.
#include "techsheet/knitting_calc.h"
#include "techsheet/steps/step_inputs.h"
#include "techsheet/steps/step_screen.h"
#include "techsheet/steps/yarn_lists.h"

#include <array>

namespace corvane::techsheet {

class KnittingStep : public StepScreenBase {
public:
    static constexpr int kRows = 8;

    // A yarn row as the screen shows it.
    struct RowView {
        QString designation;
        double count = 0; // NEFIO, "Nm"
        QString unit;
        double kg = 0; // "Consumo"
        bool enabled = true;
    };

    KnittingStep(TechSheetContext& ctx, shell::TDTCORVANE& data, db::Database& factura, QString user,
                 ScreenView& view);

    QString caption() const override { return QStringLiteral("Tecelagem ( Tricotados )"); }

    // Opening: the stored layout, the knitting machines (ctx.MachineGroupType)
    // in the user's work rows, the machine in use ticked with its time. False
    // when the screen cannot be used (message shown, nothing to write).
    bool open() override;

    // Rows 1 to 8.
    const KnitRow& row(int n) const { return input_.rows[static_cast<std::size_t>(n - 1)]; }
    const RowView& rowView(int n) const { return views_[static_cast<std::size_t>(n - 1)]; }
    double totalKg() const;

    // The inputs of row n (FICTECFIOS): its share of the piece's weight (%),
    // its yarn, looked up among the yarns, and its gradation.
    StepInput percentInput(int n);
    StepInput yarnInput(int n);
    StepInput gradationInput(int n);
    QList<StepInput> inputs() override;

    // Leaving the fields of row n; false takes the focus back (message shown).
    bool percentLeft(int n, const QString& typed);
    bool yarnLeft(int n, const QString& typed);
    void gradationLeft(int n, const QString& typed);
    // A yarn chosen in a lookup for row n.
    bool yarnChosen(int n, const QString& code) { return yarnLeft(n, code); }

    // The yarns (type "6" articles with a count) for the lookups.
    db::Dataset& yarnsByCode() { return yarns_.byCode(); }
    db::Dataset& yarnsByName() { return yarns_.byName(); }
    QList<db::Dataset*> lookupDatasets() override { return {&yarns_.byCode(), &yarns_.byName()}; }

    // The grid DBGrid1 over the knitting machines.
    const std::vector<WorkMachineRow>& machines() const { return machines_; }
    void okLeft(int row, bool ticked);
    bool timeLeft(int row, const QString& typed);
    void sortBy(const QString& column) override;
    bool gridLeft() override;

    // F12: shares checked, consumptions computed and shown, the layout stored.
    bool compute();
    // Delete "Eliminar": the stored layout deleted once confirmed, the rows
    // cleared; the step's lines stay until the next "&Gravar".
    bool deleteLayout();
    // "&Gravar": the checks of F12 and of closing, then layout and lines in
    // one transaction. True when written (the screen closes).
    bool finishStep() override;

private:
    bool readMachines(QString* error);
    // Checks and computes the consumptions; false stops (message shown).
    bool consumptions(std::array<double, 8>& kg);
    QVariantMap layoutColumns(const std::array<double, 8>& kg) const;
    bool anyYarn() const;
    void showYarn(int n);

    YarnLists yarns_;
    std::vector<WorkMachineRow> machines_;
    KnittingInput input_;
    std::array<RowView, kRows> views_;
};

} // namespace corvane::techsheet
