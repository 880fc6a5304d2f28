#include "bench/process_tree.h"

#include <dirent.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace bench {
namespace {

struct Stat {
  std::string state;
  pid_t parent = 0;
};

// The state and parent of a process, from /proc/PID/stat: "pid (comm) state ppid ...", where
// comm may hold blanks and parentheses, so the fields are read after the last ')'.
bool read_stat(pid_t pid, Stat& stat) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(file, line)) return false;
  const auto close = line.rfind(')');
  if (close == std::string::npos) return false;
  std::istringstream fields(line.substr(close + 1));
  return static_cast<bool>(fields >> stat.state >> stat.parent);
}

std::string read_name(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(file, name);
  return name;
}

struct Memory {
  long pss_kib = 0;
  long private_kib = 0;
};

Memory read_memory(pid_t pid) {
  // A header line (the address range), then "Key:   value kB" lines.
  std::ifstream file("/proc/" + std::to_string(pid) + "/smaps_rollup");
  Memory memory;
  std::string line;
  const auto value = [&](std::size_t key_length) { return std::atol(line.c_str() + key_length); };
  while (std::getline(file, line)) {
    if (line.starts_with("Pss:")) memory.pss_kib = value(4);
    if (line.starts_with("Private_Clean:")) memory.private_kib += value(14);
    if (line.starts_with("Private_Dirty:")) memory.private_kib += value(14);
  }
  return memory;
}

// Children of every live process, by parent.
std::multimap<pid_t, pid_t> children_by_parent() {
  std::multimap<pid_t, pid_t> children;
  const std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
  if (!proc) return children;
  while (const dirent* entry = ::readdir(proc.get())) {
    const pid_t pid = static_cast<pid_t>(std::atoi(entry->d_name));
    Stat stat;
    if (pid <= 0 || !read_stat(pid, stat) || stat.state == "Z") continue;
    children.emplace(stat.parent, pid);
  }
  return children;
}

}  // namespace

std::vector<TreeProcess> process_tree(pid_t root) {
  const std::multimap<pid_t, pid_t> children = children_by_parent();
  std::vector<pid_t> pids{root};
  for (std::size_t i = 0; i < pids.size(); ++i) {
    const auto [first, last] = children.equal_range(pids[i]);
    for (auto child = first; child != last; ++child) pids.push_back(child->second);
  }
  std::vector<TreeProcess> tree;
  for (const pid_t pid : pids) {
    const Memory memory = read_memory(pid);
    tree.push_back({pid, read_name(pid), memory.pss_kib, memory.private_kib});
  }
  return tree;
}

long total_pss_kib(const std::vector<TreeProcess>& tree) {
  long total = 0;
  for (const TreeProcess& process : tree) total += process.pss_kib;
  return total;
}

long total_private_kib(const std::vector<TreeProcess>& tree) {
  long total = 0;
  for (const TreeProcess& process : tree) total += process.private_kib;
  return total;
}

int web_processes(const std::vector<TreeProcess>& tree) {
  int count = 0;
  for (const TreeProcess& process : tree) {
    if (process.name.starts_with("WebKitWebProc")) ++count;
  }
  return count;
}

}  // namespace bench
