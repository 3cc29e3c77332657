#pragma once

// The quotation's records as the column maps its statements bind (the
// ...Values functions) and read (the ...Of functions): one mapping a record,
// used both ways by the store.
#include "quotation/quotation_types.h"

#include <QDateTime>
#include <QVariantMap>

namespace corvane::quotation::rows {

QVariant textOrNull(const QString& s);
QVariant dateOrNull(const QDateTime& d);
void putLevels(QVariantMap& m, const QString& prefix, const Levels& l);
Levels levelsOf(const QVariantMap& r, const QString& prefix);
void putCharge(QVariantMap& m, const QString& prefix, const PercentCharge& c);
void putCharge(QVariantMap& m, const QString& prefix, const FixedOrPercentCharge& c);
PercentCharge percentChargeOf(const QVariantMap& r, const QString& prefix);
FixedOrPercentCharge fixedChargeOf(const QVariantMap& r, const QString& prefix);
QVariantMap masterValues(const OrcamMas& m);
OrcamMas masterOf(const QVariantMap& r);
QVariantMap comValues(const OrcamCom& c);
OrcamCom comOf(const QVariantMap& r);
QVariantMap transpValues(const OrcamTransp& t);
OrcamTransp transpOf(const QVariantMap& r);
QVariantMap cndpgtValues(const OrcamCndPgt& c);
OrcamCndPgt cndpgtOf(const QVariantMap& r);
QVariantMap descValues(const OrcamDesc& d);
OrcamDesc descOf(const QVariantMap& r);
QVariantMap totValues(const OrcamTot& t);
OrcamTot totOf(const QVariantMap& r);

} // namespace corvane::quotation::rows
