#include "reference/ui/screens.h"
#include "screens/ui/table_screen_form.h"
#include "setup/demo_site.h"
#include "shell/data_modules.h"
#include "support/declared_inputs.h"
#include "support/menu_window.h"
#include "support/modal_closer.h"
#include "support/screen_driver.h"
#include "support/test_site.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

using namespace corvane;
using namespace corvane::shell;

namespace {

// The main window signed on at a test site, with the reference screens.
struct Menu : MenuWindow {
    explicit Menu(TestSite& site) : MenuWindow(site, screens()) {}
    static ScreenTable screens() {
        ScreenTable table;
        reference::registerScreens(table);
        return table;
    }
    bool open(const QString& entry, const QString& screen, const std::function<void(QDialog*)>& work) {
        return openEntry(*window, entry, screen, work);
    }
};

QStringList visibleButtons(QDialog* d) {
    QStringList names;
    for (const char* n : {"BotInserir", "BotCancelar", "BotDelete", "BotPrint", "BitTerminar"})
        if (d->findChild<QPushButton*>(QString::fromLatin1(n))->isVisibleTo(d))
            names << QString::fromLatin1(n);
    return names;
}

} // namespace

class TestReferenceScreens : public QObject {
    Q_OBJECT
private slots:
    void costTypesRoundTrip() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        Menu menu(site);
        QVERIFY(menu.show());
        ModalCloser closer;
        const bool opened = menu.open(QStringLiteral("TAB001"), QStringLiteral("TCORVF001"), [&](QDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Tabela de Tipos de Custo"));
            QCOMPARE(visibleButtons(d),
                     (QStringList{QStringLiteral("BotInserir"), QStringLiteral("BotCancelar"),
                                  QStringLiteral("BotDelete"), QStringLiteral("BotPrint"),
                                  QStringLiteral("BitTerminar")}));
            auto* grid = d->findChild<QTableView*>(QStringLiteral("DBGrid1"));
            QTRY_COMPARE(d->focusWidget(), grid);
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("StatusPanel1"))->text(),
                     QString::fromLatin1(WorkingContext::kStatusSignature));

