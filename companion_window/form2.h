#pragma once
// The companion window: its description, its start-up on the news page, its drag, its five
// page buttons and its close button.

#include <string_view>

#include "forms/description.h"
#include "forms/form.h"

namespace companion_window {

// The window and its nine controls as they are built at every load.
forms::FormDescription form2_description();

inline constexpr char kNewsPage[] = "lumesca3\\index-lumesca4.html";
inline constexpr char kListingPage[] = "lumesca3\\listing-lumesca4.html";
inline constexpr char kHelpPage[] = "lumesca3\\aide-dravel2.html";
inline constexpr char kLinksPage[] = "lumesca3\\liens.html";
inline constexpr char kSubmitPage[] = "lumesca3\\soumettre.html";

class Form2 : public forms::Form {
 public:
  explicit Form2(forms::Runtime& runtime);

 protected:
  void Form_Load() override;
  void Form_MouseDown(int button, int shift, float x, float y) override;

 private:
  void news_Click();
  void listing_Click();
  void aide_Click();
  void liens_Click();
  void ajouter_Click();
  void quitter_Click();

  // Asks the web view for a page; a navigation that fails leaves the page as it was.
  void show_page(std::string_view path);
};

}  // namespace companion_window
