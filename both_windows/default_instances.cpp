#include "both_windows/default_instances.h"

namespace lumesca {

forms::DefaultInstance Form1;
forms::DefaultInstance Form2;

}  // namespace lumesca
