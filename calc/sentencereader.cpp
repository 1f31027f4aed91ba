// SPDX-License-Identifier: GPL-3.0-or-later
// A task as the book prints it: words brought to their dictionary forms,
// phrases found, then each sentence's facts by a few patterns. Whatever
// number or quantity no pattern uses is quoted, and nothing is guessed.
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/calculationerror.h"
#include "taskscan.h"
#include "taskwords.h"
#include "texts.h"

namespace calc {

using namespace scan;
using words::Role;

namespace {

enum class Kind : unsigned char {
    Phrase,   // words, `role` says what they are
    Number,   // a number and its unit
    PiSign,   // "π =" or "π ≈"
    Colon,    // ':' between a ratio's numbers
    Comma,    // a clause's end: no pattern reads across it
    Option,   // "А)": a multiple choice's option
    Unknown,  // a word or sign no table knows: nothing reads across it
    End,      // the end of a sentence
};

struct Item {
    Kind kind = Kind::Unknown;
    Role role = Role::Filler;
    int arg = 0;
    std::size_t begin = 0, end = 0;  // in the text
    bool used = false;
    // A number's.
    Number number;
    std::optional<platform::Unit> unit;  // a length's, area's or volume's
    std::optional<TaskUnit> other;       // a mass's, a density's, a hectolitre's
    bool degrees = false;
    std::u16string digits, unitText;  // as written
    std::u16string word;              // a word's dictionary form
    bool needed = false;              // a word of no phrase right after a bare number: its unit?
};

Item make(Kind kind, std::size_t begin, std::size_t end, Role role = Role::Filler, int arg = 0) {
    Item item;
    item.kind = kind;
    item.role = role;
    item.arg = arg;
    item.begin = begin;
    item.end = end;
    return item;
}

constexpr bool isRole(const Item* item, Role role) {
    return item != nullptr && item->kind == Kind::Phrase && item->role == role;
}

// Numbers, quantities and the words of a relation are each used by a
// pattern, or the clause holding them is quoted.
constexpr bool mustUse(const Item& item) {
    if (item.kind == Kind::Number || item.kind == Kind::PiSign || item.needed) return true;
    // A letter or sign of no phrase ("x", "+") belongs to a formula not read.
    if (item.kind == Kind::Unknown) return item.word.empty() || item.word.front() < u'\u0400';
    if (item.kind != Kind::Phrase) return false;
    switch (item.role) {
        case Role::Quantity:
        case Role::Shape:
        case Role::Sphere:
        case Role::Greater:
        case Role::Smaller:
        case Role::Times:
        case Role::Equal:
        case Role::Respectively:
        case Role::Relate:
        case Role::RatioOf:
        case Role::Exceeds:
        case Role::Count:
        case Role::Multiple:
        case Role::Fraction:
        case Role::Square:
        case Role::Rectangle:
        case Role::Angle:
        case Role::Weighs:
        case Role::Density:
        case Role::Accuracy:
        case Role::Not:
        case Role::Unit:
        case Role::Changes:
            return true;
        default:
            return false;
    }
}

constexpr char16_t lower(char16_t c) {
    if (c >= u'А' && c <= u'Я') return static_cast<char16_t>(c + 0x20);
    if (c == u'Ѝ') return u'ѝ';
    return c;
}

// The dictionary form of a word (lower case), or the word itself.
std::u16string_view lemma(std::u16string_view word) {
    for (const words::Form& form : words::Forms) {
        if (word.substr(0, form.stem.size()) != form.stem) continue;
        const std::u16string_view ending = word.substr(form.stem.size());
        std::u16string_view endings = form.endings;
        for (;;) {
            const std::size_t comma = endings.find(u',');
            if (endings.substr(0, comma) == ending) return form.lemma;
            if (comma == std::u16string_view::npos) break;
            endings.remove_prefix(comma + 1);
        }
    }
    return word;
}

// A multiple choice's option letter, lower case: "а" of "А)".
bool isLabel(char16_t c) {
    return std::u16string_view(u"абвгдabcd").find(c) != std::u16string_view::npos;
}

class Reader {
public:
    explicit Reader(std::u16string_view text) : text_(text) {}

    Task run() {
        tokens();
        phrases();
        unitWords();
        for (const Item& item : items_)
            if (isRole(&item, Role::Refuse)) {
                task_.refused = std::u16string(text(Text::TaskRefused)) +
                                std::u16string(words::Refusals[item.arg]);
                return std::move(task_);
            }
        notebookClauses();
        options();
        for (std::size_t from = 0; from < items_.size();) {
            std::size_t to = from;
            while (to < items_.size() && items_[to].kind != Kind::End) ++to;
            try {
                sentence(from, to);
            } catch (const platform::CalculationError&) {
                // "0 cm³ … тежи", "0 пъти по-малък": what it would have read stays quoted.
            }
            from = to + 1;
        }
        finish();
        return std::move(task_);
    }

private:
    // Tokens -------------------------------------------------------------

    void tokens() {
        Cursor in(text_);
        bool lineStart = true;
        for (;;) {
            std::size_t at = in.at();
            while (at < text_.size() && isSpace(text_[at]) && !isLineBreak(text_[at])) ++at;
            if (at >= text_.size()) break;
            in.reset(at);
            const char16_t c = text_[at];
            if (lineStart && enumerator(in)) continue;
            lineStart = false;
            if (isLineBreak(c) && !items_.empty() && items_.back().kind == Kind::Colon) {
                in.next();  // "Околната повърхнина е:" and its options on the next lines
                lineStart = true;
            } else if (isLineBreak(c) || c == u'.' || c == u'!' || c == u'?' || c == u';') {
                separators_.push_back(at);
                end(at);
                lineStart = isLineBreak(c);
                in.next();
            } else if (c == u',') {
                separators_.push_back(at);
                push(make(Kind::Comma, at, at + 1));
                in.next();
            } else if (c == u'π' && piSign(in)) {
                continue;
            } else if (isDigit(c) || c == u'√' || c == u'π') {
                number(in);
            } else if (isLetter(c)) {
                word(in);
            } else if (c == u'=' || c == u'≈') {
                push(make(Kind::Phrase, at, at + 1, Role::Verb));
                in.next();
            } else if (c == u':') {
                push(make(Kind::Colon, at, at + 1));
                in.next();
            } else if (std::u16string_view(u"()\"„“«»'–—").find(c) != std::u16string_view::npos) {
                in.next();
            } else {
                push(make(Kind::Unknown, at, at + 1));
                in.next();
            }
        }
        end(text_.size());
    }

