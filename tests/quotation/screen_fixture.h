#pragma once

// The quotation screen's logic on a test site: the site of the backend row
// prepared (quotation_fixture.h), a recording view, the screen activated for
// user ANA with or without the delete right.
#include "quotation_driver.h"
#include "quotation_fixture.h"

#include <memory>

namespace {

struct Fixture {
    explicit Fixture(const QString& backend) : site(backend) {}
    TestSite site;
    View view;
    bool mayDelete = true;

    std::unique_ptr<QuotationScreen> open() {
        corvane::quotation::QuotationSources src = sourcesOf(site, QStringLiteral("ANA"));
        auto s = std::make_unique<QuotationScreen>(src, view);
        const bool rights = mayDelete;
        if (!s->activate([rights](const QString&, const QString&, const QString&) {
                corvane::shell::AccessRights r = corvane::shell::AccessRights::none();
                if (rights)
                    r.ELIMINAR = QStringLiteral("S");
                return r;
            }))
            return nullptr;
        return s;
    }
};

// The site of the backend row prepared, the screen activated on it.
#define QUOTATION_FIXTURE(f, s)                                                                              \
    QFETCH(QString, backend);                                                                                \
    SKIP_UNLESS_BACKEND(backend);                                                                            \
    Fixture f(backend);                                                                                      \
    REQUIRE_SITE(f.site);                                                                                    \
    prepare(f.site);                                                                                         \
    auto s = f.open();                                                                                       \
    QVERIFY(s)

} // namespace
