#include "app/widgets/StartUp.h"

#include "components/ProgramLauncher.h"
#include "components/widgets/BareMnemonicKeys.h"
#include "productlabels/widgets/TBar1Form.h"
#include "settings/widgets/TPosSetForm.h"

std::unique_ptr<TqelvomainForm> startUp(const QString &programDir, Prompts &prompts, TqelvomainForm::GuardOptions guard)
{
    BareMnemonicKeys::install();
    auto mainForm = std::make_unique<TqelvomainForm>(programDir, prompts, std::move(guard));
    if (mainForm->OneInstComp1->anotherInstanceFound()) {
        return nullptr;
    }
    auto *settingsForm = new TPosSetForm(programDir, mainForm->exchange(), prompts, mainForm.get());
    mainForm->setSettingsForm(settingsForm, [settingsForm] { return settingsForm->linkSettings(); });
    QObject::connect(settingsForm, &TPosSetForm::statusLabelChanged, mainForm.get(), &TqelvomainForm::setStatusLabel);
    TqelvomainForm *form = mainForm.get();
    form->setProductWindowFactory([programDir, &prompts, form, settingsForm](QWidget *parent) {
        auto *window = new TBar1Form(
            programDir, form->exchange(), [settingsForm] { return settingsForm->currentSettings(); }, prompts,
            ProgramLauncher::system(), parent);
        QObject::connect(window, &TBar1Form::closed, form, &TqelvomainForm::productWindowClosed);
        return window;
    });
    mainForm->FormShow();
    return mainForm;
}
