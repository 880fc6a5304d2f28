#pragma once
// Where the program's pictures live among its compiled-in resources.

#define LUMESCA_ASSET(file) "/org/lumesca/assets/" file
