// The site's HTML frame: the game's colours and a small stylesheet that the
// menu window's news pane (a plain rich-text view of 292 x 171 pixels) and an
// ordinary browser both render well, and the escaping of every text put in.
#pragma once

#include <string>
#include <string_view>

// & < > " ' become entities; control characters other than tab and line
// breaks are dropped.
std::string HtmlEscape(std::string_view text);

// A whole page: title (escaped here) and body (HTML as given).
std::string HtmlPage(std::string_view title, std::string_view body);
