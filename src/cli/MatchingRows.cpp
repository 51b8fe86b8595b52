#include "cli/MatchingRows.h"

#include "cli/Console.h"
#include "labelqueue/LabelQueue.h"
#include "labelqueue/QueueSearch.h"
#include "labelqueue/RowMatcher.h"

bool MatchingRows::takeOptions(const QString &command, QStringList &arguments, const QList<DbfFieldSpec> &fields,
                               const QList<QueueColumn> &columns)
{
    for (qsizetype i = 0; i < arguments.size();) {
        const QString option = arguments[i];
        if (option != QLatin1String("--matching") && option != QLatin1String("--column")) {
            ++i;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            Console::err(QStringLiteral("%1: %2 needs a value").arg(command, option));
            return false;
        }
        if (option == QLatin1String("--matching")) {
            text = arguments[i + 1];
        } else {
            column = arguments[i + 1];
        }
        arguments.remove(i, 2);
    }
    if (!column.isEmpty() && !text) {
        Console::err(QStringLiteral("%1: --column goes with --matching").arg(command));
        return false;
    }
    return chooseFields(command, fields, columns);
}

bool MatchingRows::chooseFields(const QString &command, const QList<DbfFieldSpec> &fields,
                                const QList<QueueColumn> &columns)
{
    searched.clear();
    QStringList names;
    for (const QueueColumn &shown : columns) {
        const QString name = QString::fromLatin1(fields.at(shown.field).name);
        names.append(QStringLiteral("%1 (%2)").arg(name, shown.title));
        if (column.isEmpty() || column.compare(name, Qt::CaseInsensitive) == 0 || column == shown.title) {
            searched.append(shown.field);
        }
    }
    if (searched.isEmpty()) {
        Console::err(QStringLiteral("%1: there is no column \"%2\"; the columns are: %3")
                         .arg(command, column, names.join(QStringLiteral(", "))));
        return false;
    }
    return true;
}

std::vector<int> MatchingRows::find(LabelQueue &queue, QString &error) const
{
    const RowMatcher matcher(text.value_or(QString()));
    if (!matcher.problem().isEmpty()) {
        error = matcher.problem() + QStringLiteral(": no row can match");
        return {};
    }
    // The table held for reading, so no writer changes it half-way.
    const DbfStatus locked = queue.lock(TableFileLock::Mode::Shared);
    if (!locked.ok()) {
        error = locked.error();
        return {};
    }
    DbfResult<std::vector<int>> found = QueueSearch::run(queue, searched, matcher);
    queue.unlock();
    if (!found.ok()) {
        error = found.error();
        return {};
    }
    return std::move(found.value());
}

QueueRowSource *MatchingRows::rows(LabelQueue &queue, QueueRowSource &all, std::optional<QueueRowSubset> &subset,
                                   QString &error) const
{
    if (!text) {
        return &all;
    }
    std::vector<int> found = find(queue, error);
    if (!error.isEmpty()) {
        return nullptr;
    }
    return &subset.emplace(all, queue, std::move(found));
}
