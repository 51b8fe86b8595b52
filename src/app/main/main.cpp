#include "app/OneInstComp.h"
#include "app/ProgramDir.h"
#include "app/widgets/TqelvomainForm.h"
#include "components/widgets/WidgetPrompts.h"
#include "settings/widgets/TPosSetForm.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("條碼/信封"));
    const QString programDir = ProgramDir::fromApplicationDir(QCoreApplication::applicationDirPath());
    WidgetPrompts prompts;

    TqelvomainForm mainForm(programDir, prompts);
    if (mainForm.OneInstComp1->anotherInstanceFound()) {
        return 0;
    }
    auto *settingsForm = new TPosSetForm(programDir, mainForm.exchange(), prompts, &mainForm);
    mainForm.setSettingsForm(settingsForm, [settingsForm] { return settingsForm->linkSettings(); });
    QObject::connect(settingsForm, &TPosSetForm::statusLabelChanged, &mainForm, &TqelvomainForm::setStatusLabel);

    mainForm.FormShow();
    mainForm.show();
    mainForm.activateWindow();
    return app.exec();
}
