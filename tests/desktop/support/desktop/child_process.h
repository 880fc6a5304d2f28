// The harness's child processes: the tests' shared ones.
#pragma once

#include "process/child_process.h"

namespace desktop {
using test_process::ChildProcess;
using test_process::describe_wait_status;
using test_process::find_executable;
using test_process::SpawnOptions;
}  // namespace desktop
