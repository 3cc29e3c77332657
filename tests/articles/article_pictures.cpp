// Pictures of the article screens for the docs, on a demo site:
//   xvfb-run -a build/bin/article_pictures docs/images
#include "articles/ui/article_form.h"
#include "articles/ui/screens.h"
#include "support/picture_file.h"
#include "support/picture_session.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <cstdio>

using namespace corvane;
using namespace corvane::articles;

namespace {} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    shell::ScreenTable table;
    registerScreens(table);
    PictureSession session(argc, argv, table);
    if (!session.ok())
        return 1;
    MenuWindow& menu = *session.menu;
    auto path = [&session](const QString& name) { return session.path(name); };
    QTimer::singleShot(600, [&] {
        auto* form = qobject_cast<TCORVF035*>(QApplication::activeModalWidget());
        if (!form) {
            std::fprintf(stderr, "the article screen did not open\n");
            QApplication::exit(1);
            return;
        }
        form->logic().locate(QStringLiteral("CHCLA01.PRE"));
        form->refresh();
        const struct {
            const QString page;
            const char* file;
        } pages[] = {{kPageSpecifics, "articles-general.png"},
                     {kPageClassification, "articles-classification.png"},
                     {kPageInvoicing, "articles-invoicing.png"},
                     {kPageStocks, "articles-stocks.png"}};
        for (const auto& p : pages) {
            form->selectPage(p.page);
            form->logic().pageSelected(p.page);
            QApplication::processEvents();
            save(form, path(QString::fromLatin1(p.file)));
        }
        // The prices per currency and the designations per country of the article.
        for (const auto& [button, file] : {std::pair{"BotDesignMoeda", "articles-currencies.png"},
                                           std::pair{"BotDesignPais", "articles-countries.png"}}) {
            const QString name = QString::fromLatin1(file);
            QTimer::singleShot(500, [&path, name] {
                QWidget* sub = QApplication::activeModalWidget();
                if (!sub)
                    return;
                save(sub, path(name));
                sub->close();
            });
            form->button(QString::fromLatin1(button))->click();
        }
        form->close();
    });
    menu.window->findChild<QAction*>(QStringLiteral("FICTEC001"))->trigger();
    return 0;
}
