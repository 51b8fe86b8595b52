#include "settings/widgets/CustomerOutputSettingsDialog.h"

#include "components/Prompts.h"
#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/EnterMovesFocus.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"
#include "settings/widgets/ColumnListEditor.h"
#include "settings/widgets/FixedDialog.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

ColumnListEditor::Placement placement()
{
    ColumnListEditor::Placement at;
    at.layoutAt = QPoint(14, 14);
    at.listAt = QPoint(255, 54);
    at.numberedRows = 20;
    at.catalogueHeight = 300;
    return at;
}

FocusMarkedButton *named(FocusMarkedButton *button, const char *name)
{
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

CustomerOutputSettingsDialog::CustomerOutputSettingsDialog(const QString &programDir, Prompts &prompts, QWidget *parent)
    : QDialog(parent)
    , editor(new ColumnListEditor(*this, customerColumnCatalogue(), CustomerOutputSettings::MaxCustomTextBytes,
                                  placement()))
    , okButton(named(FixedDialog::button(QStringLiteral("確定 &Y"), Qt::darkGreen, ButtonGlyphs::checkMark(),
                                         QRect(20, 403, 100, 32), this),
                     "OkButton"))
    , cancelButton(named(FixedDialog::button(QStringLiteral("放棄 &N"), QColor(128, 0, 0), ButtonGlyphs::cross(),
                                             QRect(135, 403, 100, 32), this),
                         "CancelButton"))
    , programDir_(programDir)
    , prompts_(prompts.forWindow(this))
{
    setObjectName(QStringLiteral("TBar23SearchForm"));
    FixedDialog::setUp(*this, QStringLiteral("輸出內容設定"), QSize(731, 453));
    setFont(Fonts::sans(9));
    ini_.setNotifier([this](const QString &text) { prompts_->plainMessage(text); });
    for (const auto &[text, top] : {std::pair{"客戶代號及卡號：可以不", 170}, std::pair{"用在輸出內容內", 190}}) {
        QLabel *note = FixedDialog::label(QString::fromUtf8(text), QPoint(14, top), this);
        QPalette palette = note->palette();
        palette.setColor(QPalette::WindowText, Qt::red);
        note->setPalette(palette);
    }
    connect(okButton, &QPushButton::clicked, this, &CustomerOutputSettingsDialog::onOk);
    connect(cancelButton, &QPushButton::clicked, this, &CustomerOutputSettingsDialog::onCancel);
    EnterMovesFocus::install(this);
    editor->installKeys(*this);
    openFile();
    loadSettings();
}

void CustomerOutputSettingsDialog::openFile()
{
    ini_.setFileName(customerOutputSettingsPath(programDir_));
    ini_.setSection("SET");
}

CustomerOutputSettings CustomerOutputSettingsDialog::currentSettings() const
{
    CustomerOutputSettings settings;
    settings.fixedWidth = editor->fixedWidth();
    settings.oneLinePerLabel = editor->oneLinePerLabel();
    settings.columns = editor->columns();
    return settings;
}

void CustomerOutputSettingsDialog::loadSettings()
{
    const CustomerOutputSettings settings = loadCustomerOutputSettings(ini_);
    editor->show(settings.fixedWidth, settings.oneLinePerLabel, settings.columns);
}

QString CustomerOutputSettingsDialog::storeSettings()
{
    const QString directoryProblem = makeCustomerLabelDirectory(programDir_);
    if (!directoryProblem.isEmpty()) {
        return directoryProblem;
    }
    return storeCustomerOutputSettings(ini_, currentSettings());
}

void CustomerOutputSettingsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FixedDialog::centreOnScreen(*this);
        editor->clearCustomText();
        confirmed_ = false;
        okButton->setFocus();
    }
}

void CustomerOutputSettingsDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CustomerOutputSettingsDialog::onOk()
{
    okButton->setFocus();
    // A store that fails keeps the dialog open with the edits, rather than
    // reloading the old file over them.
    const QString error = storeSettings();
    if (!error.isEmpty()) {
        prompts_->plainMessage(error);
        return;
    }
    confirmed_ = true;
    loadSettings();
    accept();
}

void CustomerOutputSettingsDialog::onCancel()
{
    openFile();
    loadSettings();
    reject();
}
