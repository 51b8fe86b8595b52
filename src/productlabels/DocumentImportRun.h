#pragma once

#include "productlabels/DocumentConditions.h"
#include "productlabels/ProductImport.h"

// A document import: the request built from conditions and the exchange's
// current link settings, posted to the import's script; every row keeps the
// quantity of the reply.
ImportOutcome runDocumentImport(ServerExchange &exchange, DocumentImport import, const DocumentConditions &conditions,
                                const ExpansionValues &expansion, ReplyRecordSink &sink,
                                const std::function<void(int rowsAdded)> &progress = {});
