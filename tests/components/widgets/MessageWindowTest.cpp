#include "components/widgets/MessageWindow.h"

#include "components/widgets/EmbossedLabel.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "components/widgets/MessageWindowLayout.h"

#include <QGuiApplication>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

TEST(MessageWindowLayout, sizesAndCentresForTheScreen)
{
    struct Case {
        const char *name;
        int screenWidth;
        int perPoint; // the caption is perPoint * points + extra wide
        int extra;
        MessageWindowLayout expected;
    } cases[] = {
        // 67 + 30 = 97, raised to 100; label 33 / 2 - 3 = 13.5 -> 14; button 12.5 -> 12.
        {"short text", 1024, 3, 1, {22, 67, 100, 14, 12}},
        // Label 95 / 2 - 3 = 44.5 -> 44.
        {"empty text", 1024, 0, 5, {22, 5, 100, 44, 12}},
        // 220 + 30 = 250, exactly the screen; button 87.5 -> 88.
        {"fits without shrinking", 250, 10, 0, {22, 220, 250, 12, 88}},
        // 13 points give 420 > 400, 12 points give 390.
        {"shrinks until it fits", 400, 30, 0, {12, 360, 390, 12, 158}},
        // At 10 points still 330 wide: the shrinking stops there.
        {"stops at 10 points", 200, 30, 0, {10, 300, 330, 12, 128}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> measured;
        const MessageWindowLayout layout = layoutMessageWindow(22, c.screenWidth, 75, [&](int points) {
            measured.push_back(points);
            return points * c.perPoint + c.extra;
        });
        EXPECT_EQ(layout.fontPoints, c.expected.fontPoints);
        EXPECT_EQ(layout.labelWidth, c.expected.labelWidth);
        EXPECT_EQ(layout.windowWidth, c.expected.windowWidth);
        EXPECT_EQ(layout.labelLeft, c.expected.labelLeft);
        EXPECT_EQ(layout.buttonLeft, c.expected.buttonLeft);
        // Point by point, never skipping a size.
        EXPECT_EQ(measured.size(), size_t(22 - c.expected.fontPoints + 1));
    }
}

TEST(MessageWindowLayout, roundsHalvesToTheEvenNeighbour)
{
    const struct {
        double x;
        int expected;
    } cases[] = {{0.5, 0},  {1.5, 2},   {2.5, 2}, {12.5, 12}, {13.5, 14},
                 {-0.5, 0}, {-1.5, -2}, {2.4, 2}, {2.6, 3},   {7, 7}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(roundHalfToEven(c.x), c.expected);
    }
}

class MessageWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { QGuiApplication::setApplicationDisplayName(QStringLiteral("條碼/信封")); }

    static void expectCentred(const MessageWindow &form)
    {
        EXPECT_EQ(form.textLabel->x(), roundHalfToEven((form.width() - form.textLabel->width()) / 2.0 - 3));
        EXPECT_EQ(form.okButton->x(), roundHalfToEven((form.width() - form.okButton->width()) / 2.0));
        EXPECT_EQ(form.textLabel->y(), 24);
        EXPECT_EQ(form.okButton->y(), 78);
        EXPECT_EQ(form.height(), 127);
    }
};

TEST_F(MessageWindowTest, shortTextGetsAtLeast100PixelsWithTextAndButtonCentred)
{
    MessageWindow form(QStringLiteral("已是第一筆 !!"));
    form.fitToScreen(1024);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("條碼/信封"));
    EXPECT_EQ(form.width(), std::max(form.textLabel->width() + 30, 100));
    EXPECT_EQ(form.textLabel->font().pixelSize(), 29);
    EXPECT_GT(form.textLabel->width(), 100);
    expectCentred(form);
    EXPECT_EQ(form.objectName(), QStringLiteral("TaMsgForm"));
    EXPECT_EQ(form.textLabel->objectName(), QStringLiteral("Lab"));
    EXPECT_EQ(form.okButton->objectName(), QStringLiteral("Btn"));
}

