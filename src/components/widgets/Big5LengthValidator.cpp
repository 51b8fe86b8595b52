#include "components/widgets/Big5LengthValidator.h"

#include "components/Big5.h"

Big5LengthValidator::Big5LengthValidator(int maxBytes, QObject *parent)
    : QValidator(parent)
    , maxBytes_(maxBytes)
{}

QValidator::State Big5LengthValidator::validate(QString &input, int &) const
{
    const Big5::Encoding encoded = Big5::encode(input);
    if (!encoded.ok() || encoded.bytes.size() > maxBytes_) {
        return Invalid;
    }
    return Acceptable;
}
