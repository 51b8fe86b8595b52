#include "SqlQuery.h"

#include "Refusal.h"
#include "RequestFields.h"

#include <QDate>

SqlQuery &SqlQuery::sql(std::string_view text)
{
    text_.append(text);
    return *this;
}

SqlQuery &SqlQuery::param(std::string value)
{
    text_.push_back('?');
    params_.push_back(std::move(value));
    return *this;
}

void SqlQuery::equals(std::string_view column, const std::string &value)
{
    if (!value.empty()) {
        sql(" AND ").sql(column).sql(" = ").param(value);
    }
}

void SqlQuery::contains(std::string_view column, const std::string &value)
{
    if (!value.empty()) {
        sql(" AND instr(").sql(column).sql(", ").param(value).sql(") > 0");
    }
}

void SqlQuery::codeRange(std::string_view column, const std::string &from, const std::string &to)
{
    if (!from.empty()) {
        sql(" AND ").sql(column).sql(" >= ").param(from);
    }
    if (!to.empty()) {
        sql(" AND substr(").sql(column).sql(", 1, length(").param(to).sql(")) <= ").param(to);
    }
}

void SqlQuery::dateRange(std::string_view column, const std::string &from, const std::string &to)
{
    if (!from.empty()) {
        sql(" AND ").sql(column).sql(" >= ").param(from);
    }
    if (!to.empty()) {
        sql(" AND ").sql(column).sql(" <= ").param(to);
    }
}

std::string requestDate(const RequestFields &fields, const std::string &key)
{
    const std::string value = fields.trimmed(key);
    if (value.empty()) {
        return value;
    }
    bool wellFormed = value.size() == 10 && value[4] == '/' && value[7] == '/';
    for (size_t i = 0; wellFormed && i < value.size(); ++i) {
        wellFormed = i == 4 || i == 7 || (value[i] >= '0' && value[i] <= '9');
    }
    if (!wellFormed ||
        !QDate(std::stoi(value.substr(0, 4)), std::stoi(value.substr(5, 2)), std::stoi(value.substr(8, 2))).isValid()) {
        throw Refusal(QStringLiteral("日期格式錯誤 : ") + QString::fromStdString(key) + QLatin1Char('=') +
                      QString::fromStdString(value));
    }
    return value;
}
