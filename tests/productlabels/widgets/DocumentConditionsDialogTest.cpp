#include "common/RecordingPrompts.h"
#include "components/Clock.h"
#include "components/widgets/DateEdit.h"
#include "components/widgets/FocusMarkedButton.h"
#include "productlabels/widgets/OtherDocumentsImportDialog.h"
#include "productlabels/widgets/PurchaseImportDialog.h"
#include "productlabels/widgets/StockTakeImportDialog.h"
#include "productlabels/widgets/TransferOutImportDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>
#include <memory>

namespace {

const FixedClock today(QDateTime(QDate(2024, 4, 9), QTime(9, 30)));
constexpr char unreachable[] = "無法取得分店清單：主機 127.0.0.1:9 拒絕連線";

class DocumentDialogsTest : public ::testing::Test
{
protected:
    DocumentDialogsTest()
    {
        dialogs.emplace_back(std::make_unique<PurchaseImportDialog>(prompts));
        dialogs.emplace_back(std::make_unique<StockTakeImportDialog>(prompts));
        dialogs.emplace_back(std::make_unique<TransferOutImportDialog>(prompts));
        dialogs.emplace_back(std::make_unique<OtherDocumentsImportDialog>(prompts, today));
    }

    void open(DocumentConditionsDialog &dialog)
    {
        dialog.setBranchChoices({{"A", "01", "02"}, 1, {}});
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    static void typeInto(QWidget *field, const QString &keys)
    {
        field->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([field] { return field->hasFocus(); }));
        if (auto *date = qobject_cast<DateEdit *>(field)) {
            date->home(false);
        }
        QTest::keyClicks(field, keys);
    }

    static void pressOkByItsKey(DocumentConditionsDialog &dialog)
    {
        bool clicked = false;
        const QMetaObject::Connection seen =
            QObject::connect(dialog.okButton, &QPushButton::clicked, [&clicked] { clicked = true; });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::AltModifier);
        // The accelerator clicks after a short animation, without taking the focus.
        EXPECT_TRUE(QTest::qWaitFor([&clicked] { return clicked; }));
        QObject::disconnect(seen);
    }

    OtherDocumentsImportDialog &other() { return static_cast<OtherDocumentsImportDialog &>(*dialogs.back()); }
    PurchaseImportDialog &purchase() { return static_cast<PurchaseImportDialog &>(*dialogs.front()); }

    RecordingPrompts prompts{true};
    std::vector<std::unique_ptr<DocumentConditionsDialog>> dialogs;
};

QStringList names(const QList<QWidget *> &widgets)
{
    QStringList result;
    for (const QWidget *widget : widgets) {
        result.append(widget->objectName());
    }
    return result;
}

} // namespace

TEST_F(DocumentDialogsTest, enterWalksEachDialogsFieldsInItsTabOrder)
{
    const QStringList orders[] = {
        {"ComboBox1", "SB_NO", "EB_NO", "SDAT", "EDAT", "CUST_NO", "ComboBox2", "RadioButton1", "OkButton"},
        {"ComboBox1", "SB_NO", "EB_NO", "SDAT", "EDAT", "OkButton"},
        {"ComboBox1", "SB_NO", "EB_NO", "SDAT", "EDAT", "ComboBox2", "OkButton"},
        {"RadioButton1", "ComboBox1", "SB_NO", "EB_NO", "mach_no", "CheckBox1", "SDAT", "EDAT", "ComboBox2",
         "OkButton"},
    };
    for (size_t i = 0; i < dialogs.size(); ++i) {
        DocumentConditionsDialog &dialog = *dialogs[i];
        SCOPED_TRACE(dialog.objectName().toStdString());
        open(dialog);
        QList<QWidget *> visited;
        for (int step = 0; step < orders[i].size(); ++step) {
            QWidget *focused = QApplication::focusWidget();
            visited.append(focused);
            QTest::keyClick(focused, Qt::Key_Return);
            QTest::qWait(20);
        }
        EXPECT_EQ(names(visited), orders[i]);
        EXPECT_FALSE(dialog.isAccepted()) << "Enter never pressed OK on the way";
        dialog.reject();
    }
}

