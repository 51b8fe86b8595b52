#pragma once

#include "app/widgets/MainWindow.h"

#include <memory>

class Prompts;

// The program's start: the main window, whose single-instance guard runs
// first; the system settings dialog, loaded from SysSet.ini in programDir and
// feeding every exchange from its fields; then the link test, before the main
// window first shows. Returns null when another copy of the program runs:
// that copy has been woken and nothing is to be shown here.
std::unique_ptr<MainWindow> startUp(const QString &programDir, Prompts &prompts, MainWindow::GuardOptions guard = {});
