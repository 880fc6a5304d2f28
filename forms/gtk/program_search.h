#pragma once
// How a command line given without a path is found on the desktop: an executable of that name
// on PATH first; for the platform's own volume mixer, failing that, the desktop's mixer.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace forms::gtk {

// Finds an executable by name, as g_find_program_in_path does.
using ProgramFinder = std::function<std::optional<std::string>(const std::string& name)>;

// The argument vector to start for `command_line`, or nothing when no program stands for it.
std::optional<std::vector<std::string>> find_program(const std::string& command_line,
                                                     const ProgramFinder& find);

}  // namespace forms::gtk
