#pragma once

#include <QString>

class QHeaderView;
class QTableView;
class QWidget;

namespace corvane::components {

// The size of each window and the widths of its grids' columns, kept for the
// signed-on user between sessions (QSettings of the organisation, file
// "Janelas"), under the user, the window's objectName and each grid's
// objectName. Nothing is read or kept while the program has not named its
// organisation (tests and command-line tools), so their windows always open
// as built.
void setWindowUser(const QString& user);
//
// restoreWindow() once the grids have their columns; rememberWindow() when
// the window closes. A grid whose column count changed keeps its built widths.
void restoreWindow(QWidget* window);
void rememberWindow(const QWidget* window);

// The column whose title starts with "Designa" (the longest text of a row)
// takes the width the window gives beyond the columns'; without one, the
// last column does. Every other column keeps the width the user drags.
void stretchDesignation(QTableView* grid);

// A window's opening size: wide enough for `contentWidth` pixels (its grid's
// columns and its side panel), `height` pixels high, within 90 % of the
// screen the window opens on.
void openAtWidth(QWidget* window, int contentWidth, int height);

// The sum of the widths of the grid's visible columns, with its frame and a
// vertical scroll bar.
int columnsWidth(const QTableView* grid);

} // namespace corvane::components
