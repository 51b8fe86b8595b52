#include "productlabels/widgets/TransferOutImportDialog.h"

#include "components/widgets/DateEdit.h"

#include <QComboBox>
#include <QLineEdit>

TransferOutImportDialog::TransferOutImportDialog(Prompts &prompts, QWidget *parent)
    : DocumentConditionsDialog(DocumentImport::TransferOut, "TBar5SearchForm", prompts, parent)
{
    layOut({{QStringLiteral("出庫-店名"), branchBox, 110},
            {QStringLiteral("出庫單號"), startNumberEdit, 150, endNumberEdit, QStringLiteral("至")},
            {QStringLiteral("出庫日期"), startDateEdit, 110, endDateEdit, QStringLiteral("至")},
            {QStringLiteral("價格-店名"), priceBranchBox, 110}},
           QStringLiteral("數量: 依出庫數量"));
}
