#include "number_input.h"

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

bool withinSmallInteger(int value, QString* message) {
    constexpr int low = std::numeric_limits<qint16>::min();
    constexpr int high = std::numeric_limits<qint16>::max();
    if (value >= low && value <= high)
        return true;
    *message = QStringLiteral("O valor %1 está fora dos limites de %2 a %3").arg(value).arg(low).arg(high);
    return false;
}

} // namespace corvane
