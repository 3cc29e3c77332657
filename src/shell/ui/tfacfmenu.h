#pragma once

#include "components/widget_view.h"
#include "core/site.h"
#include "core/site_log.h"
#include "core/working_context.h"
#include "shell/main_menu_logic.h"

#include <QHash>
#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QAbstractButton;
class QCalendarWidget;
class QFrame;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTimer;
class QToolButton;

namespace corvane::components {
class TauAutoUpgrader;
}

namespace corvane::shell {

class TFACFMENU;
class TUpdateErrorForm;

// What a menu entry opens. The program fills the table at start; an entry
// without a screen stays visible but disabled, with a hint that says so.
using ScreenOpener = std::function<void(TFACFMENU& menu)>;
using ScreenTable = QHash<QString, ScreenOpener>;

// The main window: menus, the tabbed page area NB with its shortcut
// buttons, the working context's company and user, and the calendar.
class TFACFMENU : public QMainWindow {
    Q_OBJECT
public:
    TFACFMENU(Site site, SignOn::Dependencies deps, ScreenTable screens, SiteLog* log,
              QWidget* parent = nullptr);
    ~TFACFMENU() override;

    WorkingContext& context() { return ctx_; }
    MainMenuLogic& logic() { return *logic_; }
    components::WidgetView& view() { return view_; }
    SiteLog* log() const { return log_; }
    // The update-error dialog every screen's writes report to.
    db::UpdateErrorHandler updateErrorHandler();
    // 0 after a normal close, 1 when the sign-on or the workstation files failed.
    int exitCode() const { return exitCode_; }

    // Runs the activation now (the window also does so when it is activated).
    void activateNow();
    // BotPdfClick: the document of the latest changes.
    void BotPdfClick();
    // Edit_DataChange: a click on a day of the calendar.
    void Edit_DataChange();
    // BotPassord: the password change, then the write of the new password.
    void BotPassordClick();
    // The check at start: a full check, or one that only looks; false when
    // another check is under way.
    bool startUpgradeCheck(bool full);
    // BotBusca: a full check that says how it ended, or a word that one is
    // already under way.
    void BotBuscaClick();
    components::TauAutoUpgrader& upgrader() { return *upgrader_; }

signals:
    void signedOn();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildPages();
    QToolButton* pageButton(QWidget* page, const QString& name, const QString& caption);
    void bindEntry(const QString& entry, const QString& button);
    void applyRights();
    void upgradeCheckFailed(const QString& reason);
    void showCompanyAndDate();
    // Tells the other programs this one is alive while it holds documents.
    void renewClaims();

    WorkingContext ctx_;
    components::WidgetView view_;
    std::unique_ptr<MainMenuLogic> logic_;
    ScreenTable screens_;
    SiteLog* log_;
    Site site_;
    int exitCode_ = 0;
    bool closing_ = false;
    bool placed_ = false;
    bool activating_ = false;

    QHash<QString, QAction*> actions_;
    QHash<QString, QToolButton*> buttons_;
    QLabel* Label_Computador = nullptr;
    QLineEdit* Edit_EmpNom = nullptr;
    QToolButton* BotPassord = nullptr;
    QToolButton* BotBusca = nullptr;
    QTabWidget* NB = nullptr;
    QFrame* PanelData = nullptr;
    QCalendarWidget* Edit_Data = nullptr;
    QLabel* Label10 = nullptr;
    TUpdateErrorForm* updateErrorForm_ = nullptr;
    components::TauAutoUpgrader* upgrader_ = nullptr;
    bool manualCheck_ = false;
    QTimer* claimsTimer_ = nullptr;
};

// The small read-only "Empresa e Data" dialog.
void showCompanyAndDateDialog(QWidget* parent, const QString& company, const QDateTime& date,
                              const QString& user);

} // namespace corvane::shell
