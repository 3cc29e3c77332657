#pragma once

#include "components/widget_view.h"
#include "reference/screens/parameters_screen.h"
#include "table_screen_form.h"

#include <QDialog>
#include <QHash>

class QLabel;
class QLineEdit;
class QTabWidget;

namespace corvane::shell {
class TDTCORVANE;
}

namespace corvane::reference {

// TCORVF000: the general parameters on four pages, each coded input with its
// lookup "Localizar" and its description label; the row is written on close.
class TCORVF000 : public QDialog {
    Q_OBJECT
public:
    struct Links {
        bool costTypesAllowed = false;       // BotTipoCusto
        bool operationsAllowed = false;      // BotOperacoes
        std::function<void()> openCostTypes; // the cost-types screen, modal
    };
    TCORVF000(shell::TDTCORVANE& data, db::Database& factura, Links links, ScreenSetting setting,
              QWidget* parent = nullptr);
    ~TCORVF000() override;

    ParametersScreen& logic() { return logic_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Input {
        QString column;
        QLineEdit* edit = nullptr;
        QLabel* description = nullptr;
        int lookup = 0; // 0 none, 1 cost type, 2 operation, 3 department, 4 movement, 5 warehouse
    };
    QWidget* page(const QString& title);
    void add(QWidget* page, const char* name, const char* caption, const char* column, int lookup = 0,
             const char* description = nullptr);
    void refresh();
    bool lookup(Input& input, bool alphabetical);
    void openCostTypes();

    shell::TDTCORVANE& data_;
    Links links_;
    ScreenSetting setting_;
    components::WidgetView view_;
    ParametersScreen logic_;
    QTabWidget* TB = nullptr;
    QWidget* PanelInput = nullptr;
    QHash<QString, Input> inputs_; // by objectName
    components::FormConventions* conventions_ = nullptr;
    bool activated_ = false;
    bool closed_ = false;
};

} // namespace corvane::reference
