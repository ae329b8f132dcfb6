#include "host/Commands.h"

namespace dux {

bool RunCommand(std::int32_t number, const std::vector<std::string>& params) {
  (void)number;
  (void)params;
  return false;
}

}  // namespace dux
