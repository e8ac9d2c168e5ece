#pragma once

#include <string>

class CHtmlWriter;

/// "an" when name begins with a lower-case vowel letter, otherwise "a".
const char* ArticleFor(const char* name);

/// The folder of the running program's file, with its trailing "/", followed by
/// "Templates/" and name; false when the program's path cannot be obtained.
bool TemplatePath(const char* name, std::string& out);

/// text in bold.
void WriteBold(CHtmlWriter& w, const char* text);

/// An HTML spacer cell between table columns; nothing in text mode.
void WriteSpacerCell(CHtmlWriter& w);

/// The row colour of shaded tables: EEEEFF for even rows, none for odd ones.
unsigned int RowColor(int index);
