#pragma once

#include "productlabels/widgets/DocumentConditionsDialog.h"

// The transfer-out import's conditions ("調撥出庫資料"): sending branch,
// note numbers and dates, price branch.
class TransferOutImportDialog : public DocumentConditionsDialog
{
    Q_OBJECT

public:
    explicit TransferOutImportDialog(Prompts &prompts, QWidget *parent = nullptr);
};
