#pragma once

class Database;

// Adds count products for benchmarks: groups of twelve colour/size variants
// (codes Z000001-WH-S ...) with names, care lines and prices like the seed's.
// Codes are fixed by position, so running it again on a file replaces, never duplicates.
void addSyntheticProducts(Database &db, int count);
