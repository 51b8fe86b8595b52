#pragma once

#include <QString>

#include <optional>
#include <utility>

// Outcome of a table operation: success, or a message the user can read.
class DbfStatus
{
public:
    static DbfStatus success() { return DbfStatus(); }
    static DbfStatus failure(QString error) { return DbfStatus(std::move(error)); }

    bool ok() const { return error_.isEmpty(); }
    const QString &error() const { return error_; }

private:
    DbfStatus() = default;
    explicit DbfStatus(QString error)
        : error_(std::move(error))
    {}

    QString error_;
};

// A value, or the message saying why there is none.
template <typename T>
class DbfResult
{
public:
    DbfResult(T value)
        : value_(std::move(value))
    {}
    static DbfResult failure(QString error) { return DbfResult(std::move(error), 0); }

    bool ok() const { return value_.has_value(); }
    const QString &error() const { return error_; }
    DbfStatus status() const { return ok() ? DbfStatus::success() : DbfStatus::failure(error_); }

    const T &value() const { return *value_; }
    T &value() { return *value_; }

private:
    DbfResult(QString error, int)
        : error_(std::move(error))
    {}

    std::optional<T> value_;
    QString error_;
};
