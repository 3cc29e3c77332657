#pragma once

#include "core/screen_view.h"
#include "db/dataset.h"
#include "shell/access_rights.h"
#include "table_screen_config.h"

namespace corvane::reference {

inline const QString kGrid = QStringLiteral("DBGrid1");
inline const QString kCodeInput = QStringLiteral("Edit_Codigo");

// The behaviour of a reference-table screen without its widgets: a grid of
// the table's rows beside the inputs of the current row.
//
// Leaving the grid starts editing the current row; returning to it writes the
// buffered change (unless settling) and goes back to the remembered row.
// Insert proposes the last code + 1; a code that exists ends the insertion.
// Cancel restores the row and settles, so the field being left is not checked.
// Delete asks and writes at once. Closing discards an unfinished row.
class TableScreen {
public:
    TableScreen(TableScreenConfig config, db::Dataset& dataset, ScreenView& view,
                db::UpdateErrorHandler onError = {});
    virtual ~TableScreen();
    TableScreen(const TableScreen&) = delete;
    TableScreen& operator=(const TableScreen&) = delete;

    const TableScreenConfig& config() const { return config_; }
    db::Dataset& dataset() { return *ds_; }

    // FormActivate: rights (form A), the signature, settling, the dataset
    // opened; the focus goes to the grid. False with a message when it cannot open.
    bool activate(const shell::AccessRights& rights, const QString& signature);
    const shell::ButtonRights& buttons() const { return buttons_; }
    // Navigator, Insert, Delete, Print and Terminate are usable (not while editing).
    bool buttonsEnabled() const { return !editing_; }
    bool inserting() const { return inserting_; }
    bool settling() const { return settling_; }

    int currentRow() const { return current_; }
    void setCurrentRow(int row);
    // What Edit_Codigo shows, and a column of the current row as its input shows it.
    const QString& codeText() const { return codeText_; }
    QString fieldText(const QString& column) const;

    void gridExit();          // DbGrid1Exit
    virtual bool gridEnter(); // DbGrid1Enter; false when the write failed (the changes stay)
    void insert();            // BotInserirClick
    // Edit_CodigoExit while inserting. False keeps the focus on the code, or
    // (the code exists) ends the insertion and sends the focus to the grid.
    bool codeExit(const QString& text);
    // The Exit handler of a bound input: checks the text (unless settling)
    // and stores it. False keeps the focus on the input.
    bool fieldExit(const QString& column, const QString& text);
    void cancel(); // BotCancelarClick
    bool remove(); // BotDeleteClick; false when nothing was deleted
    void close();  // FormClose

protected:
    // Checks and converts one input; the default applies the field's rules.
    virtual bool checkField(const FieldRule& rule, const QString& text, QVariant* value);
    // After a field's value was stored.
    virtual void fieldStored(const FieldRule&) {}
    virtual bool openMore(QString*) { return true; }
    // Each time another row is shown (and on Insert, for the new empty row).
    virtual void rowShown() {}
    // Runs after the deletion was confirmed, before the row goes.
    virtual bool beforeRemove(QString*) { return true; }
    virtual void closeMore() {}
    bool refuse(const QString& input, const QString& message);
    void setValue(const QString& column, const QVariant& value);
    QVariant value(const QString& column) const;

    ScreenView& view_;

private:
    bool reopen();
    void showCode();
    QString firstInput() const;

    TableScreenConfig config_;
    db::Dataset* ds_;
    db::UpdateErrorHandler onError_;
    shell::ButtonRights buttons_;
    bool inserting_ = false;
    bool settling_ = true;
    bool editing_ = false;
    int current_ = -1;
    QVariant remembered_;
    QString codeText_;
};

} // namespace corvane::reference
