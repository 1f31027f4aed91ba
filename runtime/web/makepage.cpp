// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the page's markup from the design table at build time, so the
// browser paints the window before the program is even compiled.
//   makepage TEMPLATE FONTS.css OUT.html [--floor]
//   makepage --manifest OUT.webmanifest
// @TITLE@, @FONTS@, @ERROR_TITLE@, @STYLE@ and @CONTROLS@ in TEMPLATE are filled in;
// --floor drops the scripts, for the start-up benchmark's floor page.
// The manifest makes the served page an app with the window's name and colours.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "calc/cylinder.h"
#include "window/design.h"

namespace {

using window::ControlDesign;
using window::Kind;

std::string utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text) {  // the design's texts are all in the BMP
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Text as HTML content or attribute value; CR LF as one line break.
std::string html(std::u16string_view text) {
    std::string out;
    for (const char c : utf8(text)) {
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
            case '\r':
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string id(window::ControlRef ref) {
    static const char* const arrays[] = {"Label1", "Option1", "Text2", "Command1", "Text1"};
    return std::string(arrays[static_cast<int>(ref.kind)]) + '_' + std::to_string(ref.index);
}

std::string px(int twips) {
    return std::to_string(window::toPixels(twips)) + "px";
}

std::string rgb(window::Rgb c) {
    return "rgb(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," +
           std::to_string(c.blue) + ")";
}

const ControlDesign& designOf(window::ControlRef ref) {
    for (const ControlDesign& d : window::controlDesigns())
        if (d.kind == ref.kind && d.index == ref.index) return d;
    throw std::out_of_range("no such control");
}

// Place, size, colour and stacking of each control; creation order stacks.
std::string style() {
    std::string css;
    int layer = 0;
    for (const ControlDesign& d : window::controlDesigns()) {
        const std::string self = '#' + id({d.kind, d.index});
        // A box shares its place and font with what it shows when too narrow.
        css += self + (d.kind == Kind::Text2 ? ',' + self + "_fit" : "") + "{left:" + px(d.left) +
               ";top:" + px(d.top) + ";width:" + px(d.width) + ";height:" + px(d.height) +
               ";z-index:" + std::to_string(++layer) + (d.bold ? ";font-weight:bold}\n" : "}\n");
        if (d.background) css += self + "{background:" + rgb(*d.background) + "}\n";
    }
    css += "html,body{background:" + rgb(window::WindowBackground) + "}\n";
    css += ":root{--window-width:" + std::to_string(window::toPixels(window::ClientWidth)) +
           ";--window-height:" + std::to_string(window::toPixels(window::ClientHeight)) + "}\n";
    css += "#window{width:" + px(window::ClientWidth) + ";height:" + px(window::ClientHeight) +
           ";font-size:" + std::to_string(window::FontPoints * 4 / 3) + "px}\n";
    return css;
}

// "6 · R, Sp": the variant's number and its given columns in grid order.
std::string shortCaption(int variant) {
    auto given = calc::givenColumns(variant);
    if (given[1] < given[0]) std::swap(given[0], given[1]);
    return std::to_string(variant + 1) + " \u00b7 " + html(calc::columnName(given[0])) + ", " +
           html(calc::columnName(given[1]));
}

// One element per control, in the design's tab order: the browser's Tab and
// a screen reader's reading follow the page's order.
std::string controls() {
    std::string out;
    for (const window::ControlRef ref : window::TabOrder) {
        const ControlDesign& d = designOf(ref);
        const std::string name = html(window::accessibleName(ref));
        const std::string text = html(d.text);
        const std::string tag = "id=\"" + id(ref) + "\"";
        switch (d.kind) {
            case Kind::Label1:
                if (d.index == 0) {
                    out += "<h1 " + tag + " class=\"label\">" + text + "</h1>\n";
                } else {
                    const auto full = window::QuantityNames[static_cast<std::size_t>(d.index - 1)];
                    out += "<div " + tag + " class=\"label\"><abbr title=\"" + html(full) + "\">" +
                           text + "</abbr></div>\n";
                }
                break;
            case Kind::Option1:
                // Named by its caption whichever of the two shows: a phone
                // shows the short one, the variant's number and given columns.
                out += "<label " + tag +
                       " class=\"option\"><input type=\"radio\" name=\"variant\" aria-label=\"" +
                       text + "\"" + (d.index == 0 ? " checked" : "") +
                       "><span class=\"caption\">" + text +
                       "</span><span class=\"given\" aria-hidden=\"true\">" +
                       shortCaption(d.index) + "</span></label>\n";
                break;
            case Kind::Text2: {
                // On a narrow screen the cell is one line of the column: the
                // quantity's name over its box. Wide, only the box shows.
                const int column = d.index % 5;
                const auto c = static_cast<std::size_t>(column);
                out += "<div class=\"cell row-" + std::to_string(d.index / 5) + "\"><label for=\"" +
                       id(ref) + "\" class=\"name\" aria-hidden=\"true\">" +
                       html(calc::ColumnNames[c]) + " — " + html(window::QuantityNames[c]) +
                       "</label><input " + tag +
                       " class=\"box\" type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" " +
                       "spellcheck=\"false\" enterkeyhint=\"go\" aria-label=\"" + name + "\"" +
                       (d.tabStop ? "" : " tabindex=\"-1\"") + (d.index == 0 ? " autofocus" : "") +
                       "><span id=\"" + id(ref) +
                       "_fit\" class=\"fit\" aria-hidden=\"true\"></span></div>\n";
                break;
            }
            case Kind::Command1:
                out += "<button " + tag + " type=\"button\">" + text + "</button>\n";
                break;
            case Kind::Text1:
                out += "<textarea " + tag + " readonly aria-label=\"" + name + "\"" +
                       (d.border ? "" : " class=\"borderless\"") + ">" + text + "</textarea>\n";
                break;
        }
    }
    return out;
}

std::string hex(window::Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.red, c.green, c.blue);
    return text;
}

std::string slurp(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

void replace(std::string& text, std::string_view key, const std::string& value) {
    const auto at = text.find(key);
    if (at == std::string::npos) throw std::runtime_error("no " + std::string(key));
    text.replace(at, key.size(), value);
}

// The web app manifest: the window's title and background colour.
std::string manifest() {
    std::string json = R"({
  "name": "@NAME@",
  "short_name": "Цилиндър",
  "lang": "bg",
  "start_url": "./",
  "scope": "./",
  "display": "standalone",
  "background_color": "@COLOUR@",
  "theme_color": "@COLOUR@",
  "icons": [
    {"src": "icon-192.png", "sizes": "192x192", "type": "image/png"},
    {"src": "icon-512.png", "sizes": "512x512", "type": "image/png"}
  ]
}
)";
    replace(json, "@NAME@", utf8(window::CaptionTitle));
    for (int i = 0; i < 2; ++i) replace(json, "@COLOUR@", hex(window::WindowBackground));
    return json;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::string_view(argv[1]) == "--manifest") {
        std::ofstream(argv[2], std::ios::binary) << manifest();
        return 0;
    }
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: makepage TEMPLATE FONTS.css OUT.html [--floor]\n"
                     "       makepage --manifest OUT.webmanifest\n");
        return 2;
    }
    try {
        std::string page = slurp(argv[1]);
        replace(page, "@TITLE@", html(window::windowCaption()));
        replace(page, "@FONTS@", slurp(argv[2]));
        replace(page, "@ERROR_TITLE@", html(window::ErrorCaption));
        replace(page, "@STYLE@", style());
        replace(page, "@CONTROLS@", controls());
        if (argc > 4 && std::string_view(argv[4]) == "--floor")
            page.erase(page.find("{{{ SCRIPT }}}"),
                       page.find("</body>") - page.find("{{{ SCRIPT }}}"));
        std::ofstream(argv[3], std::ios::binary) << page;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "makepage: %s\n", e.what());
        return 1;
    }
    return 0;
}
