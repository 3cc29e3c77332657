#include "articles/ui/screens.h"
#include "quotation/ui/screens.h"
#include "reference/ui/screens.h"
#include "screens/ui/screen_opening.h"
#include "setup/demo_site.h"

#include <QtTest>

using namespace corvane;

class TestScreenOpening : public QObject {
    Q_OBJECT
private slots:
    // Every screen of the main menu reads its rights as a chapter and
    // program the site knows, so the user-administration program can grant
    // them; a misspelt name would leave the screen with no rights at all.
    void everyMenuScreenNamesAKnownProgram() {
        shell::ScreenTable table;
        reference::registerScreens(table);
        articles::registerScreens(table);
        quotation::registerScreens(table);
        QStringList known;
        for (const setup::ProgramKey& k : setup::allProgramKeys())
            known << k.chapter + QLatin1Char('/') + k.program;
        const QStringList opened = screens::openedPrograms();
        QVERIFY(opened.size() >= 9);
        for (const QString& program : opened)
            QVERIFY2(known.contains(program), qPrintable(program));
        for (const char* entry : {"TAB000", "TAB001", "TAB007", "FICTEC001", "ORC002"})
            QVERIFY2(table.contains(QString::fromLatin1(entry)), entry);
    }
};

QTEST_MAIN(TestScreenOpening)
#include "test_screen_opening.moc"
