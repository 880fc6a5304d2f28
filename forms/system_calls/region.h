#pragma once
// An owned cairo region.

#include <cairo.h>

#include <memory>

namespace forms {

struct RegionDestroy {
  void operator()(cairo_region_t* region) const { cairo_region_destroy(region); }
};
using Region = std::unique_ptr<cairo_region_t, RegionDestroy>;

}  // namespace forms
