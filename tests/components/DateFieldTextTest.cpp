#include "components/DateFieldText.h"

#include <gtest/gtest.h>

TEST(DateFieldText, leavingFindsBlankValidOrMalformed)
{
    using Exit = DateFieldText::Exit;
    const struct {
        QByteArray text;
        Exit exit;
    } cases[] = {
        {"    /  /  ", Exit::Blank},     {"/  /", Exit::Blank},
        {"2024/03/05", Exit::Valid},     {"2024/02/29", Exit::Valid},
        {"0001/01/01", Exit::Valid},     {"2024/02/30", Exit::Malformed},
        {"2023/02/29", Exit::Malformed}, {"2024/13/01", Exit::Malformed},
        {"2024/00/10", Exit::Malformed}, {"0000/01/01", Exit::Malformed},
        {"2024/03/5 ", Exit::Malformed}, {"2024/  /05", Exit::Malformed},
        {"2024-03-05", Exit::Malformed}, {"2024/03/051", Exit::Malformed},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(DateFieldText::checkOnExit(c.text), c.exit);
        EXPECT_EQ(DateFieldText::isBlank(c.text), c.exit == Exit::Blank);
        EXPECT_EQ(DateFieldText::isValid(c.text), c.exit == Exit::Valid);
    }
}

TEST(DateFieldText, typedTextMustFitTheMask)
{
    const struct {
        QString typed;
        std::optional<QByteArray> text;
    } cases[] = {
        {QString(), QByteArray("    /  /  ")},
        {QStringLiteral("2024/03/05"), QByteArray("2024/03/05")},
        {QStringLiteral("2024/02/30"), QByteArray("2024/02/30")},
        {QStringLiteral("2024/03/  "), QByteArray("2024/03/  ")},
        {QStringLiteral("2024/3/5"), std::nullopt},
        {QStringLiteral("2024-03-05"), std::nullopt},
        {QStringLiteral("2024/03/0x"), std::nullopt},
        {QStringLiteral("２０２４/03/05"), std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        EXPECT_EQ(DateFieldText::fromTyped(c.typed), c.text);
    }
}
