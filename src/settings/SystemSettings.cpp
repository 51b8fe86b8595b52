#include "settings/SystemSettings.h"

#include "components/ProfileFile.h"

namespace {

const QByteArray section = QByteArrayLiteral("SETTING");
const QByteArray serverKey = QByteArrayLiteral("SERVER");
const QByteArray branchKey = QByteArrayLiteral("BRAN_NO");
const QByteArray passwordKey = QByteArrayLiteral("PASSWD");
const QByteArray priceKey = QByteArrayLiteral("OPRICE");

void openSection(ProfileFile &ini, const QString &programDir)
{
    ini.setFileName(systemSettingsPath(programDir));
    ini.setSection(section);
}

void readText(ProfileFile &ini, const QByteArray &key, QByteArray &field)
{
    ini.setIdent(key);
    if (ini.readValue()) {
        field = ini.value().toByteArray();
    }
}

bool write(ProfileFile &ini, ProfileValueType type, const QByteArray &key, const QVariant &value)
{
    ini.setDataType(type);
    ini.setIdent(key);
    ini.setValue(value);
    return ini.writeValue();
}

} // namespace

QString systemSettingsPath(const QString &programDir)
{
    return programDir + QStringLiteral("/SysSet.ini");
}

int priceOptionFromStored(int stored)
{
    if (stored < 0) {
        return SystemSettings::NoPriceOption;
    }
    return stored > SystemSettings::PriceEditable ? SystemSettings::PriceEditable : stored;
}

void loadSystemSettings(ProfileFile &ini, const QString &programDir, SystemSettings &settings)
{
    settings.server.clear();
    settings.branch.clear();
    settings.password.clear();
    openSection(ini, programDir);
    ini.setDataType(ProfileValueType::String);
    readText(ini, serverKey, settings.server);
    readText(ini, branchKey, settings.branch);
    readText(ini, passwordKey, settings.password);
    ini.setDataType(ProfileValueType::Integer);
    ini.setIdent(priceKey);
    if (ini.readValue()) {
        settings.priceOption = priceOptionFromStored(ini.value().toInt());
    }
}

QString storeSystemSettings(ProfileFile &ini, const QString &programDir, const SystemSettings &settings)
{
    openSection(ini, programDir);
    const bool stored = write(ini, ProfileValueType::String, serverKey, settings.server) &&
                        write(ini, ProfileValueType::String, branchKey, settings.branch) &&
                        write(ini, ProfileValueType::String, passwordKey, settings.password) &&
                        write(ini, ProfileValueType::Integer, priceKey, settings.priceOption);
    return stored ? QString() : ini.errorString();
}
