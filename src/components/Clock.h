#pragma once

#include <QDate>
#include <QDateTime>

// Today's date for exports, dated file names and the birthday window comes
// through this seam so tests can fix it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }

    static const Clock &system();
};

class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    QDateTime now() const override { return at_; }
    void set(QDateTime at) { at_ = std::move(at); }

private:
    QDateTime at_;
};