    void push(Item item) { items_.push_back(std::move(item)); }

    void end(std::size_t at) {
        if (!items_.empty() && items_.back().kind != Kind::End) push(make(Kind::End, at, at));
    }

    // "1.", "2)" leading a line: the task's number in a list, not a fact.
    bool enumerator(Cursor& in) {
        const std::size_t start = in.at();
        std::size_t i = start;
        while (i < text_.size() && isSpace(text_[i]) && !isLineBreak(text_[i])) ++i;
        const std::size_t digits = i;
        while (i < text_.size() && isDigit(text_[i])) ++i;
        if (i == digits || i - digits > 3 || i + 1 >= text_.size() ||
            (text_[i] != u'.' && text_[i] != u')') || !isSpace(text_[i + 1]))
            return false;
        in.reset(i + 1);
        return true;
    }

    bool piSign(Cursor& in) {
        const std::size_t start = in.at();
        in.next();
        const char16_t c = in.peek();
        if (c == u'=' || c == u'≈') {
            in.next();
            push(make(Kind::PiSign, start, in.at()));
            return true;
        }
        in.reset(start);
        return false;
    }

    void number(Cursor& whole) {
        // A number and its unit stay on their line.
        if (whole.at() >= lineEnd_) {
            lineEnd_ = whole.at();
            while (lineEnd_ < text_.size() && !isLineBreak(text_[lineEnd_])) ++lineEnd_;
        }
        Cursor in(text_.substr(0, lineEnd_));
        in.reset(whole.at());
        read(in);
        whole.reset(in.at());
    }

    void read(Cursor& in) {
        const std::size_t start = in.at();
        Item item = make(Kind::Number, start, start);
        try {
            NumberReader numbers(in);
            const std::optional<Number> n = numbers.product();
            if (!n) {
                in.next();
                push(make(Kind::Unknown, start, in.at()));
                return;
            }
            item.number = *n;
        } catch (const platform::CalculationError&) {
            // Too large for a double: kept, so that its clause is quoted.
            in.reset(start + 1);
            while (in.at() < text_.size() && !isSpace(text_[in.at()])) in.next();
            item.kind = Kind::Unknown;
            item.end = in.at();
            unreadable_.push_back(start);
            push(std::move(item));
            return;
        }
        item.digits = std::u16string(trimmed(text_.substr(start, in.at() - start)));
        // A ',' not between two digits ends a clause, here as in the notebook.
        for (std::size_t i = 0; i < item.digits.size(); ++i)
            if (item.digits[i] == u',' &&
                (i == 0 || i + 1 == item.digits.size() || !isDigit(item.digits[i - 1]) ||
                 !isDigit(item.digits[i + 1]))) {
                in.reset(start + 1);
                push(make(Kind::Unknown, start, start + 1));
                return;
            }
        const std::size_t unitStart = in.at();
        if (auto density = takeDensityUnit(in)) {
            item.other = std::move(density);
        } else if (auto mass = takeRow(in, MoreUnits, &UnitName::spelling)) {
            item.other = TaskUnit{mass->kind, mass->exponent, written(in, unitStart)};
        } else if (auto unit = takeUnit(in)) {
            item.unit = unit;
        } else if (in.peek() == u'°') {
            in.next();
            item.degrees = true;
        } else {
            in.reset(unitStart);
        }
        // "В) 45π Г) 60π": after "А)" a label letter before ')' is the next option, no gram.
        const std::size_t unitEnd = in.at();
        const bool beforeBracket = in.peek() == u')';
        in.reset(unitEnd);  // peek() passed the spaces: they are not the unit's
        if (const std::u16string unit = written(in, unitStart);
            unit.size() == 1 && beforeBracket && isLabel(lower(unit[0])) &&
            std::any_of(items_.begin(), items_.end(),
                        [](const Item& i) { return i.kind == Kind::Option; })) {
            in.reset(unitStart);
            item.other.reset();
            item.unit.reset();
        }
        item.unitText = written(in, unitStart);
        item.end = in.at();
        push(std::move(item));
    }

    void word(Cursor& in) {
        const std::size_t start = in.at();
        std::size_t i = start;
        while (i < text_.size() &&
               (continuesWord(text_[i]) ||
                (text_[i] == u'-' && i + 1 < text_.size() && isLetter(text_[i + 1]))))
            ++i;
        std::u16string w(text_.substr(start, i - start));
        for (char16_t& c : w) c = lower(c);
        // "А)", "б)": an option of a multiple choice.
        if (w.size() == 1 && i < text_.size() && text_[i] == u')' && isLabel(w[0])) {
            push(make(Kind::Option, start, i + 1));
            in.reset(i + 1);
            return;
        }
        in.reset(i);
        // "в литри" is read by phrases; "в cm³" here.
        if (w == u"в" || w == u"във") {
            const std::size_t after = in.at();
            if (in.peek() != u'\0' && !isCyrillic(in.peek()))
                if (auto unit = takeAskedUnit(in)) {
                    Item item = make(Kind::Phrase, start, in.at(), Role::Unit, -1);
                    item.other = std::move(unit);
                    push(std::move(item));
                    return;
                }
            in.reset(after);
        }
        Item item = make(Kind::Phrase, start, i);
        // Latin letters keep their case: r and R, s and S are the book's.
        const bool latin = !isCyrillic(text_[start]);
        item.word =
            latin ? std::u16string(text_.substr(start, i - start)) : std::u16string(lemma(w));
        push(std::move(item));
    }

