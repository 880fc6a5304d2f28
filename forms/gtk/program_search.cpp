#include "forms/gtk/program_search.h"

#include <sstream>

namespace forms::gtk {
namespace {

// The desktop mixers that stand for the volume mixer, in order of preference.
const std::vector<std::vector<std::string>>& volume_mixers() {
  static const std::vector<std::vector<std::string>> mixers = {
      {"pavucontrol"}, {"pavucontrol-qt"}, {"mate-volume-control"},
      {"xfce4-mixer"}, {"kmix"},           {"gnome-control-center", "sound"},
  };
  return mixers;
}

std::vector<std::string> split_words(const std::string& command_line) {
  std::istringstream words(command_line);
  std::vector<std::string> result;
  for (std::string word; words >> word;) result.push_back(word);
  return result;
}

}  // namespace

std::optional<std::vector<std::string>> find_program(const std::string& command_line,
                                                     const ProgramFinder& find) {
  std::vector<std::string> argv = split_words(command_line);
  if (argv.empty()) return std::nullopt;
  if (const auto path = find(argv[0])) {
    argv[0] = *path;
    return argv;
  }
  if (argv.size() == 1 && argv[0] == "sndvol32") {
    for (const auto& mixer : volume_mixers()) {
      if (const auto path = find(mixer[0])) {
        std::vector<std::string> found = mixer;
        found[0] = *path;
        return found;
      }
    }
  }
  return std::nullopt;
}

}  // namespace forms::gtk