TEST_F(DocumentDialogsTest, showingResetsNumbersAndDatesAndWhatEachDialogDoesNotKeep)
{
    for (const auto &owned : dialogs) {
        DocumentConditionsDialog &dialog = *owned;
        SCOPED_TRACE(dialog.objectName().toStdString());
        open(dialog);
        dialog.startNumberEdit->setText(QStringLiteral("X1"));
        dialog.endNumberEdit->setText(QStringLiteral("X9"));
        dialog.startDateEdit->setDateText("2024/03/01");
        dialog.endDateEdit->setDateText("2024/03/31");
        dialog.reject();
    }
    purchase().supplierEdit->setText(QStringLiteral("S001"));
    purchase().consignmentRadio->setChecked(true);
    other().storeSaleRadio->setChecked(true);
    other().registerEdit->setText(QStringLiteral("01"));
    other().lastReceiptCheck->setChecked(true);

    for (const auto &owned : dialogs) {
        DocumentConditionsDialog &dialog = *owned;
        SCOPED_TRACE(dialog.objectName().toStdString());
        open(dialog);
        const DocumentConditions shown = dialog.conditions();
        EXPECT_EQ(shown.sb_no, QByteArray());
        EXPECT_EQ(shown.eb_no, QByteArray());
        EXPECT_TRUE(dialog.startDateEdit->isBlank() && dialog.endDateEdit->isBlank());
        EXPECT_EQ(shown.mbran, "01");
        EXPECT_EQ(shown.cust_no, QByteArray());
        EXPECT_EQ(shown.mach_no, QByteArray());
        EXPECT_FALSE(shown.lastReceipt);
        EXPECT_EQ(shown.kind, DocumentKind::PurchaseOrder);
        EXPECT_EQ(shown.consignment, &dialog == &purchase()) << "the purchase source is kept";
        QWidget *first = &dialog == &other() ? static_cast<QWidget *>(other().purchaseOrderRadio) : dialog.branchBox;
        EXPECT_TRUE(QTest::qWaitFor([first] { return first->hasFocus(); }));
        dialog.reject();
    }
}

TEST_F(DocumentDialogsTest, okByItsKeyLeavesTheFocusedFieldFirst)
{
    for (const auto &owned : dialogs) {
        DocumentConditionsDialog &dialog = *owned;
        SCOPED_TRACE(dialog.objectName().toStdString());

        // A number typed and confirmed at once counts as typed and left.
        prompts.calls.clear();
        open(dialog);
        typeInto(dialog.startNumberEdit, QStringLiteral("B01"));
        pressOkByItsKey(dialog);
        EXPECT_TRUE(dialog.isAccepted());
        EXPECT_EQ(dialog.endNumberEdit->text(), QStringLiteral("B01"));

        // A malformed date is refused, in the field or left towards the cancel button.
        for (const bool viaCancel : {false, true}) {
            prompts.calls.clear();
            open(dialog);
            typeInto(dialog.startDateEdit, QStringLiteral("20240230"));
            if (viaCancel) {
                dialog.cancelButton->setFocus(Qt::TabFocusReason);
            }
            pressOkByItsKey(dialog);
            EXPECT_FALSE(dialog.isAccepted());
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(prompts.texts(RecordingPrompts::Embossed), QStringList{QStringLiteral("日期格式錯誤 !!")});
            EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.startDateEdit->hasFocus(); }));
            dialog.reject();
        }
    }
}

