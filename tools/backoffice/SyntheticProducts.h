#pragma once

class Database;

// Adds count products for benchmarks: groups of twelve colour/size variants
// (codes Z000001-WH-S ...) with names, care lines and prices like the seed's.
// Codes are fixed by position, so running it again on a file replaces, never duplicates.
void addSyntheticProducts(Database &db, int count);

// Adds the purchase receipt "PZ00000001" of branch A (2024/05/01, supplier
// S001) with lines over the first products of addSyntheticProducts, in turn,
// each with a quantity of 1 to 12.
void addSyntheticReceipt(Database &db, int lines, int products);
