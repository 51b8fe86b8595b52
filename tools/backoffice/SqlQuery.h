#pragma once

#include <string>
#include <string_view>
#include <vector>

class RequestFields;

// SQL text with its "?" parameters in the order they appear. Conditions are
// appended as " AND ..." to a statement that already holds a WHERE clause;
// a condition whose value is empty adds nothing.
class SqlQuery
{
public:
    SqlQuery &sql(std::string_view text);
    SqlQuery &param(std::string value);

    void equals(std::string_view column, const std::string &value);
    void contains(std::string_view column, const std::string &value);
    // Codes compare as text; an end code also takes every longer code that begins
    // with it, so "A1001" to "A1001" takes A1001-WH-M and its siblings.
    void codeRange(std::string_view column, const std::string &from, const std::string &to);
    void dateRange(std::string_view column, const std::string &from, const std::string &to);

    const std::string &text() const { return text_; }
    const std::vector<std::string> &params() const { return params_; }

private:
    std::string text_;
    std::vector<std::string> params_;
};

// The trimmed yyyy/mm/dd value of a date key, empty when not sent. Throws
// Refusal for any other form, so a mistyped date is reported rather than matching nothing.
std::string requestDate(const RequestFields &fields, const std::string &key);
