#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <optional>

// Builds dBase table bytes by hand, the way other tools write them, with knobs
// for every header number a damaged file can get wrong.
struct FixtureField {
    QByteArray name;
    char type = 'C';
    int width = 1;
    int decimals = 0;
};

struct DbfFixture {
    quint8 version = 0x03;
    quint8 languageDriver = 0x78;
    QList<FixtureField> fields;
    QList<QList<QByteArray>> rows; // one value per field; text left-aligned, others right-aligned
    QList<int> deletedRows;
    int backlinkBytes = 0; // Visual FoxPro keeps 263 bytes after the terminator
    bool terminator = true;
    bool endMark = true;
    std::optional<int> headerLength;
    std::optional<int> recordLength;
    std::optional<quint32> recordCount;

    int realHeaderLength() const { return 32 + 32 * int(fields.size()) + (terminator ? 1 : 0) + backlinkBytes; }
    int realRecordLength() const
    {
        int length = 1;
        for (const FixtureField &field : fields) {
            length += field.width;
        }
        return length;
    }

    QByteArray bytes() const
    {
        QByteArray out(32, '\0');
        const auto put = [&out](int at, quint32 value, int size) {
            for (int i = 0; i < size; ++i) {
                out[at + i] = char((value >> (8 * i)) & 0xFF);
            }
        };
        out[0] = char(version);
        out[1] = char(124);
        out[2] = char(5);
        out[3] = char(17);
        put(4, recordCount.value_or(quint32(rows.size())), 4);
        put(8, quint32(headerLength.value_or(realHeaderLength())), 2);
        put(10, quint32(recordLength.value_or(realRecordLength())), 2);
        out[29] = char(languageDriver);
        for (const FixtureField &field : fields) {
            QByteArray descriptor(32, '\0');
            descriptor.replace(0, field.name.size(), field.name);
            descriptor[11] = field.type;
            descriptor[16] = char(field.width);
            descriptor[17] = char(field.decimals);
            out += descriptor;
        }
        if (terminator) {
            out += char(0x0D);
        }
        out += QByteArray(backlinkBytes, '\0');
        for (int r = 0; r < rows.size(); ++r) {
            out += deletedRows.contains(r) ? '*' : ' ';
            for (int f = 0; f < fields.size(); ++f) {
                const FixtureField &field = fields.at(f);
                const QByteArray value = rows.at(r).value(f).left(field.width);
                const QByteArray padding(field.width - value.size(), ' ');
                out += field.type == 'C' ? value + padding : padding + value;
            }
        }
        if (endMark) {
            out += char(0x1A);
        }
        return out;
    }
};

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
