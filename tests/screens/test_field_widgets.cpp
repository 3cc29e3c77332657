#include "db/database.h"
#include "db/dataset.h"
#include "screens/ui/field_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

using namespace corvane::screens;

namespace {
FieldRule rule(const char* input, WidgetKind kind, int length = 0) {
    FieldRule r;
    r.input = QString::fromLatin1(input);
    r.widget = kind;
    r.maxLength = length;
    return r;
}
} // namespace

// Each kind of field is made from its rule, shows a value and gives back what
// its check reads, never holding more than the rule's length.
class TestFieldWidgets : public QObject {
    Q_OBJECT
private slots:
    void kinds() {
        QWidget window;
        QWidget* line = makeField(rule("Edit_Nome", WidgetKind::Line, 5), &window);
        QVERIFY(qobject_cast<QLineEdit*>(line));
        QCOMPARE(line->objectName(), QStringLiteral("Edit_Nome"));
        QTest::keyClicks(line, QStringLiteral("abcdefgh"));
        QCOMPARE(fieldText(line), QStringLiteral("abcde"));
        setFieldText(line, QStringLiteral("123456789"));
        QCOMPARE(fieldText(line), QStringLiteral("12345"));

        QWidget* yes = makeField(rule("Edit_Activo", WidgetKind::YesNo), &window);
        QCOMPARE(fieldText(yes), QStringLiteral("N"));
        setFieldText(yes, QStringLiteral("s"));
        QCOMPARE(fieldText(yes), QStringLiteral("S"));
        static_cast<QCheckBox*>(yes)->click();
        QCOMPARE(fieldText(yes), QStringLiteral("N"));

        QWidget* date = makeField(rule("Edit_Data", WidgetKind::Date), &window);
        QCOMPARE(fieldText(date), QString());
        setFieldText(date, QStringLiteral("2026-12-09 10:30:00"));
        QCOMPARE(fieldText(date), QStringLiteral("2026-12-09"));
        setFieldText(date, QStringLiteral("não é data"));
        QCOMPARE(fieldText(date), QString());

        FieldRule kinds = rule("Edit_Tipo", WidgetKind::Choice, 2);
        kinds.choices = QStringList{QStringLiteral("CA"), QStringLiteral("CT"), QStringLiteral("GTX")};
        QWidget* choice = makeField(kinds, &window);
        QCOMPARE(static_cast<QComboBox*>(choice)->count(), 3);
        setFieldText(choice, QStringLiteral("ct"));
        QCOMPARE(fieldText(choice), QStringLiteral("CT"));
        setFieldText(choice, QStringLiteral("GT"));
        QCOMPARE(fieldText(choice), QStringLiteral("GT")); // the choice cut to the column's width

        QWidget* notes = makeField(rule("Memo_Obs", WidgetKind::MultiLine, 10), &window);
        auto* text = static_cast<QPlainTextEdit*>(notes);
        text->insertPlainText(QStringLiteral("linha um\nlinha dois"));
        QCOMPARE(fieldText(notes), QStringLiteral("linha um\nl"));
        QTest::keyClicks(text, QStringLiteral("xyz"));
        QCOMPARE(fieldText(notes).size(), 10);

        FieldRule fixed = rule("Edit_Ref", WidgetKind::Line, 7);
        fixed.readOnly = true;
        QWidget* ref = makeField(fixed, &window);
        QCOMPARE(ref->focusPolicy(), Qt::NoFocus);
        QVERIFY(static_cast<QLineEdit*>(ref)->isReadOnly());
    }

    // A lookup's list and its alphabetical list are found by their datasets'
    // names, whatever their case; another name finds none.
    void datasetsByName() {
        corvane::db::Database db(QStringLiteral("DBTESTE"), QStringLiteral("TESTE"));
        corvane::db::Dataset byCode(db, QStringLiteral("ARTIGOSNUM"), QStringLiteral("SELECT 1"));
        corvane::db::Dataset byName(db, QStringLiteral("ARTIGOSALFA"), QStringLiteral("SELECT 1"));
        const LookupWiring::DatasetOf of = datasetsNamed({&byCode, nullptr, &byName});
        QCOMPARE(of(QStringLiteral("ARTIGOSNUM")), &byCode);
        QCOMPARE(of(QStringLiteral("artigosAlfa")), &byName);
        QCOMPARE(of(QStringLiteral("SERVICOSNUM")), nullptr);
        QCOMPARE(of(QString()), nullptr);
    }

    // An input is as wide as its rule's width says, between 4 and 30
    // characters, whatever it takes; without a width it keeps its own.
    void widths() {
        QWidget window;
        auto wide = [&](int width, int length) {
            FieldRule r = rule("Edit_X", WidgetKind::Line, length);
            r.width = width;
            return makeInput(r, &window)->maximumWidth();
        };
        const QLineEdit plain(&window);
        QVERIFY(wide(9, 11) < wide(10, 11));
        QCOMPARE(wide(9, 11), wide(9, 24)); // the length typed does not widen it
        QCOMPARE(wide(1, 1), wide(4, 1));
        QCOMPARE(wide(40, 40), wide(30, 40));
        QVERIFY(wide(30, 40) < plain.maximumWidth());
        QCOMPARE(wide(0, 40), plain.maximumWidth());
        const int w = plain.fontMetrics().horizontalAdvance(QLatin1Char('W'));
        QCOMPARE(wide(10, 24), 10 * w + 16);
    }
};

QTEST_MAIN(TestFieldWidgets)
#include "test_field_widgets.moc"
