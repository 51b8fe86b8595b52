#include "labelqueue/CountRuleStore.h"

#include "components/IniText.h"
#include "components/RegularFile.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>

namespace {

// Far more than six sections of nine short keys.
constexpr qint64 sizeLimit = 64 * 1024;

struct Key {
    const char *name;
    QString CountRuleTexts::*text;
    CountRuleTexts::Field field;
};

const Key textKeys[] = {
    {"Set", &CountRuleTexts::fixedCount, CountRuleTexts::Field::Fixed},
    {"Times", &CountRuleTexts::factor, CountRuleTexts::Field::Factor},
    {"Plus", &CountRuleTexts::sparesPerRow, CountRuleTexts::Field::Spares},
    {"PlusPercent", &CountRuleTexts::percent, CountRuleTexts::Field::Percent},
    {"Round", &CountRuleTexts::rounding, CountRuleTexts::Field::Rounding},
    {"Min", &CountRuleTexts::minimum, CountRuleTexts::Field::Minimum},
    {"Max", &CountRuleTexts::maximum, CountRuleTexts::Field::Maximum},
};

// A switch is 0 or 1; anything else is damage, not a guess.
std::optional<bool> readSwitch(const QByteArray &text, const QByteArray &section, const char *key)
{
    const QByteArray value = IniText::lookup(text, section, key).value_or(QByteArray("0"));
    if (value != "0" && value != "1") {
        return std::nullopt;
    }
    return value == "1";
}

} // namespace

const QList<CountRuleKind> &countRuleKinds()
{
    static const QList<CountRuleKind> kinds = productCountRuleKinds() + customerCountRuleKinds();
    return kinds;
}

const QList<CountRuleKind> &productCountRuleKinds()
{
    static const QList<CountRuleKind> kinds = {
        {"product", QStringLiteral("產品引入")},   {"purchase", QStringLiteral("進貨引入")},
        {"stocktake", QStringLiteral("盤點引入")}, {"transfer", QStringLiteral("出庫引入")},
        {"document", QStringLiteral("其他引入")},
    };
    return kinds;
}

const QList<CountRuleKind> &customerCountRuleKinds()
{
    static const QList<CountRuleKind> kinds = {{"customer", QStringLiteral("客戶引入")}};
    return kinds;
}

CountRuleStore::CountRuleStore(const QString &programDir)
    : path_(QDir(programDir).filePath(fileName()))
{}

void CountRuleStore::load()
{
    rules_.clear();
    problem_.clear();
    const RegularFileBytes read = readRegularFile(path_, sizeLimit);
    text_ = read.bytes;
    if (read.missing) {
        return;
    }
    const auto damaged = [this](const QString &what) {
        rules_.clear();
        problem_ = QStringLiteral("張數規則檔 %1 已損壞（%2），不套用任何張數規則。")
                       .arg(QDir::toNativeSeparators(path_), what);
    };
    if (!read.ok()) {
        return damaged(read.error);
    }
    for (const CountRuleKind &kind : countRuleKinds()) {
        CountRuleTexts texts;
        bool present = false;
        for (const Key &key : textKeys) {
            const std::optional<QByteArray> value = IniText::lookup(text_, kind.key, key.name);
            present = present || value;
            texts.*(key.text) = QString::fromLatin1(value.value_or(QByteArray()));
        }
        const std::optional<bool> zeroToo = readSwitch(text_, kind.key, "ZeroToo");
        const std::optional<bool> automatic = readSwitch(text_, kind.key, "Auto");
        if (!zeroToo || !automatic) {
            return damaged(
                QStringLiteral("[%1] 的 %2 要是 0 或 1")
                    .arg(QString::fromLatin1(kind.key), zeroToo ? QStringLiteral("Auto") : QStringLiteral("ZeroToo")));
        }
        if (!present) {
            continue;
        }
        texts.zeroRowsToo = *zeroToo;
        const CountRuleParse parsed = parseCountRule(texts);
        if (!parsed.rule) {
            const auto key = std::find_if(std::begin(textKeys), std::end(textKeys),
                                          [&](const Key &k) { return k.field == parsed.field; });
            return damaged(QStringLiteral("[%1] %2：%3")
                               .arg(QString::fromLatin1(kind.key), QLatin1String(key->name), parsed.problem));
        }
        rules_.insert(kind.key, StoredCountRule{*parsed.rule, *automatic});
    }
}

std::optional<StoredCountRule> CountRuleStore::rule(const QByteArray &kind) const
{
    const auto found = rules_.constFind(kind);
    return found == rules_.constEnd() ? std::nullopt : std::optional<StoredCountRule>(*found);
}

QString CountRuleStore::store(const QByteArray &kind, const StoredCountRule &rule)
{
    load();
    const CountRuleTexts texts = countRuleTexts(rule.rule);
    QByteArray text = text_;
    for (const Key &key : textKeys) {
        text = IniText::assign(text, kind, key.name, (texts.*(key.text)).toLatin1());
    }
    text = IniText::assign(text, kind, "ZeroToo", rule.rule.zeroRowsToo ? "1" : "0");
    text = IniText::assign(text, kind, "Auto", rule.automatic ? "1" : "0");
    QSaveFile out(path_);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return out.errorString();
    }
    const QString error = writeWholeFile(out, text);
    load();
    return error;
}
