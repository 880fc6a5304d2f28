#include "desktop/x_client.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>
#include <X11/extensions/shape.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "desktop/wait.h"
#include "forms/gobject_ptr.h"

namespace desktop {
namespace {

struct XFreeDeleter {
  void operator()(void* data) const {
    if (data != nullptr) XFree(data);
  }
};
template <typename T>
using XFreed = std::unique_ptr<T, XFreeDeleter>;

struct ImageDeleter {
  void operator()(XImage* image) const { XDestroyImage(image); }
};

// Windows can vanish between two requests (a program closing one while a test looks at it).
// Xlib's default handler would end the test binary on the BadWindow that follows; this one
// lets the failing call return its failure status instead.
int ignore_x_error(::Display*, XErrorEvent*) {
  return 0;
}

Atom atom(::Display* display, const char* name) {
  return XInternAtom(display, name, False);
}

// A format-32 property as a list (Xlib hands those over as longs).
std::vector<unsigned long> long_property(::Display* display, Window window, Atom property,
                                         Atom type) {
  Atom actual_type = 0;
  int actual_format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* raw = nullptr;
  const int status = XGetWindowProperty(display, window, property, 0, 1 << 16, False, type,
                                        &actual_type, &actual_format, &count, &remaining, &raw);
  const XFreed<unsigned char> data(raw);
  if (status != Success || actual_format != 32 || data == nullptr) return {};
  const auto* values = reinterpret_cast<const unsigned long*>(data.get());
  return {values, values + count};
}

std::optional<std::string> utf8_property(::Display* display, Window window, Atom property) {
  Atom actual_type = 0;
  int actual_format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* raw = nullptr;
  const int status =
      XGetWindowProperty(display, window, property, 0, 1 << 16, False, atom(display, "UTF8_STRING"),
                         &actual_type, &actual_format, &count, &remaining, &raw);
  const XFreed<unsigned char> data(raw);
  if (status != Success || actual_format != 8 || data == nullptr) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(data.get()), count);
}

std::optional<std::string> wm_name(::Display* display, Window window) {
  XTextProperty text{};
  if (XGetWMName(display, window, &text) == 0 || text.value == nullptr) return std::nullopt;
  const XFreed<unsigned char> value(text.value);
  char** list = nullptr;
  int count = 0;
  if (Xutf8TextPropertyToTextList(display, &text, &list, &count) < Success || count < 1) {
    return std::string(reinterpret_cast<const char*>(text.value), text.nitems);
  }
  std::string name = list[0];
  XFreeStringList(list);
  return name;
}

bool is_client(::Display* display, Window window) {
  const Atom wm_state = atom(display, "WM_STATE");
  const auto state = long_property(display, window, wm_state, wm_state);
  return !state.empty() && (state[0] == NormalState || state[0] == IconicState);
}

void collect_clients(::Display* display, Window window, std::vector<Window>& clients) {
  Window root = 0;
  Window parent = 0;
  Window* raw_children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &raw_children, &count) == 0) return;
  const XFreed<Window> children(raw_children);
  for (unsigned i = 0; i < count; ++i) {
    if (is_client(display, children.get()[i])) {
      clients.push_back(children.get()[i]);
    } else {
      collect_clients(display, children.get()[i], clients);
    }
  }
}

int shift_of(unsigned long mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

Rgb channel(unsigned long value, unsigned long mask) {
  if (mask == 0) return 0;
  const auto raw = (value & mask) >> shift_of(mask);
  const auto max = mask >> shift_of(mask);
  return static_cast<Rgb>(raw * 255 / max);
}

}  // namespace

void XClient::Closer::operator()(_XDisplay* display) const {
  XCloseDisplay(display);
}

XClient::XClient(const std::string& display_name) : display_(XOpenDisplay(display_name.c_str())) {
  if (!display_) throw std::runtime_error("cannot open X display " + display_name);
  XSetErrorHandler(ignore_x_error);
  root_ = DefaultRootWindow(get());
  int event_base = 0;
  int error_base = 0;
  int major = 0;
  int minor = 0;
  if (!XTestQueryExtension(get(), &event_base, &error_base, &major, &minor)) {
    throw std::runtime_error("the X server has no XTEST extension");
  }
  if (!XShapeQueryExtension(get(), &event_base, &error_base)) {
    throw std::runtime_error("the X server has no SHAPE extension");
  }
}

