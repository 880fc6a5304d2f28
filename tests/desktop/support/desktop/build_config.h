// Values that CMake hands to the desktop tests.
#pragma once

#include <string_view>

namespace desktop {

// The site host compiled into the programs under test (LUMESCA_SITE_HOST): "host[:port]".
inline constexpr std::string_view kSiteHost = LUMESCA_SITE_HOST;
// The demo site's folder and the server that serves it.
inline constexpr std::string_view kSiteDir = LUMESCA_SITE_DIR;
inline constexpr std::string_view kSiteServer = LUMESCA_SITE_SERVER;
// Where a failing desktop test leaves its screenshot and the program's output.
inline constexpr std::string_view kArtifactsDir = DESKTOP_ARTIFACTS_DIR;

}  // namespace desktop
