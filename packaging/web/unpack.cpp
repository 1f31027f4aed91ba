// SPDX-License-Identifier: GPL-3.0-or-later
// The unpacker of the page's WebAssembly, a module of its own (under 2 KB, no
// imports): packwasm.py packs the program's module with LZMA, which leaves the
// gzipped page 10 KB smaller than deflate would; this decodes it in about
// 10 ms, where a decoder in JavaScript took up to 100 ms before the engine
// had optimised it.
// The page writes the packed text, base64 as packwasm.py writes it, at
// room(length) and calls unpack(length): in it a props byte, the unpacked
// size (32 bits, little endian), a raw LZMA stream. Base64 is decoded here
// too: in JavaScript, atob and a loop over its characters took 5 to 50 ms.
#include <cstdint>

namespace {

using Byte = std::uint8_t;

// Each model's place in the one array of probabilities.
enum : unsigned {
    IsMatch = 0,
    IsRep = 192,
    IsRepG0 = 204,
    IsRepG1 = 216,
    IsRepG2 = 228,
    IsRep0Long = 240,
    PosSlot = 432,
    SpecPos = 688,
    Align = 803,
    Len = 819,
    RepLen = 1333,
    Literal = 1847,
    Probs = Literal + (0x300u << 4),  // lc + lp up to 4, as in LZMA2
};

std::uint16_t probs[Probs];

struct Decoder {
    const Byte* in;
    std::uint32_t range = 0xFFFFFFFF;
    std::uint32_t code = 0;

    void normalize() {
        if (range < 1u << 24) {
            range <<= 8;
            code = code << 8 | *in++;
        }
    }
    unsigned bit(unsigned i) {
        const std::uint32_t p = probs[i];
        const std::uint32_t bound = (range >> 11) * p;
        unsigned b = 0;
        if (code < bound) {
            range = bound;
            probs[i] = static_cast<std::uint16_t>(p + ((2048 - p) >> 5));
        } else {
            range -= bound;
            code -= bound;
            probs[i] = static_cast<std::uint16_t>(p - (p >> 5));
            b = 1;
        }
        normalize();
        return b;
    }
    unsigned tree(unsigned base, unsigned bits) {
        unsigned m = 1;
        while (m < 1u << bits) m = m << 1 | bit(base + m);
        return m - (1u << bits);
    }
    unsigned reverse(unsigned base, unsigned bits) {
        unsigned m = 1;
        unsigned result = 0;
        for (unsigned i = 0; i < bits; ++i) {
            const unsigned b = bit(base + m);
            m = m << 1 | b;
            result |= b << i;
        }
        return result;
    }
    unsigned direct(unsigned bits) {
        unsigned result = 0;
        for (; bits > 0; --bits) {
            range >>= 1;
            const unsigned b = code >= range;
            code -= range & (0u - b);
            result = result << 1 | b;
            normalize();
        }
        return result;
    }
    unsigned length(unsigned base, unsigned posState) {
        if (!bit(base)) return tree(base + 2 + posState * 8, 3);
        if (!bit(base + 1)) return 8 + tree(base + 130 + posState * 8, 3);
        return 16 + tree(base + 258, 8);
    }
};

extern "C" Byte __heap_base;

// Base64 decoded in place; the bytes' count. Padding and anything else
// outside the alphabet is skipped.
std::uint32_t fromBase64(Byte* text, std::uint32_t length) {
    std::uint32_t out = 0;
    std::uint32_t bits = 0;
    unsigned held = 0;
    for (std::uint32_t i = 0; i < length; ++i) {
        const unsigned c = text[i];
        unsigned value = 0;
        if (c >= 'A' && c <= 'Z')
            value = c - 'A';
        else if (c >= 'a' && c <= 'z')
            value = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            value = c - '0' + 52;
        else if (c == '+' || c == '/')
            value = c == '+' ? 62 : 63;
        else
            continue;
        bits = bits << 6 | value;
        held += 6;
        if (held >= 8) {
            held -= 8;
            text[out++] = static_cast<Byte>(bits >> held);
        }
    }
    return out;
}

// Memory up to `end`, grown as needed.
void reach(std::uintptr_t end) {
    const std::uintptr_t have = __builtin_wasm_memory_size(0) << 16;
    if (end > have) __builtin_wasm_memory_grow(0, (end - have + 0xFFFF) >> 16);
}

}  // namespace

