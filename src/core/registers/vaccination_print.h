#pragma once

#include "core/registers/vaccination_records.h"
#include "core/registers/vaccinations.h"

class Printer;

namespace vaccination_records {

// Every dose of the plan with its mark (済 with the day, 予定, 期限が近い, 期限切れ), the lot and
// the clinic, on one A4 page. Returns what Printer::end says ("" after a printer), or the error.
QString print(Printer &printer, const QList<vaccinations::Planned> &planned, const QList<Entry> &given,
              QDate today, const QString &nickname);

} // namespace vaccination_records
