#pragma once

struct LabelCheckReport;

// Prints one finding a line, ROW<TAB>ENTRY<TAB>KIND<TAB>MESSAGE, then
// "N rows, M lines, L labels"; returns 1 when a finding is an error, else 0.
int printCheckReport(const LabelCheckReport &report);
// "N rows, M lines, L labels"
void printCheckTotals(const LabelCheckReport &report);
