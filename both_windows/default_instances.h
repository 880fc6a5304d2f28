#pragma once
// The default instances of the program's two windows, as its code names them.

#include "forms/default_instance.h"

namespace lumesca {

// The main window's default instance.
extern forms::DefaultInstance Form1;
// The companion window's default instance.
extern forms::DefaultInstance Form2;

}  // namespace lumesca
