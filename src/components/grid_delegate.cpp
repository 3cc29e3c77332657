#include "grid_delegate.h"
#include "core/number_input.h"

#include <QDateTime>
#include <QRegularExpression>

namespace corvane::components {

QString GridDelegate::textOf(const QVariant& value) {
    QDateTime dt;
    switch (value.metaType().id()) {
    case QMetaType::QDateTime:
        dt = value.toDateTime();
        break;
    case QMetaType::QDate:
        dt = QDateTime(value.toDate(), QTime(0, 0));
        break;
    case QMetaType::QString: {
        // Only text that is a date from its first character.
        static const QRegularExpression iso(
            QStringLiteral("^\\d{4}-\\d{2}-\\d{2}([ T]\\d{2}:\\d{2}(:\\d{2}(\\.\\d+)?)?)?$"));
        const QString s = value.toString().trimmed();
        if (!iso.match(s).hasMatch())
            return value.toString();
        QString t = s;
        t.replace(QLatin1Char(' '), QLatin1Char('T'));
        dt = t.size() == 10 ? QDateTime(QDate::fromString(t, Qt::ISODate), QTime(0, 0))
                            : QDateTime::fromString(t, Qt::ISODateWithMs);
        if (!dt.isValid())
            return value.toString();
        break;
    }
    default:
        return value.toString();
    }
    if (!dt.isValid())
        return QString();
    return dt.toString(dt.time() == QTime(0, 0) ? QStringLiteral("dd/MM/yyyy")
                                                : QStringLiteral("dd/MM/yyyy hh:mm"));
}

QString GridDelegate::displayText(const QVariant& value, const QLocale& locale) const {
    const int type = value.metaType().id();
    if (type == QMetaType::QDateTime || type == QMetaType::QDate || type == QMetaType::QString)
        return textOf(value);
    if (type == QMetaType::Double || type == QMetaType::Float)
        return numberText(value.toDouble());
    if (type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Short ||
        type == QMetaType::UInt || type == QMetaType::ULongLong)
        return value.toString();
    return QStyledItemDelegate::displayText(value, locale);
}

} // namespace corvane::components
