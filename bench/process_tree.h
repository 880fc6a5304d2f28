#pragma once
// A process and all its descendants, read from /proc: their memory (proportional set size,
// which shares each shared page among the processes that map it, so that the figures of
// several processes add up) and their names.

#include <sys/types.h>

#include <string>
#include <vector>

namespace bench {

struct TreeProcess {
  pid_t pid;
  std::string name;  // /proc/PID/comm: the executable's name, cut to 15 characters
  long pss_kib;      // /proc/PID/smaps_rollup "Pss:"; 0 when it cannot be read
  // "Private_Clean:" + "Private_Dirty:": the pages no other process maps. Unlike PSS, it does
  // not shrink when other programs map the same libraries.
  long private_kib;
};

// `root` and every live descendant of it, `root` first.
std::vector<TreeProcess> process_tree(pid_t root);

long total_pss_kib(const std::vector<TreeProcess>& tree);
long total_private_kib(const std::vector<TreeProcess>& tree);

// How many processes of the tree run WebKit's web content process (WebKitWebProcess).
int web_processes(const std::vector<TreeProcess>& tree);

}  // namespace bench
