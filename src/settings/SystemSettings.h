#pragma once

#include <QByteArray>
#include <QString>

class ProfileFile;

// The four values every server exchange needs, as the settings dialog holds
// them. Texts are Big5 bytes.
struct SystemSettings {
    // Item indexes of the price option ("參考價").
    static constexpr int PriceLocked = 0;   // 不能修改
    static constexpr int PriceEditable = 1; // 可以修改
    static constexpr int NoPriceOption = -1;

    QByteArray server;
    QByteArray branch;
    QByteArray password;
    int priceOption = PriceLocked;

    bool operator==(const SystemSettings &other) const
    {
        return server == other.server && branch == other.branch && password == other.password &&
               priceOption == other.priceOption;
    }
    bool operator!=(const SystemSettings &other) const { return !(*this == other); }
};

// ProgramDir + "/SysSet.ini".
QString systemSettingsPath(const QString &programDir);

// The item a stored "OPRICE" selects: -1 and below select nothing, above 1
// selects item 1.
int priceOptionFromStored(int stored);

// Loads the file through ini (section "SETTING"): the three texts are emptied
// and then take the keys found; the price option changes only when "OPRICE"
// holds an integer, so a missing key keeps the current selection.
void loadSystemSettings(ProfileFile &ini, const QString &programDir, SystemSettings &settings);

// Writes SERVER, BRAN_NO, PASSWD and OPRICE in this order through ini and
// stops at the first write that fails. Returns that failure's message, or an
// empty text when all four were stored.
QString storeSystemSettings(ProfileFile &ini, const QString &programDir, const SystemSettings &settings);
