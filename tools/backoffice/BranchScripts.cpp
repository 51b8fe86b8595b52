#include "BranchAccess.h"
#include "Database.h"
#include "ReplyWriter.h"
#include "Scripts.h"

namespace Scripts {

std::string linkTest(Database &db, const RequestFields &fields)
{
    BranchAccess::authenticate(db, fields);
    return "DataOk\r\nEOT\r\n";
}

// Every code, whoever asks: the label program itself offers a store only its own.
std::string branches(Database &db, const RequestFields &fields)
{
    BranchAccess::authenticate(db, fields);
    Statement rows = db.prepare("SELECT bran_no FROM branch ORDER BY sort_order, bran_no");
    ReplyWriter reply;
    while (rows.step()) {
        reply.value(rows.text(0));
        reply.endRecord();
    }
    return reply.finish();
}

} // namespace Scripts