    // "5 литра", "50 сантиметра", "2 кубични дециметра": a unit's name
    // right after a number of no unit is its unit, in the notebook's symbol.
    void unitWords() {
        for (std::size_t i = 0; i + 1 < items_.size(); ++i) {
            Item& n = items_[i];
            Item& name = items_[i + 1];
            if (n.kind != Kind::Number || n.unit || n.other || n.degrees) continue;
            // "30 сm" in two alphabets: no unit, and not passed over.
            if (name.kind == Kind::Unknown) name.needed = true;
            if (!isRole(&name, Role::Unit) || name.arg < 0) continue;
            Cursor in(words::UnitSymbols[name.arg]);
            const std::optional<platform::Unit> unit = takeUnit(in);
            if (!unit || !in.atEnd()) continue;  // a mass's name stays for "колко килограма"
            n.unit = unit;
            n.unitText = words::UnitSymbols[name.arg];
            name.used = true;
        }
    }

    // Phrases ------------------------------------------------------------

    // Each run of words becomes its longest phrase; words of no phrase
    // become Unknown, fillers go.
    void phrases() {
        std::vector<Item> out;
        out.reserve(items_.size());
        for (std::size_t i = 0; i < items_.size();) {
            Item& item = items_[i];
            if (item.kind != Kind::Phrase || item.role == Role::Unit || item.role == Role::Verb) {
                out.push_back(std::move(item));
                ++i;
                continue;
            }
            const words::Phrase* best = nullptr;
            std::size_t length = 0;
            for (const words::Phrase& phrase : words::Phrases) {
                const std::size_t n = matches(i, phrase.lemmas);
                if (n > length) {
                    best = &phrase;
                    length = n;
                }
            }
            if (best == nullptr) {
                item.kind = Kind::Unknown;  // its word kept: a Latin letter must be read
                out.push_back(std::move(item));
                ++i;
                continue;
            }
            // "без капак", "тръба": said of the vessel, for what is asked.
            if (best->role == Role::Open) open_ = std::max(open_, best->arg);
            if (best->role != Role::Filler && best->role != Role::Open) {
                out.push_back(make(Kind::Phrase, item.begin, items_[i + length - 1].end, best->role,
                                   best->arg));
            }
            i += length;
        }
        items_ = std::move(out);
    }

    // How many words from `i` on spell `lemmas`; 0 if they do not.
    std::size_t matches(std::size_t i, std::u16string_view lemmas) const {
        std::size_t n = 0;
        for (;;) {
            const std::size_t space = lemmas.find(u' ');
            const std::u16string_view want = lemmas.substr(0, space);
            if (i + n >= items_.size()) return 0;
            // A comma or a clitic may stand inside a phrase: "сферата, вписана в
            // цилиндъра", "пълната му повърхнина".
            while (n > 0 && i + n + 1 < items_.size() &&
                   (items_[i + n].kind == Kind::Comma || items_[i + n].word == u"му" ||
                    items_[i + n].word == u"ѝ" || items_[i + n].word == u"й"))
                ++n;
            const Item& item = items_[i + n];
            if (item.kind != Kind::Phrase || item.role != Role::Filler || item.word != want)
                return 0;
            ++n;
            if (space == std::u16string_view::npos) return n;
            lemmas.remove_prefix(space + 1);
        }
    }

    // Clauses in the notebook's form ---------------------------------------

    // A clause the notebook reads whole ("r = 5 cm", "Търси се: V") is its fact.
    void notebookClauses() {
        std::size_t start = 0;
        bool asking = false;
        std::size_t next = 0;  // the first item not before the clause
        std::vector<std::size_t> bounds = separators_;
        bounds.push_back(text_.size());
        for (const std::size_t end : bounds) {
            const std::u16string_view part = text_.substr(start, end - start);
            const std::size_t from = start;
            start = end + 1;
            while (next < items_.size() && items_[next].begin < from) ++next;
            if (trimmed(part).empty() || !hasSign(from, end)) continue;
            Task one;
            if (!readPart(part, asking, one) || one.facts.size() != 1) continue;
            facts_.push_back({from, std::move(one.facts.front())});
            for (std::size_t i = next; i < items_.size() && items_[i].end <= end; ++i)
                items_[i].used = true;
        }
    }

    // Whether a '=', '≈', '?' or ':' stands between `from` and `to`, the notebook's
    // mark, and no ',' the notebook would take as a separator.
    bool hasSign(std::size_t from, std::size_t to) const {
        bool sign = false;
        for (std::size_t i = from; i < to; ++i) {
            sign |= text_[i] == u'=' || text_[i] == u'≈' || text_[i] == u'?' || text_[i] == u':';
            if (text_[i] == u',' &&
                !(i > 0 && i + 1 < text_.size() && isDigit(text_[i - 1]) && isDigit(text_[i + 1])))
                return false;
        }
        return sign;
    }

    // Options --------------------------------------------------------------

    void options() {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (items_[i].kind != Kind::Option) continue;
            items_[i].used = true;
            Option option;
            option.label = trimmed(text_.substr(items_[i].begin, items_[i].end - items_[i].begin));
            if (i + 1 < items_.size() && items_[i + 1].kind == Kind::Number &&
                !items_[i + 1].used) {
                Item& n = items_[i + 1];
                n.used = true;
                option.value = reading(n.number, n.unit);
            }
            task_.options.push_back(std::move(option));
        }
    }

    // Sentences ------------------------------------------------------------

    Item* at(std::size_t i) { return i < to_ && !items_[i].used ? &items_[i] : nullptr; }

    bool isNumber(std::size_t i) {
        const Item* item = at(i);
        return item != nullptr && item->kind == Kind::Number;
    }

    // A plain number: no unit of mass or density, no degrees.
    bool isPlain(std::size_t i) { return isNumber(i) && !items_[i].other && !items_[i].degrees; }

    std::size_t skip(std::size_t j, Role role) {
        while (isRole(at(j), role)) ++j;
        return j;
    }

    void use(std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to && i < items_.size(); ++i) items_[i].used = true;
    }

