#pragma once

#include "labelqueue/CountRule.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// An import whose new rows a stored rule may follow: its key in the rules
// file and on the command line, and its button's name.
struct CountRuleKind {
    QByteArray key; // "purchase"
    QString title;  // "進貨引入"
};

// product, purchase, stocktake, transfer, document (the product side's five
// imports) and customer.
const QList<CountRuleKind> &countRuleKinds();
const QList<CountRuleKind> &productCountRuleKinds();
const QList<CountRuleKind> &customerCountRuleKinds();

struct StoredCountRule {
    CountRule rule;
    // Applied by itself to the rows of every import of its kind.
    bool automatic = false;
};

// The count rules of the program's own settings file "CountRules.ini" in the
// program directory, one section per import kind with the command line's
// names for the steps (Set, Times, Plus, PlusPercent, Round, Min, Max,
// ZeroToo) and Auto. Other tools read BarSet.ini, SysSet.ini and the like, so the
// rules never go there.
class CountRuleStore
{
public:
    static QString fileName() { return QStringLiteral("CountRules.ini"); }

    explicit CountRuleStore(const QString &programDir);

    // Reads the file. A missing file holds no rules; a damaged one holds none
    // either, and problem() says what is wrong with it.
    void load();
    const QString &problem() const { return problem_; }
    std::optional<StoredCountRule> rule(const QByteArray &kind) const;

    // Stores the rule of one kind, keeping the others, by replacing the whole
    // file at once; an empty text, or why it was not stored.
    QString store(const QByteArray &kind, const StoredCountRule &rule);

private:
    QString path_;
    QByteArray text_;
    QString problem_;
    QHash<QByteArray, StoredCountRule> rules_;
};
