// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the page's markup from the design table at build time, so the
// browser paints the window before the program is even compiled; --floor
// drops the scripts, for the start-up benchmark's floor page. Also the web
// app manifest and the design file the page tests read (usage in main).
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "calc/cylinder.h"
#include "calc/texts.h"
#include "platform/utf8.h"
#include "window/design.h"
#include "window/keyboard.h"
#include "window/solutionview.h"

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

// Place, size, colour and stacking of each control; creation order stacks.
std::string style() {
    std::string css;
    int layer = 0;
    for (const ControlDesign& d : window::controlDesigns()) {
        const std::string self = '#' + window::controlName({d.kind, d.index});
        // A box shares its place and font with what it shows when too narrow.
        css += self + (d.kind == Kind::Text2 ? ',' + self + "_fit" : "") + "{left:" + px(d.left) +
               ";top:" + px(d.top) + ";width:" + px(d.width) + ";height:" + px(d.height) +
               ";z-index:" + std::to_string(++layer) + (d.bold ? ";font-weight:bold" : "") +
               (d.centred ? ";text-align:center}\n" : "}\n");
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
    for (const Kind array : {Kind::Option1, Kind::Text2, Kind::Command1, Kind::Text1}) {
        out += '"' + std::string(window::arrayName(array)) + "\":[";
        for (const ControlDesign& d : window::controlDesigns())
            if (d.kind == array) out += '"' + window::controlName({d.kind, d.index}) + "\",";
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
        out += "\n{\"id\":\"" + window::controlName({d.kind, d.index}) + "\",\"kind\":\"" +
               std::string(window::arrayName(d.kind)) + "\",\"index\":" + std::to_string(d.index) +
               ",\"name\":" + json(name.empty() ? d.text : name) + ",\"text\":" + json(d.text) +
               ",\"left\":" + pixels(d.left) + ",\"top\":" + pixels(d.top) +
               ",\"width\":" + pixels(d.width) + ",\"height\":" + pixels(d.height) + "},";
    }
    out.back() = ']';
    return out + "}\n";
}

// One element per control, in the window's tab order, which the browser's
// Tab (the stops the keyboard names) and a screen reader's reading follow.
std::string controls() {
    std::string out;
    for (const window::ControlRef ref : window::TabOrder) {
        const ControlDesign& d = window::controlDesign(ref);
        const std::string name = html(window::accessibleName(ref));
        const std::string text = html(d.text);
        const std::string self = window::controlName(ref);
        const std::string tag = "id=\"" + self + "\"";
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
                       html(window::shortCaption(d.index)) + "</span></label>\n";
                break;
            case Kind::Text2: {
                // A narrow screen shows the quantity's name beside its box.
                const auto c = static_cast<std::size_t>(d.index % 5);
                out += "<div class=\"cell row-" + std::to_string(d.index / 5) + "\"><label for=\"" +
                       self + "\" class=\"name\" aria-hidden=\"true\">" +
                       html(calc::ColumnNames[c]) + " — " + html(window::QuantityNames[c]) +
                       "</label><input " + tag +
                       " class=\"box\" type=\"text\" inputmode=\"decimal\" autocomplete=\"off\" " +
                       "spellcheck=\"false\" enterkeyhint=\"go\" aria-label=\"" + name + "\"" +
                       (window::tabStop(ref) ? "" : " tabindex=\"-1\"") +
                       (d.index == 0 ? " autofocus" : "") + "><span id=\"" + self +
                       "_fit\" class=\"fit\" aria-hidden=\"true\"></span></div>\n";
                break;
            }
            case Kind::Command1:
                out += "<button " + tag + " type=\"button\">" + text + "</button>\n";
                break;
            case Kind::Text1:
                out += "<textarea " + tag + (d.readOnly ? " readonly" : "") + " aria-label=\"" +
                       name + "\"" + (d.border ? "" : " class=\"borderless\"") + ">" + text +
                       "</textarea>\n";
                break;
        }
    }
    return out;
}

// The signs a touch screen's decimal keypad lacks, a key each.
struct SignKey {
    std::u16string_view sign;
    calc::Text name;
};
constexpr SignKey SignKeys[]{{u"π", calc::Text::PiKeyName},
                             {u"√", calc::Text::RootKeyName},
                             {u"/", calc::Text::FractionKeyName}};

