#pragma once

#include "db/dataset.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace corvane::shell {

// The dialog shown when writing a buffered change fails: the kind of change,
// the server's message and each field's new and old value; "&Repetir" retries
// the row, "&Ignorar" leaves it out, any other close aborts.
class TUpdateErrorForm : public QDialog {
    Q_OBJECT
public:
    explicit TUpdateErrorForm(QWidget* parent = nullptr);

    // Fills the dialog for one failure (without showing it).
    void fill(const db::UpdateFailure& failure);
    db::UpdateAction answer() const { return answer_; }
    // Shows the dialog modally for the failure and returns the answer.
    db::UpdateAction ask(const db::UpdateFailure& failure);
    // A handler for Dataset::applyUpdates that asks this dialog.
    db::UpdateErrorHandler handler();

private:
    QLabel* UpdateType;
    QPlainTextEdit* ErrorText;
    QTableWidget* UpdateData;
    db::UpdateAction answer_ = db::UpdateAction::Abort;
};

} // namespace corvane::shell
