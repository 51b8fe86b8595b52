#include "components/widgets/StoredBytesField.h"

#include "components/Big5.h"

#include <QLineEdit>

namespace {
constexpr char storedBytesProperty[] = "storedBytes";
constexpr char shownTextProperty[] = "shownText";
} // namespace

namespace StoredBytesField {

void show(QLineEdit &edit, const QByteArray &bytes)
{
    const QString text = Big5::decode(bytes);
    edit.setProperty(storedBytesProperty, bytes);
    edit.setProperty(shownTextProperty, text);
    edit.setText(text);
}

QByteArray bytes(const QLineEdit &edit)
{
    const QVariant shown = edit.property(shownTextProperty);
    if (shown.isValid() && shown.toString() == edit.text()) {
        return edit.property(storedBytesProperty).toByteArray();
    }
    return Big5::encode(edit.text()).bytes;
}

} // namespace StoredBytesField
