#pragma once

#include "cli/CommandLine.h"
#include "exchange/LinkSettings.h"

#include <QString>

// The server, branch code and link password an exchange uses: SysSet.ini in
// the program directory (section SETTING, keys SERVER, BRAN_NO, PASSWD), each
// replaced by its command-line option when given. A missing file or key leaves
// the value empty, as in the settings dialog.
struct ResolvedLinkSettings {
    LinkSettings link;
    QString error; // an option that Big5 cannot hold; empty when all is well
    bool ok() const { return error.isEmpty(); }
};

ResolvedLinkSettings resolveLinkSettings(const QString &programDir, const CommandLine &line);
