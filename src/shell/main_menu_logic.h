#pragma once

#include "core/site.h"
#include "menu_rights.h"
#include "signon.h"

namespace corvane::shell {

// What the main window does, without its widgets: activation (constants and
// workstation files, the sign-on on the first one), the rights of the menu
// entries, the calendar and the end of the run.
class MainMenuLogic {
public:
    MainMenuLogic(WorkingContext& ctx, ScreenView& view, Site site, SignOn::Dependencies deps);
    ~MainMenuLogic();

    enum class Outcome { Ready, SignedOn, Close };
    // Each activation of the main window.
    Outcome activate();
    bool signedOn() const { return modules_ != nullptr && signedOn_; }
    DataModules* modules() const { return modules_.get(); }

    // TesteActualizacoes, run right after the sign-on: which information file
    // the workstation reads and whether the user may upgrade. False when the
    // user is missing (the program ends after the message).
    struct UpgradePlan {
        QString infoFile; // "UCorvane.txt" or "UCorvane_MP.txt"
        bool allowed = false;
    };
    bool TesteActualizacoes(UpgradePlan* plan);
    const UpgradePlan& upgradePlan() const { return upgradePlan_; }

    // ReadTabelas and ReadOrcamentos over the rights read at sign-on.
    QList<MenuState> menuStates() const;

    // Edit_DataChange: true when the day lies in another year than today (the
    // calendar panel turns red).
    bool changeWorkingDate(const QDate& day, const QDate& today = QDate::currentDate());

    // FormClose: PARAMTMP row removed, data modules freed, DBGERAL disconnected.
    void formClose();

private:
    WorkingContext& ctx_;
    ScreenView& view_;
    Site site_;
    SignOn::Dependencies deps_;
    int activations_ = 0;
    bool signedOn_ = false;
    std::unique_ptr<DataModules> modules_;
    UpgradePlan upgradePlan_;
};

} // namespace corvane::shell
