#pragma once
// The regions behind their handles. Only a few live at once (a region being built and the
// rectangle being joined to it), so a short list searched from its end beats a tree.
//
// A region made from a rectangle is kept as that rectangle, then banded (BandedRegion) for as
// long as rectangles coming after it in scan order are joined to it, which is how a window's
// outline is built; it becomes a cairo region when it is first read as one.

#include <algorithm>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

#include "forms/system_calls/banded_region.h"
#include "forms/system_calls/handles.h"
#include "forms/system_calls/region.h"

namespace forms {

class RegionTable {
 public:
  void add(HRgn handle, Region region) { entries_.push_back({handle, std::move(region)}); }
  // The region of a rectangle that is not empty.
  void add(HRgn handle, const cairo_rectangle_int_t& rectangle) {
    entries_.push_back({handle, rectangle});
  }

  bool contains(HRgn handle) const { return locate(handle) != entries_.rend(); }

  // The region behind a handle, or nullptr.
  cairo_region_t* find(HRgn handle) const {
    const auto entry = locate(handle);
    return entry == entries_.rend() ? nullptr : as_cairo(*entry);
  }

  // Joins the region of `source` into that of `destination` in place, when that is cheap: the
  // destination is still a rectangle or banded, and the source is a rectangle that comes after
  // it in scan order. Returns then whether the destination is one rectangle; nothing,
  // changing nothing, otherwise.
  std::optional<bool> append(HRgn destination, HRgn source) {
    const auto to = locate(destination);
    const auto from = locate(source);
    if (to == entries_.rend() || from == entries_.rend() || to == from) return std::nullopt;
    const auto* rectangle = std::get_if<cairo_rectangle_int_t>(&from->state);
    if (rectangle == nullptr || std::holds_alternative<Region>(to->state)) return std::nullopt;
    if (const auto* own = std::get_if<cairo_rectangle_int_t>(&to->state)) {
      BandedRegion bands(*own);
      if (!bands.append(*rectangle)) return std::nullopt;
      to->state = std::move(bands);
    } else if (!std::get<BandedRegion>(to->state).append(*rectangle)) {
      return std::nullopt;
    }
    return std::get<BandedRegion>(to->state).simple();
  }

  // Puts `region` behind an existing handle, freeing the one it held.
  void replace(HRgn handle, Region region) {
    const auto entry = locate(handle);
    if (entry != entries_.rend()) entry->state = std::move(region);
  }

  // Removes the handle and hands its region over; nullptr for an unknown handle.
  Region take(HRgn handle) {
    const auto entry = locate(handle);
    if (entry == entries_.rend()) return nullptr;
    as_cairo(*entry);
    Region region = std::move(std::get<Region>(entry->state));
    entries_.erase(std::next(entry).base());
    return region;
  }

  // Removes the handle and frees its region; false for an unknown handle.
  bool erase(HRgn handle) {
    const auto entry = locate(handle);
    if (entry == entries_.rend()) return false;
    entries_.erase(std::next(entry).base());
    return true;
  }

  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    HRgn handle;
    std::variant<cairo_rectangle_int_t, BandedRegion, Region> state;
  };
  using Entries = std::vector<Entry>;

  // The entry's region as a cairo region, made from its rectangle or bands the first time.
  static cairo_region_t* as_cairo(Entry& entry) {
    if (const auto* rectangle = std::get_if<cairo_rectangle_int_t>(&entry.state)) {
      entry.state = Region(cairo_region_create_rectangle(rectangle));
    } else if (const auto* bands = std::get_if<BandedRegion>(&entry.state)) {
      entry.state = bands->to_cairo();
    }
    return std::get<Region>(entry.state).get();
  }

  Entries::reverse_iterator locate(HRgn handle) const {
    auto& entries = const_cast<Entries&>(entries_);
    return std::find_if(entries.rbegin(), entries.rend(),
                        [handle](const Entry& entry) { return entry.handle == handle; });
  }

  Entries entries_;
};

}  // namespace forms
