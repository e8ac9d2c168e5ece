#pragma once

#include <string>

class CHtmlWriter;
class CTableLabels;

/// "an" when name begins with a lower-case vowel letter, otherwise "a".
const char* ArticleFor(const char* name);

/// The folder of the running program's file, with its trailing "/", followed by
/// "Templates/" and name; false when the program's path cannot be obtained or no file is
/// there.
bool ExistingTemplatePath(const char* name, std::string& out);

/// The start of a table of results: the anchor "RESULT" (links mode only), the bold title
/// when there is one, and the borderless table.
void WriteResultTableStart(CHtmlWriter& w, const CTableLabels& labels);
/// The end of a table of results, closing the anchor, with the hint to click a result when
/// the table has links and the writer writes click hints.
void WriteResultTableEnd(CHtmlWriter& w, const CTableLabels& labels);

/// The bold "Table of tradeoffs:" paragraph that introduces the table of a step-4 page.
void WriteTradeoffsCaption(CHtmlWriter& w);

/// The start of a choices block: in step 4 (detailed) the heading "Your choices:", an open
/// paragraph and "Test chosen: ", otherwise an open level-4 heading. The caller then writes
/// the name of the test and ends the head with WriteChoicesHeadEnd.
void WriteChoicesOpening(CHtmlWriter& w, bool detailed);

/// The end of the head of a choices block: a line break in step 4 (detailed), otherwise
/// the end of the level-4 heading and an open paragraph.
void WriteChoicesHeadEnd(CHtmlWriter& w, bool detailed);

/// text in bold.
void WriteBold(CHtmlWriter& w, const char* text);

/// An HTML spacer cell between table columns; nothing in text mode.
void WriteSpacerCell(CHtmlWriter& w);

/// The row colour of shaded tables: EEEEFF for even rows, none for odd ones.
unsigned int RowColor(int index);
