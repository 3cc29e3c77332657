#pragma once

// The grid DBGrid1 of a step screen over the candidate rows its logic holds:
// an "OK" column shown as a check box, one column typed in (the time, or the
// mode of an ultrasound cutter), the other columns shown as the logic has them.
#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <functional>
#include <initializer_list>

class QGridLayout;
class QTableView;

namespace corvane::screens {
class ScreenDialog;
}

namespace corvane::techsheet {

struct TechSheetContext;

// The head of a step window: `caption` and the article (code and both
// designations, "Label_Artigo") on the first row, "Comprim" and "Largura"
// on the second; a step adds its own labels from column 2 of that row.
QGridLayout* articleHeader(QWidget* owner, const TechSheetContext& ctx, const QString& caption);

// Before a step screen closes, an editor open in its grid is left, so its
// value is taken as leaving the cell would.
void leaveGridEditor(QWidget* dialog, QWidget* grid);

class StepGridModel;

// A step screen opened on a sheet another user holds: its inputs and grids
// take nothing (finishing is refused by the logic as well).
void showLookOnly(screens::ScreenDialog* form, const TechSheetContext& ctx,
                  std::initializer_list<StepGridModel*> models);

class StepGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    StepGridModel(QStringList titles, int okColumn, int typedColumn, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // After the rows changed outside the grid.
    void reload();
    int okColumn() const { return okColumn_; }
    // The column the rows are ordered by: its title is shown in orange.
    void setSortedColumn(int column);
    // A sheet only looked at: nothing is ticked or typed.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

signals:
    // The user ticked or typed in a cell.
    void edited();

public:
    // Numbers as the grid shows them.
    static QString number(double v) { return QString::number(v, 'g', 15); }

protected:
    virtual int rows() const = 0;
    virtual bool ticked(int row) const = 0;
    // The text of a column other than OK.
    virtual QVariant cell(int row, int column) const = 0;
    // Leaving the OK column ticked or not, and the typed column with what was typed.
    virtual void okLeft(int row, bool ticked) = 0;
    virtual bool typedLeft(int row, const QString& typed) = 0;

private:
    QStringList titles_;
    int okColumn_;
    int typedColumn_;
    int sortedColumn_ = 0;
    bool readOnly_ = false;
};

// The grid DBGrid1 of a step screen over `model`, with the given column
// widths; a click on the title of column 0 ("Código") or 1 ("Designação")
// orders the rows by CODIGO or DESIGNACAO through `sortBy`, then `sorted` runs.
// The user's edits in it count as typed work of the owner's screen.
QTableView* makeStepGrid(QWidget* owner, StepGridModel* model, const QList<int>& widths,
                         std::function<void(const QString& column)> sortBy,
                         std::function<void()> sorted = {});

} // namespace corvane::techsheet
