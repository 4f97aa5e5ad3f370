#pragma once

#include <QtGlobal>

#include <vector>

// Sorts 64-bit keys ascending with a least-significant-digit radix sort of
// 13-bit digits, doing only as many passes as the largest key needs. Face and
// edge matching sort millions of packed keys; this is several times faster
// than a comparison sort on them.
void sortKeys(std::vector<quint64> &keys);

// Sorts and removes duplicates.
void sortUniqueKeys(std::vector<quint64> &keys);
