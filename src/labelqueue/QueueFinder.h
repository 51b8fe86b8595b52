#pragma once

#include "labelqueue/QueueSearch.h"

#include <QList>
#include <QObject>
#include <QString>

#include <deque>
#include <memory>
#include <vector>

class LabelQueue;

// Searches a queue while the user types: each search runs in slices of a few
// milliseconds on the event loop, so the window keeps answering, and a new
// text drops the search still going. A longer text looks only at the rows
// the shorter one found, and a text searched a moment ago (after a
// backspace) is answered from what was found then.
class QueueFinder : public QObject
{
    Q_OBJECT

public:
    explicit QueueFinder(const LabelQueue &queue, QObject *parent = nullptr);
    ~QueueFinder() override;

    // fields: indexes in the queue's field list.
    void search(const QString &text, const QList<int> &fields);
    // The rows changed: nothing found before is used again.
    void forgetResults();
    bool isSearching() const { return running_ != nullptr; }

    // What the last search that finished found (record numbers, ascending),
    // and why it found nothing when it could not look (a character Big5
    // cannot hold, a read that failed).
    const std::vector<int> &matches() const { return matches_; }
    const QString &problem() const { return problem_; }
    // Whether the last search had no word, so every row is a match.
    bool matchesEverything() const { return everything_; }

    // How long a slice may take before the event loop gets its turn, and
    // how many rows are looked at between two looks at the clock.
    void setSlice(int milliseconds, int rowsPerLook)
    {
        sliceMilliseconds_ = milliseconds;
        rowsPerLook_ = rowsPerLook;
    }

Q_SIGNALS:
    void finished();

private:
    struct Found {
        RowMatcher matcher;
        QList<int> fields;
        std::vector<int> matches;
    };
    void runSlice();
    void finish(const QString &problem);
    const Found *broaderSearch(const RowMatcher &matcher, const QList<int> &fields) const;

    const LabelQueue &queue_;
    std::unique_ptr<QueueSearch> running_;
    std::deque<Found> found_; // the latest first
    std::vector<int> matches_;
    QString problem_;
    bool everything_ = true;
    int sliceMilliseconds_ = 15;
    int rowsPerLook_ = 256;
    int generation_ = 0; // drops a slice queued for a search that was replaced
};
