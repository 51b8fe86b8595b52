#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <vector>

// A search text of one or more words, matched on a queue's Big5 bytes as they
// lie in the table, without decoding them. A word matches only where a
// character of the value begins, never across the two bytes of one
// character; ASCII letters match either case, and full-width digits and
// letters (as a Chinese input method types them) match their half-width
// forms.
class RowMatcher
{
public:
    RowMatcher() = default;
    // The words of text, split at blanks (the full-width blank too).
    explicit RowMatcher(QStringView text);

    // No word: every row matches.
    bool isEmpty() const { return words_.empty() && problem_.isEmpty(); }
    // Why no row can match (a character Big5 cannot hold); empty when none.
    const QString &problem() const { return problem_; }
    int wordCount() const { return int(words_.size()); }
    // Whether word is in value (Big5 bytes).
    bool contains(QByteArrayView value, int word) const;
    // Whether every row this matches is matched by broader too, so the rows
    // broader found are the only ones left to look at.
    bool narrows(const RowMatcher &broader) const;

private:
    // A character as compared: an ASCII byte folded to lower case, or a
    // two-byte character as lead * 256 + trail (full-width digits and
    // letters folded to their ASCII form).
    using Code = unsigned;
    static std::vector<Code> codes(QByteArrayView bytes);
    static bool holds(const std::vector<Code> &haystack, const std::vector<Code> &needle);

    std::vector<std::vector<Code>> words_;
    QString problem_;
};
