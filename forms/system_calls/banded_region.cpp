#include "forms/system_calls/banded_region.h"

#include <algorithm>

namespace forms {

BandedRegion::BandedRegion(const cairo_rectangle_int_t& r)
    : bands_{{r.y, r.y + r.height, 0}}, spans_{{r.x, r.x + r.width}} {}

bool BandedRegion::append(const cairo_rectangle_int_t& r) {
  if (r.width <= 0 || r.height <= 0) return true;
  const int top = r.y;
  const int bottom = r.y + r.height;
  const Span span{r.x, r.x + r.width};
  const Band last = bands_.back();

  if (top >= last.bottom) {  // below everything: a band of its own
    bands_.push_back({top, bottom, spans_.size()});
    spans_.push_back(span);
    coalesce_last();
    return true;
  }
  if (bottom != last.bottom || top < last.top || span.left < spans_.back().right) return false;
  // In the last band's last rows, right of its last span. Rows of that band above the
  // rectangle keep the band's spans, as a band of their own.
  if (top > last.top) {
    const std::size_t end = spans_.size();
    bands_.back().bottom = top;
    bands_.push_back({top, bottom, end});
    spans_.reserve(end + (end - last.first) + 1);
    for (std::size_t i = last.first; i < end; ++i) spans_.push_back(spans_[i]);
  }
  if (span.left == spans_.back().right) {
    spans_.back().right = span.right;  // touching spans are one
  } else {
    spans_.push_back(span);
  }
  coalesce_last();
  return true;
}

void BandedRegion::coalesce_last() {
  if (bands_.size() < 2) return;
  Band& above = bands_[bands_.size() - 2];
  const Band& last = bands_.back();
  const auto begin = spans_.begin();
  const auto above_first = begin + static_cast<std::ptrdiff_t>(above.first);
  const auto last_first = begin + static_cast<std::ptrdiff_t>(last.first);
  if (above.bottom != last.top || !std::equal(above_first, last_first, last_first, spans_.end())) {
    return;
  }
  above.bottom = last.bottom;
  spans_.resize(last.first);
  bands_.pop_back();
}

std::optional<cairo_rectangle_int_t> BandedRegion::only_rectangle() const {
  if (!simple()) return std::nullopt;
  const Band& band = bands_.front();
  const Span& span = spans_.front();
  return cairo_rectangle_int_t{span.left, band.top, span.right - span.left, band.bottom - band.top};
}

Region BandedRegion::to_cairo() const {
  std::vector<cairo_rectangle_int_t> rectangles;
  rectangles.reserve(spans_.size());
  for (std::size_t b = 0; b < bands_.size(); ++b) {
    const Band& band = bands_[b];
    const std::size_t end = b + 1 < bands_.size() ? bands_[b + 1].first : spans_.size();
    for (std::size_t i = band.first; i < end; ++i) {
      const Span& s = spans_[i];
      rectangles.push_back({s.left, band.top, s.right - s.left, band.bottom - band.top});
    }
  }
  return Region(
      cairo_region_create_rectangles(rectangles.data(), static_cast<int>(rectangles.size())));
}

}  // namespace forms
