#pragma once

// The program's message boxes. Their text is shown as written: a message such
// as "Insira <P> para Produto ou <T> ..." keeps its brackets instead of being
// read as rich text.
#include <QMessageBox>

namespace corvane::components {

QMessageBox::StandardButton plainMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                         const QString& text,
                                         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// A warning with "OK".
inline void plainWarning(QWidget* parent, const QString& title, const QString& text) {
    plainMessage(parent, QMessageBox::Warning, title, text);
}

} // namespace corvane::components
