#include "number_input.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {

bool readWholeNumber(const QString& text, int* out, QString* message) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
        *message = QStringLiteral("'%1' não é um número inteiro válido").arg(text.trimmed());
        return false;
    }
    *out = value;
    return true;
}

bool readNumber(const QString& text, double* out, QString* message) {
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok) {
        *message = QStringLiteral("'%1' não é um número válido").arg(text.trimmed());
        return false;
    }
    *out = value;
    return true;
}

namespace {

QString withComma(QString s) {
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

} // namespace

QString numberText(double value) {
    if (value == 0)
        return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    if (!std::isfinite(value) || !s.contains(QLatin1Char('e')))
        return withComma(s);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::abs(value))));
    s = QString::number(value, 'f', std::clamp(14 - magnitude, 0, 20));
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    return s == QLatin1String("-0") ? QStringLiteral("0") : withComma(s);
}

QString fixedNumberText(double value, int decimals) {
    QString s = QString::number(std::isfinite(value) ? value : 0.0, 'f', std::clamp(decimals, 0, 10));
    if (s.startsWith(QLatin1Char('-')) && s.toDouble() == 0) // -0.0001 with 2 decimals
        s.remove(0, 1);
    return withComma(s);
}

bool withinSmallInteger(int value, QString* message) {
    constexpr int low = std::numeric_limits<qint16>::min();
    constexpr int high = std::numeric_limits<qint16>::max();
    if (value >= low && value <= high)
        return true;
    *message = QStringLiteral("O valor %1 está fora dos limites de %2 a %3").arg(value).arg(low).arg(high);
    return false;
}

} // namespace corvane
