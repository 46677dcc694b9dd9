// Escaping and the common frame of the site's pages.
#include "html_page.h"

namespace {

// The night-plum of the news pane's frame, pale pink text, gold headings.
constexpr const char* kStyle =
    "body { background-color: #2a0a22; color: #ffe6f0; font-family: 'DejaVu Sans', Verdana, Arial, "
    "sans-serif;"
    " font-size: 9pt; }\n"
    // The rich-text view ignores font sizes given for h1 and h2; h3 and h4 are small enough.
    "h3 { color: #ffc94a; margin-top: 2px; margin-bottom: 3px; }\n"
    "h4 { color: #ffc94a; margin-top: 6px; margin-bottom: 2px; }\n"
    "p { margin-top: 0px; margin-bottom: 4px; }\n"
    "a { color: #ff9ad0; }\n"
    "th { background-color: #5a1446; color: #ffc94a; text-align: left; }\n"
    "td.n, th.n { text-align: right; }\n"
    ".small { font-size: 8pt; color: #e0a8c8; }\n";

}  // namespace

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
                break;
        }
    }
    return out;
}

std::string HtmlPage(std::string_view title, std::string_view body) {
    std::string page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>" + HtmlEscape(title) +
                       "</title>\n<style>\n";
    page += kStyle;
    page += "</style></head>\n<body bgcolor=\"#2a0a22\" text=\"#ffe6f0\" link=\"#ff9ad0\">\n";
    page += body;
    page += "\n</body></html>\n";
    return page;
}
