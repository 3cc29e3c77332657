// The article screen with other users: changes made meanwhile, two users
// inserting the same code, a user without the right to change, and the
// rights its buttons ask for.
#include "article_fixture.h"

#include "articles/store/article_store.h"
#include "setup/demo_site.h"

using namespace corvane;
using namespace corvane::articles;

class TestArticleUsers : public QObject {
    Q_OBJECT
private slots:
    // Every right the screen asks for names a program the site knows, so the
    // user-administration program can grant it; a misspelt name would hide
    // its button from everyone.
    void rightsNameKnownPrograms() {
        ArticleFixture f(QStringLiteral("sqlite"));
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        QStringList known;
        for (const setup::ProgramKey& k : setup::allProgramKeys())
            known << k.application + QLatin1Char('/') + k.chapter + QLatin1Char('/') + k.program;
        QStringList asked;
        ArticleScreen s(f.sources(), f.screenView);
        QVERIFY(s.activate(
            [&asked](const QString& application, const QString& chapter, const QString& program) {
                asked << application + QLatin1Char('/') + chapter + QLatin1Char('/') + program;
                return allRights();
            },
            {}));
        QVERIFY(asked.size() >= 14); // four tables, nine customization levels, its own
        for (const QString& right : asked)
            QVERIFY2(known.contains(right), qPrintable(right));
    }

