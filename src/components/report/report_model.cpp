#include "report_model.h"

#include "core/number_input.h"

#include <QPageSize>
#include <QSizeF>

namespace corvane::report {

namespace {
const QSizeF kA4(210.0, 297.0);

} // namespace

double PageSetup::pageWidth() const {
    return orientation == QPageLayout::Portrait ? kA4.width() : kA4.height();
}

double PageSetup::pageHeight() const {
    return orientation == QPageLayout::Portrait ? kA4.height() : kA4.width();
}

QPageLayout PageSetup::pageLayout() const {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

QString ReportDefinition::check() const {
    constexpr double kTouch = 1e-6;
    const double limit = page.printableWidth() + 0.01;
    for (int l = 0; l < layouts.size(); ++l) {
        const QList<Column>& cols = layouts[l].columns;
        for (int c = 0; c < cols.size(); ++c) {
            const Column& col = cols[c];
            if (col.width <= 0 || col.x < 0 || col.x + col.width > limit)
                return QStringLiteral("Coluna %1 da linha %2 fora da página").arg(c + 1).arg(l + 1);
            for (int o = 0; o < c; ++o)
                // Columns that only touch do not overlap, whatever the rounding of their edges.
                if (col.x + kTouch < cols[o].x + cols[o].width && cols[o].x + kTouch < col.x + col.width)
                    return QStringLiteral("Colunas %1 e %2 da linha %3 sobrepostas")
                        .arg(o + 1)
                        .arg(c + 1)
                        .arg(l + 1);
        }
    }
    for (int h : headingLines)
        if (h < 0 || h >= layouts.size())
            return QStringLiteral("Linha de cabeçalho %1 inexistente").arg(h + 1);
    return {};
}

double ReportDefinition::headingsHeight() const {
    double h = 0;
    for (int l : headingLines)
        h += layouts.value(l).height;
    return h;
}

double ReportDefinition::blockHeight(const Block& block) const {
    double h = block.spaceAfter ? blockSpace : 0;
    for (const Line& line : block.lines)
        h += layouts.value(line.layout).height;
    return h;
}

QDateTime dateValue(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.metaType().id()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QString: {
        QString s = value.toString().trimmed();
        s.replace(QLatin1Char(' '), QLatin1Char('T'));
        QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
        if (!dt.isValid() && s.size() == 10)
            dt = QDateTime(QDate::fromString(s, Qt::ISODate), QTime(0, 0));
        return dt.isValid() ? dt : QDateTime();
    }
    default:
        return {};
    }
}

QString displayText(const QVariant& value, ValueKind kind) {
    if (value.isNull() || !value.isValid())
        return {};
    switch (kind) {
    case ValueKind::Number: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok)
            return value.toString();
        return numberText(d);
    }
    case ValueKind::Date:
    case ValueKind::DateTime: {
        const QDateTime dt = dateValue(value);
        if (!dt.isValid())
            return value.toString();
        return dt.toString(kind == ValueKind::Date ? QStringLiteral("dd/MM/yyyy")
                                                   : QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    }
    case ValueKind::Image:
        return {};
    case ValueKind::Text:
        break;
    }
    return value.toString();
}

QString cellText(const QVariant& value, const Column& column) {
    if (column.kind == ValueKind::Number && column.decimals >= 0 && value.isValid() && !value.isNull()) {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (ok)
            return fixedNumberText(d, column.decimals);
    }
    return displayText(value, column.kind);
}

} // namespace corvane::report