TEST_F(DocumentDialogsTest, okTellsWhatIsMissingAndPutsTheFocusThere)
{
    const struct {
        const char *name;
        DocumentConditionsDialog *dialog;
        std::function<void()> fill;
        QList<bool> answers;
        QList<RecordingPrompts::Call> prompted;
        const char *focused; // empty when accepted
    } cases[] = {
        {"no branch listed",
         dialogs[0].get(),
         [this] {
             purchase().setBranchChoices({{}, -1, QString::fromUtf8(unreachable)});
         },
         {},
         {{RecordingPrompts::Embossed, QStringLiteral("分店代號不可空白!!")}},
         "ComboBox1"},
        {"no condition",
         dialogs[2].get(),
         [] {},
         {},
         {{RecordingPrompts::Embossed, QStringLiteral("請給予任一條可!!")}},
         "SB_NO"},
        {"a supplier is a purchase condition",
         dialogs[0].get(),
         [this] { purchase().supplierEdit->setText(QStringLiteral("S001")); },
         {},
         {},
         ""},
        {"a register alone for wholesale",
         dialogs[3].get(),
         [this] {
             other().wholesaleRadio->setChecked(true);
             other().registerEdit->setText(QStringLiteral("01"));
         },
         {},
         {{RecordingPrompts::Embossed, QStringLiteral("請縮小範圍：輸入單號或日期!!")}},
         "SB_NO"},
        {"store sales of a register, answered No",
         dialogs[3].get(),
         [this] {
             other().storeSaleRadio->setChecked(true);
             other().registerEdit->setText(QStringLiteral("01"));
         },
         {false},
         {{RecordingPrompts::Confirm, QStringLiteral("引入門市銷售單,對嗎 ?")}},
         "SB_NO"},
        {"store sales of a register, answered Yes",
         dialogs[3].get(),
         [this] {
             other().storeSaleRadio->setChecked(true);
             other().registerEdit->setText(QStringLiteral("01"));
         },
         {true},
         {{RecordingPrompts::Confirm, QStringLiteral("引入門市銷售單,對嗎 ?")}},
         ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        prompts.calls.clear();
        prompts.confirmAnswers = c.answers;
        open(*c.dialog);
        c.fill();
        c.dialog->okButton->click();
        EXPECT_EQ(prompts.calls, c.prompted);
        const bool accepted = QByteArray(c.focused).isEmpty();
        EXPECT_EQ(c.dialog->isAccepted(), accepted);
        if (!accepted) {
            EXPECT_TRUE(QTest::qWaitFor([&] {
                return QApplication::focusWidget() &&
                       QApplication::focusWidget()->objectName() == QLatin1String(c.focused);
            }));
            c.dialog->reject();
        }
    }
}

TEST_F(DocumentDialogsTest, anEmptyBranchListSaysWhyOnALineOfItsOwnThatTakesNoFocus)
{
    for (const auto &dialog : dialogs) {
        SCOPED_TRACE(dialog->objectName().toStdString());
        open(*dialog);
        EXPECT_TRUE(dialog->branchNotice->text().isEmpty());
        dialog->setBranchChoices({{}, -1, QString::fromUtf8(unreachable)});
        EXPECT_EQ(dialog->branchNotice->text(), QString::fromUtf8(unreachable));
        EXPECT_EQ(dialog->branchNotice->focusPolicy(), Qt::NoFocus);
        const QRect line = dialog->branchNotice->geometry();
        EXPECT_TRUE(dialog->rect().contains(line));
        EXPECT_GT(line.top(), dialog->okButton->geometry().bottom());
        for (QWidget *other : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(other == dialog->branchNotice || !other->geometry().intersects(line))
                << other->objectName().toStdString();
        }
        dialog->reject();
    }
}

TEST_F(DocumentDialogsTest, doubleClickPutsTodayInAndLeavingCopiesIt)
{
    open(other());
    QTest::mouseDClick(other().startDateEdit, Qt::LeftButton);
    EXPECT_EQ(other().startDateEdit->dateText(), "2024/04/09");
    EXPECT_TRUE(other().endDateEdit->isBlank());
    other().registerEdit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(other().endDateEdit->dateText(), "2024/04/09");
    EXPECT_TRUE(prompts.calls.isEmpty());
}

TEST_F(DocumentDialogsTest, cancellingNeverChecksAMalformedDate)
{
    for (const bool byEscape : {true, false}) {
        SCOPED_TRACE(byEscape ? "Esc" : "cancel button");
        prompts.calls.clear();
        open(purchase());
        typeInto(purchase().startDateEdit, QStringLiteral("20241301"));
        if (byEscape) {
            QTest::keyClick(purchase().startDateEdit, Qt::Key_Escape);
        } else {
            QTest::mouseClick(purchase().cancelButton, Qt::LeftButton);
        }
        EXPECT_TRUE(QTest::qWaitFor([this] { return !purchase().isVisible(); }));
        EXPECT_FALSE(purchase().isAccepted());
        EXPECT_TRUE(prompts.calls.isEmpty());
    }
}
