#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <functional>

enum class ProfileValueType { Boolean, Integer, String };

// Reads or writes one value of a settings file per call; the file is opened and
// closed within the call, so nothing is cached. Values are Big5 bytes; a file
// saved as UTF-8 with a byte-order mark is read as UTF-8, and the first write
// stores it as Big5 (and tells the notifier so).
//
// Both calls first upper-case the file name (the rewritten name is what
// fileName() gives then) and add ".INI" when the name holds no ".INI". On a
// case-sensitive file system the upper-cased name finds a file stored in any
// case; a new file is created under the spelling last given to setFileName().
//
// A missing value reads as a sentinel: an Integer gives -12121212, a String
// "__@#!%$^"; Boolean reads are always found (a missing key is false).
class ProfileFile
{
public:
    using Notifier = std::function<void(const QString &)>;

    static constexpr int missingInteger = -12121212;
    static const QByteArray missingString;
    static const QString parameterErrorText;

    ProfileFile();

    const QString &fileName() const { return fileName_; }
    void setFileName(const QString &fileName);
    ProfileValueType dataType() const { return dataType_; }
    void setDataType(ProfileValueType type) { dataType_ = type; }
    // bool, int or QByteArray (a QString is taken as Big5 text on a write).
    const QVariant &value() const { return value_; }
    void setValue(const QVariant &value) { value_ = value; }
    const QByteArray &section() const { return section_; }
    void setSection(const QByteArray &section) { section_ = section; }
    const QByteArray &ident() const { return ident_; }
    void setIdent(const QByteArray &ident) { ident_ = ident; }

    // The message for an empty file name or section, and the note that a UTF-8
    // file was stored as Big5, go here; the default only logs them, the
    // windows route them to their message box.
    void setNotifier(Notifier notifier) { notifier_ = std::move(notifier); }

    // True when found (see the class comment); fills value().
    bool readValue();
    // True when stored. A write replaces the whole file at once, so a failure
    // leaves the old file as it was; the reason is in errorString().
    bool writeValue();
    QString errorString() const { return error_; }

private:
    // Checks the parameters and rewrites the file name; the path on disk, or empty.
    QString open();

    QString fileName_;
    QString spelledName_;
    ProfileValueType dataType_ = ProfileValueType::Boolean;
    QVariant value_;
    QByteArray section_;
    QByteArray ident_;
    Notifier notifier_;
    QString error_;
};
