#pragma once

#include <QByteArray>

class QLineEdit;

// A line edit over stored bytes (a settings value): the bytes are decoded only
// to be shown, and while the text is as shown they come back exactly as
// stored, even bytes that are no Big5 text.
namespace StoredBytesField {

void show(QLineEdit &edit, const QByteArray &bytes);
// The stored bytes for an unedited text, otherwise the text in Big5 (the
// field's validator admits only Big5 characters).
QByteArray bytes(const QLineEdit &edit);

} // namespace StoredBytesField
