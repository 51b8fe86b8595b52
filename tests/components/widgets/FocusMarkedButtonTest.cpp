#include "components/widgets/FocusMarkedButton.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor lime(0, 255, 0);

// A 75 x 25 button (the size of the program's OK buttons, caption left out so
// the face is plain) beside a field that can take the focus away.
class FocusMarkedButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(200, 60);
        button = new FocusMarkedButton(&window);
        button->setGeometry(10, 10, 75, 25);
        field = new QLineEdit(&window);
        field->setGeometry(100, 10, 80, 25);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
        unfocused = button->grab().toImage();
    }

    QImage focusedLook()
    {
        button->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] { return button->hasFocus(); }));
        return button->grab().toImage();
    }

    QWidget window;
    FocusMarkedButton *button = nullptr;
    QLineEdit *field = nullptr;
    QImage unfocused;
};

} // namespace

TEST_F(FocusMarkedButtonTest, focusedButtonShowsTheRingAndLosesItWithTheFocus)
{
    const QImage focused = focusedLook();
    // Between the frame and the ellipse from (3, 3) to (72, 22).
    for (const QPoint ring : {QPoint(2, 2), QPoint(2, 12), QPoint(72, 22), QPoint(37, 1), QPoint(73, 12)}) {
        SCOPED_TRACE(testing::Message() << ring.x() << "," << ring.y());
        EXPECT_EQ(focused.pixelColor(ring), lime);
    }
    EXPECT_EQ(focused.pixelColor(0, 0), unfocused.pixelColor(0, 0)) << "the frame stays";
    // Inside the outline the style's own face stays (a focused button is the
    // default one, which some styles tint).
    EXPECT_NE(focused.pixelColor(37, 12), lime);
    EXPECT_GT(focused.pixelColor(37, 12).lightness(), 200);
    EXPECT_LT(focused.pixelColor(3, 12).lightness(), 80) << "the outline is black";

    field->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
    EXPECT_EQ(button->grab().toImage(), unfocused);
}

TEST_F(FocusMarkedButtonTest, roundRectOutlineStartsOnePixelFurtherIn)
{
    button->setFocusType(FocusMarkedButton::FocusShape::RoundRect);
    button->setFocusColor(Qt::red);
    const QImage focused = focusedLook();
    EXPECT_EQ(focused.pixelColor(3, 12), QColor(Qt::red));
    EXPECT_EQ(focused.pixelColor(4, 12), QColor(Qt::black));
    EXPECT_EQ(focused.pixelColor(71, 12), QColor(Qt::black));
    EXPECT_EQ(focused.pixelColor(72, 12), QColor(Qt::red));
    EXPECT_EQ(focused.pixelColor(37, 4), QColor(Qt::black));
    EXPECT_EQ(focused.pixelColor(37, 21), QColor(Qt::black));
    EXPECT_GT(focused.pixelColor(37, 12).lightness(), 200);
}

TEST_F(FocusMarkedButtonTest, focusSizeLargerThanTheButtonIsSetBackToOne)
{
    button->setFocusSize(26);
    EXPECT_EQ(button->focusSize(), 26) << "kept until the mark is drawn";
    const QImage focused = focusedLook();
    EXPECT_EQ(button->focusSize(), 1);
    EXPECT_EQ(focused.pixelColor(2, 2), lime);
    EXPECT_NE(focused.pixelColor(2, 12), lime) << "the ellipse now reaches the frame";
    button->grab();
    EXPECT_EQ(button->focusSize(), 1);
}

TEST_F(FocusMarkedButtonTest, keepsPassStrAndDrawsTheDisabledGlyph)
{
    button->setPassStr(QStringLiteral("0"));
    EXPECT_EQ(button->passStr(), QStringLiteral("0"));

    QPixmap strip(36, 18);
    strip.fill(Qt::blue);
    {
        QPainter painter(&strip);
        painter.fillRect(18, 0, 18, 18, Qt::gray);
    }
    button->setGlyph(strip, 2);
    EXPECT_EQ(button->iconSize(), QSize(18, 18));
    EXPECT_EQ(button->icon().pixmap(18, QIcon::Normal).toImage().pixelColor(9, 9), QColor(Qt::blue));
    EXPECT_EQ(button->icon().pixmap(18, QIcon::Disabled).toImage().pixelColor(9, 9), QColor(Qt::gray));
}
