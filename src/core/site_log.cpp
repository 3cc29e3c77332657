#include "site_log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace corvane {

void SiteLog::write(const QString& screen, const QString& text) const {
    if (fileName_.isEmpty())
        return;
    QDir().mkpath(QFileInfo(fileName_).absolutePath());
    QFile file(fileName_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return; // a log that cannot be written never stops the program
    QString flat = text;
    flat.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\t'), QLatin1Char(' '));
    const QDateTime now = QDateTime::currentDateTime();
    const QString line = now.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\t') +
                         now.toString(QStringLiteral("HH:mm:ss")) + QLatin1Char('\t') + user_ +
                         QLatin1Char('\t') + workstation_ + QLatin1Char('\t') + screen + QLatin1Char('\t') +
                         flat + QLatin1Char('\n');
    file.write(line.toUtf8());
}

} // namespace corvane
