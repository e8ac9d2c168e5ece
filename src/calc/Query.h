#pragma once

/// The integer after key in a report link query such as "n=3&pow=2": the first occurrence
/// of key, then the first "=" after it, then the number as atoi reads it. Gives -1 when
/// either argument is null, when key or the "=" is missing, or when the number lies
/// outside the range of int (no table index can be that large).
int QueryInt(const char* query, const char* key);

/// QueryInt when it indexes a list of count entries (0 to count - 1), otherwise -1.
int QueryIndex(const char* query, const char* key, int count);
