#include "cli/LinkSettingsSource.h"

#include "cli/Console.h"
#include "components/Big5.h"
#include "components/ProfileFile.h"

#include <QDir>

namespace {
QByteArray storedText(ProfileFile &ini, const char *ident)
{
    ini.setIdent(ident);
    return ini.readValue() ? ini.value().toByteArray() : QByteArray();
}

// False with error set when the option's text is not Big5.
bool applyOption(const std::optional<QString> &option, const char *name, QByteArray &value, QString &error)
{
    if (!option) {
        return true;
    }
    const Big5::Encoding encoded = Big5::encode(*option);
    if (!encoded.ok()) {
        error = QStringLiteral("option --%1: %2").arg(QLatin1String(name), encoded.errorText());
        return false;
    }
    value = encoded.bytes;
    return true;
}
} // namespace

ResolvedLinkSettings resolveLinkSettings(const QString &programDir, const CommandLine &line)
{
    ProfileFile ini;
    ini.setNotifier([](const QString &text) { Console::err(text); });
    ini.setFileName(QDir(programDir).filePath(QStringLiteral("SysSet.ini")));
    ini.setSection("SETTING");
    ini.setDataType(ProfileValueType::String);

    ResolvedLinkSettings resolved;
    LinkSettings &link = resolved.link;
    link.server = storedText(ini, "SERVER");
    link.branch = storedText(ini, "BRAN_NO");
    link.password = storedText(ini, "PASSWD");
    const struct {
        const std::optional<QString> &option;
        const char *name;
        QByteArray &value;
    } overrides[] = {
        {line.server, "server", link.server},
        {line.branch, "branch", link.branch},
        {line.password, "password", link.password},
    };
    for (const auto &entry : overrides) {
        if (!applyOption(entry.option, entry.name, entry.value, resolved.error)) {
            break;
        }
    }
    return resolved;
}
