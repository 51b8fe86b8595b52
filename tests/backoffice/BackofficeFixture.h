#pragma once

#include "backoffice/RawHttpPost.h"
#include "common/BackofficeProcess.h"
#include "components/Big5.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>
#include <memory>

// One demo back office serves every test of this fixture.
class Backoffice : public ::testing::Test
{
public:
    struct Reply {
        QString status;                   // line 0, decoded
        QList<QList<QByteArray>> records; // after "DataOk": the values of each record
        bool wellFramed = false;          // every line ends in CR LF; "DataOk" replies end in "EOT"
        int lineCount = 0;
    };

    static void SetUpTestSuite() { server_ = std::make_unique<BackofficeProcess>(); }
    static void TearDownTestSuite() { server_.reset(); }

    void SetUp() override { ASSERT_TRUE(server_->isListening()) << qPrintable(server_->errorText()); }

    // Posts a UTF-8 body converted to Big5 and parses the reply.
    static Reply post(const char *script, const QString &body) { return postBytes(script, big5(body)); }

    static Reply postBytes(const char *script, const QByteArray &body, quint16 port = 0)
    {
        const RawReply raw = rawHttpPost(port ? port : server_->port(), script, body);
        EXPECT_TRUE(raw.error.isEmpty()) << raw.error.constData();
        EXPECT_EQ(raw.status, 200);
        return parse(raw.body);
    }

    static Reply parse(const QByteArray &body)
    {
        Reply reply;
        QList<QByteArray> lines = body.split('\n');
        reply.wellFramed = body.endsWith("\r\n");
        lines.removeLast();
        for (QByteArray &line : lines) {
            reply.wellFramed = reply.wellFramed && line.endsWith('\r');
            line.chop(1);
        }
        reply.lineCount = int(lines.size());
        reply.status = lines.isEmpty() ? QString() : Big5::decode(lines.first());
        if (reply.status != QLatin1String("DataOk")) {
            return reply;
        }
        reply.wellFramed = reply.wellFramed && lines.last() == "EOT";
        QList<QByteArray> record;
        for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
            if (lines[i] == "---------------------") {
                reply.records.append(record);
                record.clear();
            } else {
                record.append(lines[i]);
            }
        }
        reply.wellFramed = reply.wellFramed && record.isEmpty();
        return reply;
    }

    // Field `index` of every record, decoded.
    static QStringList column(const Reply &reply, int index)
    {
        QStringList values;
        for (const QList<QByteArray> &record : reply.records) {
            values.append(Big5::decode(record.value(index)));
        }
        return values;
    }

    static QByteArray big5(const QString &text)
    {
        const Big5::Encoding encoded = Big5::encode(text);
        EXPECT_TRUE(encoded.ok()) << qPrintable(encoded.errorText());
        return encoded.bytes;
    }

    static inline std::unique_ptr<BackofficeProcess> server_;
};

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << text.toStdString();
}

inline void PrintTo(const QStringList &list, std::ostream *os)
{
    *os << list.join(QLatin1Char('|')).toStdString();
}
