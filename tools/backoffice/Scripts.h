#pragma once

#include <string>
#include <string_view>

class Database;
class RequestFields;

// One back-office script: takes the parsed request, returns the whole reply
// body in Big5. A refusal is thrown as Refusal and becomes a one-line reply.
using ScriptHandler = std::string (*)(Database &db, const RequestFields &fields);

namespace Scripts {

std::string linkTest(Database &db, const RequestFields &fields);
std::string branches(Database &db, const RequestFields &fields);
std::string products(Database &db, const RequestFields &fields);
std::string purchases(Database &db, const RequestFields &fields);
std::string stockTakes(Database &db, const RequestFields &fields);
std::string transfersOut(Database &db, const RequestFields &fields);
std::string documents(Database &db, const RequestFields &fields);
std::string customers(Database &db, const RequestFields &fields);

// The handler for a script file name such as "qelvoitemseek.php"; null when unknown.
ScriptHandler find(std::string_view name);

} // namespace Scripts
