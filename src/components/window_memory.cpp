#include "window_memory.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTableView>

#include <algorithm>

namespace corvane::components {

namespace {

QString& signedOnUser() {
    static QString user;
    return user;
}

bool keeping() {
    return !QCoreApplication::organizationName().isEmpty();
}

// Each signed-on user's windows apart, also on a workstation's shared account.
QSettings settingsFile() {
    return QSettings(QCoreApplication::organizationName(), QStringLiteral("Janelas"));
}

QString key(const QWidget* window, const QString& what) {
    const QString user = signedOnUser().isEmpty() ? QStringLiteral("-") : signedOnUser();
    return QStringLiteral("%1/%2/%3").arg(user, window->objectName(), what);
}

QList<QTableView*> namedGrids(const QWidget* window) {
    QList<QTableView*> grids;
    for (QTableView* g : window->findChildren<QTableView*>())
        if (!g->objectName().isEmpty() && g->model())
            grids << g;
    return grids;
}

} // namespace

void setWindowUser(const QString& user) {
    signedOnUser() = user.trimmed();
}

void restoreWindow(QWidget* window) {
    if (!keeping() || window->objectName().isEmpty())
        return;
    const QSettings settings = settingsFile();
    const QSize size = settings.value(key(window, QStringLiteral("size"))).toSize();
    if (size.isValid()) {
        QSize room = size;
        if (const QScreen* s = window->screen())
            room = room.boundedTo(s->availableGeometry().size());
        window->resize(room.expandedTo(window->minimumSizeHint()));
    }
    for (QTableView* grid : namedGrids(window)) {
        const QVariantList widths =
            settings.value(key(window, QStringLiteral("columns/") + grid->objectName())).toList();
        QHeaderView* header = grid->horizontalHeader();
        if (widths.size() != header->count())
            continue;
        for (int c = 0; c < widths.size(); ++c) {
            const int w = widths[c].toInt();
            if (w > 0 && header->sectionResizeMode(c) == QHeaderView::Interactive)
                grid->setColumnWidth(c, w);
        }
    }
}

void rememberWindow(const QWidget* window) {
    if (!keeping() || window->objectName().isEmpty())
        return;
    QSettings settings = settingsFile();
    settings.setValue(key(window, QStringLiteral("size")), window->size());
    for (QTableView* grid : namedGrids(window)) {
        QVariantList widths;
        const QHeaderView* header = grid->horizontalHeader();
        for (int c = 0; c < header->count(); ++c)
            widths << header->sectionSize(c);
        settings.setValue(key(window, QStringLiteral("columns/") + grid->objectName()), widths);
    }
}

void stretchDesignation(QTableView* grid) {
    QHeaderView* header = grid->horizontalHeader();
    const QAbstractItemModel* model = grid->model();
    int designation = -1;
    for (int c = 0; model && c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal).toString().startsWith(QLatin1String("Designa"))) {
            designation = c;
            break;
        }
    if (designation < 0) {
        header->setStretchLastSection(true);
        return;
    }
    header->setStretchLastSection(false);
    header->setSectionResizeMode(designation, QHeaderView::Stretch);
}

void openAtWidth(QWidget* window, int contentWidth, int height) {
    QSize size(contentWidth, height);
    if (const QScreen* s = window->screen()) {
        const QSize room = s->availableGeometry().size() * 0.9;
        size = size.boundedTo(room);
    }
    window->resize(size.expandedTo(window->minimumSizeHint()));
}

int columnsWidth(const QTableView* grid) {
    const QHeaderView* header = grid->horizontalHeader();
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    if (grid->verticalHeader()->isVisible())
        width += grid->verticalHeader()->width();
    for (int c = 0; c < header->count(); ++c)
        if (!header->isSectionHidden(c))
            width += header->sectionSize(c);
    return width;
}

} // namespace corvane::components
