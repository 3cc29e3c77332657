#pragma once

#include "articles/store/article_tables.h"
#include "support/recording_view.h"
#include "support/test_site.h"

// A demo site whose currencies, countries, prices per currency and
// designations per country are only those a test arranges.
struct SatelliteFixture {
    TestSite site;
    RecordingView view;
    explicit SatelliteFixture(const QString& backend) : site(backend) {
        if (!site.ok())
            return;
        for (const char* table : {"ARTIGOSMOE", "ARTIGOSPAIS", "PAISES"})
            site.exec(site.invoicing(), QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
        site.exec(site.accounting(), QStringLiteral("DELETE FROM cntpmoeda"));
    }
    corvane::db::Database& factura() { return site.invoicing(); }
    corvane::db::Database& contab() { return site.accounting(); }
    void exec(corvane::db::Database& db, const QString& sql, const QVariantMap& params = {}) {
        site.exec(db, sql, params);
    }
    // "KEY=VALUE" for each row of the statement's two columns, in its order.
    QStringList pairs(corvane::db::Database& db, const QString& sql, const QVariantMap& params = {}) {
        QStringList out;
        for (const QVariantList& row : selectRows(db, sql, params))
            out << row.value(0).toString().trimmed() + QLatin1Char('=') + row.value(1).toString();
        return out;
    }
};
