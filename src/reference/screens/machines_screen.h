#pragma once

#include "screens/table_screen.h"
#include "table_screen_configs.h"

namespace corvane::reference {

TableScreenConfig machinesScreen(); // TCORVF003, MAQUINAS

// The machines screen (TCORVF003): a machine's group must exist and its cost
// centre, when given, must be one of the working year's; a printing machine
// (group of machine type 8) may have its inks; deleting a machine deletes
// its inks first.
class MachinesScreen : public screens::TableScreen {
public:
    MachinesScreen(db::Dataset& maquinas, db::Dataset& grupoMaquinas, db::Database& contab,
                   const QString& workingYear, ScreenView& view, db::UpdateErrorHandler onError = {});

    db::Dataset& groups() { return *groups_; }
    db::Dataset& costCentres() { return costCentres_; }
    QString groupLabel() const { return label(QStringLiteral("GRUPO")); }
    QString costCentreLabel() const { return label(QStringLiteral("CCUSTO")); }
    // BotMatPrima: shown rows of printing machines, until the grid is entered again.
    bool inksAllowed() const { return inksAllowed_; }
    bool gridEnter() override;
    QString machineCode() const;
    QString machineName() const;

protected:
    bool checkField(const FieldRule& rule, const QString& text, QVariant* value) override;
    void rowShown() override;
    void fieldStored(const FieldRule& rule) override;
    void removeWith(db::UnitOfWork& work) override;

private:
    void showInks();

    db::Dataset* groups_;
    db::Dataset costCentres_;
    bool inksAllowed_ = false;
};

} // namespace corvane::reference
