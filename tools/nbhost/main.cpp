// nbhost: a command-line stand-in for the authoring host. It loads the plug-in, hands it the
// host's callbacks, keeps host variables in memory, runs one action and prints every variable
// the plug-in set. Host texts are code page 1252; arguments and output are UTF-8.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/CommandLine.h"
#include "platform/DialogDriver.h"
#include "platform/Module.h"
#include "text/Cp1252.h"
#include "tools/nbhost/JsonText.h"
#include "tools/nbhost/PluginHost.h"

namespace {

using dux::Cp1252ToUtf8;
using dux::Utf8ToCp1252;
using dux::tools::JsonString;
using dux::tools::PluginHost;

constexpr int kExitTrue = 0, kExitFalse = 1, kExitUsage = 2;

constexpr const char* kUsage =
    "usage: nbhost [--lib FILE] [--json] [--set NAME=VALUE]... [--message CODE] [--info]\n"
    "              (--list | ACTION [PARAM]... | --info | --message CODE |\n"
    "               --cmdlist FORMAT | --exec NUMBER [ARG]...)\n"
    "  --lib FILE        the plug-in (default: duxIPTC.nbp beside nbhost)\n"
    "  --json            print one JSON object instead of NAME=VALUE lines\n"
    "  --set NAME=VALUE  preset a host variable, NAME with its brackets\n"
    "  --set-from FILE   preset every variable of FILE, an earlier run's NAME=VALUE output\n"
    "                    (a line that does not start a variable continues the one before)\n"
    "  --message CODE    send nbMessage(CODE) before the action\n"
    "  --info            print the title, author and hint of nbInitPlugIn\n"
    "  --list            print the groups and commands as announced\n"
    "  --cmdlist FORMAT  print duxIPTCCmdList's text for FORMAT (LISP or anything else)\n"
    "  --exec NUMBER     run duxIPTCExec with the command number text and ARGs\n"
    "  ACTION            a command name or number; PARAMs are its parameters in order\n"
    "  --edit            open the ACTION's editor (nbEditAction) instead of running it; prints\n"
    "                    the parameters after the call, the host requests and the result\n"
    "  --about           open the about box (nbAbout)\n"
    "  --answer CODE=TEXT  answer interface request CODE with TEXT (others are refused)\n"
    "  --no-requests     do not register the interface-request function\n"
    "  --type NAME=TEXT, --choose NAME=INDEX, --click NAME, --screenshot FILE.bmp,\n"
    "  --close ok|cancel|escape|close\n"
    "                    on Windows, play the user of the dialog by window messages, in order\n"
    "                    (without them the dialog waits for a person; the Linux stand-in\n"
    "                    closes every dialog with Cancel)\n"
    "exit status: 0 the action returned true, 1 false, 2 usage or load error\n";

struct tOptions {
  std::string library;
  bool json = false;
  bool list = false;
  bool info = false;
  std::vector<std::pair<std::string, std::string>> presets;
  std::vector<int> messages;
  bool cmdList = false, exec = false;
  std::string cmdListFormat;
  std::string action;
  std::vector<std::string> params;
  bool edit = false, about = false, noRequests = false;
  std::vector<std::pair<int, std::string>> answers;
  std::vector<dux::platform::tDialogStep> steps;
};

// Splits NAME=VALUE; false without the equals sign.
bool SplitPair(const std::string& pair, std::string& name, std::string& value) {
  const auto equals = pair.find('=');
  if (equals == std::string::npos) return false;
  name = pair.substr(0, equals);
  value = pair.substr(equals + 1);
  return true;
}

int Usage(const std::string& problem) {
  if (!problem.empty()) std::cerr << "nbhost: " << problem << "\n";
  std::cerr << kUsage;
  return kExitUsage;
}

std::string DefaultLibrary() {
  std::string exe = dux::platform::ExecutableFileName();
  const auto slash = exe.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : exe.substr(0, slash + 1)) + "duxIPTC.nbp";
}

bool ParseInteger(const std::string& text, int& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || parsed < -2147483647L - 1 || parsed > 2147483647L) return false;
  value = static_cast<int>(parsed);
  return true;
}

