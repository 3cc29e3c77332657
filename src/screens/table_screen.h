#pragma once

#include "core/screen_view.h"
#include "db/dataset.h"
#include "db/unit_of_work.h"
#include "shell/access_rights.h"
#include "table_screen_config.h"

#include <QHash>

namespace corvane::screens {

inline const QString kGrid = QStringLiteral("DBGrid1");
inline const QString kCodeInput = QStringLiteral("Edit_Codigo");

// The behaviour of a table screen without its widgets: a grid of the table's
// rows beside the inputs of the current row.
//
// Leaving the grid starts editing the current row, read again from the
// table so the user edits what is stored now; returning to it writes the
// buffered change (unless settling) and goes back to the remembered row. A
// write another user's change refused keeps the user's values over the row
// as now stored: returning to the grid again writes them, Cancel drops them.
// The user's rights hold here and in the dataset: without them the inputs
// take nothing and nothing is written.
// Insert proposes the last code + 1; a code that exists ends the insertion.
// Cancel restores the row and settles, so the field being left is not checked.
// Delete asks and writes at once. Closing discards an unfinished row.
//
// Inputs with a lookup are checked against the lookup's dataset (registered
// with addDataset) and show the description of what they hold.
// The status bar's word when returning to the grid wrote the row.
inline const QString kRowWritten = QStringLiteral("Registo gravado");

class TableScreen {
public:
    TableScreen(TableScreenConfig config, db::Dataset& dataset, ScreenView& view,
                db::UpdateErrorHandler onError = {});
    virtual ~TableScreen();
    TableScreen(const TableScreen&) = delete;
    TableScreen& operator=(const TableScreen&) = delete;

    const TableScreenConfig& config() const { return config_; }
    db::Dataset& dataset() { return *ds_; }

    // A dataset the screen's lookups read, opened with the screen (unless
    // `openWithScreen` is false: the screen's owner opens it) and closed with it.
    void addDataset(db::Dataset& dataset, bool openWithScreen = true);
    db::Dataset* lookupDataset(const QString& name) const { return lookups_.value(name); }
    // The value of the other key columns of new rows (the first is the code).
    void setFixedKey(const QString& column, const QVariant& value) { fixedKey_.insert(column, value); }

    // FormActivate: rights (form A), the signature, settling, the datasets
    // opened; the focus goes to the grid. False with a message when it cannot open.
    bool activate(const shell::AccessRights& rights, const QString& signature);
    const shell::ButtonRights& buttons() const { return buttons_; }
    // Navigator, Insert, Delete, Print and Terminate are usable (not while editing).
    bool buttonsEnabled() const { return !editing_; }
    bool editing() const { return editing_; }
    bool inserting() const { return inserting_; }
    bool settling() const { return settling_; }
    // Whether the inputs take no typing: the user's rights do not allow
    // changing the row shown (or inserting, for a new row).
    bool inputsReadOnly() const { return inserting_ ? !buttons_.insertAndCancel : !buttons_.change; }
    // Whether closing now would lose typed work: a row being edited or
    // inserted holds values not yet written, or `typedNow` (the focused
    // input holds text it has not stored yet).
    bool unwrittenWork(bool typedNow) const { return editing_ && (touched_ || typedNow); }

    int currentRow() const { return current_; }
    void setCurrentRow(int row);
    // What Edit_Codigo shows, and a column of the current row as its input shows it.
    const QString& codeText() const { return codeText_; }
    QString fieldText(const QString& column) const;
    // The description beside a lookup input.
    QString label(const QString& column) const { return labels_.value(column); }

    void gridExit();          // DbGrid1Exit
    virtual bool gridEnter(); // DbGrid1Enter; false when the write failed (the changes stay)
    void insert();            // BotInserirClick
    // Edit_CodigoExit while inserting. False keeps the focus on the code, or
    // (the code exists) ends the insertion and sends the focus to the grid.
    bool codeExit(const QString& text);
    // The Exit handler of a bound input: checks the text (unless settling)
    // and stores it. False keeps the focus on the input.
    bool fieldExit(const QString& column, const QString& text);
    // What a row chosen in a lookup's list writes into the input; empty when
    // the row cannot serve.
    virtual QString chosenKey(const FieldRule& rule, int lookupRow) const;
    void cancel(); // BotCancelarClick
    bool remove(); // BotDeleteClick; false when nothing was deleted
    void close();  // FormClose

protected:
    // Checks and converts one input; the default applies the field's rules
    // and its lookup's existence check.
    virtual bool checkField(const FieldRule& rule, const QString& text, QVariant* value);
    // After a field's value was stored.
    virtual void fieldStored(const FieldRule&) {}
    virtual bool openMore(QString*) { return true; }
    // Each time another row is shown (and on Insert, for the new empty row).
    virtual void rowShown() {}
    // After the deletion was confirmed: the writes that go with the row's,
    // in its transaction and before it (rows that hang on it).
    virtual void removeWith(db::UnitOfWork&) {}
    virtual void closeMore() {}
    bool refuse(const QString& input, const QString& message);
    void setValue(const QString& column, const QVariant& value);
    QVariant value(const QString& column) const;
    void setLabel(const QString& column, const QString& text) { labels_.insert(column, text); }
    // The lookup row of what a lookup input holds now, or -1.
    int lookupRow(const FieldRule& rule, const QVariant& key) const;

    ScreenView& view_;

private:
    bool reopen();
    // After a refused write: the row's stored values are read again under
    // the user's changes, so applying again writes over what is stored now.
    void rereadAfterFailure(const QString& error);
    void showCode();
    void describeRow();
    QString firstInput() const;
    QVariantList keyOf(int row) const;
    int locateKey(const QVariantList& key) const;

    TableScreenConfig config_;
    db::Dataset* ds_;
    db::UpdateErrorHandler onError_;
    QHash<QString, db::Dataset*> lookups_;
    QList<db::Dataset*> opened_;
    QVariantMap fixedKey_;
    QHash<QString, QString> labels_;
    shell::ButtonRights buttons_;
    bool inserting_ = false;
    bool settling_ = true;
    bool editing_ = false;
    bool touched_ = false; // a value stored in the row since it was written or read
    int current_ = -1;
    QVariantList remembered_;
    QString codeText_;
};

} // namespace corvane::screens
