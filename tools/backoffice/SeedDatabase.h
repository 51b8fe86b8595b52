#pragma once

class Database;

// Creates the schema and the demo chain's data in a database that has none yet,
// then checks that every text can go out as Big5. Throws DatabaseError when
// either fails, naming the table, column and value at fault.
// Returns true when it seeded, false when the database already held data.
bool seedIfEmpty(Database &db);