// Where the page writes the packed text, `length` characters.
extern "C" __attribute__((export_name("room"))) Byte* room(std::uint32_t length) {
    reach(reinterpret_cast<std::uintptr_t>(&__heap_base) + length);
    return &__heap_base;
}

// The unpacked bytes, after the packed ones; their size stands in the packed
// bytes' header, where the text began.
extern "C" __attribute__((export_name("unpack"))) Byte* unpack(std::uint32_t length) {
    Byte* packed = &__heap_base;
    const std::uint32_t packedSize = fromBase64(packed, length);
    const unsigned lc = packed[0] % 9;
    const unsigned lp = packed[0] / 9 % 5;
    const unsigned pb = packed[0] / 45;
    const std::uint32_t size = packed[1] | packed[2] << 8 | packed[3] << 16 |
                               static_cast<std::uint32_t>(packed[4]) << 24;
    Byte* out = &__heap_base + packedSize;
    reach(reinterpret_cast<std::uintptr_t>(out) + size);
    for (unsigned i = 0; i < Literal + (0x300u << (lc + lp)); ++i) probs[i] = 1024;
    // The range coder's first byte is always 0; four more start the code.
    Decoder d{packed + 10};
    d.code = static_cast<std::uint32_t>(packed[6]) << 24 | packed[7] << 16 | packed[8] << 8 | packed[9];
    unsigned state = 0;
    std::uint32_t rep0 = 0, rep1 = 0, rep2 = 0, rep3 = 0;
    const unsigned pbMask = (1u << pb) - 1;
    const unsigned lpMask = (1u << lp) - 1;
    for (std::uint32_t at = 0; at < size;) {
        const unsigned posState = at & pbMask;
        if (!d.bit(IsMatch + (state << 4) + posState)) {
            const unsigned previous = at > 0 ? out[at - 1] : 0;
            const unsigned base = Literal + 0x300 * (((at & lpMask) << lc) + (previous >> (8 - lc)));
            unsigned symbol = 1;
            if (state >= 7) {
                // After a match the byte at the last distance guides the bits while they agree.
                unsigned match = out[at - rep0 - 1];
                unsigned matchBit = 0;
                unsigned b = 0;
                do {
                    matchBit = match >> 7 & 1;
                    match <<= 1;
                    b = d.bit(base + ((1 + matchBit) << 8) + symbol);
                    symbol = symbol << 1 | b;
                } while (matchBit == b && symbol < 0x100);
            }
            while (symbol < 0x100) symbol = symbol << 1 | d.bit(base + symbol);
            out[at++] = static_cast<Byte>(symbol);
            state = state < 4 ? 0 : state < 10 ? state - 3 : state - 6;
            continue;
        }
        unsigned len = 0;
        if (d.bit(IsRep + state)) {
            if (!d.bit(IsRepG0 + state)) {
                if (!d.bit(IsRep0Long + (state << 4) + posState)) {
                    state = state < 7 ? 9 : 11;
                    out[at] = out[at - rep0 - 1];
                    ++at;
                    continue;
                }
            } else {
                std::uint32_t distance = rep1;
                if (d.bit(IsRepG1 + state)) {
                    if (!d.bit(IsRepG2 + state)) {
                        distance = rep2;
                    } else {
                        distance = rep3;
                        rep3 = rep2;
                    }
                    rep2 = rep1;
                }
                rep1 = rep0;
                rep0 = distance;
            }
            len = d.length(RepLen, posState);
            state = state < 7 ? 8 : 11;
        } else {
            rep3 = rep2;
            rep2 = rep1;
            rep1 = rep0;
            len = d.length(Len, posState);
            state = state < 7 ? 7 : 10;
            const unsigned slot = d.tree(PosSlot + (len < 3 ? len : 3) * 64, 6);
            if (slot < 4) {
                rep0 = slot;
            } else {
                const unsigned bits = (slot >> 1) - 1;
                rep0 = (2 | (slot & 1)) << bits;
                if (slot < 14)
                    rep0 += d.reverse(SpecPos + rep0 - slot, bits);
                else
                    rep0 += (d.direct(bits - 4) << 4) + d.reverse(Align, 4);
            }
        }
        for (len += 2; len > 0 && at < size; --len, ++at) out[at] = out[at - rep0 - 1];
    }
    return out;
}
