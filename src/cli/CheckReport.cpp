#include "cli/CheckReport.h"

#include "cli/Command.h"
#include "cli/Console.h"
#include "components/Big5.h"
#include "labelqueue/LabelCheck.h"

int printCheckReport(const LabelCheckReport &report)
{
    for (const LabelFinding &finding : report.findings) {
        Console::outFields(
            {QString::number(finding.row), Big5::decode(finding.entry),
             finding.kind == LabelFinding::Kind::Error ? QStringLiteral("error") : QStringLiteral("warning"),
             finding.message});
    }
    printCheckTotals(report);
    return report.hasErrors() ? ExitCode::failed : ExitCode::ok;
}

void printCheckTotals(const LabelCheckReport &report)
{
    Console::out(QStringLiteral("%1 rows, %2 lines, %3 labels")
                     .arg(report.totals.rows)
                     .arg(report.totals.lines)
                     .arg(report.totals.labels));
}