    void sentence(std::size_t from, std::size_t to) {
        from_ = from;
        to_ = to;
        shape_ = std::nullopt;
        shapeAt_ = std::nullopt;
        // "Кълбо с обем … е вписано в цилиндър": "вписан" alone says which sphere.
        for (std::size_t i = from; i < to; ++i)
            if (isRole(&items_[i], Role::Sphere) && items_[i].arg >= 3) {
                sphere_ = items_[i].arg == 3 ? 0 : 1;
                items_[i].used = true;
                if (items_[i].arg == 5 && isRole(at(i + 1), Role::With) && !ofBall(at(i + 2), true))
                    return;
            }
        // "не" counts only in a clause with a number or a quantity.
        for (std::size_t i = from; i < to; ++i)
            if (isRole(&items_[i], Role::Not) && !inClause(i, [](const Item& item) {
                    return item.kind == Kind::Number || isRole(&item, Role::Quantity);
                }))
                items_[i].used = true;
        for (std::size_t i = from; i < to; ++i) {
            Item* item = at(i);
            if (item == nullptr) continue;
            if (item->kind == Kind::PiSign) {
                pi(i);
            } else if (isRole(item, Role::Label)) {
                item->used = true;
                if (isPlain(i + 1)) items_[i + 1].used = true;
            } else if (isRole(item, Role::Shape)) {
                shape_ = static_cast<Measure>(item->arg);
                shapeAt_ = i;
                shape(i);
            } else if (isRole(item, Role::Sphere)) {
                sphere(i);
            } else if (isRole(item, Role::Base)) {
                shape_ = Measure::B;  // "основата има лице 16π cm²"
                shapeAt_ = i;
            } else if (isRole(item, Role::Quantity)) {
                subject(i);
            } else if (isRole(item, Role::Angle)) {
                angle(i);
            } else if (isRole(item, Role::Weighs)) {
                weighs(i);
            } else if (isRole(item, Role::Density)) {
                density(i);
            } else if (isRole(item, Role::Accuracy) || isRole(item, Role::Places)) {
                places(i);
            } else if (isRole(item, Role::AnswerIn)) {
                answerIn(i);
            }
        }
        asking(from, to);
    }

    // "вписаната сфера има радиус 3 cm", "радиусът на вписаното кълбо":
    // the radius, volume or surface next to a sphere is the sphere's.
    void sphere(std::size_t i) {
        if (items_[i].arg == 2 && sphere_) items_[i].arg = *sphere_;
        if (items_[i].arg == 2) return;  // which sphere is not said: quoted
        const bool around = items_[i].arg == 1;
        sphere_ = items_[i].arg;
        items_[i].used = true;  // said which; its measures, if any, follow
        // "Сферата, вписана в цилиндър, има обем …": past the comma that closes the phrase.
        std::size_t next = i + 1;
        while (next < to_ && items_[next].kind == Kind::Comma) ++next;
        for (const std::size_t k : {i > 0 ? i - 1 : i, skip(skip(next, Role::Verb), Role::With)}) {
            Item* q = k == i ? nullptr : at(k);
            if (!isRole(q, Role::Quantity)) continue;
            if (!ofBall(q, around)) return;
            // Its value may follow the sphere: "…на сферата, вписана в цилиндъра, е 64π cm²".
            std::size_t after = i + 1;
            while (after < to_ && (items_[after].used || items_[after].kind == Kind::Comma))
                ++after;
            if (k < i) subject(k, after);
            return;
        }
        // "Цилиндър с радиус 3 cm е описан около кълбо.": said, with no measure of its own.
        if (!around &&
            std::none_of(items_.begin() + static_cast<std::ptrdiff_t>(from_),
                         items_.begin() + static_cast<std::ptrdiff_t>(to_), [](const Item& item) {
                             return isRole(&item, Role::Ask) || isRole(&item, Role::HowMany);
                         }))
            ballInside_ = items_[i].begin;
    }

    // The quantity `q` made the ball's, inscribed or `around`; false, the
    // task refused, where the program has no formula for it (the ball
    // around's volume).
    bool ofBall(Item* q, bool around) {
        if (!isRole(q, Role::Quantity)) return true;
        // "лицето на сферата": a ball's only area is its surface.
        const Measure m = q->arg < 0 ? Measure::Sp : static_cast<Measure>(q->arg);
        const std::optional<Measure> its =
            m == Measure::R              ? (around ? Measure::rho : Measure::SphereRadius)
            : m == Measure::Sp           ? (around ? Measure::Around : Measure::SphereSurface)
            : m == Measure::V && !around ? std::optional(Measure::SphereVolume)
                                         : std::nullopt;
        if (!its) {
            task_.refused = std::u16string(text(Text::TaskRefused)) +
                            std::u16string(words::Refusals[words::SphereRefusal]);
            return false;
        }
        q->arg = static_cast<int>(*its);
        return true;
    }

    // Whether an item of the clause around `i` (to a comma or the sentence's end) is `what`.
    template <typename What>
    bool inClause(std::size_t i, What what) const {
        for (std::size_t k = i;
             k > 0 && items_[k - 1].kind != Kind::Comma && items_[k - 1].kind != Kind::End; --k)
            if (what(items_[k - 1])) return true;
        for (std::size_t k = i + 1;
             k < items_.size() && items_[k].kind != Kind::Comma && items_[k].kind != Kind::End; ++k)
            if (what(items_[k])) return true;
        return false;
    }

    Measure measureOf(const Item& item) const {
        if (item.arg >= 0 || item.role != Role::Quantity) return static_cast<Measure>(item.arg);
        // "лице" alone: of the shape the sentence speaks of.
        if (shape_ == Measure::AxialArea) return Measure::AxialArea;
        if (shape_ == Measure::DevelopmentDiagonal) return Measure::So;
        if (shape_ == Measure::B) return Measure::B;
        return Measure::Mass;  // no area: not given, so never read as one
    }

    bool known(const Item& item) const { return item.arg >= 0 || shape_.has_value(); }

    void add(std::size_t at, Fact fact) {
        // "лице" read as the shape's: the shape's words are used too.
        if (items_[at].kind == Kind::Phrase && items_[at].role == Role::Quantity &&
            items_[at].arg < 0 && shapeAt_)
            items_[*shapeAt_].used = true;
        facts_.push_back({items_[at].begin, std::move(fact)});
    }

    Reading readingOf(const Item& n) const { return reading(n.number, n.unit); }

