#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <unordered_map>

// Builds one reply body in Big5: "DataOk", records of one value per line each
// closed by the separator, then "EOT"; "NoData" when no record was written.
// Everything goes into a single buffer that is handed to the server without a copy.
class ReplyWriter
{
public:
    ReplyWriter();

    // A UTF-8 value from the database. Throws Refusal when Big5 cannot hold it.
    void value(std::string_view utf8);
    void number(double value);
    void endRecord();
    std::string finish();

    // One line that refuses the request (wrong password, malformed condition, ...).
    static std::string refusal(const QString &text);

    static constexpr std::string_view kSeparator = "---------------------";

private:
    void appendLine(std::string_view big5);
    std::string_view toBig5(std::string_view utf8);

    std::string buffer_;
    size_t records_ = 0;
    // Colours, sizes, brands and care lines repeat on almost every record.
    std::unordered_map<std::string, std::string> cache_;
    std::string key_;
};
