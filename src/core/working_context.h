#pragma once

#include <QDateTime>
#include <QString>

namespace corvane {

// Where the signed-on user works: filled by the sign-on, read by every screen.
// Only WorkingDate and WorkingYear change after the sign-on.
struct WorkingContext {
    static constexpr const char* kApplicationCode = "CORVANE";
    static constexpr const char* kModuleName = "MODULO BASE";
    static constexpr const char* kProgramVersion = "01.011";
    static constexpr const char* kStatusSignature = "Veltrano Software 2026";
    static constexpr const char* kReportNotice = "Processado por computador - Corvane";

    QString UserCode;
    int CompanyNumber = 0;
    QString CompanyName;
    QString CompanyLogoPath;
    QDateTime WorkingDate;
    QString WorkingYear;
    QString WorkstationName;
    QString WorkstationType;
    QString ApplicationCode;
    QString ModuleName;
    QString SuperUserFlag;
    QString ProgramDatabaseAlias;
    QString InvoicingDatabaseAlias;
    QString AccountingDatabaseAlias;
    QString CompanyDbUserParam;
    QString CompanyDbPasswordParam;
    QString PhotoExtension = QStringLiteral(".Bmp");
    QString ArticleInfoPath;
    QString ProgramVersion;
    QString DatabaseVersion;
    QString StatusSignature;
    QString ReportNotice;

    // The constants every activation of the main window sets again.
    void setConstants() {
        ApplicationCode = QString::fromLatin1(kApplicationCode);
        ModuleName = QString::fromLatin1(kModuleName);
        StatusSignature = QString::fromLatin1(kStatusSignature);
        ReportNotice = QString::fromUtf8(kReportNotice);
    }

    // A click on a day of the menu calendar.
    void setWorkingDate(const QDate& day) {
        WorkingDate = QDateTime(day, QTime(0, 0));
        WorkingYear = QString::number(day.year()).rightJustified(4, QLatin1Char('0'));
    }
};

} // namespace corvane
