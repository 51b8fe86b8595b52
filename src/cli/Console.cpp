#include "cli/Console.h"

#include "components/Big5.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// The error number of the first write to standard output that failed.
int outError = 0;

// A write that fills stdio's buffer flushes it on the way, and a failure
// there is only seen here: its error number is kept for the final report.
void write(std::FILE *stream, const QByteArray &bytes)
{
    errno = 0;
    const size_t written = std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    if (written < size_t(bytes.size()) && stream == stdout && !outError) {
        outError = errno ? errno : EIO;
    }
}

void writeLine(std::FILE *stream, const QString &line)
{
    write(stream, Console::visible(line).toUtf8() + '\n');
}

bool isControl(char16_t c)
{
    return (c < 0x20 && c != u'\n') || (c >= 0x7F && c <= 0x9F);
}

// 0 when everything written to stream arrived, else the error number.
int flushError(std::FILE *stream, int earlierError)
{
    errno = 0;
    const bool lost = std::fflush(stream) != 0 || std::ferror(stream);
    if (!lost) {
        return 0;
    }
    return earlierError ? earlierError : (errno ? errno : EIO);
}
} // namespace

namespace Console {

QString visible(const QString &line)
{
    QString shown;
    shown.reserve(line.size());
    for (const QChar c : line) {
        if (isControl(c.unicode())) {
            shown += QStringLiteral("\\x") + QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        } else {
            shown += c;
        }
    }
    return shown;
}

void out(const QString &line)
{
    writeLine(stdout, line);
}

void outFields(const QStringList &fields)
{
    QStringList shown;
    for (const QString &field : fields) {
        shown << visible(field);
    }
    write(stdout, shown.join(QLatin1Char('\t')).toUtf8() + '\n');
}

void outBig5(QByteArrayView line)
{
    writeLine(stdout, Big5::decode(line.data(), line.size()));
}

void err(const QString &line)
{
    // Ahead of the message, so both streams read in order on one terminal.
    if (std::fflush(stdout) != 0 && !outError) {
        outError = errno;
    }
    writeLine(stderr, line);
}

bool finish()
{
    const int lostOut = flushError(stdout, outError);
    if (lostOut) {
        writeLine(stderr, QStringLiteral("barlabel-cli: standard output was lost: ") +
                              QString::fromLocal8Bit(std::strerror(lostOut)));
    }
    return !lostOut && !flushError(stderr, 0);
}

} // namespace Console
