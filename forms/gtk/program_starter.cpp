#include "forms/gtk/program_starter.h"

#include <glib.h>

#include <vector>

#include "forms/gobject_ptr.h"
#include "forms/gtk/program_search.h"
#include "forms/run_time_error.h"

namespace forms::gtk {

double start_program(const std::string& command_line, int /*window_style*/) {
  const auto argv =
      find_program(command_line, [](const std::string& name) -> std::optional<std::string> {
        const GTextPtr path(g_find_program_in_path(name.c_str()));
        if (path == nullptr) return std::nullopt;
        return std::string(path.get());
      });
  if (!argv) throw errors::file_not_found();

  std::vector<gchar*> args;
  for (const std::string& arg : *argv) args.push_back(const_cast<gchar*>(arg.c_str()));
  args.push_back(nullptr);
  GPid pid = 0;
  GError* raw_error = nullptr;
  // Without G_SPAWN_DO_NOT_REAP_CHILD, GLib reaps the child itself: no zombie is left.
  const gboolean started = g_spawn_async(nullptr, args.data(), nullptr, G_SPAWN_STDIN_FROM_DEV_NULL,
                                         nullptr, nullptr, &pid, &raw_error);
  GErrorPtr error(raw_error);
  if (!started) throw errors::file_not_found();
  return static_cast<double>(pid);
}

}  // namespace forms::gtk