TEST_F(MessageWindowTest, emptyTextStillShowsA100PixelWindowWithTheButton)
{
    MessageWindow form(QString(), QStringLiteral("標題"));
    form.fitToScreen(1024);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("標題"));
    EXPECT_EQ(form.width(), 100);
    EXPECT_EQ(form.okButton->text(), QStringLiteral("確定"));
    EXPECT_TRUE(form.okButton->isDefault());
    expectCentred(form);
}

TEST_F(MessageWindowTest, textWiderThanTheScreenShrinksTheFont)
{
    MessageWindow form(QStringLiteral("已經送出文字檔/home/store/barlabel/bar2/Bars.txt"));
    form.fitToScreen(400);
    EXPECT_LT(form.textLabel->font().pixelSize(), 29);
    EXPECT_LE(form.width(), 400);
    expectCentred(form);

    MessageWindow tooLong(QString(60, QChar(0x689D)));
    tooLong.fitToScreen(400);
    EXPECT_EQ(tooLong.textLabel->font().pixelSize(), Fonts::pointsToPixels(10));
    EXPECT_GT(tooLong.width(), 400);
    expectCentred(tooLong);
}

TEST_F(MessageWindowTest, aSecondLinePushesTheButtonDownAndTheWindowGrows)
{
    MessageWindow form(QStringLiteral("已經送出文字檔/srv/Bars.txt\n未設定外部條碼程式：勾選「更改」後填入路徑"));
    form.fitToScreen(1280);
    const int lineHeight = form.textLabel->fontMetrics().height();
    EXPECT_GE(form.textLabel->height(), 2 * lineHeight);
    const int extra = form.textLabel->height() - lineHeight;
    EXPECT_EQ(form.okButton->y(), 78 + extra);
    EXPECT_GT(form.okButton->y(), form.textLabel->geometry().bottom());
    EXPECT_EQ(form.height(), 127 + extra);
    EXPECT_EQ(form.textLabel->font().pixelSize(), 29) << "both lines fit the screen";
}

TEST_F(MessageWindowTest, staysOnTopWithEmbossedBlueCaption)
{
    MessageWindow form(QStringLiteral("產品資料引入完成"));
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(form.textLabel->fontColor(), QColor(Qt::blue));
    EXPECT_EQ(form.textLabel->layer2Color(), QColor(Qt::black));
    EXPECT_EQ(form.textLabel->layer3Color(), QColor(Qt::white));
    EXPECT_EQ(form.textLabel->layer2Depth(), 1);
    EXPECT_EQ(form.textLabel->layer3Depth(), -1);
    EXPECT_EQ(form.okButton->focusSize(), 3);
    EXPECT_EQ(form.okButton->focusType(), FocusMarkedButton::FocusShape::Ellipse);
}

TEST(EmbossedLabel, startsAsLimeSixteenPointText)
{
    EmbossedLabel label;
    EXPECT_EQ(label.fontColor(), QColor(0, 255, 0));
    EXPECT_EQ(label.font().pixelSize(), Fonts::pointsToPixels(16));
    label.setText(QStringLiteral("條碼"));
    const int narrow = label.width();
    label.setText(QStringLiteral("條碼條碼"));
    EXPECT_GT(label.width(), narrow);
}

TEST(EmbossedLabel, drawsHighlightAndShadowLayersBehindTheCaption)
{
    const auto colours = [](EmbossedLabel &label) {
        const QImage image = label.grab().toImage();
        QSet<QRgb> found;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                found.insert(image.pixel(x, y) & 0xFFFFFF);
            }
        }
        return found;
    };
    EmbossedLabel label;
    label.setAutoFillBackground(true);
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, Qt::gray);
    label.setPalette(palette);
    label.setText(QStringLiteral("條碼列印"));
    QSet<QRgb> found = colours(label);
    EXPECT_TRUE(found.contains(0x00FF00));
    EXPECT_TRUE(found.contains(0x000000));
    EXPECT_TRUE(found.contains(0xFFFFFF));

    label.setDrawLayer2(false);
    label.setDrawLayer3(false);
    found = colours(label);
    EXPECT_TRUE(found.contains(0x00FF00));
    EXPECT_FALSE(found.contains(0x000000));
    EXPECT_FALSE(found.contains(0xFFFFFF));
}
