#pragma once

#include "reference/screens/machines_screen.h"
#include "table_screen_form.h"

class QLabel;
class QPushButton;

namespace corvane::shell {
class TDTCORVANE;
}

namespace corvane::reference {

// TCORVF003: the machines, with the designations of the group and of the
// cost centre beside their inputs, their lookups, the shortcut to the machine
// groups and, for printing machines, the inks (TCORVF003A).
class TCORVF003 : public TableScreenForm {
    Q_OBJECT
public:
    struct Links {
        db::Database* contab = nullptr;
        db::Database* factura = nullptr;
        QString workingYear;
        bool groupsAllowed = false;       // the user may open "Grupo de Maquinas"
        std::function<void()> openGroups; // the machine-groups screen, modal
    };
    TCORVF003(shell::TDTCORVANE& data, Links links, Listing* listing, ScreenSetting setting,
              QWidget* parent = nullptr);

    bool lookup(const QString& input, bool alphabetical) override;

protected:
    void refresh() override;

private:
    MachinesScreen& machines() { return static_cast<MachinesScreen&>(logic()); }
    void BotGrupoMaquinasClick();
    void BotMatPrimaClick();

    shell::TDTCORVANE& data_;
    Links links_;
    ScreenSetting setting_;
    QLabel* Label_GrupoMaquinas = nullptr;
    QLabel* Label_CCusto = nullptr;
    QPushButton* BotGrupoMaquinas = nullptr;
    QPushButton* BotMatPrima = nullptr;
};

} // namespace corvane::reference