XClient::~XClient() = default;

XClient::Cursor XClient::cursor() const {
  Cursor result;
  XFixesCursorImage* image = XFixesGetCursorImage(get());
  if (image == nullptr) return result;
  result.width = image->width;
  result.height = image->height;
  result.x_hot = image->xhot;
  result.y_hot = image->yhot;
  for (int i = 0; i < image->width * image->height; ++i) {
    result.argb.push_back(static_cast<std::uint32_t>(image->pixels[i]));
  }
  XFree(image);
  return result;
}

void XClient::close_window(Window window) const {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = atom(get(), "_NET_CLOSE_WINDOW");
  event.xclient.format = 32;
  event.xclient.data.l[0] = CurrentTime;
  event.xclient.data.l[1] = 2;  // from a pager or tool, like a user's request
  XSendEvent(get(), root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XSync(get(), False);
}

void XClient::sync() const {
  XSync(get(), False);
}

std::vector<Window> XClient::client_windows() const {
  std::vector<Window> clients;
  collect_clients(get(), root_, clients);
  return clients;
}

std::vector<Window> XClient::windows_with_title(const std::string& title_text) const {
  std::vector<Window> matching;
  for (const Window window : client_windows()) {
    if (title(window) == title_text) matching.push_back(window);
  }
  return matching;
}

int XClient::windows_titled(const std::string& title_text) const {
  return static_cast<int>(windows_with_title(title_text).size());
}

std::optional<Window> XClient::find_window(const std::string& title_text,
                                           std::chrono::milliseconds timeout) const {
  std::optional<Window> found;
  wait_until(
      [&] {
        const auto windows = windows_with_title(title_text);
        if (!windows.empty()) found = windows.front();
        return found.has_value();
      },
      timeout, std::chrono::milliseconds(25));
  return found;
}

std::string XClient::title(Window window) const {
  if (auto name = utf8_property(get(), window, atom(get(), "_NET_WM_NAME"))) return *name;
  return wm_name(get(), window).value_or("");
}

std::optional<int> XClient::pid_of(Window window) const {
  const auto values = long_property(get(), window, atom(get(), "_NET_WM_PID"), XA_CARDINAL);
  if (values.empty()) return std::nullopt;
  return static_cast<int>(values[0]);
}

bool XClient::viewable(Window window) const {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(get(), window, &attributes) != 0 &&
         attributes.map_state == IsViewable;
}

std::vector<Window> XClient::popup_windows() const {
  Window root = 0;
  Window parent = 0;
  Window* raw_children = nullptr;
  unsigned count = 0;
  std::vector<Window> popups;
  if (XQueryTree(get(), root_, &root, &parent, &raw_children, &count) == 0) return popups;
  const XFreed<Window> children(raw_children);
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(get(), children.get()[i], &attributes) != 0 &&
        attributes.override_redirect && attributes.map_state == IsViewable &&
        attributes.c_class == InputOutput && attributes.x + attributes.width > 0 &&
        attributes.y + attributes.height > 0) {
      popups.push_back(children.get()[i]);
    }
  }
  return popups;
}

std::optional<Rect> XClient::geometry(Window window) const {
  XWindowAttributes attributes{};
  if (XGetWindowAttributes(get(), window, &attributes) == 0) return std::nullopt;
  int x = 0;
  int y = 0;
  Window child = 0;
  if (XTranslateCoordinates(get(), window, root_, 0, 0, &x, &y, &child) == 0) {
    return std::nullopt;
  }
  return Rect{x, y, attributes.width, attributes.height};
}

std::vector<std::string> XClient::net_wm_state(Window window) const {
  std::vector<std::string> names;
  for (const auto value : long_property(get(), window, atom(get(), "_NET_WM_STATE"), XA_ATOM)) {
    const XFreed<char> name(XGetAtomName(get(), static_cast<Atom>(value)));
    if (name) names.emplace_back(name.get());
  }
  return names;
}

