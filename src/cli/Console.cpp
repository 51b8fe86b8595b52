#include "cli/Console.h"

#include "components/Big5.h"

#include <cstdio>

namespace {
void writeLine(std::FILE *stream, const QString &line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}
} // namespace

namespace Console {

void out(const QString &line)
{
    writeLine(stdout, line);
}

void outBig5(QByteArrayView line)
{
    writeLine(stdout, Big5::decode(line.data(), line.size()));
}

void err(const QString &line)
{
    std::fflush(stdout);
    writeLine(stderr, line);
}

} // namespace Console
