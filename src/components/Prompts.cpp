#include "components/Prompts.h"

namespace {

class SamePrompts : public Prompts
{
public:
    explicit SamePrompts(Prompts &all)
        : all_(all)
    {}

    std::unique_ptr<Prompts> forWindow(QObject *window) override { return all_.forWindow(window); }
    void embossedMessage(const QString &text) override { all_.embossedMessage(text); }
    bool confirm(const QString &text) override { return all_.confirm(text); }
    bool confirmDestructive(const QString &text) override { return all_.confirmDestructive(text); }
    Choice chooseYesNoCancel(const QString &text) override { return all_.chooseYesNoCancel(text); }
    void plainMessage(const QString &text) override { all_.plainMessage(text); }

private:
    Prompts &all_;
};

} // namespace

std::unique_ptr<Prompts> Prompts::forWindow(QObject *)
{
    return std::make_unique<SamePrompts>(*this);
}
