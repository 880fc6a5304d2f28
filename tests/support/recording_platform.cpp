#include "tests/support/recording_platform.h"

#include <algorithm>

#include "forms/form.h"

namespace testing_support {
namespace {

std::string boolean_text(std::int32_t value) {
  return value == forms::kTrue ? "True" : value == forms::kFalse ? "False" : std::to_string(value);
}

bool is_region_call(const std::string& entry) {
  return entry.starts_with("CreateRectRgn") || entry.starts_with("CombineRgn") ||
         entry.starts_with("DeleteObject");
}

}  // namespace

std::vector<Rect> rectangles_of(const cairo_region_t* region) {
  std::vector<Rect> result;
  const int count = cairo_region_num_rectangles(region);
  for (int i = 0; i < count; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(region, i, &r);
    result.push_back({r.x, r.y, r.x + r.width, r.y + r.height});
  }
  return result;
}

std::vector<std::string> RecordingPlatform::steps() const {
  std::vector<std::string> result;
  std::copy_if(log_.begin(), log_.end(), std::back_inserter(result),
               [](const std::string& entry) { return !is_region_call(entry); });
  return result;
}

void RecordingPlatform::fail_step(const std::string& step_text, forms::RuntimeError error) {
  failures_.insert_or_assign(step_text, std::move(error));
}

void RecordingPlatform::answer(const std::string& step_text, forms::Value value) {
  if (std::holds_alternative<std::monostate>(value)) {
    answers_.erase(step_text);
  } else {
    answers_[step_text] = std::move(value);
  }
}

int RecordingPlatform::builds(const std::string& form) const {
  const auto found = builds_.find(form);
  return found == builds_.end() ? 0 : found->second;
}

std::optional<std::vector<Rect>> RecordingPlatform::rectangles(forms::HRgn handle) const {
  const cairo_region_t* found = region(handle);
  if (found == nullptr) return std::nullopt;
  return rectangles_of(found);
}

std::optional<int> RecordingPlatform::pixel_reads_at(const std::string& step_text) const {
  const auto found = reads_at_step_.find(step_text);
  if (found == reads_at_step_.end()) return std::nullopt;
  return found->second;
}

forms::Value RecordingPlatform::pass(const forms::Step& step, forms::Value value) {
  const std::string text = step.text();
  log_.push_back(text);
  reads_at_step_[text] = pixel_reads_;
  if (const auto failure = failures_.find(text); failure != failures_.end()) {
    forms::RuntimeError error = failure->second;
    failures_.erase(failure);
    throw error;
  }
  if (const auto answer = answers_.find(text); answer != answers_.end()) return answer->second;
  return value;
}

void RecordingPlatform::build_window(forms::Form& form) {
  windows_[form.name()] = WindowState{.built = true};
  ++builds_[form.name()];
}

void RecordingPlatform::show_window(forms::Form& form) {
  windows_[form.name()].shown = true;
}

void RecordingPlatform::destroy_window(forms::Form& form) {
  windows_.erase(form.name());
}

void RecordingPlatform::update_window_width(forms::Form&) {}

void RecordingPlatform::navigate(forms::Form& form, std::size_t control,
                                 const std::string& address) {
  navigations_.push_back(form.name() + "." + form.description().controls[control].name + " <- " +
                         address);
}

double RecordingPlatform::start_program(const std::string& command_line, int window_style) {
  if (programs_fail_) throw forms::errors::file_not_found();
  programs_.emplace_back(command_line, window_style);
  return static_cast<double>(programs_.size());
}

void RecordingPlatform::report_error(const forms::RuntimeError& error) {
  reports_.push_back(error.report());
}

std::string RecordingPlatform::window_name(forms::HWnd handle) const {
  const forms::Form* form = window(handle);
  return form == nullptr ? "hWnd " + std::to_string(handle.value) : form->name();
}

std::string RecordingPlatform::region_name(forms::HRgn handle) const {
  return handle ? "region" : "0";
}

std::int32_t RecordingPlatform::SetWindowRgn(forms::HWnd window_handle, forms::HRgn region_handle,
                                             std::int32_t redraw) {
  log_.push_back("SetWindowRgn(" + window_name(window_handle) + ", " + region_name(region_handle) +
                 ", " + boolean_text(redraw) + ")");
  return Platform::SetWindowRgn(window_handle, region_handle, redraw);
}

std::int32_t RecordingPlatform::SetWindowPos(forms::HWnd window_handle, forms::HWnd insert_after,
                                             std::int32_t x, std::int32_t y, std::int32_t cx,
                                             std::int32_t cy, std::uint32_t flags) {
  const std::string after = insert_after == forms::HWND_TOPMOST     ? "HWND_TOPMOST"
                            : insert_after == forms::HWND_NOTOPMOST ? "HWND_NOTOPMOST"
                                                                    : window_name(insert_after);
  log_.push_back("SetWindowPos(" + window_name(window_handle) + ", " + after + ", " +
                 std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(cx) + ", " +
                 std::to_string(cy) + ", " + std::to_string(flags) + ")");
  return Platform::SetWindowPos(window_handle, insert_after, x, y, cx, cy, flags);
}

std::int32_t RecordingPlatform::ReleaseCapture() {
  log_.push_back("ReleaseCapture()");
  return Platform::ReleaseCapture();
}

std::int32_t RecordingPlatform::SendMessageA(forms::HWnd window_handle, std::uint32_t message,
                                             std::int32_t wparam, std::int32_t lparam) {
  log_.push_back("SendMessageA(" + window_name(window_handle) + ", " + std::to_string(message) +
                 ", " + std::to_string(wparam) + ", " + std::to_string(lparam) + ")");
  return Platform::SendMessageA(window_handle, message, wparam, lparam);
}

forms::ColorRef RecordingPlatform::read_pixel(forms::HDC dc, std::int32_t x, std::int32_t y) {
  ++pixel_reads_;
  const forms::Picture* picture = device_context_picture(dc);
  return picture != nullptr ? picture->pixel(x, y) : forms::kInvalidColor;
}

forms::HRgn RecordingPlatform::CreateRectRgn(std::int32_t left, std::int32_t top,
                                             std::int32_t right, std::int32_t bottom) {
  ++created_;
  log_.push_back("CreateRectRgn(" + std::to_string(left) + ", " + std::to_string(top) + ", " +
                 std::to_string(right) + ", " + std::to_string(bottom) + ")");
  return Platform::CreateRectRgn(left, top, right, bottom);
}

std::int32_t RecordingPlatform::CombineRgn(forms::HRgn destination, forms::HRgn first,
                                           forms::HRgn second, std::int32_t mode) {
  ++combined_;
  const auto same = [&](forms::HRgn r) { return r == destination ? "result" : "rectangle"; };
  log_.push_back(std::string("CombineRgn(result, ") + same(first) + ", " + same(second) + ", " +
                 std::to_string(mode) + ")");
  return Platform::CombineRgn(destination, first, second, mode);
}

std::int32_t RecordingPlatform::DeleteObject(forms::HRgn handle) {
  ++deleted_;
  log_.push_back("DeleteObject(rectangle)");
  return Platform::DeleteObject(handle);
}

void RecordingPlatform::apply_shape(forms::Form& form, forms::Region shape, bool) {
  WindowState& state = windows_[form.name()];
  state.shaped = shape != nullptr;
  state.outline = shape ? rectangles_of(shape.get()) : std::vector<Rect>{};
}

void RecordingPlatform::set_topmost(forms::Form& form, bool topmost) {
  windows_[form.name()].topmost = topmost;
}

void RecordingPlatform::release_pointer_capture() {
  ++capture_releases_;
}

void RecordingPlatform::begin_move(forms::Form& form) {
  ++windows_[form.name()].move_drags;
}

}  // namespace testing_support
