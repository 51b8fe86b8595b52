#pragma once

#include <map>
#include <string>

// The key=value pairs of one request body. Bodies are sent unescaped, so the
// raw bytes are split at "&" and the first "=" only; values are Big5 and are
// kept here as UTF-8 to match the database.
class RequestFields
{
public:
    // Throws Refusal when the body is not a list of key=value pairs.
    static RequestFields parse(const std::string &body);

    bool has(const std::string &key) const { return values_.count(key) != 0; }
    // The value as sent; empty when the key is missing.
    std::string raw(const std::string &key) const;
    // The value without surrounding blanks: what a condition field means.
    std::string trimmed(const std::string &key) const;

private:
    std::map<std::string, std::string> values_;
};
