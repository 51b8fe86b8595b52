#pragma once

#include "exchange/LinkSettings.h"
#include "productlabels/DocumentConditions.h"
#include "settings/ProductOutputSettings.h"

#include <QByteArray>

// The request of a document import, in the order its script expects: the
// link start with the branch keys (BranchRequest), the dates unless blank,
// the numbers and the other texts when not empty (untrimmed), and the import's
// own keys around the four expansion keys.
QByteArray documentImportRequest(DocumentImport import, const DocumentConditions &conditions, const LinkSettings &link,
                                 const ExpansionValues &expansion);
