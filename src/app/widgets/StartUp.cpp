#include "app/widgets/StartUp.h"

#include "settings/widgets/TPosSetForm.h"

std::unique_ptr<TqelvomainForm> startUp(const QString &programDir, Prompts &prompts, TqelvomainForm::GuardOptions guard)
{
    auto mainForm = std::make_unique<TqelvomainForm>(programDir, prompts, std::move(guard));
    if (mainForm->OneInstComp1->anotherInstanceFound()) {
        return nullptr;
    }
    auto *settingsForm = new TPosSetForm(programDir, mainForm->exchange(), prompts, mainForm.get());
    mainForm->setSettingsForm(settingsForm, [settingsForm] { return settingsForm->linkSettings(); });
    QObject::connect(settingsForm, &TPosSetForm::statusLabelChanged, mainForm.get(), &TqelvomainForm::setStatusLabel);
    mainForm->FormShow();
    return mainForm;
}
