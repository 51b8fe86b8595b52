#pragma once

class Database;

// Adds count customers (codes Y0000001 onwards) spread over the branches,
// clubs, creation dates and birthdays of the year, for benchmarks.
void addSyntheticCustomers(Database &db, int count);
