#include "productlabels/widgets/StockTakeImportDialog.h"

#include "components/widgets/DateEdit.h"

#include <QComboBox>
#include <QLineEdit>

StockTakeImportDialog::StockTakeImportDialog(Prompts &prompts, QWidget *parent)
    : DocumentConditionsDialog(DocumentImport::StockTake, "TBar4SearchForm", prompts, parent)
{
    layOut({{QStringLiteral("盤點-店名"), branchBox, 110},
            {QStringLiteral("盤點單號"), startNumberEdit, 150, endNumberEdit, QStringLiteral("至")},
            {QStringLiteral("盤點日期"), startDateEdit, 110, endDateEdit, QStringLiteral("至")}},
           QStringLiteral("數量: 依盤點數量"));
}