// The keys, last in the window and under the task field: out of the Tab
// chain, and the page's script keeps the focus where they write.
std::string signKeys(const std::string& id) {
    std::string out = "<div id=\"" + id + "\" class=\"keys\">";
    for (const SignKey& key : SignKeys)
        out += "<button type=\"button\" tabindex=\"-1\" aria-label=\"" +
               html(calc::text(key.name)) + "\">" + html(key.sign) + "</button>";
    return out + "</div>\n";
}

// A touch screen with room for the window: the keys under the chosen row,
// over the next rows' boxes (empty, as every row but the chosen one is), or
// above it in the lower half, clear of the report.
std::string keysPlaces() {
    std::string css;
    constexpr int rows = window::BoxCount / 5;
    for (int row = 0; row < rows; ++row) {
        const ControlDesign& first = window::controlDesign({Kind::Text2, 5 * row});
        const bool below = 2 * row < rows;
        css += "#window:has(>.row-" + std::to_string(row) +
               ":not(.locked))>#keys{left:" + px(first.left) + ";top:" +
               (below ? px(first.top + first.height) : "calc(" + px(first.top) + " - var(--key))") +
               "}\n";
    }
    return css;
}

// The task field under the window, above the solution: a task as a pupil
// writes it, solved by Enter or the button, with the keys a keypad lacks.
std::string task() {
    return "<section id=\"task\"><label for=\"task-text\">" +
           html(calc::text(calc::Text::FieldName)) +
           "</label><div><textarea id=\"task-text\" rows=\"3\" autocomplete=\"off\" " +
           "spellcheck=\"false\" enterkeyhint=\"go\"></textarea><button id=\"task-solve\" " +
           "type=\"button\">" + html(calc::text(calc::Text::SolveButton)) + "</button></div>" +
           signKeys("task-keys") + "</section>\n";
}

// The choice of the answer's place above the solution: a labelled select,
// kept out of the browser's restoring of form fields (nothing is kept).
std::string rounding() {
    std::string out = "<p id=\"solution-place\"><label for=\"rounding\">" +
                      html(calc::text(calc::Text::RoundingName)) +
                      "</label> <select id=\"rounding\" autocomplete=\"off\">";
    // With a comma until the page knows its language's separator.
    for (const calc::Rounding place : window::RoundingPlaces)
        out += "<option>" + html(window::roundingChoice(place, u',')) + "</option>";
    return out + "</select></p>";
}

std::string slurp(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The template at `path` with every `key` replaced by its value; each is
// there once at least.
std::string fill(const char* path,
                 std::initializer_list<std::pair<std::string_view, std::string>> fills) {
    std::string out = slurp(path);
    for (const auto& [key, value] : fills) {
        auto at = out.find(key);
        if (at == std::string::npos) throw std::runtime_error("no " + std::string(key));
        for (; at != std::string::npos; at = out.find(key, at + value.size()))
            out.replace(at, key.size(), value);
    }
    return out;
}

// The page: every @NAME@ in the template filled in from the design.
std::string page(const char* shell, const char* fonts, bool floor) {
    std::string out = fill(shell, {{"@TITLE@", html(window::windowCaption())},
                                   {"@FAMILY@", '"' + platform::utf8(window::FontFamily) + '"'},
                                   {"@SIZE@", fontSize()},
                                   {"@NARROW@", narrow()},
                                   {"@WIDE@", "(min-width:" + px(window::ClientWidth) + ")"},
                                   {"@DESIGN@", design(false)},
                                   {"@ERROR_TITLE@", html(window::ErrorCaption)},
                                   {"@STYLE@", style()},
                                   {"@CONTROLS@", controls() + signKeys("keys")},
                                   {"@TASK@", task()},
                                   {"@KEYS@", keysPlaces()},
                                   {"@ROUNDING@", rounding()},
                                   {"@FONTS@", slurp(fonts)}});
    const auto scripts = out.find("{{{ SCRIPT }}}");
    if (floor) out.erase(scripts, out.find("</body>") - scripts);
    return out;
}

// The web app manifest: the window's title and background colour.
std::string manifest(const char* in) {
    const window::Rgb c = window::WindowBackground;
    char colour[8];
    std::snprintf(colour, sizeof colour, "#%02x%02x%02x", c.red, c.green, c.blue);
    return fill(in, {{"@NAME@", platform::utf8(window::CaptionTitle)}, {"@COLOUR@", colour}});
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
