#pragma once

#include "reference/screens/parameters_screen.h"
#include "screens/ui/screen_dialog.h"

#include <QHash>

class QFormLayout;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace corvane::shell {
class TDTCORVANE;
}

namespace corvane::reference {

// TCORVF000: the general parameters on four pages, each coded input with its
// lookup "Localizar" and its description label; the row is written however
// the screen closes, once the focused input was accepted.
class TCORVF000 : public screens::ScreenDialog {
    Q_OBJECT
public:
    struct Links {
        bool costTypesAllowed = false;       // BotTipoCusto
        bool operationsAllowed = false;      // BotOperacoes
        std::function<void()> openCostTypes; // the cost-types screen, modal
    };
    TCORVF000(shell::TDTCORVANE& data, db::Database& factura, Links links, const screens::ScreenSetting& setting,
              QWidget* parent = nullptr);

    ParametersScreen& logic() { return logic_; }

protected:
    bool activateScreen() override;
    // The close box writes the row as "&Terminar" does; a failed write keeps the screen open.
    bool closeRequested() override { return logic_.closeRequested(); }
    void closeScreen() override;

private:
    enum Lookup { None, CostType, Operation, Department, Movement, Warehouse };
    struct Input {
        QString column;
        QLineEdit* edit = nullptr;
        QLabel* description = nullptr;
    };
    QFormLayout* page(const QString& title);
    QFormLayout* group(QFormLayout* page, const QString& title);
    QLineEdit* add(QFormLayout* form, const char* name, const char* caption, const char* column,
                   Lookup lookup = None, const char* description = nullptr, const char* suffix = nullptr);
    void refresh();
    bool leave(const Input& input);
    void openCostTypes();

    shell::TDTCORVANE& data_;
    Links links_;
    ParametersScreen logic_;
    QTabWidget* TB = nullptr;
    QWidget* PanelInput = nullptr;
    QHash<QString, Input> inputs_; // by objectName
    QList<std::pair<QLineEdit*, Lookup>> lookups_;
};

} // namespace corvane::reference
