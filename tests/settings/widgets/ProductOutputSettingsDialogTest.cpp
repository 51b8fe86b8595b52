#include "settings/widgets/ProductOutputSettingsDialog.h"

#include "common/Controls.h"
#include "common/RecordingPrompts.h"
#include "settings/SettingsFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>

#include <functional>

namespace {

class ProductOutputSettingsDialogTest : public SettingsFilesTest
{
protected:
    void SetUp() override
    {
        SettingsFilesTest::SetUp();
        put(QStringLiteral("BarSet.ini"), saved);
    }

    // Made on demand, after a test has put its own file.
    ProductOutputSettingsDialog &form()
    {
        if (!form_) {
            form_ = std::make_unique<ProductOutputSettingsDialog>(programDir(), prompts);
        }
        return *form_;
    }

    void open()
    {
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }

    template <typename Control>
    Control *control(const char *name)
    {
        return ::control<Control>(form(), name);
    }

    void click(const char *name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }

    QStringList chosenColumns()
    {
        QStringList texts;
        const QListWidget *list = control<QListWidget>("ListBox1");
        for (int row = 0; row < list->count(); ++row) {
            texts.append(list->item(row)->text());
        }
        return texts;
    }

    void choose(int catalogueRow)
    {
        control<QListWidget>("ListBox2")->setCurrentRow(catalogueRow);
        click("SpeedButton1");
    }

    // Comma layout, colour expansion keeping the own colour, two columns.
    const QByteArray saved = "[SET]\r\nCHK14=1\r\nCHK17=1\r\nPar01=" + big5("產品條碼(20C)") + "\r\nPar02=#NT\r\n";
    RecordingPrompts prompts;
    std::unique_ptr<ProductOutputSettingsDialog> form_;
};

} // namespace

TEST_F(ProductOutputSettingsDialogTest, fixedWidthWithAnExpansionCannotBeConfirmed)
{
    struct Case {
        const char *name;
        const char *expansionBox;
        QString message;
    } cases[] = {
        {"colour", "CheckBox14", QStringLiteral("依長度區分不適用顏色展開")},
        {"size", "CheckBox15", QStringLiteral("依長度區分不適用尺寸展開")},
    };
    open();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        prompts.calls.clear();
        control<QCheckBox>("CheckBox14")->setChecked(false);
        control<QCheckBox>(c.expansionBox)->setChecked(true);
        control<QRadioButton>("RadioButton1")->setChecked(true);

        click("OkButton");

        EXPECT_EQ(prompts.texts(RecordingPrompts::Plain), QStringList{c.message});
        EXPECT_TRUE(form().isVisible());
        EXPECT_FALSE(form().isConfirmed());
        EXPECT_EQ(contents(QStringLiteral("BarSet.ini")), saved);
    }
}

TEST_F(ProductOutputSettingsDialogTest, okStoresTheFirstTwentyFiveColumnsAndShowsWhatTheFileHolds)
{
    open();
    for (int row = 0; row < 25; ++row) {
        choose(row);
    }
    ASSERT_EQ(chosenColumns().size(), 27);
    control<QCheckBox>("CheckBox12")->setChecked(true);

    click("OkButton");

    EXPECT_TRUE(prompts.calls.isEmpty());
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(form().isConfirmed());
    ProductOutputSettings expected;
    expected.oneLinePerLabel = true;
    expected.colourExpansion = true;
    expected.keepOwnColour = true;
    expected.columns = {big5("產品條碼(20C)"), "#NT"};
    expected.columns += productColumnCatalogue().first(23);
    EXPECT_EQ(form().currentSettings(), expected);
    EXPECT_TRUE(
        contents(QStringLiteral("BarSet.ini")).contains(QByteArray("\r\nPar25=" + expected.columns.last() + "\r\n")));
}

