#pragma once

#include "db/alias.h"
#include "db/database.h"
#include "db/dataset.h"

#include <QTemporaryDir>

#include <memory>

// A program database in a temporary SQLite file holding the reference tables
// the listings read, with a few rows each.
class ReferenceFixture {
public:
    ReferenceFixture();
    bool ok() const { return ok_; }
    const QString& error() const { return error_; }
    corvane::db::Database& db() { return *db_; }
    QString dir() const { return dir_.path(); }

    // Runs statements that must succeed.
    bool exec(const QStringList& statements);
    // The table's dataset as the screens open it: all columns, by code.
    std::unique_ptr<corvane::db::Dataset> dataset(const QString& table);

private:
    QTemporaryDir dir_;
    corvane::db::AliasRegistry registry_;
    std::unique_ptr<corvane::db::Database> db_;
    bool ok_ = false;
    QString error_;
};
