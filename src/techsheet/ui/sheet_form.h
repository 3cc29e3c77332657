#pragma once

#include "screens/ui/screen_dialog.h"
#include "techsheet/screens/sheet_editing.h"
#include "techsheet/screens/sheet_screen.h"
#include "techsheet/store/sheet_store.h"

#include <QHash>

#include <functional>
#include <memory>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QTabWidget;
class QTableView;

namespace corvane::db {
class Dataset;
}
namespace corvane::screens {
class LookupWiring;
}

namespace corvane::techsheet {

// The step screens the sheet opens, by the kind of step. A step this version
// does not have stays disabled with a hint saying so.
struct SheetLinks {
    // Opens a step screen modally on the context; answers whether it closed
    // by "&Terminar" (false: cancelled).
    using OpenStep = std::function<bool(QWidget* parent, TechSheetContext& context)>;
    QHash<int, OpenStep> steps; // by StepScreen
    // The article gained or lost its sheet (its FICTEC mark).
    std::function<void(const QString& article, bool hasSheet)> sheetMarked;
};

class SheetWindowView;

// The window of the technical sheet TCORVF035FICTEC ("Ficha Técnica"): the
// kind, the header page of the kind with its step buttons, and the lines.
class TCORVF035FICTEC : public screens::ScreenDialog {
    Q_OBJECT
public:
    TCORVF035FICTEC(TechSheetContext& context, db::Database& corvane, db::Dataset& workTypes,
                    SheetLinks links, const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    ~TCORVF035FICTEC() override;

    SheetScreen& logic() { return *logic_; }
    QWidget* input(const QString& name) const { return inputs_.value(name); }
    QAbstractButton* button(const QString& name) const { return buttons_.value(name); }
    QTableView* lines() const { return grid_; }
    QTabWidget* pages() const { return NB; }

    void refresh();
    void selectPage(const QString& kind);
    // "&Gravar", "&Eliminar", "&Cancelar" and a step button, as their clicks.
    bool save();
    bool removeSheet();
    void cancelChanges();
    void openStep(const QString& button);

protected:
    bool activateScreen() override;
    bool closeRequested() override;
    void closeScreen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildPage(const QString& kind);
    bool reloadLines();
    bool runCheck(const QString& input);

    TechSheetContext& ctx_;
    SheetStore store_;
    db::Dataset& workTypes_;
    SheetLinks links_;
    std::unique_ptr<SheetWindowView> windowView_;
    std::unique_ptr<SheetScreen> logic_;
    std::unique_ptr<SheetEditing> editing_;
    QHash<QString, QWidget*> inputs_;
    QHash<QString, QAbstractButton*> buttons_;
    QHash<QString, QLabel*> descriptions_; // beside the inputs with a lookup
    QButtonGroup* kinds_ = nullptr;
    QTabWidget* NB = nullptr;
    QTableView* grid_ = nullptr;
    QStandardItemModel* model_ = nullptr;
    screens::LookupWiring* lookups_ = nullptr;
};

// Opens the sheet of an article modally.
void openTechSheet(QWidget* parent, TechSheetContext& context, db::Database& corvane, db::Dataset& workTypes,
                   SheetLinks links, const screens::ScreenSetting& setting);

} // namespace corvane::techsheet
