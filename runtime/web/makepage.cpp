// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the page's markup from the design table at build time, so the
// browser paints the window before the program is even compiled; --floor
// drops the scripts, for the start-up benchmark's floor page. Also the web
// app manifest and the design file the page tests read (usage in main).
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "calc/cylinder.h"
#include "platform/utf8.h"
#include "window/design.h"
#include "window/keyboard.h"

namespace {

using platform::html;
using window::ControlDesign;
using window::Kind;

// The design's texts hold no control characters but CR LF.
std::string json(std::u16string_view text) {
    std::string out = "\"";
    for (const char c : platform::utf8(text)) {
        if (c == '"' || c == '\\' || c == '\r' || c == '\n') out += '\\';
        out += c == '\r' ? 'r' : c == '\n' ? 'n' : c;
    }
    return out + '"';
}

constexpr const char* Arrays[] = {"Label1", "Option1", "Text2", "Command1", "Text1"};

std::string id(window::ControlRef ref) {
    return std::string(Arrays[static_cast<int>(ref.kind)]) + '_' + std::to_string(ref.index);
}

std::string pixels(int twips) {
    return std::to_string(window::toPixels(twips));
}

std::string px(int twips) {
    return pixels(twips) + "px";
}

std::string fontSize() {
    return std::to_string(window::FontPoints * 4 / 3) + "px";
}

// Narrower than the window, the page lays the controls out in one column.
std::string narrow() {
    return "(max-width:" + std::to_string(window::toPixels(window::ClientWidth) - 1) + ".98px)";
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
    css += ":root{--window-width:" + pixels(window::ClientWidth) +
           ";--window-height:" + pixels(window::ClientHeight) + "}\n";
    css += "#window{width:" + px(window::ClientWidth) + ";height:" + px(window::ClientHeight) +
           ";font-size:" + fontSize() + "}\n";
    return css;
}

// The window as JSON. For the page's script: the ids of each control array
// it works by index (not the labels'), the Command1(n) Enter presses in each
// box (-1: none), the narrow layout's media query. For the tests (`whole`)
// also the captions, the size, and each control with its id, the name a
// screen reader announces, its text and its place in pixels.
std::string design(bool whole) {
    std::string out = "{";
    for (std::size_t array = 1; array < std::size(Arrays); ++array) {
        out += std::string("\"") + Arrays[array] + "\":[";
        for (const ControlDesign& d : window::controlDesigns())
            if (static_cast<std::size_t>(d.kind) == array)
                out += '"' + id({d.kind, d.index}) + "\",";
        out.back() = ']';
        out += ',';
    }
    // Enter in a box, as the keyboard says whatever the chosen option.
    out += "\"enter\":[";
    for (int box = 0; box < window::BoxCount; ++box)
        out += std::to_string(
                   window::keyAction(window::Key::Enter, window::ControlRef{Kind::Text2, box}, 0)
                       .command.value_or(-1)) +
               ',';
    out.back() = ']';
    out += ",\"narrow\":\"" + narrow() + '"';
    if (!whole) return out + '}';
    out += ",\"caption\":" + json(window::windowCaption()) +
           ",\"errorCaption\":" + json(window::ErrorCaption) +
           ",\"width\":" + pixels(window::ClientWidth) +
           ",\"height\":" + pixels(window::ClientHeight) + ",\"controls\":[";
    for (const ControlDesign& d : window::controlDesigns()) {
        const std::u16string name = window::accessibleName({d.kind, d.index});
        out += "\n{\"id\":\"" + id({d.kind, d.index}) + "\",\"kind\":\"" +
               Arrays[static_cast<int>(d.kind)] + "\",\"index\":" + std::to_string(d.index) +
               ",\"name\":" + json(name.empty() ? d.text : name) + ",\"text\":" + json(d.text) +
               ",\"left\":" + pixels(d.left) + ",\"top\":" + pixels(d.top) +
               ",\"width\":" + pixels(d.width) + ",\"height\":" + pixels(d.height) + "},";
    }
    out.back() = ']';
    return out + "}\n";
}

// "6 · R, Sp": the variant's number and its given columns in grid order.
std::string shortCaption(int variant) {
    auto given = calc::givenColumns(variant);
    if (given[1] < given[0]) std::swap(given[0], given[1]);
    return std::to_string(variant + 1) + " \u00b7 " + html(calc::columnName(given[0])) + ", " +
           html(calc::columnName(given[1]));
}

// One element per control, in the window's tab order, which the browser's
// Tab (the stops the keyboard names) and a screen reader's reading follow.
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
                // Named by its caption whichever shows (a phone: the short one).
                out += "<label " + tag +
                       " class=\"option\"><input type=\"radio\" name=\"variant\" aria-label=\"" +
                       text + "\"" + (d.index == 0 ? " checked" : "") +
                       "><span class=\"caption\">" + text +
                       "</span><span class=\"given\" aria-hidden=\"true\">" +
                       shortCaption(d.index) + "</span></label>\n";
                break;
            case Kind::Text2: {
                // A narrow screen shows the quantity's name beside its box.
                const auto c = static_cast<std::size_t>(d.index % 5);
                out += "<div class=\"cell row-" + std::to_string(d.index / 5) + "\"><label for=\"" +
                       id(ref) + "\" class=\"name\" aria-hidden=\"true\">" +
                       html(calc::ColumnNames[c]) + " — " + html(window::QuantityNames[c]) +
                       "</label><input " + tag +
                       " class=\"box\" type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" " +
                       "spellcheck=\"false\" enterkeyhint=\"go\" aria-label=\"" + name + "\"" +
                       (window::tabStop(ref) ? "" : " tabindex=\"-1\"") +
                       (d.index == 0 ? " autofocus" : "") + "><span id=\"" + id(ref) +
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

std::string slurp(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Every `key` in `text` replaced by `value`; there is one at least.
void replace(std::string& text, std::string_view key, const std::string& value) {
    auto at = text.find(key);
    if (at == std::string::npos) throw std::runtime_error("no " + std::string(key));
    for (; at != std::string::npos; at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
}

// The page: every @NAME@ in the template filled in from the design.
std::string page(const char* shell, const char* fonts, bool floor) {
    std::string out = slurp(shell);
    const std::pair<std::string_view, std::string> fills[] = {
        {"@TITLE@", html(window::windowCaption())},
        {"@FAMILY@", '"' + platform::utf8(window::FontFamily) + '"'},
        {"@SIZE@", fontSize()},
        {"@NARROW@", narrow()},
        {"@WIDE@", "(min-width:" + px(window::ClientWidth) + ")"},
        {"@DESIGN@", design(false)},
        {"@ERROR_TITLE@", html(window::ErrorCaption)},
        {"@STYLE@", style()},
        {"@CONTROLS@", controls()},
        {"@FONTS@", slurp(fonts)},
    };
    for (const auto& [key, value] : fills) replace(out, key, value);
    const auto scripts = out.find("{{{ SCRIPT }}}");
    if (floor) out.erase(scripts, out.find("</body>") - scripts);
    return out;
}

// The web app manifest: the window's title and background colour.
std::string manifest(const char* in) {
    std::string out = slurp(in);
    const window::Rgb c = window::WindowBackground;
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%02x%02x%02x", c.red, c.green, c.blue);
    replace(out, "@NAME@", platform::utf8(window::CaptionTitle));
    replace(out, "@COLOUR@", colour);
    return out;
}

int write(const char* path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "--design" && argc == 3) return write(argv[2], design(true));
        if (mode == "--manifest" && argc == 4) return write(argv[3], manifest(argv[2]));
        const bool floor = argc == 5 && std::string_view(argv[4]) == "--floor";
        if (argc == 4 || floor) return write(argv[3], page(argv[1], argv[2], floor));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "makepage: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: makepage TEMPLATE FONTS.css OUT.html [--floor]\n"
                 "       makepage --manifest TEMPLATE.json OUT.webmanifest | --design OUT.json\n");
    return 2;
}
