#pragma once

#include <QStringList>
#include <QTextStream>

// `corvane-admin calc quote|weave|knit|subcontract|fabric|machine|operations|print
// FILE` (FILE "-" reads standard input):
// reads one JSON document, prints one JSON document of results. Returns 0 when
// computed, 1 when the calculation refused (its message is in the output), 2
// for a malformed document, a missing required key or a wrong command line.
int runCalcCommand(const QStringList& args, QTextStream& out, QTextStream& err);
