#pragma once

// Qt's own texts (the buttons of every question, the file dialogs, the
// print dialog) in the program's language, European Portuguese, from the
// translations the system's Qt ships; Brazilian Portuguese fills what the
// European catalogue lacks.
class QCoreApplication;

namespace corvane::components {

// Installs the catalogues found; false when none was, and Qt's texts stay
// in English.
bool installQtTranslations(QCoreApplication& app);

} // namespace corvane::components
