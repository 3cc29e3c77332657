#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace corvane::reference {

// How an input's text becomes a column value.
enum class FieldKind {
    Text,       // as typed
    Upper,      // upper case
    Whole,      // integer column
    SmallWhole, // small-integer column: the column's range is checked too
    Number,     // floating-point column
};

// One input of a table screen and the rules checked when the focus leaves it.
struct FieldRule {
    QString column;
    QString input; // the input's objectName, e.g. "Edit_Designacao"
    QString label; // "Designação : "
    FieldKind kind = FieldKind::Text;
    int maxLength = 0;
    QString hint;         // first status panel while the input has the focus
    QString suffix;       // a label after the input, e.g. "(%)"
    QString emptyMessage; // set: the input may not be left empty
    int min = 1;
    int max = 0; // max >= min: the value must lie in [min, max]
    QString rangeMessage;
    QStringList allowed; // set: the value must be one of these
    QString allowedMessage;
    bool checkWhileSettling = false;
    bool readOnly = false;
};

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
    QString program; // the rights' program, chapter "Tabelas Especificas"
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
};

inline const QString kRightsChapter = QStringLiteral("Tabelas Especificas");

// The five simple reference-table screens.
TableScreenConfig costTypesScreen();     // TCORVF001, TIPOCUSTO
TableScreenConfig operationsScreen();    // TCORVF002, OPERACOES
TableScreenConfig machineGroupsScreen(); // TCORVF004, GRUPOMAQUINAS
TableScreenConfig materialTypesScreen(); // TCORVF005, TIPOMATERIAL
TableScreenConfig workTypesScreen();     // TCORVF006, TIPOTRABALHO

} // namespace corvane::reference
