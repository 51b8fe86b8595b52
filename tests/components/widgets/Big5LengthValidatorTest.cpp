#include "components/widgets/Big5LengthValidator.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

TEST(Big5LengthValidator, countsBig5BytesAndRefusesWhatBig5CannotHold)
{
    const Big5LengthValidator validator(8);
    const struct {
        const char *name;
        QString text;
        QValidator::State expected;
    } cases[] = {
        {"empty", QString(), QValidator::Acceptable},
        {"eight ASCII bytes", QStringLiteral("ABCDEFGH"), QValidator::Acceptable},
        {"nine ASCII bytes", QStringLiteral("ABCDEFGHI"), QValidator::Invalid},
        {"four Chinese characters", QStringLiteral("條碼列印"), QValidator::Acceptable},
        {"four Chinese characters and one more byte", QStringLiteral("條碼列印A"), QValidator::Invalid},
        {"mixed within the limit", QStringLiteral("A條碼列B"), QValidator::Acceptable},
        {"simplified character", QStringLiteral("条"), QValidator::Invalid},
        {"accented letter", QStringLiteral("é"), QValidator::Invalid},
        {"emoji", QStringLiteral("A😀"), QValidator::Invalid},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QString text = c.text;
        int pos = int(text.size());
        EXPECT_EQ(validator.validate(text, pos), c.expected);
        EXPECT_EQ(text, c.text) << "the validator never changes the text";
    }
}

TEST(Big5LengthValidator, fieldRefusesTypingPastTheLimitAndAPasteThatWouldExceedIt)
{
    QLineEdit field;
    field.setValidator(new Big5LengthValidator(8, &field));

    QTest::keyClicks(&field, QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(field.text(), QStringLiteral("ABCDEFGH"));

    field.clear();
    for (const QString &character : {QStringLiteral("條"), QStringLiteral("碼"), QStringLiteral("列"),
                                     QStringLiteral("印"), QStringLiteral("A")}) {
        field.insert(character);
    }
    EXPECT_EQ(field.text(), QStringLiteral("條碼列印"));

    // A paste that does not fit is refused whole, not cut to fit.
    field.clear();
    field.insert(QStringLiteral("AB"));
    field.insert(QStringLiteral("產品條碼"));
    EXPECT_EQ(field.text(), QStringLiteral("AB"));
    field.insert(QStringLiteral("產品條"));
    EXPECT_EQ(field.text(), QStringLiteral("AB產品條"));

    field.clear();
    field.insert(QStringLiteral("条码"));
    EXPECT_EQ(field.text(), QString());
}
