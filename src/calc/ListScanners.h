#pragma once

#include <string>

/// Scans a comma-separated list of powers in percent. On success returns nullptr and fills
/// values[0..count) with the distinct values in descending order; otherwise returns the
/// message that tells the user what is wrong, and count is meaningless.
const char* scanPowerList(const std::string& text, double (&values)[100], int& count);

/// Scans a comma-separated list of sample sizes. On success returns nullptr and fills
/// values[0..count) with the distinct sizes in ascending order; otherwise returns the
/// message that tells the user what is wrong, and count is meaningless.
const char* scanSampleSizeList(const std::string& text, int (&values)[100], int& count);
