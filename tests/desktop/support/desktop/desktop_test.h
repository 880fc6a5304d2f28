// GoogleTest side of the harness: one display and one site server per test binary, one
// X connection and at most one program per test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "desktop/display.h"
#include "desktop/program.h"
#include "desktop/site_server.h"
#include "desktop/x_client.h"

namespace desktop {

// Xvfb + openbox, and the demo site served on LUMESCA_SITE_HOST.
class Session {
 public:
  Session() = default;
  Display& display() { return display_; }
  SiteServer& site() { return site_; }

 private:
  Display display_;  // started first, stopped last
  SiteServer site_;
};

// Built on the first call and kept until the test binary exits, so the tests of one binary
// share one display and one server. Throws what their constructors throw (and tries again on
// the next call).
Session& shared_session();

// Fixture for desktop tests: SetUp gives a clean request log, a fresh X connection, a desktop
// without client windows and the pointer parked in the bottom-right corner; TearDown ends the
// program and waits until its windows are gone (so that the next test cannot find a window
// that is still being destroyed). When the test failed,
// a screenshot, the program's output and the request log are kept under
// DESKTOP_ARTIFACTS_DIR/<suite>.<test>/ and their place is printed.
class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  Display& display() { return shared_session().display(); }
  SiteServer& site() { return shared_session().site(); }
  XClient& x() { return *x_; }

  // Starts `executable` on the display (ending the program this test started before, if any).
  Program& start(const std::filesystem::path& executable, const ProgramOptions& options = {});
  // The program started last; the test fails when there is none.
  Program& program();

  // Writes the screenshot, the program's output and the request log to `folder`.
  void save_artifacts(const std::filesystem::path& folder);

  // Ends the program (if any) and waits until no client window is left on the display.
  void stop_program();

 private:
  std::unique_ptr<XClient> x_;
  std::unique_ptr<Program> program_;
};

}  // namespace desktop
