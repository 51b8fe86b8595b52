#include "app/ProgramDir.h"
#include "app/widgets/StartUp.h"
#include "components/widgets/QtTranslations.h"
#include "components/widgets/WidgetPrompts.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("條碼/信封"));
    installQtTranslations(app);
    WidgetPrompts prompts;
    const ProgramDir::Choice programDir = ProgramDir::ofThisProcess();
    if (!programDir.ok()) {
        prompts.plainMessage(programDir.error);
        return 1;
    }
    const std::unique_ptr<MainWindow> mainForm = startUp(programDir.dir, prompts);
    if (!mainForm) {
        return 0;
    }
    mainForm->show();
    mainForm->activateWindow();
    return app.exec();
}
