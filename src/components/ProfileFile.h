#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <functional>

enum ProfileValueType { DsBoolean = 0, DsInteger = 1, DsString = 2 };

// Reads or writes one value of a settings file per call; the file is opened and
// closed within the call, so nothing is cached. Values are Big5 bytes.
//
// Both calls first upper-case FileName (the rewritten name stays in the
// property) and add ".INI" when the name holds no ".INI". On a case-sensitive
// file system the upper-cased name finds a file stored in any case; a new file
// is created under the spelling last given to setFileName().
//
// A missing value reads as a sentinel: DsInteger gives -12121212, DsString
// "__@#!%$^"; DsBoolean reads are always found (a missing key is false).
class ProfileFile
{
public:
    using Notifier = std::function<void(const QString &)>;

    static constexpr int MissingInteger = -12121212;
    static const QByteArray MissingString;
    static const QString ParameterErrorText;

    ProfileFile();

    const QString &FileName() const { return fileName_; }
    void setFileName(const QString &fileName);
    ProfileValueType DataType() const { return dataType_; }
    void setDataType(ProfileValueType type) { dataType_ = type; }
    // bool, int or QByteArray (a QString is taken as Big5 text on a write).
    const QVariant &Value() const { return value_; }
    void setValue(const QVariant &value) { value_ = value; }
    const QByteArray &Section() const { return section_; }
    void setSection(const QByteArray &section) { section_ = section; }
    const QByteArray &Ident() const { return ident_; }
    void setIdent(const QByteArray &ident) { ident_ = ident; }

    // The message for an empty FileName or Section goes here; the default only
    // logs it, the windows route it to their message box.
    void setNotifier(Notifier notifier) { notifier_ = std::move(notifier); }

    // True when found (see the class comment); fills Value.
    bool ReadValue();
    // True when stored. A write replaces the whole file at once, so a failure
    // leaves the old file as it was; the reason is in errorString().
    bool WriteValue();
    QString errorString() const { return error_; }

private:
    // Checks the parameters and rewrites FileName; the path on disk, or empty.
    QString open();

    QString fileName_;
    QString spelledName_;
    ProfileValueType dataType_ = DsBoolean;
    QVariant value_;
    QByteArray section_;
    QByteArray ident_;
    Notifier notifier_;
    QString error_;
};
