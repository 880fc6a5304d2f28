#pragma once
// A region kept the way pixman keeps one, so that a region built rectangle by rectangle in
// scan order grows in constant time instead of being copied at every join: bands of rows from
// the top, each a list of spans from the left that neither overlap nor touch; two bands that
// touch and have the same spans are one band. That form is unique for a set of pixels, so the
// rectangles are the ones cairo would hold.

#include <cairo.h>

#include <optional>
#include <vector>

#include "forms/system_calls/region.h"

namespace forms {

class BandedRegion {
 public:
  // The region of one rectangle, which must not be empty.
  explicit BandedRegion(const cairo_rectangle_int_t& rectangle);

  // Joins `rectangle` when it comes after everything in the region in scan order: its top at
  // or below the region's bottom, or its rows the last rows of the last band and its left edge
  // at or right of that band's last span. Returns false, changing nothing, for any other
  // rectangle. An empty rectangle joins as nothing.
  bool append(const cairo_rectangle_int_t& rectangle);

  // Whether the region is one rectangle.
  bool simple() const { return spans_.size() == 1; }
  // The region's one rectangle, or nothing when it has several.
  std::optional<cairo_rectangle_int_t> only_rectangle() const;
  // The same region as a cairo region.
  Region to_cairo() const;

 private:
  struct Span {
    int left, right;  // right excluded
    friend bool operator==(const Span&, const Span&) = default;
  };
  // Rows [top, bottom), bottom excluded; its spans run from spans_[first] to the next band's
  // first span (or the end).
  struct Band {
    int top, bottom;
    std::size_t first;
  };

  // Makes the last band one with the band above it when they touch and have the same spans.
  void coalesce_last();

  std::vector<Band> bands_;
  std::vector<Span> spans_;  // every band's, band after band
};

}  // namespace forms
