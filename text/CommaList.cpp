#include "text/CommaList.h"

#include "text/AsciiText.h"

namespace dux {
namespace {

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && IsBlankOrControl(text[i])) ++i;
  return i;
}

// The quoted item starting at text[i] (the opening quote); i ends past the closing quote, or at
// the end of the text when the quote is never closed.
std::string QuotedItem(std::string_view text, std::size_t& i) {
  std::string item;
  for (++i; i < text.size(); ++i) {
    if (text[i] != '"') {
      item += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '"') {
      item += '"';
      ++i;
    } else {
      ++i;
      break;
    }
  }
  return item;
}

bool NeedsQuotes(std::string_view item) {
  if (item.find_first_of(",\"") != std::string_view::npos) return true;
  return !item.empty() && (IsBlankOrControl(item.front()) || IsBlankOrControl(item.back()));
}

}  // namespace

std::vector<std::string> SplitCommaList(std::string_view text) {
  std::vector<std::string> items;
  std::size_t i = SkipBlanks(text, 0);
  while (i < text.size()) {
    if (text[i] == '"') {
      items.push_back(QuotedItem(text, i));
    } else {
      const std::size_t start = i;
      while (i < text.size() && text[i] != ',') ++i;
      items.emplace_back(TrimRightBlanks(text.substr(start, i - start)));
    }
    i = SkipBlanks(text, i);
    if (i < text.size() && text[i] == ',') {
      if (i + 1 == text.size()) items.emplace_back();
      i = SkipBlanks(text, i + 1);
    }
  }
  return items;
}

std::string QuoteListItem(std::string_view item) {
  if (!NeedsQuotes(item)) return std::string(item);
  std::string quoted = "\"";
  for (const char c : item) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  return quoted + "\"";
}

std::string JoinCommaList(const std::vector<std::string>& items) {
  if (items.size() == 1 && items[0].empty()) return "\"\"";
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += ',';
    text += QuoteListItem(items[i]);
  }
  return text;
}

}  // namespace dux
