#pragma once

#include "articles/screens/article_screen.h"
#include "reference/screen_fixture.h"

#include <QtTest>

// A signed-on demo site whose article tables hold only the rows a test
// arranged, and an article screen reporting to a recording view.
using RecordingArticleView = RecordingPagedView<corvane::articles::ArticleView>;

struct ArticleFixture : ScreenFixture {
    RecordingArticleView screenView;
    explicit ArticleFixture(const QString& backend);

    corvane::db::Database& factura() { return site.invoicing(); }
    corvane::db::Database& contab() { return site.accounting(); }
    const QString& year() const { return run->ctx.WorkingYear; }
    const QString& user() const { return run->ctx.UserCode; }

    // Empties the article tables and fills them with the rows below.
    void arrange();
    void insert(corvane::db::Database& db, const QString& table, const QVariantMap& row);
    void article(const QString& code, const QString& type, const QString& design,
                 const QVariantMap& more = {});
    QVariant articleValue(const QString& code, const QString& column);
    int count(corvane::db::Database& db, const QString& sql);

    corvane::articles::ArticleSources sources();
    std::unique_ptr<corvane::articles::ArticleScreen>
    open(const corvane::shell::AccessRights& own = allRights());
};

// Leaves the list for the inputs, as a click in an input does.
inline void edit(corvane::articles::ArticleScreen& s) {
    s.gridExit();
}

// Types into an input and leaves it; the check's answer.
inline bool type(corvane::articles::ArticleScreen& s, const QString& input, const QString& text) {
    s.setText(input, text);
    return s.fieldExit(input, text);
}

// The start of a test run on each backend: the fixture `f`, signed on.
#define ARTICLE_FIXTURE(f)                                                                                   \
    QFETCH(QString, backend);                                                                                \
    SKIP_UNLESS_BACKEND(backend);                                                                            \
    ArticleFixture f(backend);                                                                               \
    QVERIFY2(f.ready(), qPrintable(f.site.error()))
