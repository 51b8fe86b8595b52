#include "labelqueue/widgets/CountRuleDialog.h"

#include "components/widgets/ButtonGlyphs.h"
#include "components/widgets/EnterMovesFocus.h"
#include "components/widgets/FocusMarkedButton.h"
#include "components/widgets/Fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>

namespace {

// The first rows left alone that the dialog names.
constexpr int leftAloneShown = 5;

template <typename Control>
Control *named(Control *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QLineEdit *numberEdit(const char *name, QWidget *parent)
{
    auto *edit = named(new QLineEdit(parent), name);
    edit->setMaximumWidth(90);
    return edit;
}

FocusMarkedButton *button(const char *name, const QString &caption, const QPixmap &glyph, QWidget *parent)
{
    auto *made = named(new FocusMarkedButton(caption, parent), name);
    made->setAutoDefault(false);
    if (!glyph.isNull()) {
        made->setGlyph(glyph);
    }
    made->setMinimumHeight(30);
    return made;
}

} // namespace

CountRuleDialog::CountRuleDialog(Prompts &prompts, const QString &programDir, QWidget *parent)
    : QDialog(parent)
    , keepCountRadio(named(new QRadioButton(QStringLiteral("保留原張數(&K)"), this), "keepCountRadio"))
    , fixedCountRadio(named(new QRadioButton(QStringLiteral("每筆固定(&T)"), this), "fixedCountRadio"))
    , fixedCountEdit(numberEdit("fixedCountEdit", this))
    , factorEdit(numberEdit("factorEdit", this))
    , sparesEdit(numberEdit("sparesEdit", this))
    , percentEdit(numberEdit("percentEdit", this))
    , roundingCombo(named(new QComboBox(this), "roundingCombo"))
    , minimumEdit(numberEdit("minimumEdit", this))
    , maximumEdit(numberEdit("maximumEdit", this))
    , zeroRowsCheck(named(new QCheckBox(QStringLiteral("張數為 0 或空白的也套用(&Z)"), this), "zeroRowsCheck"))
    , scopeLabel(named(new QLabel(this), "scopeLabel"))
    , summaryLabel(named(new QLabel(this), "summaryLabel"))
    , leftAloneLabel(named(new QLabel(this), "leftAloneLabel"))
    , storedKindCombo(named(new QComboBox(this), "storedKindCombo"))
    , loadStoredButton(button("loadStoredButton", QStringLiteral("讀入規則&G"), QPixmap(), this))
    , autoApplyCheck(named(new QCheckBox(QStringLiteral("每次引入後自動套用(&U)"), this), "autoApplyCheck"))
    , storeButton(button("storeButton", QStringLiteral("存入規則&V"), QPixmap(), this))
    , storedNotice(named(new QLabel(this), "storedNotice"))
    , okButton(button("OkButton", QStringLiteral("確定 &Y"), ButtonGlyphs::checkMark(), this))
    , cancelButton(button("CancelButton", QStringLiteral("放棄 &N"), ButtonGlyphs::cross(), this))
    , prompts_(prompts.forWindow(this))
    , store_(programDir)
{
    setObjectName(QStringLiteral("CountRuleDialog"));
    setWindowTitle(QStringLiteral("張數規則"));
    setFont(Fonts::sans(10));
    roundingCombo->addItems({QStringLiteral("無條件進位"), QStringLiteral("無條件捨去"), QStringLiteral("四捨五入")});
    keepCountRadio->setChecked(true);
    factorEdit->setText(QStringLiteral("1"));
    QFont bold = summaryLabel->font();
    bold.setBold(true);
    summaryLabel->setFont(bold);
    for (QLabel *shown : {scopeLabel, summaryLabel, leftAloneLabel, storedNotice}) {
        shown->setWordWrap(true);
    }
    layOut();

    for (QLineEdit *edit : {fixedCountEdit, factorEdit, sparesEdit, percentEdit, minimumEdit, maximumEdit}) {
        connect(edit, &QLineEdit::textChanged, this, &CountRuleDialog::showPlan);
    }
    connect(fixedCountRadio, &QRadioButton::toggled, this, [this](bool fixed) {
        fixedCountEdit->setEnabled(fixed);
        showPlan();
    });
    connect(roundingCombo, &QComboBox::currentIndexChanged, this, &CountRuleDialog::showPlan);
    connect(zeroRowsCheck, &QCheckBox::toggled, this, &CountRuleDialog::showPlan);
    connect(storedKindCombo, &QComboBox::currentIndexChanged, this, &CountRuleDialog::showStoredKind);
    connect(loadStoredButton, &QPushButton::clicked, this, &CountRuleDialog::onLoadStored);
    connect(storeButton, &QPushButton::clicked, this, &CountRuleDialog::onStore);
    connect(okButton, &QPushButton::clicked, this, &CountRuleDialog::onOk);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    fixedCountEdit->setEnabled(false);
    EnterMovesFocus::install(this);
}

void CountRuleDialog::layOut()
{
    auto *grid = new QGridLayout(this);
    const auto caption = [this](const QString &text, QWidget *buddy) {
        auto *label = new QLabel(text, this);
        label->setBuddy(buddy);
        return label;
    };
    const auto unit = [this](const QString &text) { return new QLabel(text, this); };
    int row = 0;
    grid->addWidget(keepCountRadio, row, 0, 1, 2);
    grid->addWidget(fixedCountRadio, row, 2);
    grid->addWidget(fixedCountEdit, row, 3);
    grid->addWidget(unit(QStringLiteral("張")), row++, 4);
    grid->addWidget(caption(QStringLiteral("乘以(&M)"), factorEdit), row, 0);
    grid->addWidget(factorEdit, row++, 1);
    grid->addWidget(caption(QStringLiteral("每筆加(&E)"), sparesEdit), row, 0);
    grid->addWidget(sparesEdit, row, 1);
    grid->addWidget(caption(QStringLiteral("張，再加(&R)"), percentEdit), row, 2);
    grid->addWidget(percentEdit, row, 3);
    grid->addWidget(unit(QStringLiteral("%（進位成整張）")), row++, 4);
    grid->addWidget(caption(QStringLiteral("非整數(&O)"), roundingCombo), row, 0);
    grid->addWidget(roundingCombo, row++, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("每筆至少(&L)"), minimumEdit), row, 0);
    grid->addWidget(minimumEdit, row, 1);
    grid->addWidget(caption(QStringLiteral("張，至多(&X)"), maximumEdit), row, 2);
    grid->addWidget(maximumEdit, row, 3);
    grid->addWidget(unit(QStringLiteral("張")), row++, 4);
    grid->addWidget(zeroRowsCheck, row++, 0, 1, 5);
    grid->addWidget(scopeLabel, row++, 0, 1, 5);
    grid->addWidget(summaryLabel, row++, 0, 1, 5);
    grid->addWidget(leftAloneLabel, row++, 0, 1, 5);

