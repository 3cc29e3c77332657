#pragma once

#include "table_screen.h"

namespace corvane::reference {

TableScreenConfig machinesScreen(); // TCORVF003, MAQUINAS

// The machines screen (TCORVF003): a machine's group must exist and its cost
// centre, when given, must be one of the working year's; a printing machine
// (group of machine type 8) may have its inks; deleting a machine deletes
// its inks first.
class MachinesScreen : public TableScreen {
public:
    MachinesScreen(db::Dataset& maquinas, db::Dataset& grupoMaquinas, db::Database& contab,
                   const QString& workingYear, ScreenView& view, db::UpdateErrorHandler onError = {});

    db::Dataset& groups() { return *groups_; }
    db::Dataset& costCentres() { return costCentres_; }
    const QString& groupLabel() const { return groupLabel_; }
    const QString& costCentreLabel() const { return costCentreLabel_; }
    // BotMatPrima: shown rows of printing machines, until the grid is entered again.
    bool inksAllowed() const { return inksAllowed_; }
    bool gridEnter() override;
    QString machineCode() const;
    QString machineName() const;

protected:
    bool checkField(const FieldRule& rule, const QString& text, QVariant* value) override;
    bool openMore(QString* error) override;
    void closeMore() override;
    void rowShown() override;
    bool beforeRemove(QString* error) override;

private:
    bool showGroup(const QVariant& group);
    bool showCostCentre(const QString& code);

    db::Dataset* groups_;
    db::Dataset costCentres_;
    QString groupLabel_;
    QString costCentreLabel_;
    bool inksAllowed_ = false;
};

} // namespace corvane::reference
