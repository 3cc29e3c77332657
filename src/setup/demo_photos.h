#pragma once

#include <QString>

namespace corvane::setup {

// Drawn photographs of the demo products in the photo folder, named as the
// programs look for them (code + number + extension).
bool writeDemoPhotos(const QString& folder, const QString& extension, QString* error);

} // namespace corvane::setup