    auto *stored = new QHBoxLayout;
    stored->addWidget(caption(QStringLiteral("引入種類(&J)"), storedKindCombo));
    stored->addWidget(storedKindCombo);
    stored->addWidget(loadStoredButton);
    stored->addWidget(autoApplyCheck);
    stored->addWidget(storeButton);
    grid->addLayout(stored, row++, 0, 1, 5);
    grid->addWidget(storedNotice, row++, 0, 1, 5);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    grid->addLayout(buttons, row, 0, 1, 5);

    QWidget *order[] = {keepCountRadio,  fixedCountRadio,  fixedCountEdit, factorEdit,    sparesEdit, percentEdit,
                        roundingCombo,   minimumEdit,      maximumEdit,    zeroRowsCheck, okButton,   cancelButton,
                        storedKindCombo, loadStoredButton, autoApplyCheck, storeButton};
    for (size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void CountRuleDialog::setKinds(const QList<CountRuleKind> &kinds)
{
    kinds_ = kinds;
    storedKindCombo->clear();
    for (const CountRuleKind &kind : kinds) {
        storedKindCombo->addItem(kind.title);
    }
}

bool CountRuleDialog::ask(const QueueCountRows &rows, const QString &scope)
{
    rows_ = rows;
    scopeLabel->setText(QStringLiteral("套用於") + scope);
    store_.load();
    showStoredKind();
    showPlan();
    return exec() == QDialog::Accepted;
}

void CountRuleDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    factorEdit->setFocus();
    factorEdit->selectAll();
}

CountRuleTexts CountRuleDialog::texts() const
{
    CountRuleTexts texts;
    texts.fixedCount = fixedCountRadio->isChecked() ? fixedCountEdit->text() : QString();
    texts.factor = factorEdit->text();
    texts.sparesPerRow = sparesEdit->text();
    texts.percent = percentEdit->text();
    const char *const roundings[] = {"up", "down", "nearest"};
    texts.rounding = QLatin1String(roundings[std::max(roundingCombo->currentIndex(), 0)]);
    texts.minimum = minimumEdit->text();
    texts.maximum = maximumEdit->text();
    texts.zeroRowsToo = zeroRowsCheck->isChecked();
    return texts;
}

CountRuleParse CountRuleDialog::parsed() const
{
    if (fixedCountRadio->isChecked() && fixedCountEdit->text().trimmed().isEmpty()) {
        CountRuleParse missing;
        missing.field = CountRuleTexts::Field::Fixed;
        missing.problem = QStringLiteral("沒有填張數");
        return missing;
    }
    return parseCountRule(texts());
}

void CountRuleDialog::showPlan()
{
    const CountRuleParse parse = parsed();
    QPalette palette = summaryLabel->palette();
    if (!parse.rule) {
        palette.setColor(QPalette::WindowText, Qt::red);
        summaryLabel->setPalette(palette);
        summaryLabel->setText(QStringLiteral("「%1」%2").arg(countRuleFieldTitle(parse.field), parse.problem));
        leftAloneLabel->clear();
        return;
    }
    const CountPlan plan = planCounts(rows_, *parse.rule);
    palette.setColor(QPalette::WindowText, plan.tooWide.isEmpty() ? QColor(Qt::darkBlue) : QColor(Qt::red));
    summaryLabel->setPalette(palette);
    summaryLabel->setText(plan.tooWide.isEmpty() ? countSummary(plan) : plan.tooWide);
    QStringList lines;
    for (size_t i = 0; i < plan.leftAlone.size() && i < size_t(leftAloneShown); ++i) {
        lines.append(QStringLiteral("第 %1 筆：%2")
                         .arg(plan.leftAlone[i].row + 1)
                         .arg(leftAloneReason(plan.leftAlone[i].result)));
    }
    if (plan.leftAlone.size() > size_t(leftAloneShown)) {
        lines.append(QStringLiteral("……共 %1 筆不變更").arg(plan.leftAlone.size()));
    }
    leftAloneLabel->setText(lines.isEmpty() ? QString() : QStringLiteral("不變更：") + lines.join(QLatin1Char('\n')));
}

QWidget *CountRuleDialog::fieldOf(CountRuleTexts::Field field) const
{
    switch (field) {
    case CountRuleTexts::Field::Fixed:
        return fixedCountEdit;
    case CountRuleTexts::Field::Factor:
        return factorEdit;
    case CountRuleTexts::Field::Spares:
        return sparesEdit;
    case CountRuleTexts::Field::Percent:
        return percentEdit;
    case CountRuleTexts::Field::Rounding:
        return roundingCombo;
    case CountRuleTexts::Field::Minimum:
        return minimumEdit;
    case CountRuleTexts::Field::Maximum:
        break;
    }
    return maximumEdit;
}

void CountRuleDialog::onOk()
{
    const CountRuleParse parse = parsed();
    if (!parse.rule) {
        prompts_->plainMessage(
            QStringLiteral("「%1」%2，張數沒有變更。").arg(countRuleFieldTitle(parse.field), parse.problem));
        fieldOf(parse.field)->setFocus();
        return;
    }
    const CountPlan plan = planCounts(rows_, *parse.rule);
    if (!plan.tooWide.isEmpty()) {
        prompts_->plainMessage(plan.tooWide + QStringLiteral("，張數沒有變更。"));
        factorEdit->setFocus();
        return;
    }
    rule_ = *parse.rule;
    accept();
}

void CountRuleDialog::showStoredKind()
{
    const int index = storedKindCombo->currentIndex();
    const std::optional<StoredCountRule> stored =
        index >= 0 && index < kinds_.size() ? store_.rule(kinds_[index].key) : std::nullopt;
    autoApplyCheck->setChecked(stored && stored->automatic);
    loadStoredButton->setEnabled(stored.has_value());
    storedNotice->setText(!store_.problem().isEmpty() ? store_.problem()
                          : stored                    ? QStringLiteral("這種引入存有規則%1。")
                                         .arg(stored->automatic ? QStringLiteral("，每次引入後自動套用") : QString())
                                   : QStringLiteral("這種引入沒有存入的規則。"));
}

void CountRuleDialog::onLoadStored()
{
    const int index = storedKindCombo->currentIndex();
    const std::optional<StoredCountRule> stored =
        index >= 0 && index < kinds_.size() ? store_.rule(kinds_[index].key) : std::nullopt;
    if (!stored) {
        return;
    }
    const CountRuleTexts texts = countRuleTexts(stored->rule);
    (texts.fixedCount.isEmpty() ? keepCountRadio : fixedCountRadio)->setChecked(true);
    fixedCountEdit->setText(texts.fixedCount);
    factorEdit->setText(texts.factor);
    sparesEdit->setText(texts.sparesPerRow);
    percentEdit->setText(texts.percent);
    roundingCombo->setCurrentIndex(int(stored->rule.rounding));
    minimumEdit->setText(texts.minimum);
    maximumEdit->setText(texts.maximum);
    zeroRowsCheck->setChecked(texts.zeroRowsToo);
    showPlan();
}

void CountRuleDialog::onStore()
{
    const int index = storedKindCombo->currentIndex();
    const CountRuleParse parse = parsed();
    if (index < 0 || index >= kinds_.size()) {
        return;
    }
    if (!parse.rule) {
        prompts_->plainMessage(
            QStringLiteral("「%1」%2，規則沒有存入。").arg(countRuleFieldTitle(parse.field), parse.problem));
        fieldOf(parse.field)->setFocus();
        return;
    }
    const QString error = store_.store(kinds_[index].key, StoredCountRule{*parse.rule, autoApplyCheck->isChecked()});
    if (!error.isEmpty()) {
        prompts_->plainMessage(QStringLiteral("張數規則無法存入 %1：%2").arg(CountRuleStore::fileName(), error));
    }
    showStoredKind();
}