    void pi(std::size_t i) {
        if (!isPlain(i + 1)) return;
        const Number& n = items_[i + 1].number;
        const TaskPi pi = n.exact == Exact::decimal(314, -2)            ? TaskPi::Approx
                          : n.exact == Exact(platform::Rational(22, 7)) ? TaskPi::Sevenths
                                                                        : TaskPi::Program;
        if (pi == TaskPi::Program || items_[i + 1].unit) return;
        Fact fact = factOf(Fact::Kind::Pi, M::R, reading(n));
        fact.pi = pi;
        fact.text = (pi == TaskPi::Approx ? u"π ≈ " : u"π = ") + items_[i + 1].digits;
        add(i, std::move(fact));
        use(i, i + 2);
    }

    // A value "обемът е 20 cm³", a relation "височината е с 5 cm по-голяма от
    // радиуса", a ratio "радиусът и височината се отнасят както 2 : 3", two
    // values "радиусът и височината са съответно 3 cm и 5 cm".
    void subject(std::size_t i, std::size_t after = 0) {
        const Item& s = items_[i];
        if (!known(s)) return;
        const Measure m = measureOf(s);
        if (m == Measure::AxialDiagonal && angle(i)) return;
        if (!given(m)) return;
        if (isRole(at(i + 1), Role::And) && isRole(at(i + 2), Role::Quantity) && pair(i)) return;
        std::size_t j = skip(after == 0 ? i + 1 : after, Role::Verb);
        // "е равен на 6 cm": a value, as "е 6 cm" is.
        const std::size_t value =
            isRole(at(j), Role::Equal) && isNumber(j + 1) && isPlain(j + 1) ? j + 1 : j;
        if (isNumber(value) && isPlain(value) && fits(items_[value].unit, m) &&
            !relationWord(value + 1)) {
            j = value;
            Fact fact = factOf(Fact::Kind::Value, m, readingOf(items_[j]));
            fact.text = letter(m) + u" = " + numberText(items_[j]);
            add(i, std::move(fact));
            use(i, j + 1);
            return;
        }
        relation(i, j, m);
    }

    // A word after a number that makes it part of a relation, not a value.
    bool relationWord(std::size_t j) {
        const Item* item = at(j);
        return isRole(item, Role::Greater) || isRole(item, Role::Smaller) ||
               isRole(item, Role::Times);
    }

    bool pair(std::size_t i) {
        const Measure a = measureOf(items_[i]), b = measureOf(items_[i + 2]);
        if (!known(items_[i + 2]) || !given(b)) return false;
        std::size_t k = skip(i + 3, Role::Verb);
        if (isRole(at(k), Role::Relate)) {
            if (!isPlain(k + 1) ||
                !(items_[k + 2].kind == Kind::Colon || isRole(at(k + 2), Role::To)) ||
                !isPlain(k + 3) || kindOf(a) != kindOf(b) || items_[k + 1].unit ||
                items_[k + 3].unit)
                return false;
            Fact fact = factOf(Fact::Kind::Ratio, a, reading(items_[k + 1].number));
            fact.other = b;
            fact.factor = reading(items_[k + 3].number);
            fact.text = letter(a) + u" : " + letter(b) + u" = " + items_[k + 1].digits + u" : " +
                        items_[k + 3].digits;
            add(i, std::move(fact));
            use(i, k + 4);
            return true;
        }
        // "радиусът и височината са равни": a = b.
        if (isRole(at(k), Role::Equal) && items_[k].arg == 1 && kindOf(a) == kindOf(b) &&
            (k + 1 >= to_ || items_[k + 1].kind == Kind::Comma ||
             items_[k + 1].kind == Kind::End)) {
            Fact fact = factOf(Fact::Kind::Relation, a, {0, Exact(0)});
            fact.other = b;
            fact.text = letter(a) + u" = " + letter(b);
            add(i, std::move(fact));
            use(i, k + 1);
            return true;
        }
        if (isRole(at(k), Role::Respectively)) ++k;
        // "съответно 6 и 11 cm": one unit written after both numbers of one kind.
        if (isPlain(k) && isRole(at(k + 1), Role::And) && isPlain(k + 2) && !items_[k].unit &&
            items_[k + 2].unit && kindOf(a) == kindOf(b)) {
            items_[k].unit = items_[k + 2].unit;
            items_[k].unitText = items_[k + 2].unitText;
        }
        if (isPlain(k) && isRole(at(k + 1), Role::And) && isPlain(k + 2) &&
            fits(items_[k].unit, a) && fits(items_[k + 2].unit, b)) {
            Fact first = factOf(Fact::Kind::Value, a, readingOf(items_[k]));
            first.text = letter(a) + u" = " + numberText(items_[k]);
            Fact second = factOf(Fact::Kind::Value, b, readingOf(items_[k + 2]));
            second.text = letter(b) + u" = " + numberText(items_[k + 2]);
            add(i, std::move(first));
            add(i + 2, std::move(second));
            use(i, k + 3);
            return true;
        }
        return false;
    }

    // A multiple of the other quantity: "утроения", "половината от", "три пъти".
    struct Multiple {
        Number factor{1, Exact(1)};
        std::size_t next = 0;
    };

    Multiple multiple(std::size_t j) {
        Multiple result{.next = j};
        if (const Item* item = at(j);
            isRole(item, Role::Multiple) || isRole(item, Role::Fraction)) {
            const Number k{static_cast<double>(item->arg), Exact(item->arg)};
            result.factor =
                item->role == Role::Multiple ? k : Number{1.0 / k.value, Exact(1) / k.exact};
            result.next = j + 1;
        } else if (const auto k = count(j); k && isRole(at(j + 1), Role::Times)) {
            result.factor = *k;
            result.next = j + 2;
        }
        return result;
    }

    // A number without a unit, in digits or in words.
    std::optional<Number> count(std::size_t j) {
        if (isPlain(j) && !items_[j].unit) return items_[j].number;
        if (const Item* item = at(j); isRole(item, Role::Count))
            return Number{static_cast<double>(item->arg), Exact(item->arg)};
        return std::nullopt;
    }

