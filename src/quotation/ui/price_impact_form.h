#pragma once

#include "quotation/screens/price_impact_screen.h"
#include "screens/ui/screen_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTableWidget;

namespace corvane::components {
class BarChartPanel;
}

namespace corvane::quotation {

// The window of "Impacto de Preços": the changes typed over today's prices,
// the margin threshold, "&Calcular" with its progress bar, the table of the
// levels whose sheet cost changes (flagged ones first, in red), the bars of
// the largest falls of margin, and the export to a spreadsheet.
class TCORVFIMPACTO : public screens::ScreenDialog {
    Q_OBJECT
public:
    TCORVFIMPACTO(db::Database& corvane, db::Database& factura, QString company,
                  const screens::ScreenSetting& setting, QWidget* parent = nullptr);

    PriceImpactScreen& logic() { return logic_; }
    // "&Acrescentar": the change typed; false (after the message) when refused.
    bool addChange();
    // "&Calcular".
    bool calculate();
    // "E&xportar": the table to an .xlsx file at `path`.
    bool exportTo(const QString& path);
    QTableWidget* impactGrid() const { return Grid_Impacto; }
    components::BarChartPanel* chart() const { return Chart_Quedas; }

protected:
    bool activateScreen() override;
    // Esc or the close box with changes typed: asks before they are lost.
    bool closeRequested() override { return abandonAsked(); }
    // Enter in "Novo valor" adds the change (elsewhere it moves on as Tab).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showToday();
    void showChanges();
    void showResults();
    void chooseExport();

    PriceImpactScreen logic_;
    QString company_;
    QComboBox* Combo_Tipo = nullptr;
    QLineEdit* Edit_Codigo = nullptr;
    QLabel* Label_Hoje = nullptr;
    QLineEdit* Edit_Novo = nullptr;
    QTableWidget* Grid_Alteracoes = nullptr;
    QLineEdit* Edit_Margem = nullptr;
    QProgressBar* Progress = nullptr;
    QLabel* Label_Resumo = nullptr;
    QTableWidget* Grid_Impacto = nullptr;
    components::BarChartPanel* Chart_Quedas = nullptr;
};

} // namespace corvane::quotation
