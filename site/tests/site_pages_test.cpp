// The demo site's pages: where they are, how they are encoded, and that they stay on the site.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kSite = SITE_DIR;

// The pages the program's two web views open, at the paths it asks for.
const std::vector<std::string> kPages = {
    "lumesca3/TV/index-lumesca4.html",
    "lumesca3/index-lumesca4.html",
    "lumesca3/listing-lumesca4.html",
    "lumesca3/aide-dravel2.html",
    "lumesca3/liens.html",
    "lumesca3/soumettre.html",
};

std::string read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Well-formed UTF-8: lead bytes followed by the right number of continuation bytes.
bool is_utf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    if (byte >= 0xF0 && byte <= 0xF4) {
      extra = 3;
    } else if (byte >= 0xE0) {
      extra = byte <= 0xEF ? 2 : 99;
    } else if (byte >= 0xC2) {
      extra = 1;
    } else if (byte >= 0x80) {
      return false;
    }
    if (extra == 99 || i + extra >= text.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra;
  }
  return true;
}

// Every value of href, src and action attributes.
std::vector<std::string> references(const std::string& html) {
  static const std::regex kAttribute(R"re((?:href|src|action)\s*=\s*"([^"]*)")re",
                                     std::regex::icase);
  std::vector<std::string> found;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), kAttribute);
       it != std::sregex_iterator(); ++it) {
    found.push_back((*it)[1].str());
  }
  return found;
}

TEST(SitePages, AreFrenchUtf8Documents) {
  for (const auto& page : kPages) {
    const auto file = kSite / page;
    ASSERT_TRUE(std::filesystem::is_regular_file(file)) << page;
    const std::string html = read(file);
    EXPECT_TRUE(is_utf8(html)) << page;
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u) << page;
    EXPECT_NE(html.find("<html lang=\"fr\">"), std::string::npos) << page;
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos) << page;
    EXPECT_NE(html.find("<title>"), std::string::npos) << page;
  }
}

TEST(SitePages, LoadNothingFromElsewhere) {
  // Styles are inline, so one page view is one request; and nothing names another host.
  const std::regex kExternal(R"(^([a-z][a-z0-9+.-]*:|//))", std::regex::icase);
  for (const auto& page : kPages) {
    const std::string html = read(kSite / page);
    EXPECT_EQ(html.find("<link"), std::string::npos) << page;
    EXPECT_EQ(html.find("<script"), std::string::npos) << page;
    EXPECT_EQ(html.find("<img"), std::string::npos) << page;
    EXPECT_EQ(html.find("url("), std::string::npos) << page;
    EXPECT_EQ(html.find("@import"), std::string::npos) << page;
    for (const auto& reference : references(html)) {
      EXPECT_FALSE(std::regex_search(reference, kExternal)) << page << ": " << reference;
    }
  }
}

TEST(SitePages, LinksLeadToPagesOfTheSite) {
  for (const auto& page : kPages) {
    const auto folder = (kSite / page).parent_path();
    for (const auto& reference : references(read(kSite / page))) {
      const std::string target = reference.substr(0, reference.find_first_of("?#"));
      if (target.empty()) continue;
      const auto resolved = std::filesystem::weakly_canonical(folder / target);
      EXPECT_TRUE(std::filesystem::is_regular_file(resolved)) << page << ": " << reference;
      const auto relative = std::filesystem::relative(resolved, kSite).generic_string();
      EXPECT_NE(std::find(kPages.begin(), kPages.end(), relative), kPages.end())
          << page << ": " << reference;
    }
  }
}

TEST(SitePages, LinksPageListsEveryOtherPage) {
  std::set<std::string> linked;
  const auto folder = (kSite / "lumesca3/liens.html").parent_path();
  for (const auto& reference : references(read(kSite / "lumesca3/liens.html"))) {
    linked.insert(
        std::filesystem::relative(std::filesystem::weakly_canonical(folder / reference), kSite)
            .generic_string());
  }
  for (const auto& page : kPages) {
    if (page == "lumesca3/liens.html") continue;
    EXPECT_EQ(linked.count(page), 1u) << page;
  }
}

TEST(SitePages, SubmissionFormStaysOnItsPage) {
  const std::string html = read(kSite / "lumesca3/soumettre.html");
  EXPECT_NE(html.find(R"(<form method="get" action="soumettre.html">)"), std::string::npos);
  EXPECT_NE(html.find("ajouter une station"), std::string::npos);
  EXPECT_NE(html.find("signaler un lien mort"), std::string::npos);
}

}  // namespace
