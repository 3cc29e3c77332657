#pragma once

// corvane-admin recost: re-costs every technical sheet of a company from
// today's reference data, or, with a what-if file, lists what a change of
// prices would do to the pending quotations without writing anything.
#include "db/database.h"

#include <QTextStream>

#include <functional>

struct RecostOptions {
    QString whatIfFile;    // empty: re-cost and write
    double threshold = -1; // % margin; < 0: the file's, else 0
};

// Returns the exit code: 0 done, 1 failed (message on `err`).
int runRecost(corvane::db::Database& program, corvane::db::Database& invoicing, const RecostOptions& options,
              QTextStream& out, QTextStream& err,
              const std::function<void(const QString& phase, qint64 done, qint64 total)>& progress);