TEST_F(ProductOutputSettingsDialogTest, cancelAndEscapeThrowAwayEveryEdit)
{
    for (const int key : {0, int(Qt::Key_Escape)}) {
        SCOPED_TRACE(key ? "Esc" : "放棄 &N");
        open();
        const ProductOutputSettings before = form().currentSettings();
        choose(3);
        control<QListWidget>("ListBox1")->setCurrentRow(0);
        click("SpeedButton2");
        control<QCheckBox>("CheckBox14")->setChecked(false);
        control<QLineEdit>("Edit16")->setText(QStringLiteral("+"));
        ASSERT_NE(form().currentSettings(), before);

        if (key) {
            QTest::keyClick(&form(), Qt::Key_Escape);
        } else {
            click("CancelButton");
        }

        EXPECT_FALSE(form().isVisible());
        EXPECT_FALSE(form().isConfirmed());
        EXPECT_EQ(form().currentSettings(), before);
        EXPECT_EQ(contents(QStringLiteral("BarSet.ini")), saved);
    }
}

TEST_F(ProductOutputSettingsDialogTest, closeBoxKeepsTheEditsInEffectWithoutStoringThem)
{
    open();
    choose(2);
    control<QRadioButton>("RadioButton1")->setChecked(true);
    control<QCheckBox>("CheckBox14")->setChecked(false);

    form().close();

    EXPECT_FALSE(form().isVisible());
    const ProductOutputSettings live = form().currentSettings();
    EXPECT_TRUE(live.fixedWidth);
    EXPECT_FALSE(live.colourExpansion);
    EXPECT_EQ(live.columns.last(), big5("品名(42C)"));
    EXPECT_EQ(contents(QStringLiteral("BarSet.ini")), saved);

    open();
    EXPECT_EQ(form().currentSettings(), live) << "shown again, the edits are still there";
}

TEST_F(ProductOutputSettingsDialogTest, customTextIsAddedTrimmedBehindAHash)
{
    open();
    auto *edit = control<QLineEdit>("Edit2");
    for (const QString &typed : {QStringLiteral("  特價 NT  "), QStringLiteral("   ")}) {
        edit->setText(typed);
        click("SpeedButton3");
        EXPECT_TRUE(edit->text().isEmpty());
        EXPECT_TRUE(edit->hasFocus());
    }

    EXPECT_EQ(chosenColumns(),
              (QStringList{QStringLiteral("產品條碼(20C)"), QStringLiteral("#NT"), QStringLiteral("#特價 NT")}));
}

TEST_F(ProductOutputSettingsDialogTest, customTextHoldsFortyBig5Bytes)
{
    open();
    auto *edit = control<QLineEdit>("Edit2");
    edit->setFocus();

    // At 39 bytes a Chinese character no longer fits, a letter still does.
    const QString typed = QString(19, QChar(0x7279)) + QStringLiteral("a特bc");
    for (const QChar character : typed) {
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }

    EXPECT_EQ(edit->text(), QString(19, QChar(0x7279)) + QStringLiteral("ab"));
}

TEST_F(ProductOutputSettingsDialogTest, failedStoreKeepsTheDialogAndTheEdits)
{
    QFile::remove(dir.filePath(QStringLiteral("BarSet.ini")));
    blockFile(QStringLiteral("BarSet.ini"));
    open();
    choose(0);

    click("OkButton");

    ASSERT_EQ(prompts.texts(RecordingPrompts::Plain).size(), 1);
    EXPECT_TRUE(
        prompts.texts(RecordingPrompts::Plain).first().contains(QStringLiteral("BARSET.INI"), Qt::CaseInsensitive));
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(form().isConfirmed());
    EXPECT_EQ(chosenColumns(), QStringList{QStringLiteral("產品條碼(20C)")});
}

TEST_F(ProductOutputSettingsDialogTest, showingClearsTheCustomTextAndFocusesOk)
{
    open();
    click("OkButton");
    ASSERT_TRUE(form().isConfirmed());
    control<QLineEdit>("Edit2")->setText(QStringLiteral("left over"));

    open();

    EXPECT_FALSE(form().isConfirmed());
    EXPECT_TRUE(control<QLineEdit>("Edit2")->text().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return control<QPushButton>("OkButton")->hasFocus(); }));
}