std::optional<std::vector<Rect>> XClient::shape_rectangles(Window window) const {
  Bool bounding_shaped = False;
  Bool clip_shaped = False;
  int x = 0;
  int y = 0;
  int clip_x = 0;
  int clip_y = 0;
  unsigned width = 0;
  unsigned height = 0;
  unsigned clip_width = 0;
  unsigned clip_height = 0;
  if (XShapeQueryExtents(get(), window, &bounding_shaped, &x, &y, &width, &height, &clip_shaped,
                         &clip_x, &clip_y, &clip_width, &clip_height) == 0 ||
      !bounding_shaped) {
    return std::nullopt;
  }
  int count = 0;
  int ordering = 0;
  const XFreed<XRectangle> raw(
      XShapeGetRectangles(get(), window, ShapeBounding, &count, &ordering));
  std::vector<Rect> rectangles;
  for (int i = 0; i < count; ++i) {
    const XRectangle& r = raw.get()[i];
    rectangles.push_back({r.x, r.y, r.width, r.height});
  }
  return rectangles;
}

std::optional<std::vector<Rect>> XClient::wait_for_shape(Window window,
                                                         std::chrono::milliseconds timeout) const {
  std::optional<std::vector<Rect>> shape;
  wait_until(
      [&] {
        shape = shape_rectangles(window);
        return shape.has_value();
      },
      timeout, std::chrono::milliseconds(10));
  return shape;
}

Bitmap XClient::shown_pixels(Window window) const {
  const auto area = geometry(window);
  if (!area) return {};
  const auto rectangles = shape_rectangles(window);
  Bitmap bitmap(area->width, area->height, !rectangles.has_value());
  if (!rectangles) return bitmap;
  for (const Rect& r : *rectangles) bitmap.fill(r.x, r.y, r.x + r.width, r.y + r.height);
  return bitmap;
}

std::vector<Window> XClient::stacking_order() const {
  const auto values =
      long_property(get(), root_, atom(get(), "_NET_CLIENT_LIST_STACKING"), XA_WINDOW);
  return {values.begin(), values.end()};
}

std::vector<Window> XClient::client_list() const {
  const auto values = long_property(get(), root_, atom(get(), "_NET_CLIENT_LIST"), XA_WINDOW);
  return {values.begin(), values.end()};
}

std::optional<Window> XClient::active_window() const {
  const auto values = long_property(get(), root_, atom(get(), "_NET_ACTIVE_WINDOW"), XA_WINDOW);
  if (values.empty() || values[0] == 0) return std::nullopt;
  return values[0];
}

std::optional<std::string> XClient::window_manager_name() const {
  const Atom check = atom(get(), "_NET_SUPPORTING_WM_CHECK");
  const auto from_root = long_property(get(), root_, check, XA_WINDOW);
  if (from_root.empty()) return std::nullopt;
  const auto from_itself = long_property(get(), from_root[0], check, XA_WINDOW);
  if (from_itself.empty() || from_itself[0] != from_root[0]) return std::nullopt;
  return utf8_property(get(), from_root[0], atom(get(), "_NET_WM_NAME")).value_or("");
}

Image XClient::capture(const Rect& area) const {
  const int screen_width = DisplayWidth(get(), DefaultScreen(get()));
  const int screen_height = DisplayHeight(get(), DefaultScreen(get()));
  const int x0 = std::clamp(area.x, 0, screen_width);
  const int y0 = std::clamp(area.y, 0, screen_height);
  const int x1 = std::clamp(area.x + area.width, 0, screen_width);
  const int y1 = std::clamp(area.y + area.height, 0, screen_height);
  Image image;
  if (x1 <= x0 || y1 <= y0) return image;
  const std::unique_ptr<XImage, ImageDeleter> raw(
      XGetImage(get(), root_, x0, y0, static_cast<unsigned>(x1 - x0),
                static_cast<unsigned>(y1 - y0), AllPlanes, ZPixmap));
  if (!raw) return image;
  image.width = x1 - x0;
  image.height = y1 - y0;
  image.pixels.reserve(static_cast<std::size_t>(image.width * image.height));
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const unsigned long value = XGetPixel(raw.get(), x, y);
      image.pixels.push_back(channel(value, raw->red_mask) << 16 |
                             channel(value, raw->green_mask) << 8 | channel(value, raw->blue_mask));
    }
  }
  return image;
}

