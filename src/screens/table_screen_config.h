#pragma once

#include "field_rule.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace corvane::screens {

// A panel of fixed lines: a help panel shown only while its input has the
// focus, or (without an input) a legend always shown.
struct HelpPanel {
    QString name;
    QString input;
    QString title;
    QStringList lines;
};

// Everything that sets one table screen apart from the others.
struct TableScreenConfig {
    QString name;    // "TCORVF001"
    QString caption; // "Tabela de Tipos de Custo"
    QString chapter; // the rights' chapter ...
    QString program; // ... and program
    db::Table table; // the table's description: inputs take its widths
    // The key of a row: the code typed into Edit_Codigo is the first column;
    // the others take the values the screen fixes (e.g. the working year).
    QStringList keyColumns{QStringLiteral("CODIGO")};
    int codeMax = 999999;
    bool smallIntegerCode = false;
    int codeLength = 0;      // > 0: a text code of up to so many characters
    bool proposeCode = true; // Insert proposes the last code + 1
    QString existsMessage = QStringLiteral("REGISTO JÁ FOI ABERTO ... <ENTER>");
    QString invalidCodeMessage = QStringLiteral("Codigo Inválido ... <ENTER>");
    QString codeHint;
    QString codeLabel = QStringLiteral("Código : ");
    QList<FieldRule> fields;
    QStringList gridColumns;
    QStringList gridTitles;
    bool orderChoice = true;
    QList<HelpPanel> panels;

    const FieldRule* field(const QString& column) const;
    const FieldRule* input(const QString& objectName) const;
    const QString& codeColumn() const { return keyColumns.first(); }
    // The grid's columns with their titles, as "COLUMN=Title" pairs.
    void setGrid(std::initializer_list<const char*> columns);
};

} // namespace corvane::screens
