#include "host/Commands.h"

#include "host/ExifCommand.h"
#include "host/IptcCommands.h"
#include "host/UtilityCommands.h"

namespace dux {
namespace {

const std::string& Param(const std::vector<std::string>& params, std::size_t index) {
  static const std::string kEmpty;
  return index < params.size() ? params[index] : kEmpty;
}

}  // namespace

bool RunCommand(std::int32_t number, const std::vector<std::string>& params) {
  switch (number) {
    case 1:
      return IptcRead(Param(params, 0));
    case 2:
      return IptcWrite(Param(params, 0), Param(params, 1));
    case 3:
      return SetVariable(Param(params, 0), Param(params, 1));
    case 5:
      return ExifRead(Param(params, 0));
    case 6:
      return GetTag(Param(params, 0), Param(params, 1), Param(params, 2), Param(params, 3),
                    Param(params, 4));
    default:
      return false;
  }
}

}  // namespace dux