// Parses the arguments; returns an error text, empty when they are fine.
std::string ParseOptions(const std::vector<std::string>& args, tOptions& options) {
  std::size_t i = 1;
  for (; i < args.size() && options.action.empty(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--lib" && hasValue) {
      options.library = args[++i];
    } else if (a == "--json") {
      options.json = true;
    } else if (a == "--list") {
      options.list = true;
    } else if (a == "--info") {
      options.info = true;
    } else if (a == "--set" && hasValue) {
      const std::string& pair = args[++i];
      const auto equals = pair.find('=');
      if (equals == std::string::npos) return "--set needs NAME=VALUE";
      options.presets.emplace_back(pair.substr(0, equals), pair.substr(equals + 1));
    } else if (a == "--set-from" && hasValue) {
      std::ifstream in(args[++i], std::ios::binary);
      if (!in) return "--set-from cannot read " + args[i];
      std::string line;
      while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto equals = line.find("]=");
        if (line.starts_with('[') && equals != std::string::npos) {
          options.presets.emplace_back(line.substr(0, equals + 1), line.substr(equals + 2));
        } else if (!options.presets.empty()) {
          options.presets.back().second += "\r\n" + line;
        }
      }
    } else if (a == "--cmdlist" && hasValue) {
      options.cmdList = true;
      options.cmdListFormat = args[++i];
    } else if (a == "--exec" && hasValue) {
      options.exec = true;
      options.action = args[++i];
    } else if (a == "--edit") {
      options.edit = true;
    } else if (a == "--about") {
      options.about = true;
    } else if (a == "--no-requests") {
      options.noRequests = true;
    } else if (a == "--answer" && hasValue) {
      std::string code, text;
      int number = 0;
      if (!SplitPair(args[++i], code, text) || !ParseInteger(code, number))
        return "--answer needs CODE=TEXT";
      options.answers.emplace_back(number, text);
    } else if ((a == "--type" || a == "--choose") && hasValue) {
      std::string name, value;
      if (!SplitPair(args[++i], name, value)) return a + " needs NAME=VALUE";
      using Kind = dux::platform::tDialogStep::Kind;
      options.steps.push_back({a == "--type" ? Kind::kType : Kind::kChoose, name, value});
    } else if ((a == "--click" || a == "--screenshot" || a == "--close") && hasValue) {
      using Kind = dux::platform::tDialogStep::Kind;
      const Kind kind = a == "--click"        ? Kind::kClick
                        : a == "--screenshot" ? Kind::kScreenshot
                                              : Kind::kClose;
      options.steps.push_back({kind, args[++i], ""});
    } else if (a == "--message" && hasValue) {
      int code = 0;
      if (!ParseInteger(args[++i], code)) return "--message needs a whole number";
      options.messages.push_back(code);
    } else if (a.rfind("--", 0) == 0) {
      return "unknown or incomplete option " + a;
    } else {
      options.action = a;
    }
  }
  options.params.assign(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
  const bool standalone =
      options.info || !options.messages.empty() || options.cmdList || options.about;
  if (options.list && !options.action.empty()) return "give --list or an ACTION, not both";
  if (!options.list && options.action.empty() && !standalone) return "give --list or an ACTION";
  return {};
}

void PrintList(const PluginHost& host, bool json) {
  std::string out = json ? "{\"announcements\": [" : "";
  bool first = true;
  for (const auto& a : host.Announcements()) {
    std::string kinds;
    for (std::size_t k = 0; k < a.kinds.size(); ++k) {
      kinds += (k > 0 ? ", " : "") + std::to_string(a.kinds[k]);
    }
    if (json) {
      out += std::string(first ? "" : ", ") + "{\"number\": " + std::to_string(a.number) +
             ", \"name\": " + JsonString(Cp1252ToUtf8(a.name)) +
             ", \"description\": " + JsonString(Cp1252ToUtf8(a.description)) + ", \"kinds\": [" +
             kinds + "], \"count\": " + std::to_string(a.count) + "}";
    } else {
      out += std::to_string(a.number) + " " + JsonString(Cp1252ToUtf8(a.name)) + " " +
             JsonString(Cp1252ToUtf8(a.description)) + " [" + kinds + "] " +
             std::to_string(a.count) + "\n";
    }
    first = false;
  }
  if (json) out += "]}\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
}

