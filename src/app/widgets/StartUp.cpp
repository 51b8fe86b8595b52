#include "app/widgets/StartUp.h"

#include "components/ProgramLauncher.h"
#include "components/widgets/BareMnemonicKeys.h"
#include "customerlabels/widgets/CustomerLabelWindow.h"
#include "productlabels/widgets/ProductLabelWindow.h"
#include "settings/widgets/SystemSettingsDialog.h"

std::unique_ptr<MainWindow> startUp(const QString &programDir, Prompts &prompts, MainWindow::GuardOptions guard)
{
    BareMnemonicKeys::install();
    auto mainWindow = std::make_unique<MainWindow>(programDir, prompts, std::move(guard));
    if (mainWindow->singleInstanceGuard->anotherInstanceFound()) {
        return nullptr;
    }
    auto *settingsDialog = new SystemSettingsDialog(programDir, mainWindow->exchange(), prompts, mainWindow.get());
    mainWindow->setSettingsDialog(settingsDialog, [settingsDialog] { return settingsDialog->linkSettings(); });
    QObject::connect(settingsDialog, &SystemSettingsDialog::statusLabelChanged, mainWindow.get(),
                     &MainWindow::setStatusLabel);
    MainWindow *form = mainWindow.get();
    form->setProductWindowFactory([programDir, &prompts, form, settingsDialog](QWidget *parent) {
        auto *window = new ProductLabelWindow(
            programDir, form->exchange(), [settingsDialog] { return settingsDialog->currentSettings(); }, prompts,
            ProgramLauncher::system(), parent);
        QObject::connect(window, &ProductLabelWindow::closed, form, &MainWindow::productWindowClosed);
        return window;
    });
    form->setCustomerWindowFactory([programDir, &prompts, form](QWidget *parent) {
        return new CustomerLabelWindow(programDir, form->exchange(), prompts, ProgramLauncher::system(), parent);
    });
    mainWindow->testLinkAndShowState();
    return mainWindow;
}
