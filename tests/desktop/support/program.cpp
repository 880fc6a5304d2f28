#include "desktop/program.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "desktop/display.h"

namespace desktop {
namespace {

using Variables = std::vector<std::pair<std::string, std::string>>;

void set_variable(Variables& variables, const std::string& name, const std::string& value) {
  const auto found = std::find_if(variables.begin(), variables.end(),
                                  [&](const auto& variable) { return variable.first == name; });
  if (found != variables.end()) {
    found->second = value;
  } else {
    variables.emplace_back(name, value);
  }
}

std::filesystem::path made(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  return folder;
}

}  // namespace

Program::Program(const Display& display, const std::filesystem::path& executable,
                 const ProgramOptions& options)
    : dir_("desktop-program"), home_(made(dir_.path() / "home")) {
  const auto runtime = made(dir_.path() / "runtime");
  ::chmod(runtime.c_str(), 0700);

  const char* path = std::getenv("PATH");
  Variables variables = {
      {"PATH", path != nullptr ? path : "/usr/bin:/bin"},
      {"LANG", "C.UTF-8"},
      {"DISPLAY", display.name()},
      {"HOME", home_.string()},
      {"XDG_CONFIG_HOME", made(home_ / ".config").string()},
      {"XDG_CACHE_HOME", made(home_ / ".cache").string()},
      {"XDG_DATA_HOME", made(home_ / ".local/share").string()},
      {"XDG_STATE_HOME", made(home_ / ".local/state").string()},
      {"XDG_RUNTIME_DIR", runtime.string()},
      {"G_DEBUG", "fatal-criticals"},
      {"DBUS_SESSION_BUS_ADDRESS", "disabled:"},
      {"NO_AT_BRIDGE", "1"},
      {"GSETTINGS_BACKEND", "memory"},
      {"WEBKIT_DISABLE_COMPOSITING_MODE", "1"},
  };
  // Sanitizer settings of the test run reach the program too.
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS", "TSAN_OPTIONS"}) {
    if (const char* value = std::getenv(name)) set_variable(variables, name, value);
  }
  for (const auto& [name, value] : options.environment) set_variable(variables, name, value);

  SpawnOptions spawn;
  spawn.argv.push_back(executable.string());
  spawn.argv.insert(spawn.argv.end(), options.arguments.begin(), options.arguments.end());
  for (const auto& [name, value] : variables) spawn.environment.push_back(name + "=" + value);
  spawn.stdout_path = dir_.path() / "stdout";
  spawn.stderr_path = dir_.path() / "stderr";
  process_ = std::make_unique<ChildProcess>(spawn);
}

Program::~Program() {
  process_.reset();
}

std::string Program::stdout_text() const {
  return read_file(dir_.path() / "stdout");
}

std::string Program::stderr_text() const {
  return read_file(dir_.path() / "stderr");
}

}  // namespace desktop
