#pragma once

#include "row_filter.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace corvane::components {

// The dialog "Seleccione": the user builds a filter as condition lines, each
// a field (Combo_Campo) and a value expression (Edit_Valor). "E" (BotE) and
// "Ou" (BotOu) add the typed condition to the list (Lista_Condicoes) and say
// how the next one joins it; "Remover" (BotRemover) takes the chosen line
// out, "Limpar" (BotLimpar) all of them. "OK" (BotOk) adds what is typed and
// compiles the lines; a value that cannot be read is shown in a message and
// the focus goes back to the value. "Cancelar" (BotCancelar) leaves.
// OK without any line answers the empty filter (every row). Reopened on a
// filter, OK with a new condition typed and the old lines untouched asks
// kReplaceQuestion: Yes keeps the new condition alone, No joins it to them.
inline const QString kReplaceQuestion = QStringLiteral("Substituir as condições anteriores pela nova ?");

class FilterDialog : public QDialog {
    Q_OBJECT
public:
    // `current` gives the lines shown at first; `defaultField` (a field name)
    // the field chosen at first, else the first field.
    FilterDialog(QList<FilterField> fields, const RowFilter& current = {}, const QString& defaultField = {},
                 QWidget* parent = nullptr);

    QList<FilterLine> lines() const { return lines_; }
    // The filter compiled on OK.
    const RowFilter& filter() const { return filter_; }

    // Adds the typed condition (when there is one), the next one joining it
    // by `next`. False when its value was refused (and the message shown).
    bool addTyped(FilterJoin next);

    void accept() override;

    // Shows the dialog modally: the filter on OK, nothing on Cancel.
    static std::optional<RowFilter> ask(QWidget* parent, const QList<FilterField>& fields,
                                        const RowFilter& current = {}, const QString& defaultField = {});

private:
    void refuse(const QString& message);
    void showLines();

    QList<FilterField> fields_;
    QList<FilterLine> lines_;
    QList<FilterLine> opened_; // the lines shown at first
    FilterJoin pending_ = FilterJoin::And;
    RowFilter filter_;
    QLabel* join_;
    QComboBox* field_;
    QLineEdit* value_;
    QListWidget* list_;
};

} // namespace corvane::components
