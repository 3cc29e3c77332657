#pragma once

#include <QStyledItemDelegate>

namespace corvane::components {

// How a read-only grid shows a database's values: dates and date-times as
// dd/MM/yyyy (with the time when it is not midnight), whether the driver
// gives them as dates or as ISO text; everything else as Qt shows it.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override;
    // The text a value shows in such a grid.
    static QString textOf(const QVariant& value);
};

} // namespace corvane::components
