#include "BranchAccess.h"

#include "Database.h"
#include "Refusal.h"
#include "RequestFields.h"

#include <map>

BranchAccess BranchAccess::authenticate(Database &db, const RequestFields &fields)
{
    std::map<std::string, std::string> passwords;
    Statement statement = db.prepare("SELECT bran_no, link_pass FROM branch");
    while (statement.step()) {
        passwords.emplace(statement.text(0), statement.text(1));
    }
    const std::string branch = fields.raw("bran_no");
    const std::string password = fields.raw("link_pass");
    const auto own = passwords.find(branch);
    const auto headOffice = passwords.find(kHeadOffice);
    if (!fields.has("bran_no") || !fields.has("link_pass") || own == passwords.end()) {
        throw Refusal(QStringLiteral("密碼錯誤"));
    }
    BranchAccess access;
    access.branch_ = branch;
    if (headOffice != passwords.end() && password == headOffice->second) {
        access.everyBranch_ = true;
    } else if (password != own->second) {
        throw Refusal(QStringLiteral("密碼錯誤"));
    }
    for (const auto &entry : passwords) {
        access.known_.insert(entry.first);
    }
    return access;
}

void BranchAccess::checkMayRead(const std::string &code) const
{
    if (code.empty()) {
        return;
    }
    if (known_.count(code) == 0) {
        throw Refusal(QStringLiteral("分店代號錯誤 : ") + QString::fromStdString(code));
    }
    if (!everyBranch_ && code != branch_) {
        throw Refusal(QStringLiteral("無權讀取其他分店的資料 : ") + QString::fromStdString(code));
    }
}

std::string BranchAccess::scope(const std::string &requested) const
{
    checkMayRead(requested);
    if (!requested.empty()) {
        return requested;
    }
    return everyBranch_ ? std::string() : branch_;
}
