#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma lists: the form in which the keyword and supplemental-category datasets travel as one
// text. Only commas separate items (a keyword may hold blanks); blanks around an item are
// dropped. An item that holds a comma or a double quote is written in double quotes with inner
// quotes doubled.
namespace dux {

// The items of `text`. Leading blanks are skipped; a quoted item runs to its closing quote (a
// doubled quote inside stands for one); any other item runs to the next comma and loses its
// trailing blanks. Two commas in a row give an empty item, and so does a comma that is the very
// last character.
std::vector<std::string> SplitCommaList(std::string_view text);

// The items joined with "," and quoted where needed. A list of exactly one empty item is
// written as two double quotes.
std::string JoinCommaList(const std::vector<std::string>& items);

// One item as it must stand in a list so that SplitCommaList gives it back.
std::string QuoteListItem(std::string_view item);

}  // namespace dux
