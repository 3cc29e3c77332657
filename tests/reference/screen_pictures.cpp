// Pictures of the costing reference screens for the docs: each screen is
// opened from its menu entry on a demo site and grabbed once it shows.
//   xvfb-run -a build/bin/screen_pictures docs/images
#include "reference/ui/screens.h"
#include "support/picture_session.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <cstdio>

using namespace corvane;

namespace {

// Grabs the active dialog (after `prepare`) into `file`, then closes it.
void grabNext(const QString& file, std::function<void(QWidget*)> prepare = {}) {
    QTimer::singleShot(400, [file, prepare] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        if (prepare)
            prepare(dialog);
        QTimer::singleShot(300, [file, dialog] {
            if (!dialog->grab().save(file))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            dialog->close();
        });
    });
}

void selectRow(QWidget* dialog, int row) {
    if (auto* grid = dialog->findChild<QTableView*>(QStringLiteral("DBGrid1")))
        grid->selectRow(row);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    shell::ScreenTable table;
    reference::registerScreens(table);
    PictureSession session(argc, argv, table);
    if (!session.ok())
        return 1;
    MenuWindow& menu = *session.menu;
    auto path = [&session](const char* name) { return session.path(QString::fromLatin1(name)); };
    const struct {
        const char* entry;
        const char* file;
        int row;
    } screens[] = {{"TAB000", "screen-tcorvf000.png", -1}, {"TAB001", "screen-tcorvf001.png", 2},
                   {"TAB002", "screen-tcorvf002.png", 3},  {"TAB003", "screen-tcorvf004.png", 7},
                   {"TAB004", "screen-tcorvf003.png", 2},  {"TAB005", "screen-tcorvf005.png", 4},
                   {"TAB006", "screen-tcorvf006.png", 1},  {"TAB007", "screen-tcorvf007.png", 1}};
    for (const auto& s : screens) {
        const int row = s.row;
        grabNext(path(s.file), [row](QWidget* d) { selectRow(d, row); });
        menu.window->findChild<QAction*>(QString::fromLatin1(s.entry))->trigger();
    }
    // The inks of the printing machine and the materials of a packaging type.
    const struct {
        const char* entry;
        const char* file;
        int row;
    } subScreens[] = {{"TAB004", "screen-tcorvf003a.png", 2}, {"TAB007", "screen-tcorvf007a.png", 1}};
    for (const auto& s : subScreens) {
        const int row = s.row;
        const QString file = path(s.file);
        QTimer::singleShot(400, [row, file] {
            QWidget* d = QApplication::activeModalWidget();
            selectRow(d, row);
            grabNext(file);
            QTimer::singleShot(1200, d, &QWidget::close);
            d->findChild<QPushButton*>(QStringLiteral("BotMatPrima"))->click();
        });
        menu.window->findChild<QAction*>(QString::fromLatin1(s.entry))->trigger();
    }
    menu.window->close();
    return 0;
}
