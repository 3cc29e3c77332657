#include "article_fixture.h"

#include "articles/store/article_tables.h"
#include "articles/ui/article_form.h"
#include "articles/ui/screens.h"
#include "support/declared_inputs.h"
#include "support/menu_window.h"
#include "support/modal_closer.h"
#include "support/screen_driver.h"

#include <QLabel>
#include <QTabWidget>
#include <QTableView>

using namespace corvane;
using namespace corvane::articles;

namespace {

shell::ScreenTable articleScreens() {
    shell::ScreenTable table;
    registerScreens(table);
    return table;
}

void focusList(QDialog* d) {
    auto* grid = d->findChild<QTableView*>(kList);
    grid->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(d->focusWidget(), static_cast<QWidget*>(grid));
    QTest::qWait(30);
}

} // namespace

class TestArticleForm : public QObject {
    Q_OBJECT
private slots:
    // The window against the declaration of its inputs.
    void matchesItsDeclaration() {
        ArticleFixture f(QStringLiteral("sqlite"));
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        MenuWindow menu(f.site, articleScreens());
        QVERIFY(menu.show());
        ModalCloser closer;
        QVERIFY(openEntry(
            *menu.window, QStringLiteral("FICTEC001"), QStringLiteral("TCORVF035"), [&](QDialog* d) {
                auto* form = qobject_cast<TCORVF035*>(d);
                QList<screens::FieldRule> rules;
                for (const ArticleField& field : articleFields())
                    rules << field.rule;
                const QStringList faults =
                    declaredInputFaults(*d, rules, {artigosClsTable()},
                                        [form](const QString& n) { return form->logic().lookupDataset(n); });
                QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(", "))));
            }));
    }

    // The screen from the main menu: changing an article through its inputs,
    // the width of the designation, the close box's check, the buttons of
    // screens this version does not have.
    void fromTheMenu() {
        ArticleFixture f(QStringLiteral("sqlite"));
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        MenuWindow menu(f.site, articleScreens());
        QVERIFY(menu.show());
        ModalCloser closer;
        bool stillOpen = false;
        const bool opened = openEntry(
            *menu.window, QStringLiteral("FICTEC001"), QStringLiteral("TCORVF035"), [&](QDialog* d) {
                auto* form = qobject_cast<TCORVF035*>(d);
                QVERIFY(form);
                QCOMPARE(d->windowTitle(), QStringLiteral("Abertura de Fichas Técnicas"));
                QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label_Artg"))->text(),
                         QStringLiteral("10 Artigos"));
                QTRY_COMPARE(d->focusWidget()->objectName(), kList);
                QVERIFY(d->findChild<QPushButton*>(QStringLiteral("BotFicTec"))->isEnabled());
                auto* search = d->findChild<QPushButton*>(QStringLiteral("BotSelect"));
                QVERIFY(!search->isEnabled());
                QCOMPARE(search->toolTip(), kNotAvailableYet);

                // Into the inputs: the article is being changed; back to the list: saved.
                QVERIFY(form->logic().locate(QStringLiteral("GR0001")));
                form->refresh();
                typeOnly(d, kDesignInput, QString(45, QLatin1Char('x')));
                QCOMPARE(form->logic().mode(), ArticleMode::Changing);
                QCOMPARE(qobject_cast<QLineEdit*>(form->input(kDesignInput))->text().size(), 40);
                QCOMPARE(d->findChild<QLabel*>(kLength1)->text(), QStringLiteral("40"));
                typeOnly(d, kDesignInput, QStringLiteral("Gorro de La Canelado"));
                QTest::keyClick(form->input(kDesignInput), Qt::Key_Tab);
                focusList(d);
                QCOMPARE(form->logic().mode(), ArticleMode::Browsing);
                QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DESIGNACAO")).toString(),
                         QStringLiteral("Gorro de La Canelado"));

                // The close box first runs the check of the input with the focus.
                typeOnly(d, QStringLiteral("Edit_Familia"), QStringLiteral("NENHUMA"));
                QCOMPARE(form->pages()->tabText(form->pages()->currentIndex()), kPageClassification);
                d->close();
                QTRY_VERIFY(!closer.texts.isEmpty());
                QTest::qWait(50);
                stillOpen = d->isVisible();
                QCOMPARE(d->focusWidget()->objectName(), QStringLiteral("Edit_Familia"));
                auto* cancel = d->findChild<QPushButton*>(QStringLiteral("BotCancelar"));
                cancel->click();
                QTest::qWait(30);
            });
        QVERIFY(opened);
        QVERIFY(stillOpen);
        QCOMPARE(closer.texts.first(), QStringLiteral("Família Inexistente ..."));
        // Cancel discarded the family.
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("FAMILIA")).toString(),
                 QStringLiteral("GORROS"));
    }
};

QTEST_MAIN(TestArticleForm)
#include "test_article_form.moc"
