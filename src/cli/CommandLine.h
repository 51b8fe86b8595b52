#pragma once

#include "exchange/HttpPost.h"

#include <QString>
#include <QStringList>

#include <optional>

// The options before the command, the command words and their arguments.
// Options take "--name value" or "--name=value"; the first word that is not an
// option starts the command, and "--" ends the options, so a command argument
// may itself begin with "-".
struct CommandLine {
    std::optional<QString> server;
    std::optional<QString> branch;
    std::optional<QString> password;
    // Seconds. No limit on the whole exchange unless given; a server that
    // sends nothing for stallSeconds ends it.
    std::optional<double> timeoutSeconds;
    double stallSeconds = double(HttpPost::Limits::defaultStallMs) / 1000;
    bool help = false;
    QStringList words;
};

struct ParsedCommandLine {
    CommandLine line;
    QString error; // a whole message for the user; empty when the line is good
    bool ok() const { return error.isEmpty(); }
};

// arguments without the program name.
ParsedCommandLine parseCommandLine(const QStringList &arguments);
// The process's own arguments, which the terminal hands over as UTF-8
// whatever the locale says; bytes that are not UTF-8 are refused.
ParsedCommandLine parseCommandLine(int argc, char **argv);
