#pragma once

#include "articles/article_tables.h"
#include "support/recording_view.h"
#include "support/test_site.h"

#include <QSqlQuery>

// A demo site with the article tables of the invoicing and accounting
// databases (those the site does not have yet are made here).
struct SatelliteFixture {
    TestSite site;
    RecordingView view;
    explicit SatelliteFixture(const QString& backend) : site(backend) {
        if (!site.ok())
            return;
        createMissing(site.invoicing(), corvane::articles::articleInvoicingTables());
        createMissing(site.accounting(), corvane::articles::articleAccountingTables());
    }
    corvane::db::Database& factura() { return site.invoicing(); }
    corvane::db::Database& contab() { return site.accounting(); }
    void exec(corvane::db::Database& db, const QString& sql, const QVariantMap& params = {}) {
        site.exec(db, sql, params);
    }
    // "KEY=VALUE" for each row of the statement's two columns, in its order.
    QStringList pairs(corvane::db::Database& db, const QString& sql, const QVariantMap& params = {}) {
        QSqlQuery q(db.sql());
        QString error;
        if (!db.exec(q, sql, params, &error))
            qFatal("%s: %s", qPrintable(sql), qPrintable(error));
        QStringList out;
        while (q.next())
            out << q.value(0).toString().trimmed() + QLatin1Char('=') + q.value(1).toString();
        return out;
    }

private:
    void createMissing(corvane::db::Database& db, const QList<corvane::db::Table>& tables) {
        for (const corvane::db::Table& t : tables) {
            if (db.dialect().tableExists(db.sql(), t.name))
                continue;
            site.exec(db, db.dialect().createTable(t));
            for (const QString& index : db.dialect().createIndexes(t))
                site.exec(db, index);
        }
    }
};