    void anotherUsersChangesStay_data() { addBackendRows(); }
    // While one user has the article open, the invoicing side changes its
    // price and stock: a visit, or a change of other columns, keeps them; a
    // change of the same column, or of an article deleted meanwhile, is
    // refused with what was typed kept.
    void anotherUsersChangesStay() {
        ARTICLE_FIXTURE(f);
        auto s = f.open();
        QVERIFY(s);
        QVERIFY(s->locate(QStringLiteral("GR0001")));
        edit(*s);
        f.site.exec(
            f.factura(),
            QStringLiteral("UPDATE ARTIGOSCLS SET PRECO1 = 14.9, STKMIN = 40 WHERE CODIGO = 'GR0001'"));
        QVERIFY(s->gridEnter());
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("PRECO1")).toDouble(), 14.9);
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("STKMIN")).toDouble(), 40.0);
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("UTILALTER")).toString(), f.user());

        // Editing starts from the row as stored, not as the list read it.
        f.site.exec(f.factura(),
                    QStringLiteral("UPDATE ARTIGOSCLS SET PRECO3 = 3.5 WHERE CODIGO = 'GR0001'"));
        edit(*s);
        QCOMPARE(s->text(QStringLiteral("Edit_Preco3")), QStringLiteral("3,5"));
        QVERIFY(type(*s, kDesignInput, QStringLiteral("Gorro de Lã")));
        f.site.exec(f.factura(),
                    QStringLiteral("UPDATE ARTIGOSCLS SET PRECO1 = 15.5 WHERE CODIGO = 'GR0001'"));
        QVERIFY(s->gridEnter());
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DESIGNACAO")).toString(),
                 QStringLiteral("Gorro de Lã"));
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("PRECO1")).toDouble(), 15.5);

        // The same column: refused, nothing written, the entry kept; leaving
        // again writes it over what is stored now.
        edit(*s);
        QVERIFY(type(*s, QStringLiteral("Edit_Preco1"), QStringLiteral("16")));
        f.site.exec(f.factura(), QStringLiteral("UPDATE ARTIGOSCLS SET PRECO1 = 17 WHERE CODIGO = 'GR0001'"));
        QVERIFY(!s->gridEnter());
        QVERIFY(f.screenView.messages.last().startsWith(db::kChangedByOther));
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("PRECO1")).toDouble(), 17.0);
        QCOMPARE(s->text(QStringLiteral("Edit_Preco1")), QStringLiteral("16"));
        QVERIFY(s->gridEnter());
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("PRECO1")).toDouble(), 16.0);

        // Deleted meanwhile: the save says so instead of succeeding.
        edit(*s);
        QVERIFY(type(*s, kDesignInput, QStringLiteral("Perdido")));
        f.site.exec(f.factura(), QStringLiteral("DELETE FROM ARTIGOSCLS WHERE CODIGO = 'GR0001'"));
        QVERIFY(!s->gridEnter());
        QCOMPARE(f.screenView.messages.last(), db::kDeletedByOther);
        QCOMPARE(s->text(kDesignInput), QStringLiteral("Perdido"));
        s->cancel();
        QCOMPARE(s->mode(), ArticleMode::Browsing);
    }

    // Esc over typed work asks first: No keeps the article being changed
    // with what was typed; Yes abandons it. Nothing typed: no question.
    void leavingAsksBeforeLosingTypedWork() {
        ArticleFixture f(QStringLiteral("sqlite"));
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        auto s = f.open();
        QVERIFY(s);
        QVERIFY(s->locate(QStringLiteral("GR0001")));
        edit(*s);
        QVERIFY(s->leaving()); // nothing typed
        QVERIFY(s->locate(QStringLiteral("GR0001")));
        edit(*s);
        QVERIFY(type(*s, kDesignInput, QStringLiteral("Gorro Azul")));
        f.screenView.answers = {false};
        QVERIFY(!s->leaving());
        QCOMPARE(f.screenView.questions.last(), kAbandonQuestion);
        QCOMPARE(s->mode(), ArticleMode::Changing);
        QCOMPARE(s->text(kDesignInput), QStringLiteral("Gorro Azul"));
        f.screenView.answers = {true};
        QVERIFY(s->leaving());
        QCOMPARE(s->mode(), ArticleMode::Browsing);
        QVERIFY(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DESIGNACAO")).toString() !=
                QStringLiteral("Gorro Azul"));
    }

    void withoutTheRightToChange_data() { addBackendRows(); }
    // A user who may insert but not change articles sees them read-only:
    // nothing typed over an article is written, by the screen or its store.
    void withoutTheRightToChange() {
        ARTICLE_FIXTURE(f);
        shell::AccessRights noChange = allRights();
        noChange.ALTERAR = QStringLiteral("N");
        auto s = f.open(noChange);
        QVERIFY(s);
        QVERIFY(s->locate(QStringLiteral("GR0001")));
        const QString before =
            f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DESIGNACAO")).toString();
        edit(*s);
        QVERIFY(s->inputsReadOnly());
        QCOMPARE(s->mode(), ArticleMode::Browsing);
        QCOMPARE(f.screenView.status[1].last(), articles::kLookOnlyHint);
        s->setText(kDesignInput, QStringLiteral("Mudado"));
        QVERIFY(s->gridEnter());
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DESIGNACAO")).toString(), before);

        // Inserting still takes typing.
        s->insert();
        QVERIFY(!s->inputsReadOnly());
        s->cancel();

        // The store refuses a change however it is reached.
        articles::ArticleStore store(f.factura());
        store.setWriteRights(shell::writeRights(noChange));
        const std::optional<QVariantMap> stored = store.read(QStringLiteral("GR0001"));
        QVERIFY(stored && !stored->isEmpty());
        articles::SaveStamp stamp;
        stamp.changed = QStringList{QStringLiteral("DESIGNACAO")};
        stamp.original = *stored;
        QVariantMap values = *stored;
        values.insert(QStringLiteral("DESIGNACAO"), QStringLiteral("Mudado"));
        QString error;
        QVERIFY(!store.save(values, stamp, &error));
        QCOMPARE(error, db::notAllowedText(db::UpdateKind::Modified));
        QCOMPARE(f.articleValue(QStringLiteral("GR0001"), QStringLiteral("DESIGNACAO")).toString(), before);
        store.setWriteRights({true, true, false});
        QVERIFY(!store.remove(QStringLiteral("GR0001"), true, &error));
        QCOMPARE(error, db::notAllowedText(db::UpdateKind::Deleted));
        QCOMPARE(
            f.count(f.factura(), QStringLiteral("SELECT COUNT(*) FROM ARTIGOSCLS WHERE CODIGO = 'GR0001'")),
            1);
    }

    void twoUsers_data() { addBackendRows(); }
    // Two users open the same new code: the second save is refused by the
    // server and keeps what was typed.
    void twoUsers() {
        QFETCH(QString, backend);
        SKIP_UNLESS_BACKEND(backend);
        if (backend != QLatin1String("postgres"))
            QSKIP("two connections at once: PostgreSQL");
        ArticleFixture f(backend);
        QVERIFY2(f.ready(), qPrintable(f.site.error()));
        auto a = f.open();
        QVERIFY(a);
        RecordingArticleView secondView;
        ArticleSources second = f.sources();
        std::unique_ptr<db::Database> secondDb = f.site.connectInvoicing();
        second.factura = secondDb.get();
        ArticleScreen b(second, secondView);
        QVERIFY(b.activate([](const QString&, const QString&, const QString&) { return allRights(); }, {}));
        for (ArticleScreen* s : {a.get(), &b}) {
            s->insert();
            edit(*s);
            QVERIFY(type(*s, kCodeInput, QStringLiteral("DUPLO")));
            QVERIFY(type(*s, QStringLiteral("Edit_TipoArtigo"), QStringLiteral("2")));
            QVERIFY(type(*s, QStringLiteral("Edit_Codiva"), QStringLiteral("1")));
        }
        QVERIFY(type(*a, kDesignInput, QStringLiteral("Primeiro")));
        QVERIFY(type(b, kDesignInput, QStringLiteral("Segundo")));
        QVERIFY(a->gridEnter());
        QVERIFY(!b.gridEnter());
        QVERIFY(!secondView.messages.isEmpty());
        QCOMPARE(b.mode(), ArticleMode::Inserting);
        QCOMPARE(b.text(kDesignInput), QStringLiteral("Segundo"));
        QCOMPARE(f.articleValue(QStringLiteral("DUPLO"), QStringLiteral("DESIGNACAO")).toString(),
                 QStringLiteral("Primeiro"));
        b.close();
    }
};

QTEST_GUILESS_MAIN(TestArticleUsers)
#include "test_article_users.moc"
