#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/StdControls.h"

// What the action editors and the about box need of the host. The plug-in's entry points hand in
// an implementation over the host's callbacks; tests hand in their own.
namespace dux::editors {

// The host's interface requests the dialogs make.
inline constexpr std::int32_t kRequestSelectObject = 8;
inline constexpr std::int32_t kRequestInsertVariable = 14;
inline constexpr std::int32_t kRequestChooseFile = 16;

// One command as the dialogs show it.
struct tCommandInfo {
  std::int32_t number = 0;
  std::string name;
  int group = 0;            // 1 or 2
  std::string description;  // as announced, INI override included
};

class HostServices {
 public:
  virtual ~HostServices() = default;
  // The value of a host variable ("[PubDir]"); empty when the host has none.
  virtual std::string Variable(std::string_view name) = 0;
  // Whether the host takes interface requests at all.
  virtual bool CanRequest() const = 0;
  // The host's answer to interface request `code` about `text`; nothing when it refuses or
  // takes no requests.
  virtual std::optional<std::string> Request(std::int32_t code, const std::string& text) = 0;
  // "duxIPTC".
  virtual std::string ProductName() const = 0;
  // The fixed group names (not the INI overrides), group 1 first, and every command in order.
  virtual std::vector<std::string> GroupNames() const = 0;
  virtual std::vector<tCommandInfo> Commands() const = 0;
  // Shows the form as a modal dialog over the host's window; returns its modal result.
  virtual int ShowModal(controls::TForm& form) = 0;
  // Opens a web address with the system's browser; false when that fails.
  virtual bool OpenInShell(const std::string& target) = 0;
};

// An action's parameters while an editor has them: the texts the host gave, and the ones the
// editor stores back (only those are handed back to the host).
class Parameters {
 public:
  explicit Parameters(std::vector<std::string> texts) : texts_(std::move(texts)) {}
  // Parameter `index` (0-based); empty past the ones given.
  std::string Get(std::size_t index) const {
    return index < texts_.size() ? texts_[index] : std::string();
  }
  void Set(std::size_t index, std::string text) {
    if (index >= texts_.size()) texts_.resize(index + 1);
    texts_[index] = text;
    stored_[index] = std::move(text);
  }
  // What the editor stored, by index.
  const std::map<std::size_t, std::string>& Stored() const { return stored_; }

 private:
  std::vector<std::string> texts_;
  std::map<std::size_t, std::string> stored_;
};

}  // namespace dux::editors
