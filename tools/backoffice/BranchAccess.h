#pragma once

#include <set>
#include <string>

class Database;
class RequestFields;

// The branch a request speaks for and what it may read. A link password is
// checked against the branch in "bran_no"; the head office password opens every
// branch, which is how head office staff read another branch's prices.
class BranchAccess
{
public:
    static constexpr const char *kHeadOffice = "A";

    // Throws Refusal("密碼錯誤") for an unknown branch or a wrong password.
    static BranchAccess authenticate(Database &db, const RequestFields &fields);

    const std::string &branch() const { return branch_; }
    bool readsEveryBranch() const { return everyBranch_; }

    // Throws Refusal when the code names no branch, or one this reader may not read.
    // An empty code passes: it chooses nothing.
    void checkMayRead(const std::string &code) const;
    // The branch a condition key restricts to: the requested one when given
    // (after checkMayRead), else nothing for head office and the own branch for a store.
    std::string scope(const std::string &requested) const;

private:
    std::string branch_;
    bool everyBranch_ = false;
    std::set<std::string> known_;
};
