#pragma once

#include "site_setup.h"

#include <QDate>

namespace corvane::setup {

// A further workstation on a site's databases, for a second user at once: a
// site folder of its own (its workstation files and log) whose alias file,
// credentials and upgrade settings reach the same databases, and the sign-on
// row that starts the program there as `user` of `company`.
struct WorkstationSpec {
    QString folder;  // the new site folder: absent or empty
    QString name;    // the workstation's name (at most 30 characters)
    QString user;    // a user of the company (UTILIZADORES.NRO)
    int company = 1; // EMPRESAS.EMPNRO
};

// `builder` has opened the existing site. Refused, with the reason: an
// unknown company or user, a workstation name already signed on to the
// program, a folder that is not empty. The new folder is removed again when
// anything fails.
bool addWorkstation(SiteBuilder& builder, const WorkstationSpec& spec, const QDate& today, QString* error);

} // namespace corvane::setup
