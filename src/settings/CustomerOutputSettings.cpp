#include "settings/CustomerOutputSettings.h"

#include "components/Big5.h"
#include "components/ProfileFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool readBoolean(ProfileFile &ini, const char *key)
{
    ini.setIdent(key);
    return ini.readValue() && ini.value().toBool();
}

bool writeBoolean(ProfileFile &ini, const char *key, bool value)
{
    ini.setIdent(key);
    ini.setValue(value);
    return ini.writeValue();
}

} // namespace

bool CustomerOutputSettings::operator==(const CustomerOutputSettings &other) const
{
    return fixedWidth == other.fixedWidth && oneLinePerLabel == other.oneLinePerLabel && columns == other.columns;
}

const QList<QByteArray> &customerColumnCatalogue()
{
    static const QList<QByteArray> catalogue = [] {
        static const char *const entries[] = {
            "條碼(20C)",    "客戶代號(20C)", "姓名(50C)",  "公司名稱(100C)", "電話(20C)",    "行動(24C)",
            "會員種類(8C)", "種類名稱(20C)", "地址(100C)", "會員卡號(20C)",  "郵遞區號(8C)",
        };
        QList<QByteArray> list;
        for (const char *entry : entries) {
            list.append(Big5::fromUtf8Literal(entry));
        }
        return list;
    }();
    return catalogue;
}

QString customerOutputSettingsPath(const QString &programDir)
{
    return programDir + QStringLiteral("/bar2/CustBar.ini");
}

QString makeCustomerLabelDirectory(const QString &programDir)
{
    const QString directory = programDir + QStringLiteral("/bar2");
    if (QFileInfo(directory).isDir() || QDir().mkpath(directory)) {
        return {};
    }
    return QStringLiteral("無法建立目錄 %1").arg(QDir::toNativeSeparators(directory));
}

CustomerOutputSettings loadCustomerOutputSettings(ProfileFile &ini)
{
    CustomerOutputSettings settings;
    ini.setDataType(ProfileValueType::Boolean);
    settings.oneLinePerLabel = readBoolean(ini, "CHK12");
    settings.fixedWidth = readBoolean(ini, "CHK13");
    settings.columns = LabelColumnList::load(ini, CustomerOutputSettings::MaxColumns);
    return settings;
}

QString storeCustomerOutputSettings(ProfileFile &ini, const CustomerOutputSettings &settings)
{
    ini.setDataType(ProfileValueType::Boolean);
    if (!writeBoolean(ini, "CHK12", settings.oneLinePerLabel) || !writeBoolean(ini, "CHK13", settings.fixedWidth) ||
        !LabelColumnList::store(ini, settings.columns, CustomerOutputSettings::MaxColumns)) {
        return ini.errorString();
    }
    return {};
}

QByteArray customerSettingsText(const CustomerOutputSettings &settings)
{
    QByteArray text = QByteArrayLiteral("CHK12=") + (settings.oneLinePerLabel ? "1" : "0") +
                      QByteArrayLiteral("\nCHK13=") + (settings.fixedWidth ? "1" : "0") + '\n';
    for (int number = 1; number <= settings.columns.size(); ++number) {
        text +=
            "Par" + QByteArray::number(number).rightJustified(2, '0') + '=' + settings.columns.at(number - 1) + '\n';
    }
    return text;
}
