#pragma once

#include "core/screen_view.h"
#include "db/dataset.h"
#include "db/schema.h"
#include "shell/access_rights.h"

#include <QHash>

namespace corvane::reference {

// The general parameters (TCORVF000): the one PARGER row (CODIGO 1, made
// when missing), its cost types, structure operation, price basis and the
// stock movements and warehouses of internal requisitions. The row is
// written however the screen closes.
class ParametersScreen {
public:
    ParametersScreen(db::Dataset& parger, db::Dataset& tipoCusto, db::Dataset& operacoes,
                     db::Database& factura, ScreenView& view, db::UpdateErrorHandler onError = {});

    // Rights (form C), the signature, the datasets and the labels; false
    // with a message when a dataset cannot be opened.
    bool activate(const shell::AccessRights& rights, const QString& signature);
    bool inputsEnabled() const { return inputsEnabled_; }

    // A column as its input shows it, and the description beside it.
    QString text(const QString& column) const;
    QString label(const QString& column) const { return labels_.value(column); }

    // The checks of the stock inputs run only while the page "Planeamento" is shown.
    void setPlanningShown(bool shown) { planningShown_ = shown; }
    // The Exit handler of an input; false keeps (or sends back) the focus.
    bool fieldExit(const QString& column, const QString& text);

    db::Dataset& costTypes() { return *tipoCusto_; }
    db::Dataset& operations() { return *operacoes_; }
    db::Dataset& departments() { return departments_; }
    db::Dataset& movements() { return movements_; }
    db::Dataset& warehouses() { return warehouses_; }

    // Characters the input of a column takes: the column's width.
    int inputLength(const QString& column) const;

    // Writes the row; false when the write failed (the changes stay).
    bool write();
    // The close box or Esc: the row is written; when that fails, the user is
    // asked whether to abandon the changes (Yes drops them). True closes.
    bool closeRequested();
    // FormClose: the row is written and the datasets closed; false when the write failed.
    bool close();

private:
    bool checkCostType(const QString& column, int code);
    bool checkStock(const QString& column, int code);
    void describe(const QString& column);
    void setValue(const QString& column, const QVariant& value);

    db::Dataset* parger_;
    db::Dataset* tipoCusto_;
    db::Dataset* operacoes_;
    db::Dataset departments_;
    db::Dataset movements_;
    db::Dataset warehouses_;
    ScreenView& view_;
    db::UpdateErrorHandler onError_;
    int row_ = -1;
    bool inputsEnabled_ = false;
    bool planningShown_ = false;
    QHash<QString, QString> labels_;
    db::Table table_;
};

} // namespace corvane::reference
