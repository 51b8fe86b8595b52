#include "components/widgets/QtTranslations.h"

#include <QApplication>
#include <QTranslator>

#include <algorithm>
#include <gtest/gtest.h>

TEST(QtTranslations, qtsOwnDialogsSpeakChinese)
{
    const QString english = QStringLiteral("Look in:");
    ASSERT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), english);
    QTranslator *translator = installQtTranslations(*qApp);
    ASSERT_NE(translator, nullptr) << "scripts/install-deps.sh installs qt6-translations-l10n";
    const QString shown = QCoreApplication::translate("QFileDialog", "Look in:");
    QCoreApplication::removeTranslator(translator);
    delete translator;
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](QChar c) { return c.unicode() >= 0x4E00; }))
        << shown.toStdString();
}
