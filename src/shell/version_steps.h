#pragma once

#include "db/database.h"
#include "db/schema.h"

#include <utility>

namespace corvane::shell {

// One update step of the program database (TABELAS_VERSAO_nnn): the tables it
// creates when they do not exist, the columns it adds to existing tables, the
// statements that follow the additions (UP_VERSAO_007), and the indexes it
// adds to existing tables.
struct VersionStep {
    int number = 0;
    QList<db::Table> creations;
    QList<std::pair<QString, db::Column>> additions; // table, column
    QStringList followUps;
    QList<std::pair<QString, db::Index>> indexes; // table, index
};

// Steps 1 .. kLastVersionStep lead from "01.000" to "01.010".
constexpr int kLastVersionStep = 10;
// Step n, 1 <= n <= kLastVersionStep.
VersionStep versionStep(int number);

// The table as the program's current version has it: the base description
// with the columns and indexes every step adds to it (the widths inputs are
// held to).
db::Table atCurrentVersion(db::Table base);

// Runs a step in a transaction of its own: either all of it is applied or the
// database stays as it was, with the server's message in *error. A column the
// table already has (a step committed by a run that was then interrupted) is
// not added again, and then the follow-up statements are not repeated either.
bool applyVersionStep(db::Database& db, const VersionStep& step, QString* error);

} // namespace corvane::shell
