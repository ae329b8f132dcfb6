#pragma once

#include <exception>
#include <new>
#include <string>

#include "host/PluginState.h"

namespace dux {

// Hands an error that reached an entry point to the host in "[LastError]".
inline void ReportFailure(const char* message) noexcept {
  try {
    SetHostVariable("[LastError]", message);
  } catch (...) {  // nothing more can be told: the host cannot even take the message
  }
}

// Runs an entry point's body so that no exception crosses into the host: an error is reported
// through "[LastError]" and `onFailure` is returned.
template <class Result, class Body>
Result Guarded(Result onFailure, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    ReportFailure("Out of memory");
  } catch (const std::exception& e) {
    ReportFailure(e.what());
  } catch (...) {
    ReportFailure("Unexpected error");
  }
  return onFailure;
}

}  // namespace dux
