// The picture of the update-error dialog after a conflict, for the docs: two
// users change the name of one cost type on a demo site, the second is
// refused and the dialog shows what the first left.
//   xvfb-run -a build/bin/conflict_picture docs/images
#include "shell/ui/tupdate_error_form.h"
#include "support/picture_file.h"
#include "support/test_site.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

using namespace corvane;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    TestSite site(QStringLiteral("sqlite"));
    if (!site.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(site.error()));
        return 1;
    }
    std::unique_ptr<db::Database> other = site.connectProgram();
    const QString select = QStringLiteral("Select * From TIPOCUSTO ORDER BY CODIGO");
    db::Dataset mine(site.program(), QStringLiteral("TIPOCUSTO"), select, QStringLiteral("TIPOCUSTO"),
                     {QStringLiteral("CODIGO")});
    db::Dataset theirs(*other, QStringLiteral("TIPOCUSTO"), select, QStringLiteral("TIPOCUSTO"),
                       {QStringLiteral("CODIGO")});
    mine.setReportsErrors(true);
    if (!mine.open() || !theirs.open() || mine.rowCount() == 0)
        return 1;
    theirs.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Fios e Linhas"));
    theirs.applyUpdates();
    mine.setValue(0, QStringLiteral("DESIGNACAO"), QStringLiteral("Fios Tintos"));
    shell::TUpdateErrorForm form;
    mine.applyUpdates([&](const db::UpdateFailure& f) {
        form.fill(f);
        form.resize(620, 380);
        form.show();
        QApplication::processEvents();
        save(&form, QDir(folder).filePath(QStringLiteral("conflict-dialog.png")));
        return db::UpdateAction::Abort;
    });
    return 0;
}
