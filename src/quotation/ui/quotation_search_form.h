#pragma once

#include "components/filter/filter_proxy_model.h"
#include "quotation/screens/quotation_search.h"
#include "screens/ui/screen_dialog.h"

#include <memory>

class QLabel;
class QTableView;

namespace corvane::db {
class DatasetModel;
}

namespace corvane::quotation {

// The window of the quotation search TCORVF040A ("Pesquisa de Orçamentos"):
// the pending quotations in a grid, "Localizar Orçamento" to filter them,
// their count, a double click to choose one.
class TCORVF040A : public screens::ScreenDialog {
    Q_OBJECT
public:
    TCORVF040A(db::Database& corvane, const screens::ScreenSetting& setting, QWidget* parent = nullptr);
    ~TCORVF040A() override;

    // The number chosen; 0 when none was.
    int result() const { return search_.result(); }
    QTableView* grid() const { return DBGrid1; }
    int shownCount() const;
    // "Localizar Orçamento": the filter asked for and applied to the rows read.
    void select();
    // Applies a filter as if it came from the dialog; false (after the
    // message) when the rows cannot be read.
    bool applyFilter(const components::RowFilter& filter);
    // A double click on a line of the grid.
    void chooseLine(int line);

    // Opens the search modally; the number chosen or 0.
    static int ask(db::Database& corvane, const screens::ScreenSetting& setting, QWidget* parent);

protected:
    bool activateScreen() override;
    void closeScreen() override;
    // Enter on a line of the grid chooses it, as a double click does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCount();

    QuotationSearch search_;
    std::unique_ptr<db::DatasetModel> model_;
    components::FilterProxyModel* proxy_ = nullptr;
    QTableView* DBGrid1 = nullptr;
    QLabel* count_ = nullptr;
};

} // namespace corvane::quotation
