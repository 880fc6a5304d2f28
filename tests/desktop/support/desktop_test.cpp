#include "desktop/desktop_test.h"

#include <fstream>
#include <optional>

#include "desktop/build_config.h"
#include "desktop/wait.h"

namespace desktop {
namespace {

constexpr auto kWindowsGone = std::chrono::milliseconds(5000);

}  // namespace

Session& shared_session() {
  // A function-local object: built lazily, destroyed at exit after every test has run.
  static std::optional<Session> session;
  if (!session) session.emplace();
  return *session;
}

void DesktopTest::SetUp() {
  Session& session = shared_session();
  x_ = std::make_unique<XClient>(session.display().name());
  ASSERT_TRUE(wait_until([&] { return x_->client_windows().empty(); }, kWindowsGone))
      << "windows left over on the display";
  session.site().clear();
  x_->move_pointer(Display::kWidth - 1, Display::kHeight - 1);
}

void DesktopTest::TearDown() {
  if (HasFailure() && x_) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto folder = std::filesystem::path(std::string(kArtifactsDir)) /
                        (std::string(info->test_suite_name()) + "." + info->name());
    save_artifacts(folder);
    std::printf("desktop test artifacts: %s\n", folder.c_str());
  }
  stop_program();
  x_.reset();
}

void DesktopTest::stop_program() {
  if (!program_) return;
  program_.reset();
  if (x_) {
    EXPECT_TRUE(wait_until([&] { return x_->client_windows().empty(); }, kWindowsGone))
        << "windows left over after the program ended";
  }
}

Program& DesktopTest::start(const std::filesystem::path& executable,
                            const ProgramOptions& options) {
  stop_program();
  program_ = std::make_unique<Program>(display(), executable, options);
  return *program_;
}

Program& DesktopTest::program() {
  if (!program_) throw std::logic_error("no program was started in this test");
  return *program_;
}

void DesktopTest::save_artifacts(const std::filesystem::path& folder) {
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  x_->screenshot(folder / "screen.png");
  std::ofstream(folder / "requests.log") << [&] {
    std::string text;
    for (const auto& path : site().requests()) text += path + "\n";
    return text;
  }();
  if (program_) {
    std::ofstream(folder / "program.stdout") << program_->stdout_text();
    std::ofstream(folder / "program.stderr") << program_->stderr_text();
  }
}

}  // namespace desktop
