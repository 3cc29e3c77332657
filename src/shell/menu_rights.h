#pragma once

#include "db/dataset.h"

#include <QList>
#include <QString>

namespace corvane::shell {

// One main-menu entry governed by a right, with its shortcut button.
struct MenuRight {
    QString chapter;
    QString program;
    QString entry;  // objectName of the menu action
    QString button; // objectName of the page button
};

// ReadTabelas and ReadOrcamentos, in their order.
const QList<MenuRight>& tableMenuRights();
const QList<MenuRight>& quotationMenuRights();

struct MenuState {
    QString entry;
    QString button;
    bool enabled;
};
// The enabled state of every governed entry for the user (ReadTabelas, then ReadOrcamentos).
QList<MenuState> readMenuRights(db::Dataset& aplicacaoDet, const QString& application, const QString& user);

} // namespace corvane::shell
