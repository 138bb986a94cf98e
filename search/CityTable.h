#pragma once

// One supported city; the row number in the table is its identity everywhere.
struct CityRow {
  const char* name;    // display name, GBK
  const char* code;    // host label on both sites
  const char* prefix;  // "http://" + code
};

constexpr int kCityCount = 12;
extern const CityRow kCityTable[kCityCount];

// The row to use for a stored or selected position: outside 0..11 counts as row 0.
int ValidCityRow(int row);
