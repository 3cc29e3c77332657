#pragma once

#include <QString>

namespace corvane {

// Appends every message shown to a user to the site's log file, one line each:
// date, time, user, workstation, screen and text, separated by tabs.
class SiteLog {
public:
    explicit SiteLog(QString fileName) : fileName_(std::move(fileName)) {}
    void setIdentity(const QString& user, const QString& workstation) {
        user_ = user;
        workstation_ = workstation;
    }
    void write(const QString& screen, const QString& text) const;
    const QString& fileName() const { return fileName_; }

private:
    QString fileName_;
    QString user_;
    QString workstation_;
};

} // namespace corvane
