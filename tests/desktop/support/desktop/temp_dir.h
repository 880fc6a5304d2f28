// The harness's temporary folders: the tests' shared ones.
#pragma once

#include "process/temp_dir.h"

namespace desktop {
using test_process::read_file;
using test_process::TempDir;
}  // namespace desktop