std::optional<Picture> XClient::load_picture(const std::filesystem::path& path) {
  GError* raw_error = nullptr;
  const forms::GObjectPtr<GdkPixbuf> pixbuf(gdk_pixbuf_new_from_file(path.c_str(), &raw_error));
  const forms::GErrorPtr error(raw_error);
  if (!pixbuf || gdk_pixbuf_get_bits_per_sample(pixbuf.get()) != 8) return std::nullopt;
  const int width = gdk_pixbuf_get_width(pixbuf.get());
  const int height = gdk_pixbuf_get_height(pixbuf.get());
  const int channels = gdk_pixbuf_get_n_channels(pixbuf.get());
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf.get()) != FALSE;
  const int stride = gdk_pixbuf_get_rowstride(pixbuf.get());
  const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf.get());
  Picture picture{{width, height, {}}, Bitmap(width, height)};
  picture.image.pixels.reserve(static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const guchar* in = pixels + y * stride + x * channels;
      picture.image.pixels.push_back(static_cast<Rgb>(in[0]) << 16 | static_cast<Rgb>(in[1]) << 8 |
                                     in[2]);
      picture.opaque.set(x, y, !alpha || in[3] == 0xFF);
    }
  }
  return picture;
}

Rgb XClient::pixel(int x, int y) const {
  const Image image = capture({x, y, 1, 1});
  return image.pixels.empty() ? 0 : image.pixels.front();
}

bool XClient::screenshot(const std::filesystem::path& path) const {
  const Image image = capture({0, 0, DisplayWidth(get(), DefaultScreen(get())),
                               DisplayHeight(get(), DefaultScreen(get()))});
  if (image.pixels.empty()) return false;
  const forms::GObjectPtr<GdkPixbuf> pixbuf(
      gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, image.width, image.height));
  if (!pixbuf) return false;
  guchar* pixels = gdk_pixbuf_get_pixels(pixbuf.get());
  const int stride = gdk_pixbuf_get_rowstride(pixbuf.get());
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb rgb = image.at(x, y);
      guchar* out = pixels + y * stride + x * 3;
      out[0] = static_cast<guchar>(rgb >> 16);
      out[1] = static_cast<guchar>(rgb >> 8);
      out[2] = static_cast<guchar>(rgb);
    }
  }
  GError* raw_error = nullptr;
  const bool saved =
      gdk_pixbuf_save(pixbuf.get(), path.c_str(), "png", &raw_error, nullptr) != FALSE;
  const forms::GErrorPtr error(raw_error);
  return saved;
}

void XClient::move_pointer(int x, int y) const {
  XTestFakeMotionEvent(get(), -1, x, y, CurrentTime);
  sync();
}

Point XClient::pointer() const {
  Window root = 0;
  Window child = 0;
  int root_x = 0;
  int root_y = 0;
  int x = 0;
  int y = 0;
  unsigned mask = 0;
  XQueryPointer(get(), root_, &root, &child, &root_x, &root_y, &x, &y, &mask);
  return {root_x, root_y};
}

void XClient::press(unsigned button) const {
  XTestFakeButtonEvent(get(), button, True, CurrentTime);
  sync();
}

void XClient::release(unsigned button) const {
  XTestFakeButtonEvent(get(), button, False, CurrentTime);
  sync();
}

void XClient::click(int x, int y, unsigned button) const {
  move_pointer(x, y);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  press(button);
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  release(button);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

void XClient::drag(Point from, Point to, unsigned button, const DragPacing& pacing) const {
  move_pointer(from);
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  press(button);
  // The program sees the press, hands the pointer to the window manager, which starts its
  // interactive move: all before the first motion that should count.
  std::this_thread::sleep_for(pacing.after_press);
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const int steps =
      std::max(1, std::max(std::abs(dx), std::abs(dy)) / std::max(1, pacing.step_pixels));
  for (int i = 1; i <= steps; ++i) {
    move_pointer(from.x + dx * i / steps, from.y + dy * i / steps);
    std::this_thread::sleep_for(pacing.step_delay);
  }
  // One more motion at the end point, in case the move started only during the steps.
  std::this_thread::sleep_for(pacing.before_release / 2);
  move_pointer(to.x + (dx >= 0 ? -1 : 1), to.y);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  move_pointer(to);
  std::this_thread::sleep_for(pacing.before_release / 2);
  release(button);
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
}

}  // namespace desktop