void PrintResult(const PluginHost& host, const std::string& action, bool result, bool json) {
  std::string out;
  if (json) {
    out = "{\"action\": " + JsonString(action) + ", \"result\": " + (result ? "true" : "false") +
          ", \"set\": [";
    for (std::size_t i = 0; i < host.setCalls.size(); ++i) {
      out += std::string(i > 0 ? ", " : "") + "[" +
             JsonString(Cp1252ToUtf8(host.setCalls[i].first)) + ", " +
             JsonString(Cp1252ToUtf8(host.setCalls[i].second)) + "]";
    }
    out += "]}\n";
  } else {
    for (const auto& [name, value] : host.setCalls) {
      out += Cp1252ToUtf8(name) + "=" + Cp1252ToUtf8(value) + "\n";
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
}

void PrintInfo(PluginHost& host, bool json) {
  const auto texts = host.Init();
  std::string out;
  if (json) {
    out = "{\"title\": " + JsonString(Cp1252ToUtf8(texts.title)) +
          ", \"author\": " + JsonString(Cp1252ToUtf8(texts.author)) +
          ", \"hint\": " + JsonString(Cp1252ToUtf8(texts.hint)) + "}\n";
  } else {
    out = "title=" + Cp1252ToUtf8(texts.title) + "\nauthor=" + Cp1252ToUtf8(texts.author) +
          "\nhint=" + Cp1252ToUtf8(texts.hint) + "\n";
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
}

// The parameters after nbEditAction, the host's requests, the driver's log and the result.
void PrintEdit(const PluginHost& host, const std::vector<std::string>& params, bool result,
               const std::vector<std::string>& log) {
  std::string out;
  for (const auto& line : log) out += "driver: " + line + "\n";
  for (const auto& [code, text] : host.requests) {
    out += "request " + std::to_string(code) + "=" + JsonString(Cp1252ToUtf8(text)) + "\n";
  }
  for (std::size_t i = 0; i < params.size(); ++i) {
    out += "param" + std::to_string(i + 1) + "=" + JsonString(Cp1252ToUtf8(params[i])) + "\n";
  }
  out += std::string("result=") + (result ? "true" : "false") + "\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
}

// Starts the test user of the dialog when steps were given.
std::unique_ptr<dux::platform::DialogDriver> StartDriver(const tOptions& options) {
  if (options.steps.empty()) return nullptr;
  return dux::platform::StartDialogDriver(options.steps);
}

int RunDialog(PluginHost& host, const tOptions& options, int number) {
  const auto answers = options.answers;
  host.interfaceRequest = [answers](std::int32_t code,
                                    const std::string&) -> std::optional<std::string> {
    for (const auto& [answerCode, text] : answers) {
      if (answerCode == code) return Utf8ToCp1252(text);
    }
    return std::nullopt;
  };
  if (!options.noRequests) host.RegisterInterfaceAccess();
  std::vector<std::string> params;
  for (const auto& p : options.params) params.push_back(Utf8ToCp1252(p));
  const auto count = static_cast<std::size_t>(std::max(host.CountOfCommand(number), 1));
  if (params.size() < count) params.resize(count);
  bool result = true;
  std::vector<std::string> log;
  {
    auto driver = StartDriver(options);
    if (options.about) {
      host.About();
    } else {
      result = host.Edit(number, params);
    }
    if (driver) log = driver->Log();
  }
  PrintEdit(host, options.about ? std::vector<std::string>() : params, result, log);
  return result ? kExitTrue : kExitFalse;
}

int Run(const tOptions& options) {
  std::string error;
  const std::string library = options.library.empty() ? DefaultLibrary() : options.library;
  auto host = PluginHost::Load(library, error);
  if (!host) {
    std::cerr << "nbhost: " << error << "\n";
    return kExitUsage;
  }
  for (const auto& [name, value] : options.presets) {
    host->variables[Utf8ToCp1252(name)] = Utf8ToCp1252(value);
  }
  host->Register();
  if (options.list) {
    PrintList(*host, options.json);
    return kExitTrue;
  }
  if (options.info) PrintInfo(*host, options.json);
  if (options.about) return RunDialog(*host, options, 0);
  if (options.cmdList) {
    const std::string list = Cp1252ToUtf8(host->CommandList(Utf8ToCp1252(options.cmdListFormat)));
    std::fwrite(list.data(), 1, list.size(), stdout);
    if (options.action.empty()) return kExitTrue;
  }
  if (options.exec) {
    for (const int code : options.messages) host->Message(code);
    std::vector<std::string> args;
    for (const auto& p : options.params) args.push_back(Utf8ToCp1252(p));
    const bool result = host->ScriptExecute(Utf8ToCp1252(options.action), args);
    PrintResult(*host, options.action, result, options.json);
    return result ? kExitTrue : kExitFalse;
  }
  if (options.action.empty()) {
    for (const int code : options.messages) host->Message(code);
    if (!options.messages.empty()) PrintResult(*host, "", true, options.json);
    return kExitTrue;
  }
  int number = 0;
  if (!ParseInteger(options.action, number)) {
    const auto found = host->NumberOfCommand(Utf8ToCp1252(options.action));
    if (!found) return Usage("unknown action " + options.action);
    number = *found;
  }
  for (const int code : options.messages) host->Message(code);
  if (options.edit) return RunDialog(*host, options, number);
  std::vector<std::string> params;
  for (const auto& p : options.params) params.push_back(Utf8ToCp1252(p));
  if (params.size() < static_cast<std::size_t>(host->CountOfCommand(number))) {
    params.resize(static_cast<std::size_t>(host->CountOfCommand(number)));
  }
  const bool result = host->Execute(number, params);
  PrintResult(*host, options.action, result, options.json);
  return result ? kExitTrue : kExitFalse;
}

}  // namespace

int main(int argc, char** argv) {
  dux::platform::SetBinaryStandardOutput();
  tOptions options;
  const std::string problem = ParseOptions(dux::platform::Utf8Arguments(argc, argv), options);
  if (!problem.empty()) return Usage(problem);
  return Run(options);
}
