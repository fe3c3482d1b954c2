// Cutting text lines into items at separators, white space and quotation
// marks. Every loop advances; an empty separator or mark splits nothing.
#pragma once

#include <deque>
#include <string>

#include "core/Types.h"

// Appends the position of every occurrence (overlapping ones too) and
// returns how many this call found. An empty searched text finds nothing.
int FindAllPositions(const std::string& text, const std::string& searched, std::deque<int>& positions);
bool IsOdd(int value);
StringList SplitAtWhiteSpace(const std::string& text);
StringList SplitAtSeparators(const std::string& text, const std::string& separator);
// The mark positions get 0 in front and the text length behind.
StringList SplitQuotedItems(const std::string& text, const std::string& mark, std::deque<int>& markPositions);
StringList SplitLineQuotedImport(const std::string& line, const std::string& separator,
                                 std::deque<int>& markPositions);
