#pragma once

#include "reconcile/SourceComparison.h"

#include <QString>
#include <QStringList>

// Texts the comparison tests compare: the nine result lists, one line per non-empty list
// ("3 invalid question matches: 14>2, 14>4"), and the lines of a validation or source-file
// report as "classes|text".

QString DumpComparison(const SSourceComparisonLists& lists);
QStringList ListReportLines(const QString& html);
