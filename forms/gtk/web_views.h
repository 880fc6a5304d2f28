#pragma once
// The program's web views. They share one web context, one network process and one web
// content process for the whole run: each new view is created related to a view that is still
// alive, whichever window holds it. A view whose web process ends, for whatever reason, loads
// again the page it was showing; after three ends within a minute it shows a short page that
// says the page stopped, with a link to try again.

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <string>
#include <vector>

namespace forms::gtk {

class WebViews {
 public:
  WebViews() = default;
  ~WebViews();
  WebViews(const WebViews&) = delete;
  WebViews& operator=(const WebViews&) = delete;

  // A new view (a floating reference, for its container to take).
  GtkWidget* create();

 private:
  static void forget(GtkWidget* view, gpointer self);

  std::vector<WebKitWebView*> live_;  // oldest first
};

// The page shown in place of a page whose process keeps ending: French text, and a link that
// loads `address` again.
std::string stopped_page(const std::string& address);

}  // namespace forms::gtk