    // The other quantity of a relation at `j`, of `m`'s kind.
    std::optional<Measure> other(std::size_t j, Measure m) {
        const Item* item = at(j);
        if (!isRole(item, Role::Quantity) || !known(*item)) return std::nullopt;
        const Measure o = measureOf(*item);
        if (!given(o) || kindOf(o) != kindOf(m) || o == m) return std::nullopt;
        return o;
    }

    void relation(std::size_t i, std::size_t j, Measure m) {
        std::optional<std::size_t> addend;
        bool less = false;
        Multiple times;
        std::size_t k = 0;
        if (isRole(at(j), Role::With) && isPlain(j + 1) &&
            (isRole(at(j + 2), Role::Greater) || isRole(at(j + 2), Role::Smaller))) {
            // "с 15 cm по-голяма от диаметъра"
            addend = j + 1;
            less = isRole(at(j + 2), Role::Smaller);
            times = multiple(skip(j + 3, Role::Of));
            k = times.next;
        } else if ((isRole(at(j), Role::Greater) || isRole(at(j), Role::Smaller)) &&
                   isRole(at(j + 1), Role::With) && isPlain(j + 2)) {
            // "по-голяма с 15 cm от диаметъра"
            addend = j + 2;
            less = isRole(at(j), Role::Smaller);
            times = multiple(skip(j + 3, Role::Of));
            k = times.next;
        } else if (const auto n = count(j);
                   n && isRole(at(j + 1), Role::Times) &&
                   (isRole(at(j + 2), Role::Greater) || isRole(at(j + 2), Role::Smaller)) &&
                   isRole(at(j + 3), Role::Of)) {
            // "три пъти по-малък от височината"
            const bool smaller = isRole(at(j + 2), Role::Smaller);
            times.factor =
                smaller ? Number{(Checked(1) / Checked(n->value)).value(), Exact(1) / n->exact}
                        : *n;
            k = j + 4;
        } else if (isRole(at(j), Role::Equal)) {
            // "равна на утроения радиус", "колкото диаметъра"
            times = multiple(j + 1);
            k = times.next;
        } else if (isRole(at(j), Role::Exceeds)) {
            // "надвишава утроения радиус с 5 cm"
            times = multiple(j + 1);
            k = times.next;
            if (!isRole(at(k + 1), Role::With) || !isPlain(k + 2)) return;
            addend = k + 2;
        } else if (j > i + 1 && (isRole(at(j), Role::Multiple) || isRole(at(j), Role::Fraction))) {
            // "е половината от височината"
            times = multiple(j);
            k = times.next;
        } else {
            return;
        }
        const std::optional<Measure> o = other(k, m);
        // A factor such as √2 has no notebook text that reads back the same.
        if (!o || !times.factor.exact.rational()) return;
        if (addend && !fits(items_[*addend].unit, m)) return;
        Fact fact = factOf(Fact::Kind::Relation, m, {0, Exact(0)});
        fact.other = *o;
        fact.factor = reading(times.factor);
        std::u16string text = letter(m) + u" = " + product(times.factor, *o);
        if (addend) {
            const Item& b = items_[*addend];
            fact.number = less ? Reading{-b.number.value, -b.number.exact, b.unit} : readingOf(b);
            text += (less ? u" − " : u" + ") + numberText(b);
        }
        fact.text = std::move(text);
        add(i, std::move(fact));
        use(i, std::max(k + 1, addend ? *addend + 1 : 0));
    }

    // "осното сечение е квадрат със страна 8 cm", "… е правоъгълник с лице 24 cm²",
    // "околната повърхнина е развита в правоъгълник с диагонал 13 cm".
    void shape(std::size_t i) {
        const Measure m = measureOf(items_[i]);
        // The lateral surface said just before its development is the development's.
        if (i > 0 && m == Measure::DevelopmentDiagonal) {
            const std::size_t k = i - 1 > 0 && isRole(at(i - 1), Role::Verb) ? i - 2 : i - 1;
            if (Item* before = at(k);
                isRole(before, Role::Quantity) && before->arg == static_cast<int>(Measure::So))
                before->used = true;
        }
        const std::size_t j = skip(i + 1, Role::Verb);
        const Item* form = at(j);
        if (isRole(form, Role::Square) || isRole(form, Role::Rectangle)) {
            const bool square = form->role == Role::Square;
            const int part = form->arg;
            Fact fact = factOf(Fact::Kind::Square, m);
            fact.text =
                m == Measure::AxialArea ? u"осното сечение е квадрат" : u"развивката е квадрат";
            if (part == 0) {
                if (!square) return;
                add(i, std::move(fact));
                use(i, j + 1);
                return;
            }
            if (!isPlain(j + 1)) return;
            const Item& n = items_[j + 1];
            if (part == 1) {
                if (!square || !fits(n.unit, Measure::R)) return;
                fact.number = readingOf(n);
                fact.text += u" със страна " + numberText(n);
                add(i, std::move(fact));
                use(i, j + 2);
                return;
            }
            const bool axial = m == Measure::AxialArea;
            const Measure value =
                part == 2   ? (axial ? Measure::AxialArea : Measure::So)
                : part == 3 ? (axial ? Measure::AxialDiagonal : Measure::DevelopmentDiagonal)
                : axial     ? Measure::AxialPerimeter
                            : Measure::Mass;
            if (!given(value) || !fits(n.unit, value)) return;
            if (square) add(i, std::move(fact));
            Fact v = factOf(Fact::Kind::Value, value, readingOf(n));
            v.text = letter(value) + u" = " + numberText(n);
            add(j, std::move(v));
            use(i, j + 2);
            return;
        }
        // "осното сечение е 24 cm²": its area.
        if (m == Measure::AxialArea && j > i + 1 && isPlain(j) && fits(items_[j].unit, m)) {
            Fact fact = factOf(Fact::Kind::Value, m, readingOf(items_[j]));
            fact.text = letter(m) + u" = " + numberText(items_[j]);
            add(i, std::move(fact));
            use(i, j + 1);
        }
    }

