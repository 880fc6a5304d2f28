#pragma once
// The regions behind their handles. Only a few live at once (a region being built and the
// rectangle being joined to it), so a short list searched from its end beats a tree.

#include <algorithm>
#include <utility>
#include <vector>

#include "forms/system_calls/handles.h"
#include "forms/system_calls/region.h"

namespace forms {

class RegionTable {
 public:
  void add(HRgn handle, Region region) { entries_.emplace_back(handle, std::move(region)); }

  // The region behind a handle, or nullptr.
  cairo_region_t* find(HRgn handle) const {
    const auto entry = locate(handle);
    return entry == entries_.rend() ? nullptr : entry->second.get();
  }

  // Puts `region` behind an existing handle, freeing the one it held.
  void replace(HRgn handle, Region region) {
    const auto entry = locate(handle);
    if (entry != entries_.rend()) entry->second = std::move(region);
  }

  // Removes the handle and hands its region over; nullptr for an unknown handle.
  Region take(HRgn handle) {
    const auto entry = locate(handle);
    if (entry == entries_.rend()) return nullptr;
    Region region = std::move(entry->second);
    entries_.erase(std::next(entry).base());
    return region;
  }

  std::size_t size() const { return entries_.size(); }

 private:
  using Entries = std::vector<std::pair<HRgn, Region>>;

  Entries::reverse_iterator locate(HRgn handle) const {
    auto& entries = const_cast<Entries&>(entries_);
    return std::find_if(entries.rbegin(), entries.rend(),
                        [handle](const auto& entry) { return entry.first == handle; });
  }

  Entries entries_;
};

}  // namespace forms
