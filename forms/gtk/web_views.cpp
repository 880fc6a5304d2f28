#include "forms/gtk/web_views.h"

#include <algorithm>
#include <memory>

#include "forms/gobject_ptr.h"
#include "forms/reload_limit.h"

namespace forms::gtk {
namespace {

void free_limit(gpointer data, GClosure*) {
  std::default_delete<ReloadLimit>()(static_cast<ReloadLimit*>(data));
}

// The view's page is gone with its process: without this the view would keep a stale frame,
// go blank at the next resize and never come back.
void on_process_terminated(WebKitWebView* view, WebKitWebProcessTerminationReason, gpointer data) {
  const gchar* uri = webkit_web_view_get_uri(view);
  if (uri == nullptr) return;  // nothing was shown yet
  const std::string page = uri;
  if (static_cast<ReloadLimit*>(data)->reload_after_end()) {
    webkit_web_view_load_uri(view, page.c_str());
  } else {
    // Shown under the page's own address, so that a later end counts for the same page.
    webkit_web_view_load_alternate_html(view, stopped_page(page).c_str(), page.c_str(), nullptr);
  }
}

}  // namespace

std::string stopped_page(const std::string& address) {
  const GTextPtr href(g_markup_escape_text(address.c_str(), -1));
  return std::string(
             "<!DOCTYPE html><html lang=\"fr\"><head><meta charset=\"utf-8\">"
             "<title>Page arrêtée</title><style>"
             "html { background: #ffffff; } "
             "body { margin: 12px; color: #202020; font: 13px/1.4 sans-serif; } "
             "a { color: #0645ad; font-weight: bold; }"
             "</style></head><body><p>Cette page s’est arrêtée.</p><p><a href=\"") +
         href.get() + "\">Réessayer</a></p></body></html>";
}

WebViews::~WebViews() {
  for (WebKitWebView* view : live_) g_signal_handlers_disconnect_by_data(view, this);
}

GtkWidget* WebViews::create() {
  // A related view shares its relative's web process (and context and network session).
  GtkWidget* widget =
      live_.empty() ? webkit_web_view_new() : webkit_web_view_new_with_related_view(live_.front());
  auto* view = WEBKIT_WEB_VIEW(widget);
  live_.push_back(view);
  // Forgotten as it is destroyed, so that no later view is related to a view on its way out
  // (the main window may close while the companion stays, and the other way round).
  g_signal_connect(view, "destroy", G_CALLBACK(&WebViews::forget), this);
  g_signal_connect_data(view, "web-process-terminated", G_CALLBACK(on_process_terminated),
                        std::make_unique<ReloadLimit>().release(), free_limit, GConnectFlags{});
  return widget;
}

void WebViews::forget(GtkWidget* view, gpointer self) {
  auto& live = static_cast<WebViews*>(self)->live_;
  live.erase(std::remove(live.begin(), live.end(), WEBKIT_WEB_VIEW(view)), live.end());
}

}  // namespace forms::gtk
