// A connection to the X display that finds and inspects windows and drives the pointer with
// XTest. No X11 header leaks out of this one: windows are plain XIDs.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/geometry.h"

struct _XDisplay;

namespace desktop {

using Window = unsigned long;  // an X window id (XID)

// How a drag is paced: the window manager must see the press, take over the pointer and
// follow the motion, all through another process's event loop.
struct DragPacing {
  int step_pixels = 6;
  std::chrono::milliseconds step_delay{8};
  std::chrono::milliseconds after_press{150};
  std::chrono::milliseconds before_release{150};
};

class XClient {
 public:
  // Opens `display_name` (":N"); throws std::runtime_error when it cannot. Checks that the
  // XTest and Shape extensions are there.
  explicit XClient(const std::string& display_name);
  XClient(const XClient&) = delete;
  XClient& operator=(const XClient&) = delete;
  ~XClient();

  _XDisplay* get() const { return display_.get(); }
  Window root() const { return root_; }

  // --- Finding windows --------------------------------------------------------------------
  // Client toplevels (windows that carry WM_STATE Normal or Iconic; openbox reparents them into
  // frames, so the whole tree is walked) whose _NET_WM_NAME, or else WM_NAME, equals `title`.
  std::vector<Window> windows_with_title(const std::string& title) const;
  // Every client toplevel, titled or not.
  std::vector<Window> client_windows() const;
  int windows_titled(const std::string& title) const;
  // The first such window, waiting at most `timeout` for it to appear.
  std::optional<Window> find_window(const std::string& title,
                                    std::chrono::milliseconds timeout) const;
  // _NET_WM_NAME, or else WM_NAME; empty for a window that has neither or is gone.
  std::string title(Window window) const;
  // _NET_WM_PID of the window (GTK sets it), empty when unset or gone.
  std::optional<int> pid_of(Window window) const;
  // Whether the window exists and is mapped with all its ancestors.
  bool viewable(Window window) const;
  // Viewable override-redirect children of the root that can show on the screen, bottom to
  // top: the windows that no window manager handles, such as tooltips and pop-up menus (not
  // the input-only and off-screen windows that toolkits keep for their own use).
  std::vector<Window> popup_windows() const;

  // --- Reading windows --------------------------------------------------------------------
  // Root-relative x, y of the window's top-left corner, and its width and height; empty for a
  // window that is gone.
  std::optional<Rect> geometry(Window window) const;
  // Atom names in _NET_WM_STATE, such as "_NET_WM_STATE_ABOVE".
  std::vector<std::string> net_wm_state(Window window) const;
  // The bounding shape as XShapeGetRectangles gives it, in window coordinates; empty optional
  // when the window is not shaped at all (XShapeQueryExtents: bounding shape not set).
  std::optional<std::vector<Rect>> shape_rectangles(Window window) const;
  // The bounding shape once the window has one, waiting at most `timeout`. GTK sets a
  // toplevel's shape only after the window is mapped: a window just found may still be
  // unshaped for a few milliseconds (tens under load), so read a new window's shape this way.
  std::optional<std::vector<Rect>> wait_for_shape(Window window,
                                                  std::chrono::milliseconds timeout) const;
  // width x height of the window: true where its bounding shape covers the pixel (everything
  // when it is not shaped).
  Bitmap shown_pixels(Window window) const;
  // Root's _NET_CLIENT_LIST_STACKING, bottom to top.
  std::vector<Window> stacking_order() const;
  // Root's _NET_CLIENT_LIST.
  std::vector<Window> client_list() const;
  // Root's _NET_ACTIVE_WINDOW.
  std::optional<Window> active_window() const;
  // _NET_WM_NAME of the window named by root's _NET_SUPPORTING_WM_CHECK, once a window
  // manager has set it up.
  std::optional<std::string> window_manager_name() const;

  // --- The screen -------------------------------------------------------------------------
  Rgb pixel(int x, int y) const;
  Image capture(const Rect& area) const;
  // A picture file (GIF, PNG, JPEG...) decoded: its pixels, and where it is opaque.
  static std::optional<Picture> load_picture(const std::filesystem::path& path);
  // The whole root window as a PNG file; false when it cannot be written.
  bool screenshot(const std::filesystem::path& path) const;

  // The mouse pointer's current picture (XFixes): its size, hotspot and ARGB pixels.
  struct Cursor {
    int width = 0, height = 0, x_hot = 0, y_hot = 0;
    std::vector<std::uint32_t> argb;
  };
  Cursor cursor() const;

  // --- The pointer (XTest) ----------------------------------------------------------------
  void move_pointer(int x, int y) const;
  void move_pointer(Point p) const { move_pointer(p.x, p.y); }
  Point pointer() const;
  void press(unsigned button) const;
  void release(unsigned button) const;
  void click(int x, int y, unsigned button = 1) const;
  void click(Point p, unsigned button = 1) const { click(p.x, p.y, button); }
  // Moves to `from`, presses, moves to `to` in small steps, releases.
  void drag(Point from, Point to, unsigned button = 1, const DragPacing& pacing = {}) const;

  // Asks the window manager to close the window, as a close button of its frame would
  // (_NET_CLOSE_WINDOW).
  void close_window(Window window) const;

  // Round trip to the server: every request sent so far has been handled.
  void sync() const;

 private:
  struct Closer {
    void operator()(_XDisplay* display) const;
  };
  std::unique_ptr<_XDisplay, Closer> display_;
  Window root_ = 0;
};

}  // namespace desktop
