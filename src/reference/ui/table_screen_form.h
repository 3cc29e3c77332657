#pragma once

#include "components/widget_view.h"
#include "reference/screens/table_screen.h"

#include <QDialog>
#include <QHash>

#include <memory>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableView;
class QVBoxLayout;

namespace corvane::components {
class FormConventions;
}
namespace corvane::db {
class DatasetModel;
}

namespace corvane::reference {

class Listing;

// What a table screen needs from the signed-on program.
struct ScreenSetting {
    shell::AccessRights rights;
    QString signature;
    db::UpdateErrorHandler onError;
    const SiteLog* log = nullptr;
};

// The window of a reference-table screen: the grid DBGrid1 with its
// navigator, Edit_Codigo and the inputs of the table beside it, the buttons,
// the help panels and the two-panel status bar. The behaviour is the
// TableScreen's; this class binds it to the widgets.
class TableScreenForm : public QDialog {
    Q_OBJECT
public:
    // The logic is created over the form's view by `makeLogic`.
    using LogicFactory = std::function<std::unique_ptr<TableScreen>(ScreenView&)>;
    TableScreenForm(const TableScreenConfig& config, LogicFactory makeLogic, Listing* listing,
                    ScreenSetting setting, QWidget* parent = nullptr);
    ~TableScreenForm() override;

    TableScreen& logic() { return *logic_; }
    QLineEdit* input(const QString& name) const { return inputs_.value(name); }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Below the inputs: where a form adds its own widgets.
    QVBoxLayout* extras() const { return extras_; }
    // Shows the current state: code, inputs, grid row, buttons.
    virtual void refresh();
    // Insert (Ctrl+Insert: alphabetical) on an input: opens its lookup, if it has one.
    virtual bool lookup(const QString&, bool) { return false; }
    // BotPrintClick: the listing in the order of the radio buttons.
    virtual void print();
    Listing* listing() const { return listing_; }
    // Leaves an input as the focus would, with the text it has now.
    bool runCheck(const QString& input);
    components::WidgetView& view() { return view_; }
    QWidget* inputPanel() const { return inputPanel_; }

private:
    void build();
    void buildInputs(QVBoxLayout* column);
    void buildButtons(QVBoxLayout* column);
    QWidget* buildNavigator();
    void activate();
    void gridFocusChanged();
    void selectCurrentRow();
    // The help panels hide, the action runs, the screen shows the result.
    void buttonAction(const std::function<void()>& action);
    void BotInserirClick();
    void BotCancelarClick();
    void BotDeleteClick();
    void BotPrintClick();

    TableScreenConfig config_;
    components::WidgetView view_;
    std::unique_ptr<TableScreen> logic_;
    Listing* listing_;
    ScreenSetting setting_;
    components::FormConventions* conventions_ = nullptr;
    db::DatasetModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QWidget* inputPanel_ = nullptr;
    QVBoxLayout* extras_ = nullptr;
    QHash<QString, QLineEdit*> inputs_;
    QHash<QString, QWidget*> panels_; // help panels by input
    QList<QAbstractButton*> navigator_;
    QHash<QString, QAbstractButton*> buttons_;
    QRadioButton* radNum_ = nullptr;
    bool activated_ = false;
    bool inGrid_ = false;
    bool closing_ = false;
};

} // namespace corvane::reference