    // "диагоналът на осното сечение сключва с основата ъгъл 60°", "ъгълът
    // между диагонала на осното сечение и основата е 60°": the words in any
    // order, each once, nothing else between.
    bool angle(std::size_t i) {
        std::optional<std::size_t> diagonal, base, word, degrees;
        std::size_t k = i;
        for (; const Item* item = at(k); ++k) {
            auto once = [&](std::optional<std::size_t>& slot) {
                if (slot) return false;
                slot = k;
                return true;
            };
            if (isRole(item, Role::Quantity) && item->arg == static_cast<int>(M::AxialDiagonal)) {
                if (!once(diagonal)) break;
            } else if (isRole(item, Role::Base)) {
                if (!once(base)) break;
            } else if (isRole(item, Role::Angle)) {
                if (!once(word)) break;
            } else if (item->kind == Kind::Number && item->degrees) {
                if (!once(degrees)) break;
            } else if (!isRole(item, Role::Verb) && !isRole(item, Role::Tilts) &&
                       !isRole(item, Role::With) && !isRole(item, Role::To) &&
                       !isRole(item, Role::And)) {
                break;
            }
        }
        if (!diagonal || !base || !word || !degrees) return false;
        Fact fact = factOf(Fact::Kind::Angle, M::R, reading(items_[*degrees].number));
        fact.text = u"α = " + items_[*degrees].digits + u"°";
        add(i, std::move(fact));
        use(i, k);
        return true;
    }

    // "1 cm³ олово тежи 11,4 g": the density, the mass over the volume.
    void weighs(std::size_t w) {
        if (!isNumber(w + 1) || !items_[w + 1].other || items_[w + 1].other->kind != UnitKind::Mass)
            return;
        std::size_t v = w;
        for (int words = 0; v > 0 && words < 4; ++words) {
            --v;
            if (items_[v].kind != Kind::Unknown) break;
        }
        if (!isNumber(v) || !items_[v].unit ||
            items_[v].unit->dimension != platform::Dimension::Volume || items_[v].unit->litres)
            return;
        const Item &volume = items_[v], &mass = items_[w + 1];
        const TaskUnit unit{UnitKind::Density, mass.other->exponent - 3 * volume.unit->exponent - 6,
                            mass.unitText + u"/" + volume.unitText};
        const Number n{(Checked(mass.number.value) / Checked(volume.number.value)).value(),
                       mass.number.exact / volume.number.exact};
        if (volume.digits != u"1" && !n.exact.rational()) return;
        densityFact(v, n, unit, volume.digits == u"1" ? mass.digits : std::u16string());
        use(v, w + 2);
    }

    // "плътността на желязото е 7,8 g/cm³".
    void density(std::size_t i) {
        std::size_t j = i + 1;
        while (const Item* item = at(j)) {
            if (item->kind != Kind::Unknown && !isRole(item, Role::Verb)) break;
            ++j;
        }
        if (!isNumber(j) || !items_[j].other || items_[j].other->kind != UnitKind::Density) return;
        densityFact(i, items_[j].number, *items_[j].other, items_[j].digits);
        use(i, j + 1);
    }

    void densityFact(std::size_t at, const Number& n, const TaskUnit& unit, std::u16string digits) {
        Fact fact = factOf(Fact::Kind::Density, M::R, reading(n));
        fact.unit = unit;
        if (digits.empty()) digits = valueText(n);
        fact.text = u"плътност = " + digits + u" " + unit.text;
        add(at, std::move(fact));
    }

    // "с точност до 0,01", "до десетите".
    // "Отговора дайте в квадратни метри.": the unit of every answer of its kind.
    void answerIn(std::size_t i) {
        for (std::size_t k = i + 1; k < to_; ++k)
            if (isRole(at(k), Role::Unit)) {
                answerUnit_ = unitOf(items_[k]);
                items_[i].used = items_[k].used = true;
                return;
            }
    }

    void places(std::size_t i) {
        if (isRole(at(i), Role::Places)) {
            places_ = items_[i].arg;
            items_[i].used = true;
            return;
        }
        if (isRole(at(i + 1), Role::Places)) {
            places_ = items_[i + 1].arg;
            use(i, i + 2);
            return;
        }
        // "с точност до 0,1 cm³": the unit an answer's own.
        if (!isPlain(i + 1)) return;
        const Exact& x = items_[i + 1].number.exact;
        for (int p = 0; p <= 3; ++p)
            if (x == Exact::decimal(1, -p)) {
                places_ = p;
                use(i, i + 2);
                return;
            }
    }

    // From a word that asks on, the quantities not given are asked:
    // "Намерете радиуса и обема", "Колко литра вода събира съдът?".
    void asking(std::size_t from, std::size_t to) {
        std::size_t i = from;
        while (i < to && !(isRole(&items_[i], Role::Ask) || isRole(&items_[i], Role::HowMany))) ++i;
        const bool word = i < to;  // an ask word, not only options
        // "Обемът му е: А) … Б) …": a sentence the options end asks too.
        if (i == to && std::any_of(items_.begin() + from, items_.begin() + to,
                                   [](const Item& item) { return item.kind == Kind::Option; }))
            i = from;
        if (i == to) return;
        std::optional<TaskUnit> unit;  // "колко литра"
        std::size_t unitAt = i;
        bool mass = false;  // "колко тежи"
        bool any = false;
        for (std::size_t k = i; k < to; ++k) {
            Item& item = items_[k];
            if (item.used) continue;
            if (isRole(&item, Role::Ask) || isRole(&item, Role::HowMany)) {
                item.used = true;
                if (item.role == Role::HowMany && isRole(at(k + 1), Role::Unit)) {
                    unit = unitOf(items_[k + 1]);
                    unitAt = k;
                    items_[k + 1].used = true;
                    ++k;
                    // "Колко килограма тежи …"
                    if (isRole(at(k + 1), Role::Weighs)) {
                        mass = true;
                        items_[k + 1].used = true;
                        ++k;
                    }
                } else if (item.role == Role::HowMany && isRole(at(k + 1), Role::Weighs)) {
                    mass = true;
                    items_[k + 1].used = true;
                    ++k;
                }
            } else if (isRole(&item, Role::Quantity) && known(item)) {
                const Measure m = measureOf(item);
                item.used = true;
                std::optional<TaskUnit> in = unit;
                if (isRole(at(k + 1), Role::Unit)) {
                    in = unitOf(items_[k + 1]);
                    items_[k + 1].used = true;
                }
                ask(k, m, in);
                any = true;
                unit.reset();
            } else if (isRole(&item, Role::Unit) && (mass || unit)) {
                // "Колко тежи … в килограми?"
                unit = unitOf(item);
                item.used = true;
            }
        }
        const std::size_t before = facts_.size();
        if (mass && !any) {
            ask(i, Measure::Mass, unit);
        } else if (unit) {
            // "колко литра", no quantity after it: the unit says what is asked.
            const Measure m = unit->kind == UnitKind::Volume ? Measure::V
                              : unit->kind == UnitKind::Mass ? Measure::Mass
                              : unit->kind == UnitKind::Area ? Measure::Sp
                                                             : Measure::H;
            ask(unitAt, m, unit);
        }
        // "Колко декалитра побира?": asked, but nothing read as what: quoted, not passed over.
        if (word && !any && facts_.size() == before) unusedUnit_.push_back(items_[i].begin);
    }

