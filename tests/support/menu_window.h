#pragma once

#include "shell/ui/tfacfmenu.h"
#include "test_site.h"

#include <QSignalSpy>

#include <memory>

// The letter Alt opens a caption with ("&B - Tabelas": B); none without one.
inline QChar mnemonicOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i)
        if (caption.at(i) == QLatin1Char('&')) {
            if (caption.at(i + 1) != QLatin1Char('&'))
                return caption.at(i + 1).toUpper();
            ++i;
        }
    return {};
}

// The main window over a test site, the version recorded without a screen.
struct MenuWindow {
    corvane::db::Database geral{QStringLiteral("DBGERAL"), QStringLiteral("QTXGERAL")};
    corvane::SiteLog log;
    std::unique_ptr<corvane::shell::TFACFMENU> window;

    MenuWindow(TestSite& site, corvane::shell::ScreenTable screens) : log(site.site().logFile()) {
        using namespace corvane;
        shell::SignOn::Dependencies deps;
        deps.dbGeral = &geral;
        deps.registry = &site.registry();
        deps.credentials = [&site](db::GeneralCredentials* c, QString* e) { return site.credentials(c, e); };
        deps.updateVersion = [](shell::DataModules& m) {
            QString error;
            return m.versao->UPACTUAL_VERSAO(QStringLiteral("01.009"), QDate::currentDate(), 1, &error);
        };
        window = std::make_unique<shell::TFACFMENU>(site.site(), deps, std::move(screens), &log);
    }
    // Shows the window and waits for the sign-on.
    bool show() {
        QSignalSpy spy(window.get(), &corvane::shell::TFACFMENU::signedOn);
        window->show();
        return spy.wait(10000);
    }
};
