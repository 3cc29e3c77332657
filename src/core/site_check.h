#pragma once

#include "site.h"

namespace corvane {

// Whether the folder holds a site (its alias file).
bool siteExists(const Site& site);
// When it does not: the folder looked at and how to make a site there.
QString missingSiteMessage(const Site& site);

} // namespace corvane
