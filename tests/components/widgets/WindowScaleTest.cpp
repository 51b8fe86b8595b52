#include "components/widgets/WindowScale.h"

#include <QDialog>
#include <QLabel>
#include <QTableView>

#include <gtest/gtest.h>

TEST(WindowScale, scalesPositionsSizesAndOwnFontsOnceForAScreen768High)
{
    const double factor = 768.0 / 600;
    QWidget window;
    window.setFixedSize(812, 400);
    QFont windowFont = window.font();
    windowFont.setPixelSize(12);
    window.setFont(windowFont);

    auto *panel = new QWidget(&window);
    panel->setGeometry(0, 300, 812, 100);
    auto *title = new QLabel(QStringLiteral("商品條碼列印"), panel);
    title->setGeometry(10, 20, 30, 40);
    QFont titleFont = title->font();
    titleFont.setPixelSize(24);
    title->setFont(titleFont);
    // Bold only: its size follows the window's, which is scaled already.
    auto *rule = new QLabel(QStringLiteral("※產品條碼不可空白"), panel);
    QFont bold = rule->font();
    bold.setBold(true);
    rule->setFont(bold);
    auto *grid = new QTableView(&window);
    grid->setGeometry(0, 34, 812, 258);
    auto *dialog = new QDialog(&window);
    dialog->setFixedSize(470, 434);

    WindowScale::scaleBy(window, factor);

    EXPECT_EQ(window.size(), QSize(1039, 512));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "still a fixed size";
    EXPECT_EQ(panel->geometry(), QRect(0, 384, 1039, 128));
    EXPECT_EQ(title->geometry(), QRect(13, 26, 38, 51));
    EXPECT_EQ(title->font().pixelSize(), 31);
    EXPECT_EQ(window.font().pixelSize(), 15);
    EXPECT_EQ(rule->font().pixelSize(), 15);
    EXPECT_EQ(grid->geometry(), QRect(0, 44, 1039, 330));
    EXPECT_EQ(dialog->size(), QSize(470, 434)) << "dialogs scale themselves";
}

TEST(WindowScale, growsWithTheScreenButNeverPastItsFreeArea)
{
    const QSize design(812, 400);
    struct Case {
        const char *name;
        QRect screen;
        QRect available;
        double factor;
    } cases[] = {
        {"768 high", QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 740), 768.0 / 600},
        {"1024 x 768 keeps the width", QRect(0, 0, 1024, 768), QRect(0, 0, 1024, 740), 1024.0 / 812},
        {"full HD", QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1050), 1080.0 / 600},
        {"1280 x 1024 keeps the width", QRect(0, 0, 1280, 1024), QRect(0, 0, 1280, 1000), 1280.0 / 812},
        {"800 x 600 shrinks a little", QRect(0, 0, 800, 600), QRect(0, 0, 800, 570), 800.0 / 812},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(WindowScale::factorForScreen(design, c.screen, c.available), c.factor);
    }
    const QRect available(0, 0, 1280, 1000);
    EXPECT_EQ(WindowScale::keptOnScreen(QRect(-50, 900, 600, 300), available), QPoint(0, 700));
    EXPECT_EQ(WindowScale::keptOnScreen(QRect(100, 100, 600, 300), available), QPoint(100, 100));
}
