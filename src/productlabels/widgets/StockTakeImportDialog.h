#pragma once

#include "productlabels/widgets/DocumentConditionsDialog.h"

// The stock-take import's conditions ("盤點資料查詢"): counting branch,
// sheet numbers and dates; no price branch.
class StockTakeImportDialog : public DocumentConditionsDialog
{
    Q_OBJECT

public:
    explicit StockTakeImportDialog(Prompts &prompts, QWidget *parent = nullptr);
};