            d->findChild<QPushButton*>(QStringLiteral("BotInserir"))->click();
            auto* code = d->findChild<QLineEdit*>(QStringLiteral("Edit_Codigo"));
            QTRY_COMPARE(d->focusWidget(), code);
            QCOMPARE(code->text(), QStringLiteral("51"));
            QVERIFY(d->findChild<QWidget*>(QStringLiteral("Panel3"))->isVisible());
            typeAndLeave(d, QStringLiteral("Edit_Codigo"), QStringLiteral("60"));
            QVERIFY(!d->findChild<QWidget*>(QStringLiteral("Panel3"))->isVisible());
            typeAndLeave(d, QStringLiteral("Edit_Designacao"), QStringLiteral("Lavandaria"));
            typeAndLeave(d, QStringLiteral("Edit_Clas"), QStringLiteral("9"));
            QTRY_COMPARE(closer.texts.value(0), QStringLiteral("Digite de [1 a 7]"));
            QCOMPARE(closer.focusBehind.value(0), QStringLiteral("Edit_Clas"));
            typeAndLeave(d, QStringLiteral("Edit_Clas"), QStringLiteral("4"));
            typeAndLeave(d, QStringLiteral("Edit_TU"), QStringLiteral("n"));
            typeAndLeave(d, QStringLiteral("Edit_Desperd"), QStringLiteral("2,5"));
            typeAndLeave(d, QStringLiteral("Edit_Orcam"), QStringLiteral("2"));
            QCOMPARE(d->focusWidget(), grid); // Tab from the last input
            QTRY_VERIFY(d->findChild<QPushButton*>(QStringLiteral("BotInserir"))->isEnabled());
        });
        QVERIFY(opened);
        const auto row = site.program().scalar(QStringLiteral(
            "SELECT DESIGNACAO || '/' || CLAS || '/' || TU || '/' || CLAS_ORC FROM TIPOCUSTO WHERE "
            "CODIGO = 60"));
        QVERIFY(row);
        QCOMPARE(row->toString(), QStringLiteral("Lavandaria/4/N/2"));
        QVERIFY(!menu.window->logic().modules()->corvane->TIPOCUSTO.isOpen());
    }

    // Esc over a row being typed asks before throwing it away (No keeps it,
    // typing included); a row written on returning to the grid says so; with
    // nothing typed Esc closes at once.
    void escapeAsksBeforeLosingTypedWork() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        Menu menu(site);
        QVERIFY(menu.show());
        ModalCloser closer;
        QVERIFY(menu.open(QStringLiteral("TAB001"), QStringLiteral("TCORVF001"), [&](QDialog* d) {
            auto* grid = d->findChild<QTableView*>(QStringLiteral("DBGrid1"));
            QTRY_COMPARE(d->focusWidget(), grid);
            d->findChild<QPushButton*>(QStringLiteral("BotInserir"))->click();
            typeAndLeave(d, QStringLiteral("Edit_Codigo"), QStringLiteral("60"));
            typeOnly(d, QStringLiteral("Edit_Designacao"), QStringLiteral("Lavand"));
            QTest::keyClick(d->focusWidget(), Qt::Key_Escape);
            QTRY_COMPARE(closer.texts.value(0), kAbandonQuestion);
            QVERIFY(d->isVisible());
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("Edit_Designacao"))->text(),
                     QStringLiteral("Lavand"));
            closer.yesTo = kAbandonQuestion;
            QTest::keyClick(d->focusWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!d->isVisible());
        }));
        QCOMPARE(site.program()
                     .scalar(QStringLiteral("SELECT COUNT(*) FROM TIPOCUSTO WHERE CODIGO = 60"))
                     ->toInt(),
                 0);

        closer.texts.clear();
        closer.yesTo.clear();
        QVERIFY(menu.open(QStringLiteral("TAB001"), QStringLiteral("TCORVF001"), [&](QDialog* d) {
            auto* grid = d->findChild<QTableView*>(QStringLiteral("DBGrid1"));
            QTRY_COMPARE(d->focusWidget(), grid);
            typeOnly(d, QStringLiteral("Edit_Designacao"), QStringLiteral("Materia Prima Fio"));
            grid->setFocus(Qt::MouseFocusReason); // back to the grid: the row is written
            QTRY_COMPARE(d->findChild<QLabel*>(QStringLiteral("StatusPanel0"))->text(), screens::kRowWritten);
            QTest::keyClick(d->focusWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!d->isVisible());
        }));
        QVERIFY(closer.texts.isEmpty());
    }

    void machinesAndTheirInks() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        Menu menu(site);
        QVERIFY(menu.show());
        ModalCloser closer;
        QString inkName;
        QVERIFY(menu.open(QStringLiteral("TAB004"), QStringLiteral("TCORVF003"), [&](QDialog* d) {
            QCOMPARE(visibleButtons(d).size(), 5);
            auto* inks = d->findChild<QPushButton*>(QStringLiteral("BotMatPrima"));
            QVERIFY(d->findChild<QPushButton*>(QStringLiteral("BotGrupoMaquinas"))->isEnabled());
            auto* grid = d->findChild<QTableView*>(QStringLiteral("DBGrid1"));
            QTRY_COMPARE(d->focusWidget(), grid);
            // The grid lists the machines by code: IMP01 prints, US01 cuts.
            const int printer = static_cast<screens::TableScreenForm*>(d)->logic().dataset().locate(
                QStringLiteral("CODIGO"), QStringLiteral("IMP01"));
            grid->selectRow(printer);
            QVERIFY(inks->isEnabled());
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label_GrupoMaquinas"))->text(),
                     QStringLiteral("Impressoras Digitais"));
            QTimer::singleShot(0, d, [&inkName] {
                auto* form = QApplication::activeModalWidget();
                if (form->objectName() == QLatin1String("TCORVF003A")) {
                    inkName = form->findChild<QLineEdit*>(QStringLiteral("Edit_Design1"))->text();
                    form->findChild<QPushButton*>(QStringLiteral("BitCancelar"))->click();
                }
            });
            inks->click();

            d->findChild<QPushButton*>(QStringLiteral("BotInserir"))->click();
            QVERIFY(!inks->isEnabled());
            typeAndLeave(d, QStringLiteral("Edit_Codigo"), QStringLiteral("NOVA01"));
            typeAndLeave(d, QStringLiteral("Edit_Designacao"), QStringLiteral("Maquina Nova"));
            typeAndLeave(d, QStringLiteral("DBEdit1"), QStringLiteral("NOVA"));
            typeAndLeave(d, QStringLiteral("Edit_GrupoMaquinas"), QStringLiteral("8"));
            QVERIFY(inks->isEnabled());
            typeAndLeave(d, QStringLiteral("Edit_CCusto"), QStringLiteral("9999"));
            QTRY_COMPARE(closer.texts.value(0), QStringLiteral("CCusto Inexistente ..."));
            typeAndLeave(d, QStringLiteral("Edit_CCusto"), QStringLiteral("3510"));
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label_CCusto"))->text(),
                     QStringLiteral("Estamparia Digital"));
            grid->setFocus(Qt::MouseFocusReason);
            QTRY_VERIFY(d->findChild<QPushButton*>(QStringLiteral("BotInserir"))->isEnabled());
            QVERIFY(!inks->isEnabled());
        }));
        QCOMPARE(inkName, QStringLiteral("Tinta Reactiva Ciano"));
        const auto group =
            site.program().scalar(QStringLiteral("SELECT GRUPO FROM MAQUINAS WHERE CODIGO = 'NOVA01'"));
        QVERIFY(group);
        QCOMPARE(group->toInt(), 8);
    }

    void generalParameters() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        {
            Menu menu(site);
            QVERIFY(menu.show());
            ModalCloser closer;
            QVERIFY(menu.open(QStringLiteral("TAB000"), QStringLiteral("TCORVF000"), [&](QDialog* d) {
                QVERIFY(d->findChild<QWidget*>(QStringLiteral("PanelInput"))->isEnabled());
                QVERIFY(d->findChild<QPushButton*>(QStringLiteral("BotTipoCusto"))->isEnabled());
                d->findChild<QLineEdit*>(QStringLiteral("Edit_Maquinas_TC"))->setFocus();
                typeAndLeave(d, QStringLiteral("Edit_Maquinas_TC"), QStringLiteral("1"));
                QTRY_COMPARE(closer.texts.value(0),
                             QStringLiteral("Escolha um Tipo de Custo para Máquinas ... Classificação =[6]"));
                typeAndLeave(d, QStringLiteral("Edit_Maquinas_TC"), QStringLiteral("10"));
                QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label_Maquinas_TC"))->text(),
                         QStringLiteral("Tempo de Máquina"));
            }));
        }
        QCOMPARE(
            site.program().scalar(QStringLiteral("SELECT MAQUINAS_TC FROM PARGER WHERE CODIGO = 1"))->toInt(),
            10);
        // Esc over a value typed and not yet left loses nothing: the screen
        // writes what it holds, as its closing button does.
        {
            Menu menu(site);
            QVERIFY(menu.show());
            ModalCloser closer;
            QVERIFY(menu.open(QStringLiteral("TAB000"), QStringLiteral("TCORVF000"), [&](QDialog* d) {
                typeOnly(d, QStringLiteral("DBEdit23"), QStringLiteral("4,5"));
                QTest::keyClick(d->focusWidget(), Qt::Key_Escape);
                QTRY_VERIFY(!d->isVisible());
            }));
            QVERIFY(closer.texts.isEmpty());
        }
        QCOMPARE(site.program()
                     .scalar(QStringLiteral("SELECT DESP_GERAL FROM PARGER WHERE CODIGO = 1"))
                     ->toDouble(),
                 4.5);
        // Ana only reads the tables: the inputs are there but disabled.
        site.exec(site.general(), QStringLiteral("UPDATE PARAMUTIL SET UTIL = 'ANA', PASSWOR = 'ANA2026'"));
        Menu ana(site);
        QVERIFY(ana.show());
        QVERIFY(ana.open(QStringLiteral("TAB000"), QStringLiteral("TCORVF000"), [](QDialog* d) {
            QVERIFY(!d->findChild<QWidget*>(QStringLiteral("PanelInput"))->isEnabled());
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("Edit_Maquinas_TC"))->text(),
                     QStringLiteral("10"));
        }));
    }

    void packagingAndItsMaterials() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        Menu menu(site);
        QVERIFY(menu.show());
        QString firstArticle;
        QVERIFY(menu.open(QStringLiteral("TAB007"), QStringLiteral("TCORVF007"), [&](QDialog* d) {
            QCOMPARE(visibleButtons(d).size(), 5);
            auto* grid = d->findChild<QTableView*>(QStringLiteral("DBGrid1"));
            QTRY_COMPARE(d->focusWidget(), grid);
            grid->selectRow(1);
            auto* lines = d->findChild<QTableWidget*>(QStringLiteral("GridMateriais"));
            QCOMPARE(lines->item(0, 0)->text(), QStringLiteral("EMB.CXOFERTA"));
            QTimer::singleShot(0, d, [&firstArticle] {
                auto* form = QApplication::activeModalWidget();
                if (form->objectName() == QLatin1String("TCORVF007A")) {
                    firstArticle = form->findChild<QLineEdit*>(QStringLiteral("Edit_ArtNro"))->text();
                    form->findChild<QPushButton*>(QStringLiteral("BitCancelar"))->click();
                }
            });
            d->findChild<QPushButton*>(QStringLiteral("BotMatPrima"))->click();

            d->findChild<QPushButton*>(QStringLiteral("BotInserir"))->click();
            auto* code = d->findChild<QLineEdit*>(QStringLiteral("Edit_Codigo"));
            QTRY_COMPARE(d->focusWidget(), code);
            typeAndLeave(d, QStringLiteral("Edit_Codigo"), QStringLiteral("70"));
            typeAndLeave(d, QStringLiteral("Edit_Designacao"), QStringLiteral("Caixa Nova"));
            typeAndLeave(d, QStringLiteral("Edit_CustoFixo"), QStringLiteral("0,5"));
            typeAndLeave(d, QStringLiteral("Edit_TC"), QStringLiteral("40"));
            grid->setFocus(Qt::MouseFocusReason);
            QTRY_VERIFY(d->findChild<QPushButton*>(QStringLiteral("BotInserir"))->isEnabled());
        }));
        QCOMPARE(firstArticle, QStringLiteral("EMB.CXOFERTA"));
        const auto row = site.program().scalar(
            QStringLiteral("SELECT DESIGNACAO || '/' || TIPOCUSTO FROM EMBALAGEM WHERE CODIGO = 70"));
        QVERIFY(row);
        QCOMPARE(row->toString(), QStringLiteral("Caixa Nova/40"));
    }

    // The other tables of the shared pattern: insert, type, back to the grid, written.
    void simpleTablesRoundTrip_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("inputs"); // input=text, the code first
        QTest::addColumn<QString>("check");      // a query for the written row
        QTest::addColumn<QString>("expected");
        QTest::newRow("machine groups")
            << QStringLiteral("TAB003") << QStringLiteral("TCORVF004")
            << QStringList{QStringLiteral("Edit_Codigo=90"), QStringLiteral("Edit_Designacao=Bordar"),
                           QStringLiteral("Edit_TipoMaq=9")}
            << QStringLiteral("SELECT DESIGNACAO || '/' || TIPOMAQ FROM GRUPOMAQUINAS WHERE CODIGO = 90")
            << QStringLiteral("Bordar/9");
        QTest::newRow("material types")
            << QStringLiteral("TAB005") << QStringLiteral("TCORVF005")
            << QStringList{QStringLiteral("Edit_Codigo=175"),
                           QStringLiteral("Edit_Designacao=Cabide Madeira")}
            << QStringLiteral("SELECT DESIGNACAO FROM TIPOMATERIAL WHERE CODIGO = 175")
            << QStringLiteral("Cabide Madeira");
        QTest::newRow("work types")
            << QStringLiteral("TAB006") << QStringLiteral("TCORVF006")
            << QStringList{QStringLiteral("Edit_Codigo=77"), QStringLiteral("Edit_Designacao=Jacquard fino"),
                           QStringLiteral("Edit_PassagCm=14")}
            << QStringLiteral("SELECT DESIGNACAO || '/' || PASSAG_CM FROM TIPOTRABALHO WHERE CODIGO = 77")
            << QStringLiteral("Jacquard fino/14");
    }
    void simpleTablesRoundTrip() {
        QFETCH(QString, entry);
        QFETCH(QString, screen);
        QFETCH(QStringList, inputs);
        QFETCH(QString, check);
        QFETCH(QString, expected);
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        Menu menu(site);
        QVERIFY(menu.show());
        ModalCloser closer;
        QVERIFY(menu.open(entry, screen, [&](QDialog* d) {
            auto* grid = d->findChild<QTableView*>(QStringLiteral("DBGrid1"));
            QTRY_COMPARE(d->focusWidget(), grid);
            d->findChild<QPushButton*>(QStringLiteral("BotInserir"))->click();
            for (const QString& input : inputs) {
                const int eq = input.indexOf(QLatin1Char('='));
                typeAndLeave(d, input.left(eq), input.mid(eq + 1));
            }
            QTRY_COMPARE(d->focusWidget(), grid);
            QTRY_VERIFY(d->findChild<QPushButton*>(QStringLiteral("BotInserir"))->isEnabled());
        }));
        QCOMPARE(closer.texts, QStringList());
        const auto row = site.program().scalar(check);
        QVERIFY(row);
        QCOMPARE(row->toString(), expected);
    }

    // Every table screen against the declaration of its inputs, and its
    // rights against the programs the site knows.
    void everyTableScreenMatchesItsDeclaration() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        Menu menu(site);
        QVERIFY(menu.show());
        const QList<setup::ProgramKey> programs = setup::allProgramKeys();
        for (const auto& [entry, screen] :
             QList<QPair<QString, QString>>{{QStringLiteral("TAB001"), QStringLiteral("TCORVF001")},
                                            {QStringLiteral("TAB002"), QStringLiteral("TCORVF002")},
                                            {QStringLiteral("TAB003"), QStringLiteral("TCORVF004")},
                                            {QStringLiteral("TAB004"), QStringLiteral("TCORVF003")},
                                            {QStringLiteral("TAB005"), QStringLiteral("TCORVF005")},
                                            {QStringLiteral("TAB006"), QStringLiteral("TCORVF006")},
                                            {QStringLiteral("TAB007"), QStringLiteral("TCORVF007")}}) {
            QVERIFY2(menu.open(entry, screen,
                               [&](QDialog* d) {
                                   auto* form = static_cast<screens::TableScreenForm*>(d);
                                   const screens::TableScreenConfig& c = form->logic().config();
                                   const QStringList faults =
                                       declaredInputFaults(*d, c.fields, {c.table}, [form](const QString& n) {
                                           return form->logic().lookupDataset(n);
                                       });
                                   QVERIFY2(faults.isEmpty(),
                                            qPrintable(screen + QLatin1Char(' ') + faults.join(", ")));
                                   const bool known =
                                       std::any_of(programs.begin(), programs.end(), [&](const auto& k) {
                                           return k.chapter == c.chapter && k.program == c.program;
                                       });
                                   QVERIFY2(known, qPrintable(c.chapter + QLatin1Char('/') + c.program));
                               }),
                     qPrintable(entry));
        }
    }

    void rightsDecideTheButtons() {
        TestSite site(QStringLiteral("sqlite"));
        REQUIRE_SITE(site);
        site.exec(site.program(),
                  QStringLiteral("UPDATE APLICACAODET SET INSERIR = 's', IMPRIMIR = 'N' WHERE "
                                 "UTIL = 'DEMO' AND PROGRAMA = 'Tipo de Material'"));
        site.exec(site.program(),
                  QStringLiteral("UPDATE APLICACAODET SET ACEDER = 'N' WHERE UTIL = 'DEMO' AND "
                                 "PROGRAMA = 'Grupo de Maquinas'"));
        Menu menu(site);
        QVERIFY(menu.show());
        QVERIFY(menu.open(QStringLiteral("TAB005"), QStringLiteral("TCORVF005"), [](QDialog* d) {
            QCOMPARE(visibleButtons(d),
                     (QStringList{QStringLiteral("BotDelete"), QStringLiteral("BitTerminar")}));
            QVERIFY(!d->findChild<QWidget*>(QStringLiteral("RadNum")));
            QVERIFY(d->findChild<QWidget*>(QStringLiteral("PanelLegenda"))->isVisible());
        }));
        // Without access to the machine groups the shortcut is disabled.
        QVERIFY(menu.open(QStringLiteral("TAB004"), QStringLiteral("TCORVF003"), [](QDialog* d) {
            QVERIFY(!d->findChild<QPushButton*>(QStringLiteral("BotGrupoMaquinas"))->isEnabled());
        }));
        for (const auto& [entry, screen] :
             QList<QPair<QString, QString>>{{QStringLiteral("TAB002"), QStringLiteral("TCORVF002")},
                                            {QStringLiteral("TAB001"), QStringLiteral("TCORVF001")},
                                            {QStringLiteral("TAB006"), QStringLiteral("TCORVF006")}})
            QVERIFY2(menu.open(entry, screen, [](QDialog* d) { QCOMPARE(visibleButtons(d).size(), 5); }),
                     qPrintable(entry));
    }
    // A closing button first checks the input that has the focus: refused, the
    // screen stays with the focus there; accepted, the value is written.
    void closingButtonsKeepTheLastEdit_data() { addBackendRows(); }
    void closingButtonsKeepTheLastEdit() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        TestSite site(backend);
        REQUIRE_SITE(site);
        Menu menu(site);
        QVERIFY(menu.show());
        ModalCloser closer;
        const QString longText(200, QLatin1Char('x'));
        QVERIFY(menu.open(QStringLiteral("TAB000"), QStringLiteral("TCORVF000"), [&](QDialog* d) {
            auto* pages = d->findChild<QTabWidget*>(QStringLiteral("TB"));
            pages->setCurrentIndex(2);
            typeOnly(d, QStringLiteral("Edit_Observ1"), longText);
            QCOMPARE(d->findChild<QLineEdit*>(QStringLiteral("Edit_Observ1"))->text().size(), 85);
            pages->setCurrentIndex(1);
            typeOnly(d, QStringLiteral("Edit_OrcamNro1"), QString());
            QTest::keyClick(d->focusWidget(), Qt::Key_Delete);
            pages->setCurrentIndex(0);
            typeOnly(d, QStringLiteral("DBEdit23"), QStringLiteral("abc"));
            d->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
            QTRY_COMPARE(closer.texts.value(0), QStringLiteral("'abc' não é um número válido"));
            QVERIFY(d->isVisible());
            QCOMPARE(d->focusWidget()->objectName(), QStringLiteral("DBEdit23"));
            typeOnly(d, QStringLiteral("DBEdit23"), QStringLiteral("7,5"));
            d->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
            QTRY_VERIFY(!d->isVisible());
        }));
        QCOMPARE(closer.texts.size(), 1);
        auto cell = [&](const char* sql) {
            const auto v = site.program().scalar(QString::fromLatin1(sql));
            return v ? *v : QVariant();
        };
        QCOMPARE(cell("SELECT DESP_GERAL FROM PARGER WHERE CODIGO = 1").toDouble(), 7.5);
        QCOMPARE(cell("SELECT OBSERV1 FROM PARGER WHERE CODIGO = 1").toString(), longText.left(85));
        QVERIFY(cell("SELECT ORCAMNRO1 FROM PARGER WHERE CODIGO = 1").isNull());

        // The subsidiary materials: a quantity typed and "Terminar" pressed.
        QVERIFY(menu.open(QStringLiteral("TAB007"), QStringLiteral("TCORVF007"), [&](QDialog* d) {
            auto* grid = d->findChild<QTableView*>(QStringLiteral("DBGrid1"));
            QTRY_COMPARE(d->focusWidget(), grid);
            grid->selectRow(1);
            onModal(d, QStringLiteral("BotMatPrima"), QStringLiteral("TCORVF007A"), [&](QDialog* m) {
                typeOnly(m, QStringLiteral("Edit_Designacao"), longText);
                typeOnly(m, QStringLiteral("Edit_Qtd"), QStringLiteral("3"));
                m->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
                QTRY_VERIFY(!m->isVisible());
            });
        }));
        const auto materials = site.program().scalar(QStringLiteral(
            "SELECT DESIGNACAO1 || '/' || QTD1 FROM EMBALAGEMMP WHERE ARTNRO1 = 'EMB.CXOFERTA'"));
        QVERIFY(materials);
        QCOMPARE(materials->toString().section(QLatin1Char('/'), 0, 0), longText.left(40));
        QCOMPARE(materials->toString().section(QLatin1Char('/'), 1).toDouble(), 3.0);

        // The inks of a printer: a code replaced and "Terminar" pressed.
        QVERIFY(menu.open(QStringLiteral("TAB004"), QStringLiteral("TCORVF003"), [&](QDialog* d) {
            auto* grid = d->findChild<QTableView*>(QStringLiteral("DBGrid1"));
            QTRY_COMPARE(d->focusWidget(), grid);
            grid->selectRow(static_cast<screens::TableScreenForm*>(d)->logic().dataset().locate(
                QStringLiteral("CODIGO"), QStringLiteral("IMP01")));
            onModal(d, QStringLiteral("BotMatPrima"), QStringLiteral("TCORVF003A"), [&](QDialog* m) {
                typeOnly(m, QStringLiteral("Edit_Codigo1"), QStringLiteral("TIN.BRANCO"));
                m->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->click();
                QTRY_VERIFY(!m->isVisible());
            });
        }));
        const auto ink =
            site.program().scalar(QStringLiteral("SELECT CODIGO1 FROM MAQUINASMP WHERE MAQNRO = 'IMP01'"));
        QVERIFY(ink);
        QCOMPARE(ink->toString(), QStringLiteral("TIN.BRANCO"));

        // A table screen's close box discards the row being edited, once the
        // user agreed to abandon what was typed.
        QVERIFY(menu.open(QStringLiteral("TAB001"), QStringLiteral("TCORVF001"), [&](QDialog* d) {
            auto* grid = d->findChild<QTableView*>(QStringLiteral("DBGrid1"));
            QTRY_COMPARE(d->focusWidget(), grid);
            d->findChild<QLineEdit*>(QStringLiteral("Edit_Designacao"))->setFocus(Qt::OtherFocusReason);
            QTRY_VERIFY(!d->findChild<QPushButton*>(QStringLiteral("BitTerminar"))->isEnabled());
            typeOnly(d, QStringLiteral("Edit_Designacao"), QStringLiteral("Nunca Escrito"));
            closer.yesTo = kAbandonQuestion;
            d->close();
            QTRY_VERIFY(!d->isVisible());
        }));
        QCOMPARE(
            site.program()
                .scalar(QStringLiteral("SELECT COUNT(*) FROM TIPOCUSTO WHERE DESIGNACAO = 'Nunca Escrito'"))
                ->toInt(),
            0);
        QCOMPARE(closer.texts.size(), 2);
        QCOMPARE(closer.texts.last(), kAbandonQuestion);
    }
};

QTEST_MAIN(TestReferenceScreens)
#include "test_reference_screens.moc"