    void ask(std::size_t at, Measure m, std::optional<TaskUnit> unit) {
        Fact fact = factOf(Fact::Kind::Asked, m);
        if (unit && unit->kind != kindOf(m)) {
            unusedUnit_.push_back(items_[at].begin);
            return;
        }
        fact.unit = std::move(unit);
        add(at, std::move(fact));
    }

    TaskUnit unitOf(const Item& item) const {
        if (item.arg < 0) return *item.other;
        Cursor in(words::UnitSymbols[item.arg]);
        return *takeAskedUnit(in);
    }

    // The end ---------------------------------------------------------------

    void finish() {
        const auto ofBallGiven = [](const auto& f) {
            return f.second.kind == Fact::Kind::Value &&
                   (f.second.measure == Measure::SphereRadius ||
                    f.second.measure == Measure::SphereSurface ||
                    f.second.measure == Measure::SphereVolume);
        };
        if (ballInside_ && std::none_of(facts_.begin(), facts_.end(), ofBallGiven)) {
            Fact fact = factOf(Fact::Kind::Relation, Measure::H, {0, Exact(0)});
            fact.other = Measure::d;
            fact.text = u"h = d";
            facts_.emplace_back(*ballInside_, std::move(fact));
        }
        std::stable_sort(facts_.begin(), facts_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [at, fact] : facts_) {
            if (fact.kind == Fact::Kind::Asked) {
                if (places_ >= 0 && fact.places < 0) fact.places = places_;
                if (answerUnit_ && !fact.unit && answerUnit_->kind == kindOf(fact.measure))
                    fact.unit = answerUnit_;
                if (open_ && fact.measure == Measure::Sp)
                    fact.measure = open_ == 1 ? Measure::OpenSurface : Measure::So;
                if (fact.text.empty())
                    fact.text = letter(fact.measure) + u" = ?" +
                                (fact.unit ? u" " + fact.unit->text : std::u16string());
            }
            task_.facts.push_back(std::move(fact));
        }
        std::vector<std::size_t> unread = unreadable_;
        unread.insert(unread.end(), unusedUnit_.begin(), unusedUnit_.end());
        for (const Item& item : items_)
            if (!item.used && mustUse(item)) unread.push_back(item.begin);
        std::sort(unread.begin(), unread.end());
        std::size_t last = text_.size() + 1;
        for (const std::size_t at : unread) {
            const auto [from, to] = clauseAt(at);
            if (from == last) continue;
            last = from;
            task_.unread.emplace_back(trimmed(text_.substr(from, to - from)));
        }
    }

    // The clause holding `at`: between the separators around it.
    std::pair<std::size_t, std::size_t> clauseAt(std::size_t at) const {
        const auto after = std::lower_bound(separators_.begin(), separators_.end(), at);
        return {after == separators_.begin() ? 0 : *(after - 1) + 1,
                after == separators_.end() ? text_.size() : *after};
    }

    static std::u16string letter(Measure m) { return std::u16string(bookLetter(m)); }

    static std::u16string numberText(const Item& n) {
        return n.unitText.empty() ? n.digits : n.digits + u" " + n.unitText;
    }

    // "2r", "d/3", "r": a rational multiple of a letter as the notebook writes it.
    static std::u16string product(const Number& factor, Measure m) {
        const platform::Rational ratio = *factor.exact.rational();
        return (ratio.numerator() != 1 ? whole(ratio.numerator()) : u"") + letter(m) +
               (ratio.denominator() != 1 ? u"/" + whole(ratio.denominator()) : u"");
    }

    // "3/2": a rational number as the notebook writes it.
    static std::u16string valueText(const Number& n) {
        const platform::Rational ratio = *n.exact.rational();
        return whole(ratio.numerator()) +
               (ratio.denominator() != 1 ? u"/" + whole(ratio.denominator()) : u"");
    }

    template <typename Integer>
    static std::u16string whole(const Integer& n) {
        const std::string digits = std::to_string(static_cast<long long>(n));
        return {digits.begin(), digits.end()};
    }

    std::u16string_view text_;
    std::vector<Item> items_;
    std::vector<std::size_t> separators_;
    std::size_t lineEnd_ = 0;  // where the line being read ends
    std::vector<std::size_t> unreadable_, unusedUnit_;
    std::vector<std::pair<std::size_t, Fact>> facts_;
    std::size_t to_ = 0;
    std::optional<Measure> shape_;
    std::optional<int> sphere_;  // the last sphere said: inscribed 0, around 1
    // Where a sentence that asks nothing says a ball is inscribed, none of
    // its measures given there: the cylinder's h is its d.
    std::optional<std::size_t> ballInside_;
    std::size_t from_ = 0;
    std::optional<std::size_t> shapeAt_;
    int places_ = -1;
    std::optional<TaskUnit> answerUnit_;  // "Отговора дайте в литри."
    int open_ = 0;
    Task task_;
};

}  // namespace

Task scan::readSentences(std::u16string_view text) {
    return Reader(text).run();
}

}  // namespace calc
