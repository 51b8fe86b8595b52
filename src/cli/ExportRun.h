#pragma once

#include "labelqueue/LabelProgramLaunch.h"

#include <QString>
#include <QStringList>

#include <functional>

struct ExportResult;

// The export commands' shared run: "--no-launch" and "--parameter 1|2", the
// file written, its outcome printed, then the label program started with the
// chosen parameter unless told not to. Returns an ExitCode.
int runExportCommand(const QString &command, const QStringList &arguments, const std::function<ExportResult()> &write,
                     const std::function<LabelProgramLaunch(LabelProgramParameter)> &launch);
