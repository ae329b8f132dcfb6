#include "host/CommandTable.h"

namespace dux {

static_assert(
    [] {
      for (std::size_t i = 0; i < kCommands.size(); ++i) {
        if (kCommands[i].Number != static_cast<std::int32_t>(i) + 1) return false;
      }
      return true;
    }(),
    "commands are numbered 1..6 in table order");

std::optional<tCommandRow> CommandByNumber(std::int32_t number) {
  if (number < 1 || number > static_cast<std::int32_t>(kCommands.size())) return std::nullopt;
  return kCommands[static_cast<std::size_t>(number) - 1];
}

}  // namespace dux
