#pragma once

#include <map>
#include <string>

// The plug-in registered, in this process, with a host whose variables the test holds, so that
// command bodies run as the entry points run them. One at a time; everything is put back when
// it ends.
namespace dux::test {

class RegisteredHost {
 public:
  RegisteredHost();
  ~RegisteredHost();
  RegisteredHost(const RegisteredHost&) = delete;
  RegisteredHost& operator=(const RegisteredHost&) = delete;

  std::map<std::string, std::string> variables;  // code page 1252, as the host keeps them
};

}  // namespace dux::test
