// barlabel's own start, as its main() does it (link test included), ending
// when the main window is mapped. It links what barlabel links, so the same
// shared objects are loaded.
#include "ExitWhenExposed.h"
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
        return 1;
    }
    const std::unique_ptr<MainWindow> mainForm = startUp(programDir.dir, prompts);
    if (!mainForm) {
        return 1;
    }
    mainForm->show();
    ExitWhenExposed::watch(mainForm->windowHandle());
    return app.exec();
}
