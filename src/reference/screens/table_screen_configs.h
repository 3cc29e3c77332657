#pragma once

#include "screens/table_screen_config.h"

namespace corvane::reference {

using screens::FieldKind;
using screens::FieldRule;
using screens::HelpPanel;
using screens::LookupSpec;
using screens::TableScreenConfig;

inline const QString kRightsChapter = QStringLiteral("Tabelas Especificas");

// The five simple reference-table screens.
TableScreenConfig costTypesScreen();     // TCORVF001, TIPOCUSTO
TableScreenConfig operationsScreen();    // TCORVF002, OPERACOES
TableScreenConfig machineGroupsScreen(); // TCORVF004, GRUPOMAQUINAS
TableScreenConfig materialTypesScreen(); // TCORVF005, TIPOMATERIAL
TableScreenConfig workTypesScreen();     // TCORVF006, TIPOTRABALHO

// The cost type of an operation or a packaging type: a code below 100 of an
// existing TIPOCUSTO row, whose designation shows in LabelTipoCusto.
FieldRule costTypeField(const QString& column);
// The list of cost types ("Código", "Designação", "Classe").
LookupSpec costTypeLookup();

// A screen of the pattern over a costing table: caption, rights and the
// table's description, from which every input takes its width.
TableScreenConfig referenceScreen(const char* name, const char* caption, const char* program,
                                  const db::Table& table);

} // namespace corvane::reference
