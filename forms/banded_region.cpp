#include "forms/banded_region.h"

namespace forms {

BandedRegion::BandedRegion(const cairo_rectangle_int_t& r) {
  bands_.push_back({r.y, r.y + r.height, {{r.x, r.x + r.width}}});
}

bool BandedRegion::append(const cairo_rectangle_int_t& r) {
  if (r.width <= 0 || r.height <= 0) return true;
  const int top = r.y;
  const int bottom = r.y + r.height;
  const Span span{r.x, r.x + r.width};
  Band& last = bands_.back();

  if (top >= last.bottom) {  // below everything: a band of its own
    bands_.push_back({top, bottom, {span}});
    coalesce_last();
    return true;
  }
  if (bottom != last.bottom || top < last.top || span.left < last.spans.back().right) {
    return false;
  }
  // In the last band's last rows, right of its last span. Rows of that band above the
  // rectangle keep the band's spans, as a band of their own.
  if (top > last.top) {
    Band upper{last.top, top, last.spans};
    last.top = top;
    bands_.insert(bands_.end() - 1, std::move(upper));
  }
  Band& band = bands_.back();
  if (span.left == band.spans.back().right) {
    band.spans.back().right = span.right;  // touching spans are one
  } else {
    band.spans.push_back(span);
  }
  coalesce_last();
  return true;
}

void BandedRegion::coalesce_last() {
  if (bands_.size() < 2) return;
  Band& above = bands_[bands_.size() - 2];
  const Band& last = bands_.back();
  if (above.bottom != last.top || above.spans != last.spans) return;
  above.bottom = last.bottom;
  bands_.pop_back();
}

std::optional<cairo_rectangle_int_t> BandedRegion::only_rectangle() const {
  if (!simple()) return std::nullopt;
  const Band& band = bands_.front();
  const Span& span = band.spans.front();
  return cairo_rectangle_int_t{span.left, band.top, span.right - span.left, band.bottom - band.top};
}

Region BandedRegion::to_cairo() const {
  std::vector<cairo_rectangle_int_t> rectangles;
  for (const Band& band : bands_) {
    for (const Span& s : band.spans) {
      rectangles.push_back({s.left, band.top, s.right - s.left, band.bottom - band.top});
    }
  }
  return Region(
      cairo_region_create_rectangles(rectangles.data(), static_cast<int>(rectangles.size())));
}

}  // namespace forms
