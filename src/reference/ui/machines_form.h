#pragma once

#include "reference/screens/machines_screen.h"
#include "screens/ui/table_screen_form.h"

class QLabel;
class QPushButton;

namespace corvane::shell {
class TDTCORVANE;
}

namespace corvane::reference {

class Listing;

// TCORVF003: the machines, with the designations of the group and of the
// cost centre beside their inputs, their lookups, the shortcut to the machine
// groups and, for printing machines, the inks (TCORVF003A).
class TCORVF003 : public screens::TableScreenForm {
    Q_OBJECT
public:
    struct Links {
        db::Database* contab = nullptr;
        db::Database* factura = nullptr;
        QString workingYear;
        bool groupsAllowed = false;       // the user may open "Grupo de Maquinas"
        std::function<void()> openGroups; // the machine-groups screen, modal
    };
    TCORVF003(shell::TDTCORVANE& data, Links links, Listing* listing, const screens::ScreenSetting& setting,
              QWidget* parent = nullptr);

protected:
    void refresh() override;

private:
    MachinesScreen& machines() { return static_cast<MachinesScreen&>(logic()); }
    void BotGrupoMaquinasClick();
    void BotMatPrimaClick();

    shell::TDTCORVANE& data_;
    Links links_;
    QPushButton* BotGrupoMaquinas = nullptr;
    QPushButton* BotMatPrima = nullptr;
};

} // namespace corvane::reference
