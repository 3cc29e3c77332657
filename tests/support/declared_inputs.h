#pragma once

// Checks a window against the declaration of its inputs, so a screen cannot
// drift from its FieldRules: each declared input is in the window, takes the
// characters its column holds, has a caption and a place in the tab order,
// and each lookup names a dataset of the screen with the columns it lists.

#include "db/dataset.h"
#include "db/schema.h"
#include "screens/field_rule.h"

#include <QAbstractSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <functional>

using DatasetNamed = std::function<corvane::db::Dataset*(const QString& name)>;

inline QStringList declaredInputFaults(QWidget& window, const QList<corvane::screens::FieldRule>& rules,
                                       const QList<corvane::db::Table>& tables,
                                       const DatasetNamed& datasetNamed) {
    using namespace corvane;
    QStringList faults;
    auto columnOf = [&](const QString& name) -> const db::Column* {
        for (const db::Table& t : tables)
            for (const db::Column& c : t.columns)
                if (c.name.compare(name, Qt::CaseInsensitive) == 0)
                    return &c;
        return nullptr;
    };
    QHash<const QWidget*, bool> labelled;
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy())
            labelled.insert(label->buddy(), true);
    for (const screens::FieldRule& rule : rules) {
        const QString name = rule.input;
        auto* widget = window.findChild<QWidget*>(name);
        if (!widget) {
            faults << name + QStringLiteral(": not in the window");
            continue;
        }
        const db::Column* column = columnOf(rule.column);
        if (!rule.column.isEmpty() && !column)
            faults << name + QStringLiteral(": no column ") + rule.column;
        if (column && rule.maxLength != screens::inputLength(*column))
            faults << name + QStringLiteral(": takes %1 characters, its column %2")
                                 .arg(rule.maxLength)
                                 .arg(screens::inputLength(*column));
        if (auto* line = qobject_cast<QLineEdit*>(widget);
            line && rule.maxLength > 0 && line->maxLength() != rule.maxLength)
            faults << name + QStringLiteral(": the input takes %1 characters, its rule %2")
                                 .arg(line->maxLength())
                                 .arg(rule.maxLength);
        if (widget->accessibleName().trimmed().isEmpty() && !labelled.contains(widget))
            faults << name + QStringLiteral(": no caption");
        if (!rule.readOnly && !(widget->focusPolicy() & Qt::TabFocus))
            faults << name + QStringLiteral(": not in the tab order");
        if (!rule.lookup.isSet())
            continue;
        db::Dataset* ds = datasetNamed(rule.lookup.dataset);
        if (!ds) {
            faults << name + QStringLiteral(": no dataset ") + rule.lookup.dataset;
            continue;
        }
        QStringList wanted = rule.lookup.columns;
        wanted << rule.lookup.keyColumn;
        if (!rule.lookup.labelColumn.isEmpty())
            wanted << rule.lookup.labelColumn;
        if (!rule.lookup.sortColumn().isEmpty())
            wanted << rule.lookup.sortColumn();
        for (const QString& c : wanted)
            if (ds->isOpen() && ds->fieldIndex(c) < 0)
                faults << name + QStringLiteral(": dataset %1 has no column %2").arg(rule.lookup.dataset, c);
        if (!rule.lookup.labelName.isEmpty() && !window.findChild<QWidget*>(rule.lookup.labelName))
            faults << name + QStringLiteral(": no description box ") + rule.lookup.labelName;
    }
    return faults;
}
