#pragma once

#include <string>

class Database;
class RequestFields;
class SqlQuery;

// The product record shared by every product import: 37 lines in the order the
// label program stores them, with the colour and size groups expanded on request.
namespace ProductRecords {

// Starts "SELECT <quantity>, <product columns> FROM "; the caller adds the rows'
// source, which must name the product as p.
void beginSelect(SqlQuery &query, const char *quantity);

// Joins the product's group, supplier, brand, category, colour, last purchase and
// the prices of a branch, and opens the WHERE clause. An empty branch gives list prices.
void joinDetails(SqlQuery &query, const std::string &priceBranch);
// The same, with the price branch taken per row from a column (a document's own branch).
void joinDetailsPricedBy(SqlQuery &query, const char *branchColumn);

// Runs the query and writes the reply; the expansion keys c14, c14a, s14, s14a
// come from the request. Throws Refusal for an unknown expansion value.
std::string write(Database &db, const SqlQuery &query, const RequestFields &fields);

} // namespace ProductRecords
