#include "cli/CommandLine.h"

namespace {
std::optional<QString> *optionSlot(CommandLine &line, const QString &name)
{
    if (name == QLatin1String("--server")) {
        return &line.server;
    }
    if (name == QLatin1String("--branch")) {
        return &line.branch;
    }
    if (name == QLatin1String("--password")) {
        return &line.password;
    }
    return nullptr;
}
// A number of seconds above zero, or nullopt.
std::optional<double> seconds(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && value > 0 && value <= 1e6 ? std::optional<double>(value) : std::nullopt;
}

bool isSecondsOption(const QString &name)
{
    return name == QLatin1String("--timeout") || name == QLatin1String("--stall");
}
} // namespace

ParsedCommandLine parseCommandLine(const QStringList &arguments)
{
    ParsedCommandLine parsed;
    CommandLine &line = parsed.line;
    qsizetype i = 0;
    for (; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            ++i;
            break;
        }
        if (!argument.startsWith(u'-') || argument == QLatin1String("-")) {
            break;
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            line.help = true;
            continue;
        }
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = equals < 0 ? argument : argument.left(equals);
        std::optional<QString> *slot = optionSlot(line, name);
        if (!slot && !isSecondsOption(name)) {
            parsed.error = QStringLiteral("unknown option %1").arg(name);
            return parsed;
        }
        QString value;
        if (equals >= 0) {
            value = argument.mid(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments.at(++i);
        } else {
            parsed.error = QStringLiteral("option %1 needs a value").arg(name);
            return parsed;
        }
        if (slot) {
            *slot = value;
            continue;
        }
        const std::optional<double> limit = seconds(value);
        if (!limit) {
            parsed.error = QStringLiteral("option %1 needs a number of seconds above 0, not \"%2\"").arg(name, value);
            return parsed;
        }
        if (name == QLatin1String("--timeout")) {
            line.timeoutSeconds = limit;
        } else {
            line.stallSeconds = *limit;
        }
    }
    line.words = arguments.mid(i);
    return parsed;
}

ParsedCommandLine parseCommandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        arguments.append(QString::fromUtf8(bytes));
        if (arguments.last().toUtf8() != bytes) {
            ParsedCommandLine refused;
            refused.error = QStringLiteral("argument %1 is not UTF-8 text").arg(i);
            return refused;
        }
    }
    return parseCommandLine(arguments);
}
