#include "outputs/csv_export.h"

#include "outputs/qso_list_rows.h"

namespace tarvik {

bool WriteCsvFile(TextFileWriter& out, const OutputSource& source) {
  QsoListStyle style;
  style.contestCode = source.contestCode;
  style.listener = source.Listener();
  style.csv = true;
  const QsoListColumns columns = MeasureQsoListColumns(source.log, source.definition);
  out.Line(QsoListColumnHeader(source.definition, columns, style));
  return ForEachLogRecord(source.log, [&](int number, const QsoRecord& qso) {
    if (!qso.IsBandChangeMarker())
      out.Line(QsoListRow(qso, number, source.definition, columns, style));
    return true;
  });
}

} // namespace tarvik
