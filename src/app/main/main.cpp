#include "app/ProgramDir.h"
#include "app/widgets/StartUp.h"
#include "components/widgets/QtTranslations.h"
#include "components/widgets/WidgetPrompts.h"
#include "exchange/CurlLibrary.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // The start-up link test needs the network library; it loads on the other
    // core while the window is built.
    const CurlLibrary::Preload networkLibrary;
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
