#pragma once

#include "site_setup.h"

namespace corvane::setup {

// The demo user the demo site signs on with.
inline const QString kDemoUser = QStringLiteral("DEMO");
inline const QString kDemoPassword = QStringLiteral("DEMO");

// How far the demo company's program database is taken.
enum class DemoCompany {
    // Brought to the program's version (dated today) with the costing
    // reference rows, ready for every screen.
    Ready,
    // As the set-up makes a company: at the base version, without reference
    // rows; its first sign-on runs the version update.
    New,
};

// Everything a new user needs to try each screen: one company, this
// workstation's sign-on row, a super-user with rights on every chapter and
// program, and the invoicing parameters of this year and the last.
bool createDemoSite(SiteBuilder& builder, const QString& workstation, const QDate& today, QString* error,
                    DemoCompany level = DemoCompany::Ready);

// The costing reference rows of the demo company (its program database at
// the program's version).
bool insertDemoReference(db::Database& corvane, QString* error);

// The articles of the demo company and everything that classifies, prices,
// supplies and uses them (invoicing database), and the currencies of this
// year and the last (accounting database), each database in one transaction.
// Ordinary articles of every type "1" to "11" and one colour and size grid
// whose variants (GRELHA 'S') lie under the base "CHC.LA.LISO.".
bool insertDemoArticles(db::Database& factura, db::Database& contab, const QDate& today, QString* error);
// Technical sheets of each kind for four demo products, with the lines of
// their steps written by the step screens' logic (SheetStepRunner); a step
// the screens refuse fails with their messages.
bool insertDemoSheets(db::Database& corvane, db::Database& factura, QString* error);

// The customers of the demo company with their sellers, agents, payment
// conditions and shipping methods (invoicing database); the commission codes
// come with the articles.
bool insertDemoCustomers(db::Database& factura, QString* error);
// Quotations of series 1 and 2 of those customers, built by the quotation
// calculation from the demo sheets, in each state a quotation reaches (needs
// the sheets); a technical product record of the knitted hat; the series'
// counters at their last closed quotation.
bool insertDemoQuotations(db::Database& corvane, db::Database& factura, const QDate& today, QString* error);
// The customers' orders, invoices, receivables and receipts of this year and
// the last, beside the orders of the quotations (needs them).
bool insertDemoHistory(db::Database& factura, const QDate& today, QString* error);

// The site's download folder for upgrades (config/upgrade.ini), with the
// information files and a setup program of the given version.
bool writeUpgradeFolder(const QString& siteRoot, const QString& version, QString* error);

// The document of the latest changes, under Programas/Pdf (needs a GUI application object).
bool writeChangesDocument(const QString& siteRoot, QString* error);

// The chapters and programs the rights are given on, per application.
struct ProgramKey {
    QString application;
    QString chapter;
    QString program;
};
QList<ProgramKey> allProgramKeys();

} // namespace corvane::setup
