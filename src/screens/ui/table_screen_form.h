#pragma once

#include "screen_dialog.h"
#include "screens/table_listing.h"
#include "screens/table_screen.h"

#include <QHash>

#include <memory>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableView;
class QVBoxLayout;

namespace corvane::db {
class DatasetModel;
}

namespace corvane::screens {

class LookupWiring;

// The window of a table screen: the grid DBGrid1 with its navigator,
// Edit_Codigo and the inputs of the table beside it (each with its label, its
// suffix, the description of a lookup and the lookup list itself), the
// buttons, the help panels and the two-panel status bar. The behaviour is the
// TableScreen's; this class binds it to the widgets.
class TableScreenForm : public ScreenDialog {
    Q_OBJECT
public:
    // The logic is created over the form's view by `makeLogic`.
    using LogicFactory = std::function<std::unique_ptr<TableScreen>(ScreenView&)>;
    TableScreenForm(const TableScreenConfig& config, LogicFactory makeLogic, TableListing* listing,
                    const ScreenSetting& setting, QWidget* parent = nullptr);
    ~TableScreenForm() override;

    TableScreen& logic() { return *logic_; }
    QLineEdit* input(const QString& name) const;
    QWidget* field(const QString& name) const { return inputs_.value(name); }
    QLabel* lookupLabel(const QString& name) const { return labels_.value(name); }

protected:
    bool activateScreen() override;
    bool checkOnCloseBox() const override { return false; } // a row being edited is discarded
    // The close box or Esc over typed work not yet written asks first.
    bool closeRequested() override;
    void closeScreen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Below the inputs: where a form adds its own widgets.
    QVBoxLayout* extras() const { return extras_; }
    // Shows the current state: code, inputs, labels, grid row, buttons.
    virtual void refresh();
    // BotPrintClick: the listing in the order of the radio buttons.
    virtual void print();
    TableListing* listing() const { return listing_; }
    // Leaves an input as the focus would, with the text it has now.
    bool runCheck(const QString& input);
    QWidget* inputPanel() const { return inputPanel_; }

private:
    void build();
    // Opens wide enough to show the grid's columns beside the inputs.
    void sizeToColumns();
    void buildInputs(QVBoxLayout* column);
    void buildButtons(QVBoxLayout* column);
    QWidget* buildNavigator();
    void bindInputs();
    void refreshLabels();
    void gridFocusChanged();
    void selectCurrentRow();
    // The help panels hide, the action runs, the screen shows the result.
    void buttonAction(const std::function<void()>& action);
    void BotInserirClick();
    void BotCancelarClick();
    void BotDeleteClick();
    void BotPrintClick();

    TableScreenConfig config_;
    std::unique_ptr<TableScreen> logic_;
    TableListing* listing_;
    db::DatasetModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QWidget* side_ = nullptr; // the inputs, buttons and panels beside the grid
    QWidget* inputPanel_ = nullptr;
    QVBoxLayout* extras_ = nullptr;
    LookupWiring* lookups_ = nullptr;
    QHash<QString, QWidget*> inputs_;
    QHash<QString, QLabel*> labels_;  // lookup descriptions by input
    QHash<QString, QWidget*> panels_; // help panels by input
    QList<QAbstractButton*> navigator_;
    QHash<QString, QAbstractButton*> buttons_;
    QRadioButton* radNum_ = nullptr;
    bool inGrid_ = false;
};

} // namespace corvane::screens
