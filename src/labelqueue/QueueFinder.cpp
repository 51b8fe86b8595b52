#include "labelqueue/QueueFinder.h"

#include "labelqueue/LabelQueue.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {
constexpr size_t keptSearches = 16;
} // namespace

QueueFinder::QueueFinder(const LabelQueue &queue, QObject *parent)
    : QObject(parent)
    , queue_(queue)
{}

QueueFinder::~QueueFinder() = default;

void QueueFinder::forgetResults()
{
    found_.clear();
}

const QueueFinder::Found *QueueFinder::broaderSearch(const RowMatcher &matcher, const QList<int> &fields) const
{
    // The narrowest one kept that still covers every match: the latest that does.
    for (const Found &found : found_) {
        if (found.fields == fields && matcher.narrows(found.matcher)) {
            return &found;
        }
    }
    return nullptr;
}

void QueueFinder::search(const QString &text, const QList<int> &fields)
{
    ++generation_;
    running_.reset();
    RowMatcher matcher(text);
    everything_ = matcher.isEmpty();
    if (everything_ || !matcher.problem().isEmpty()) {
        matches_.clear();
        problem_ = matcher.problem();
        Q_EMIT finished();
        return;
    }
    const Found *broader = broaderSearch(matcher, fields);
    if (broader && broader->matcher.narrows(matcher)) {
        // The same words as a search kept: its rows, less any deleted since.
        matches_.clear();
        for (const int recordNumber : broader->matches) {
            if (queue_.rowOfRecord(recordNumber) >= 0) {
                matches_.push_back(recordNumber);
            }
        }
        problem_.clear();
        Q_EMIT finished();
        return;
    }
    // Looking up most of the rows one by one costs more than walking them all.
    const bool narrowing = broader && qint64(broader->matches.size()) * 2 < queue_.rowCount();
    running_ =
        std::make_unique<QueueSearch>(queue_, fields, std::move(matcher),
                                      narrowing ? std::optional<std::vector<int>>(broader->matches) : std::nullopt);
    runSlice();
}

void QueueFinder::runSlice()
{
    QElapsedTimer clock;
    clock.start();
    // At least one look each turn, so a search always gets on.
    do {
        const DbfStatus stepped = running_->step(rowsPerLook_);
        if (!stepped.ok()) {
            finish(stepped.error());
            return;
        }
    } while (!running_->isDone() && clock.elapsed() < sliceMilliseconds_);
    if (running_->isDone()) {
        finish(QString());
        return;
    }
    QTimer::singleShot(0, this, [this, generation = generation_] {
        if (generation == generation_) {
            runSlice();
        }
    });
}

void QueueFinder::finish(const QString &problem)
{
    const std::unique_ptr<QueueSearch> done = std::move(running_);
    matches_ = done->matches();
    problem_ = problem;
    if (problem.isEmpty()) {
        found_.push_front({done->matcher(), done->fields(), matches_});
        if (found_.size() > keptSearches) {
            found_.pop_back();
        }
    } else {
        matches_.clear();
    }
    Q_EMIT finished();
}
