#pragma once

#include "components/widget_view.h"
#include "reference/screens/packaging_screen.h"
#include "table_screen_form.h"

class QLabel;
class QLineEdit;
class QTableWidget;

namespace corvane::shell {
class TDTCORVANE;
}

namespace corvane::reference {

// TCORVF007: the packaging types with the cost type's designation, the
// current type's material lines below the inputs and BotMatPrima for them;
// Print goes through the listing's selection screen.
class TCORVF007 : public TableScreenForm {
    Q_OBJECT
public:
    TCORVF007(shell::TDTCORVANE& data, db::Database& factura, Listing* listing, ScreenSetting setting,
              QWidget* parent = nullptr);
    bool lookup(const QString& input, bool alphabetical) override;

protected:
    void refresh() override;
    void print() override;

private:
    PackagingScreen& packaging() { return static_cast<PackagingScreen&>(logic()); }
    void BotMatPrimaClick();

    shell::TDTCORVANE& data_;
    db::Database& factura_;
    ScreenSetting setting_;
    QLabel* LabelTipoCusto = nullptr;
    QTableWidget* materials_ = nullptr;
};

// TCORVF007A: the three subsidiary-material lines of one packaging type.
class TCORVF007A : public QDialog {
    Q_OBJECT
public:
    TCORVF007A(db::Dataset& embalagemMp, db::Database& factura, int packaging, const QString& name,
               const ScreenSetting& setting, QWidget* parent = nullptr);
    ~TCORVF007A() override;
    PackagingMaterials& logic() { return logic_; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void lookup(int line, bool alphabetical);

    components::WidgetView view_;
    PackagingMaterials logic_;
    QHash<QString, QLineEdit*> inputs_;
    components::FormConventions* conventions_ = nullptr;
    bool activated_ = false;
    bool cancelled_ = false;
    bool closed_ = false;
};

} // namespace corvane::reference
