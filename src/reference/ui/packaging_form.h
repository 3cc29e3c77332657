#pragma once

#include "reference/screens/packaging_screen.h"
#include "screens/ui/screen_dialog.h"
#include "screens/ui/table_screen_form.h"

class QLineEdit;
class QTableWidget;

namespace corvane::shell {
class TDTCORVANE;
}

namespace corvane::reference {

class TCORVFPR007;

// TCORVF007: the packaging types with the cost type's designation, the
// current type's material lines below the inputs and BotMatPrima for them;
// Print goes through the listing's selection screen.
class TCORVF007 : public screens::TableScreenForm {
    Q_OBJECT
public:
    TCORVF007(shell::TDTCORVANE& data, db::Database& factura, TCORVFPR007* listing,
              const screens::ScreenSetting& setting, QWidget* parent = nullptr);

protected:
    void refresh() override;
    void print() override;

private:
    PackagingScreen& packaging() { return static_cast<PackagingScreen&>(logic()); }
    void BotMatPrimaClick();

    shell::TDTCORVANE& data_;
    db::Database& factura_;
    TCORVFPR007* listing_;
    QTableWidget* materials_ = nullptr;
};

// TCORVF007A: the three subsidiary-material lines of one packaging type.
// "Terminar" and the close box write them; "Cancelar" leaves them as they were.
class TCORVF007A : public screens::ScreenDialog {
    Q_OBJECT
public:
    TCORVF007A(db::Dataset& embalagemMp, db::Database& factura, int packaging, const QString& name,
               const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    PackagingMaterials& logic() { return logic_; }

protected:
    bool activateScreen() override;
    bool closeRequested() override { return logic_.finish(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();

    PackagingMaterials logic_;
    QHash<QString, QLineEdit*> inputs_;
};

} // namespace corvane::reference