TEST_F(ProductOutputSettingsDialogTest, enterMovesOnFromTheOneLinePerLabelBox)
{
    open();
    auto *box = control<QCheckBox>("CheckBox12");
    box->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); }));

    QTest::keyClick(box, Qt::Key_Return);

    EXPECT_TRUE(QTest::qWaitFor([&] { return control<QCheckBox>("CheckBox14")->hasFocus(); }));
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(box->isChecked());
}

TEST_F(ProductOutputSettingsDialogTest, theColumnListsWorkWithoutAMouse)
{
    open();
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    auto *chosen = control<QListWidget>("ListBox1");
    auto *catalogue = control<QListWidget>("ListBox2");
    auto *customText = control<QLineEdit>("Edit2");
    const auto focus = [](QWidget *widget) {
        widget->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([widget] { return widget->hasFocus(); }));
    };

    QSet<QString> reached;
    for (int presses = 0; presses < 40; ++presses) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.insert(QApplication::focusWidget()->objectName());
    }
    for (const char *button : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "OkButton", "CancelButton"}) {
        EXPECT_TRUE(reached.contains(QLatin1String(button))) << button << " is reached by Tab";
    }

    const struct {
        const char *name;
        std::function<void()> keys;
        QStringList expected;
        int currentRow;
    } steps[] = {
        {"Enter on a catalogue entry adds it",
         [&] {
             focus(catalogue);
             catalogue->setCurrentRow(2);
             QTest::keyClick(catalogue, Qt::Key_Return);
         },
         {QStringLiteral("產品條碼(20C)"), QStringLiteral("#NT"), QStringLiteral("品名(42C)")},
         -1},
        {"a double-click adds it too",
         [&] {
             catalogue->setCurrentRow(3);
             Q_EMIT catalogue->itemDoubleClicked(catalogue->item(3));
         },
         {QStringLiteral("產品條碼(20C)"), QStringLiteral("#NT"), QStringLiteral("品名(42C)"),
          QStringLiteral("顏色(8C)")},
         -1},
        {"Enter in the custom-text box adds the text",
         [&] {
             focus(customText);
             QTest::keyClicks(customText, QStringLiteral(" ABC "));
             QTest::keyClick(customText, Qt::Key_Return);
         },
         {QStringLiteral("產品條碼(20C)"), QStringLiteral("#NT"), QStringLiteral("品名(42C)"),
          QStringLiteral("顏色(8C)"), QStringLiteral("#ABC")},
         -1},
        {"Ctrl+Up moves a chosen entry up",
         [&] {
             focus(chosen);
             chosen->setCurrentRow(4);
             QTest::keyClick(chosen, Qt::Key_Up, Qt::ControlModifier);
         },
         {QStringLiteral("產品條碼(20C)"), QStringLiteral("#NT"), QStringLiteral("品名(42C)"), QStringLiteral("#ABC"),
          QStringLiteral("顏色(8C)")},
         3},
        {"Ctrl+Down moves it back",
         [&] { QTest::keyClick(chosen, Qt::Key_Down, Qt::ControlModifier); },
         {QStringLiteral("產品條碼(20C)"), QStringLiteral("#NT"), QStringLiteral("品名(42C)"),
          QStringLiteral("顏色(8C)"), QStringLiteral("#ABC")},
         4},
        {"Delete removes a chosen entry and stays on the next",
         [&] {
             chosen->setCurrentRow(0);
             QTest::keyClick(chosen, Qt::Key_Delete);
         },
         {QStringLiteral("#NT"), QStringLiteral("品名(42C)"), QStringLiteral("顏色(8C)"), QStringLiteral("#ABC")},
         0},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.name);
        step.keys();
        EXPECT_EQ(chosenColumns(), step.expected);
        if (step.currentRow >= 0) {
            EXPECT_EQ(chosen->currentRow(), step.currentRow);
        }
    }
    EXPECT_TRUE(customText->text().isEmpty());
    EXPECT_TRUE(form().isVisible()) << "no Enter closed the dialog";
}
