// SPDX-License-Identifier: GPL-3.0-or-later
// The solution a calculation explains itself with, as plain text, through
// the form: the nine variants, the sphere's three cases, and every way a
// calculation finds no cylinder.
#include <doctest/doctest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/cylinder.h"
#include "calc/exactform.h"
#include "expect.h"
#include "memorycontrols.h"
#include "platform/exact.h"
#include "window/form.h"
#include "window/solutionnotes.h"

namespace {

struct Window {
    explicit Window(char16_t separator = u'.') : form(controls, separator) { form.onLoad(); }
    MemoryControls controls;
    window::Form form;

    void calculate(int k, std::u16string_view first, std::u16string_view second) {
        form.onOptionClick(k);
        const auto given = calc::givenColumns(k);
        controls.type(5 * k + static_cast<int>(given[0]), first);
        controls.type(5 * k + static_cast<int>(given[1]), second);
        form.onCommandClick(0);
    }
};

struct Row {
    const char* name;
    int variant;
    std::u16string_view first, second;
    std::u16string_view text;
};

// clang-format off
const Row rows[] = {
    {"Вариант 1: R = 1, H = 1", 0, u"1", u"1",
     u"Дадено: R = 1, H = 1.\r\n"
     u"So = 2πRH = 2π · 1 · 1 = 2π ≈ 6.28318530717958\r\n"
     u"Sp = 2πR(R + H) = 2π · 1 · (1 + 1) = 4π ≈ 12.5663706143592\r\n"
     u"V = πR²H = π · 1² · 1 = π ≈ 3.14159265358979\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 1 < 2R = 2 ⇒ r = H/2 = 1/2 = 0.5 — сферата се допира до двете основи.\r\n"
     u"s = 4πr² = 4π · 0.5² = π ≈ 3.14159265358979\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(1² + (1/2)²) = √5/2 ≈ 1.11803398874989\r\n"
     u"S = 4πρ² = 4π · (√5/2)² = 5π ≈ 15.707963267949\r\n"
     u"Отговор: R = 1, H = 1, So = 2π ≈ 6.28318530717958, Sp = 4π ≈ 12.5663706143592, V = π ≈ 3.14159265358979, r = 0.5, s = π ≈ 3.14159265358979, ρ = √5/2 ≈ 1.11803398874989, S = 5π ≈ 15.707963267949.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"Вариант 2: R = 2, So = 37.6991118430775", 1, u"2", u"37.6991118430775",
     u"Дадено: R = 2, So = 37.6991118430775.\r\n"
     u"So = 2πRH ⇒ H = So / (2πR) = 37.6991118430775 / (2π · 2) = 3\r\n"
     u"Sp = 2πR(R + H) = 2π · 2 · (2 + 3) = 62.8318530717958\r\n"
     u"V = πR²H = π · 2² · 3 = 37.6991118430775\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 3 < 2R = 4 ⇒ r = H/2 = 3/2 = 1.5 — сферата се допира до двете основи.\r\n"
     u"s = 4πr² = 4π · 1.5² = 28.2743338823081\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(2² + (3/2)²) = 2.5\r\n"
     u"S = 4πρ² = 4π · 2.5² = 78.5398163397448\r\n"
     u"Отговор: R = 2, H = 3, So = 37.6991118430775, Sp = 62.8318530717958, V = 37.6991118430775, r = 1.5, s = 28.2743338823081, ρ = 2.5, S = 78.5398163397448.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"Вариант 3: H = 3, Sp = 94.2477796076937", 2, u"3", u"94.2477796076937",
     u"Дадено: H = 3, Sp = 94.2477796076937.\r\n"
     u"Sp = 2πR(R + H) ⇒ 2πR² + 2πHR − Sp = 0 ⇒ R = (−H + √(H² + 2Sp/π)) / 2 = (−3 + √(3² + 2 · 94.2477796076937/π)) / 2 = 2.65331193145904 (положителният корен)\r\n"
     u"So = 2πRH = 2π · 2.65331193145904 · 3 = 50.0137516293231\r\n"
     u"V = πR²H = π · 2.65331193145904² · 3 = 66.3510419675559\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 3 < 2R = 5.30662386291807 ⇒ r = H/2 = 3/2 = 1.5 — сферата се допира до двете основи.\r\n"
     u"s = 4πr² = 4π · 1.5² = 9π ≈ 28.2743338823081\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(2.65331193145904² + (3/2)²) = 3.04796066339821\r\n"
     u"S = 4πρ² = 4π · 3.04796066339821² = 116.742389839049\r\n"
     u"Отговор: R = 2.65331193145904, H = 3, So = 50.0137516293231, Sp = 94.2477796076937, V = 66.3510419675559, r = 1.5, s = 9π ≈ 28.2743338823081, ρ = 3.04796066339821, S = 116.742389839049.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"Вариант 4: H = 4, So = 10", 3, u"4", u"10",
     u"Дадено: H = 4, So = 10.\r\n"
     u"So = 2πRH ⇒ R = So / (2πH) = 10 / (2π · 4) = 5/(4π) ≈ 0.397887357729739\r\n"
     u"Sp = 2πR(R + H) = 2π · 5/(4π) · (5/(4π) + 4) = 10 + 25/(8π) ≈ 10.9947183943243\r\n"
     u"V = πR²H = π · (5/(4π))² · 4 = 25/(4π) ≈ 1.98943678864869\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 4 > 2R = 5/(2π) ⇒ r = R = 5/(4π) ≈ 0.397887357729739 — сферата се допира до околната повърхнина.\r\n"
     u"s = 4πr² = 4π · (5/(4π))² = 25/(4π) ≈ 1.98943678864869\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √((5/(4π))² + (4/2)²) = 2.03919453447707\r\n"
     u"S = 4πρ² = 4π · 2.03919453447707² = 16π + 25/(4π) ≈ 52.2549192460853\r\n"
     u"Отговор: R = 5/(4π) ≈ 0.397887357729739, H = 4, So = 10, Sp = 10 + 25/(8π) ≈ 10.9947183943243, V = 25/(4π) ≈ 1.98943678864869, r = 5/(4π) ≈ 0.397887357729739, s = 25/(4π) ≈ 1.98943678864869, ρ = 2.03919453447707, S = 16π + 25/(4π) ≈ 52.2549192460853.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"Вариант 5: So = 10, V = 20", 4, u"10", u"20",
     u"Дадено: So = 10, V = 20.\r\n"
     u"V/So = πR²H / (2πRH) = R/2 ⇒ R = 2V/So = 2 · 20/10 = 4\r\n"
     u"So = 2πRH ⇒ H = So / (2πR) = 10 / (2π · 4) = 5/(4π) ≈ 0.397887357729739\r\n"
     u"Sp = 2πR(R + H) = 2π · 4 · (4 + 5/(4π)) = 32π + 10 ≈ 110.530964914873\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 5/(4π) < 2R = 8 ⇒ r = H/2 = (5/(4π)) / 2 = 5/(8π) ≈ 0.198943678864869 — сферата се допира до двете основи.\r\n"
     u"s = 4πr² = 4π · (5/(8π))² = 25/(16π) ≈ 0.497359197162173\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(4² + ((5/(4π))/2)²) = 4.00494426769715\r\n"
     u"S = 4πρ² = 4π · 4.00494426769715² = 64π + 25/(16π) ≈ 201.559289026909\r\n"
     u"Отговор: R = 4, H = 5/(4π) ≈ 0.397887357729739, So = 10, Sp = 32π + 10 ≈ 110.530964914873, V = 20, r = 5/(8π) ≈ 0.198943678864869, s = 25/(16π) ≈ 0.497359197162173, ρ = 4.00494426769715, S = 64π + 25/(16π) ≈ 201.559289026909.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"Вариант 6: Sp = 94.2477796076937, R = 2", 5, u"94.2477796076937", u"2",
     u"Дадено: Sp = 94.2477796076937, R = 2.\r\n"
     u"Sp = 2πR² + 2πRH ⇒ H = (Sp − 2πR²) / (2πR) = (94.2477796076937 − 2π · 2²) / (2π · 2) = 5.5\r\n"
     u"V = πR²H = π · 2² · 5.5 = 69.1150383789754\r\n"
     u"So = 2πRH = 2π · 2 · 5.5 = 69.1150383789754\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 5.5 > 2R = 4 ⇒ r = R = 2 — сферата се допира до околната повърхнина.\r\n"
     u"s = 4πr² = 4π · 2² = 16π ≈ 50.2654824574366\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(2² + (5.5/2)²) = 3.40036762718386\r\n"
     u"S = 4πρ² = 4π · 3.40036762718386² = 145.298660228528\r\n"
     u"Отговор: R = 2, H = 5.5, So = 69.1150383789754, Sp = 94.2477796076937, V = 69.1150383789754, r = 2, s = 16π ≈ 50.2654824574366, ρ = 3.40036762718386, S = 145.298660228528.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"Вариант 7: R = 3, V = 100", 6, u"3", u"100",
     u"Дадено: R = 3, V = 100.\r\n"
     u"V = πR²H ⇒ H = V / (πR²) = 100 / (π · 3²) = 100/(9π) ≈ 3.53677651315323\r\n"
     u"Sp = 2πR(R + H) = 2π · 3 · (3 + 100/(9π)) = 18π + 200/3 ≈ 123.215334431283\r\n"
     u"So = 2πRH = 2π · 3 · 100/(9π) = 200/3 ≈ 66.6666666666667\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 100/(9π) < 2R = 6 ⇒ r = H/2 = (100/(9π)) / 2 = 50/(9π) ≈ 1.76838825657662 — сферата се допира до двете основи.\r\n"
     u"s = 4πr² = 4π · (50/(9π))² = 10000/(81π) ≈ 39.2975168128137\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(3² + ((100/(9π))/2)²) = 3.48241252955449\r\n"
     u"S = 4πρ² = 4π · 3.48241252955449² = 36π + 10000/(81π) ≈ 152.394852342046\r\n"
     u"Отговор: R = 3, H = 100/(9π) ≈ 3.53677651315323, So = 200/3 ≈ 66.6666666666667, Sp = 18π + 200/3 ≈ 123.215334431283, V = 100, r = 50/(9π) ≈ 1.76838825657662, s = 10000/(81π) ≈ 39.2975168128137, ρ = 3.48241252955449, S = 36π + 10000/(81π) ≈ 152.394852342046.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"Вариант 8: H = 5, V = 100", 7, u"5", u"100",
     u"Дадено: H = 5, V = 100.\r\n"
     u"V = πR²H ⇒ R = √(V/(πH)) = √(100/(π · 5)) = 2.52313252202016\r\n"
     u"Sp = 2πR(R + H) = 2π · 2.52313252202016 · (2.52313252202016 + 5) = 119.26654595212\r\n"
     u"So = 2πRH = 2π · 2.52313252202016 · 5 = 79.2665459521202\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 5 < 2R = 5.04626504404032 ⇒ r = H/2 = 5/2 = 2.5 — сферата се допира до двете основи.\r\n"
     u"s = 4πr² = 4π · 2.5² = 25π ≈ 78.5398163397447\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(2.52313252202016² + (5/2)²) = 3.55192873291059\r\n"
     u"S = 4πρ² = 4π · 3.55192873291059² = 158.539816339745\r\n"
     u"Отговор: R = 2.52313252202016, H = 5, So = 79.2665459521202, Sp = 119.26654595212, V = 100, r = 2.5, s = 25π ≈ 78.5398163397447, ρ = 3.55192873291059, S = 158.539816339745.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"Вариант 9: So = 37.6991118430775, Sp = 62.8318530717958", 8, u"37.6991118430775", u"62.8318530717958",
     u"Дадено: So = 37.6991118430775, Sp = 62.8318530717958.\r\n"
     u"Sp − So = 2πR² ⇒ R = √((Sp − So)/(2π)) = √((62.8318530717958 − 37.6991118430775)/(2π)) = 2\r\n"
     u"So = 2πRH ⇒ H = So / (2πR) = 37.6991118430775 / (2π · 2) = 3\r\n"
     u"V = πR²H = π · 2² · 3 = 37.6991118430775\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 3 < 2R = 4 ⇒ r = H/2 = 3/2 = 1.5 — сферата се допира до двете основи.\r\n"
     u"s = 4πr² = 4π · 1.5² = 28.2743338823082\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(2² + (3/2)²) = 2.5\r\n"
     u"S = 4πρ² = 4π · 2.5² = 78.5398163397447\r\n"
     u"Отговор: R = 2, H = 3, So = 37.6991118430775, Sp = 62.8318530717958, V = 37.6991118430775, r = 1.5, s = 28.2743338823082, ρ = 2.5, S = 78.5398163397447.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"H = 2R: Вариант 1, R = 1, H = 2", 0, u"1", u"2",
     u"Дадено: R = 1, H = 2.\r\n"
     u"So = 2πRH = 2π · 1 · 2 = 4π ≈ 12.5663706143592\r\n"
     u"Sp = 2πR(R + H) = 2π · 1 · (1 + 2) = 6π ≈ 18.8495559215387\r\n"
     u"V = πR²H = π · 1² · 2 = 2π ≈ 6.28318530717958\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 2 = 2R ⇒ r = R = H/2 = 1 — сферата се допира до двете основи и до околната повърхнина: само тогава тя е вписана в цилиндъра.\r\n"
     u"s = 4πr² = 4π · 1² = 4π ≈ 12.5663706143592\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(1² + (2/2)²) = √2 ≈ 1.4142135623731\r\n"
     u"S = 4πρ² = 4π · (√2)² = 8π ≈ 25.1327412287183\r\n"
     u"Отговор: R = 1, H = 2, So = 4π ≈ 12.5663706143592, Sp = 6π ≈ 18.8495559215387, V = 2π ≈ 6.28318530717958, r = 1, s = 4π ≈ 12.5663706143592, ρ = √2 ≈ 1.4142135623731, S = 8π ≈ 25.1327412287183.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"the matura's task: Вариант 4, H = 7, So = 70 pi", 3, u"7", u"70 pi",
     u"Дадено: H = 7, So = 70π.\r\n"
     u"So = 2πRH ⇒ R = So / (2πH) = 70π / (2π · 7) = 5\r\n"
     u"Sp = 2πR(R + H) = 2π · 5 · (5 + 7) = 120π ≈ 376.991118430775\r\n"
     u"V = πR²H = π · 5² · 7 = 175π ≈ 549.778714378213\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 7 < 2R = 10 ⇒ r = H/2 = 7/2 = 3.5 — сферата се допира до двете основи.\r\n"
     u"s = 4πr² = 4π · 3.5² = 49π ≈ 153.9380400259\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(5² + (7/2)²) = √149/2 ≈ 6.10327780786685\r\n"
     u"S = 4πρ² = 4π · (√149/2)² = 149π ≈ 468.097305384879\r\n"
     u"Отговор: R = 5, H = 7, So = 70π ≈ 219.911485751285, Sp = 120π ≈ 376.991118430775, V = 175π ≈ 549.778714378213, r = 3.5, s = 49π ≈ 153.9380400259, ρ = √149/2 ≈ 6.10327780786685, S = 149π ≈ 468.097305384879.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    // The doubles of √72 and 2 · 3√2 differ in their last bit; exactly H = 2R.
    {"H = 2R exactly: Вариант 1, R = 3√2, H = √72", 0, u"3√2", u"√72",
     u"Дадено: R = 3√2, H = 6√2.\r\n"
     u"So = 2πRH = 2π · 3√2 · 6√2 = 72π ≈ 226.194671058465\r\n"
     u"Sp = 2πR(R + H) = 2π · 3√2 · (3√2 + 6√2) = 108π ≈ 339.292006587697\r\n"
     u"V = πR²H = π · (3√2)² · 6√2 = 108π√2 ≈ 479.831357321103\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 6√2 = 2R ⇒ r = R = H/2 = 3√2 ≈ 4.24264068711928 — сферата се допира до двете основи и до околната повърхнина: само тогава тя е вписана в цилиндъра.\r\n"
     u"s = 4πr² = 4π · (3√2)² = 72π ≈ 226.194671058465\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √((3√2)² + (6√2/2)²) = 6\r\n"
     u"S = 4πρ² = 4π · 6² = 144π ≈ 452.38934211693\r\n"
     u"Отговор: R = 3√2 ≈ 4.24264068711929, H = 6√2 ≈ 8.48528137423857, So = 72π ≈ 226.194671058465, Sp = 108π ≈ 339.292006587697, V = 108π√2 ≈ 479.831357321103, r = 3√2 ≈ 4.24264068711928, s = 72π ≈ 226.194671058465, ρ = 6, S = 144π ≈ 452.38934211693.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"negative radius: Вариант 1, R = -1, H = 2", 0, u"-1", u"2",
     u"Дадено: R = −1, H = 2.\r\n"
     u"So = 2πRH = 2π · (−1) · 2 = −4π ≈ −12.5663706143592\r\n"
     u"Sp = 2πR(R + H) = 2π · (−1) · (−1 + 2) = −2π ≈ −6.28318530717958\r\n"
     u"V = πR²H = π · (−1)² · 2 = 2π ≈ 6.28318530717958\r\n"
     u"Такъв цилиндър не съществува: радиусът R трябва да е положително число.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"negative computed height: Вариант 6, Sp = 10, R = 2", 5, u"10", u"2",
     u"Дадено: Sp = 10, R = 2.\r\n"
     u"Sp = 2πR² + 2πRH ⇒ H = (Sp − 2πR²) / (2πR) = (10 − 2π · 2²) / (2π · 2) = 5/(2π) − 2 ≈ −1.20422528454052\r\n"
     u"V = πR²H = π · 2² · (5/(2π) − 2) = 10 − 8π ≈ −15.1327412287183\r\n"
     u"So = 2πRH = 2π · 2 · (5/(2π) − 2) = 10 − 8π ≈ −15.1327412287183\r\n"
     u"Такъв цилиндър не съществува: височината H трябва да е положително число.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"zero divisor: Вариант 2, R = 0, So = 5", 1, u"0", u"5",
     u"Дадено: R = 0, So = 5.\r\n"
     u"So = 2πRH ⇒ H = So / (2πR) = 5 / (2π · 0)\r\n"
     u"R = 0: на нула не се дели.\r\n"
     u"Такъв цилиндър не съществува.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"divisor too small: Вариант 7, R = 1E-200, V = 5", 6, u"1E-200", u"5",
     u"Дадено: R = 1E-200, V = 5.\r\n"
     u"V = πR²H ⇒ H = V / (πR²) = 5 / (π · 1E-200²)\r\n"
     u"πR² = 0: на нула не се дели.\r\n"
     u"Такъв цилиндър не съществува.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"negative root: Вариант 9, So = 70, Sp = 62", 8, u"70", u"62",
     u"Дадено: So = 70, Sp = 62.\r\n"
     u"Sp − So = 2πR² ⇒ R = √((Sp − So)/(2π)) = √((62 − 70)/(2π))\r\n"
     u"Sp − So = 62 − 70 < 0: няма реално число, чийто квадрат е отрицателен.\r\n"
     u"Такъв цилиндър не съществува.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"sphere around too large: Вариант 1, R = 1E-100, H = 1E+300", 0, u"1E-100", u"1E+300",
     u"Дадено: R = 1E-100, H = 1E+300.\r\n"
     u"So = 2πRH = 2π · 1E-100 · 1E+300 = 6.28318530717958E+200\r\n"
     u"Sp = 2πR(R + H) = 2π · 1E-100 · (1E-100 + 1E+300) = 6.28318530717958E+200\r\n"
     u"V = πR²H = π · 1E-100² · 1E+300 = 3.14159265358979E+100\r\n"
     u"Най-голямата сфера в цилиндъра има радиус r = min(R; H/2).\r\n"
     u"H = 1E+300 > 2R = 2E-100 ⇒ r = R = 1E-100 — сферата се допира до околната повърхнина.\r\n"
     u"s = 4πr² = 4π · 1E-100² = 1.25663706143592E-199\r\n"
     u"Около цилиндъра може да се опише сфера: тя минава през окръжностите на двете основи, центърът ѝ е средата на оста, а радиусът ѝ е половината от диагонала на осното сечение: ρ = √(R² + (H/2)²).\r\n"
     u"ρ = √(1E-100² + (1E+300/2)²)\r\n"
     u"Числото е твърде голямо: програмата смята с числа до 1.79769313486232E+308.\r\n"
     u"Отговор: R = 1E-100, H = 1E+300, So = 6.28318530717958E+200, Sp = 6.28318530717958E+200, V = 3.14159265358979E+100, r = 1E-100, s = 1.25663706143592E-199.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
    {"overflow: Вариант 1, R = 1E+200, H = 1E+200", 0, u"1E+200", u"1E+200",
     u"Дадено: R = 1E+200, H = 1E+200.\r\n"
     u"So = 2πRH = 2π · 1E+200 · 1E+200\r\n"
     u"Числото е твърде голямо: програмата смята с числа до 1.79769313486232E+308.\r\n"
     u"Такъв цилиндър е извън обхвата на програмата.\r\n"
     u"Програмата смята с π ≈ 3.14159265358979.\r\n"},
};
// clang-format on

}  // namespace

TEST_CASE("each calculation explains itself") {
    for (const Row& row : rows) {
        CAPTURE(row.name);
        Window w;
        w.calculate(row.variant, row.first, row.second);
        CHECK(calc::plainText(w.controls.solution, u'.') == row.text);
    }
}

TEST_CASE("a computed box's step, with the window's decimal separator") {
    Window w(u',');
    w.calculate(2, u"3", u"94,2477796076937");
    CHECK(window::boxSolutionText(w.controls.solution, 14, u',') ==
          u"V = πR²H = π · 2,65331193145904² · 3 = 66,3510419675559");
    CHECK(window::boxSolutionText(w.controls.solution, 11, u',').empty());  // given
    CHECK(window::boxSolutionText(w.controls.solution, 4, u',').empty());   // another row
    // A calculation that stops keeps the old numbers, which it did not find.
    w.calculate(1, u"0", u"5");
    CHECK(window::boxSolutionText(w.controls.solution, 6, u',').empty());
}

TEST_CASE("choosing an option, clearing or an unreadable number empties the solution") {
    Window w;
    w.calculate(0, u"1", u"1");
    CHECK_FALSE(w.controls.solution.empty());
    w.form.onOptionClick(0);
    CHECK(w.controls.solution.empty());
    w.calculate(0, u"1", u"1");
    w.form.onCommandClick(1);
    CHECK(w.controls.solution.empty());
    w.calculate(0, u"1", u"1");
    w.calculate(0, u"1E+999", u"1");
    CHECK(w.controls.solution.empty());
    CHECK(w.controls.errors.size() == 1);
}

// The sample's MathML: every tag closed in order, and the school forms.
TEST_CASE("the solution as MathML is well-formed") {
    // The sample, and its cylinder given as 30π: exact forms with roots.
    const struct {
        std::u16string_view sp;
        int fractions, roots, squares;
    } samples[] = {{u"94.2477796076937", 9, 4, 13}, {u"30π", 16, 16, 13}};
    for (const auto& sample : samples) {
        CAPTURE(sample.fractions);
        Window w;
        w.calculate(2, u"3", sample.sp);
        std::u16string html;
        for (const calc::Line& line : w.controls.solution.lines)
            for (const calc::Part& part : line.parts)
                if (part.formula) html += calc::formulaMathML(*part.formula, u'.');
        std::vector<std::u16string> open;
        int fractions = 0, roots = 0, squares = 0;
        for (std::size_t at = html.find(u'<'); at != std::u16string::npos;
             at = html.find(u'<', at + 1)) {
            const std::size_t end = html.find(u'>', at);
            REQUIRE(end != std::u16string::npos);
            std::u16string tag = html.substr(at + 1, end - at - 1);
            tag = tag.substr(0, tag.find(u' '));  // the name, without attributes
            if (tag.starts_with(u"/")) {
                REQUIRE_FALSE(open.empty());
                CHECK(open.back() == tag.substr(1));
                open.pop_back();
                continue;
            }
            fractions += tag == u"mfrac";
            roots += tag == u"msqrt";
            squares += tag == u"msup";
            open.push_back(tag);
        }
        CHECK(open.empty());
        CHECK(fractions == sample.fractions);
        CHECK(roots == sample.roots);
        CHECK(squares == sample.squares);
    }
}

namespace {

using platform::Exact;
using namespace std::literals;

struct Task {
    const char* name;
    int variant;
    std::u16string_view first, second;  // as typed
    std::u16string_view answer;         // empty: the matura's
    // Calculating again: empty where the boxes are read as before; a plain
    // decimal is read again from its box.
    std::u16string_view again = {};
};

// Textbook tasks: the exact forms worked out by hand, the decimals the
// grid's (an independent evaluation of the formulas, "%.15G").
// clang-format off
const Task tasks[] = {
    {"Вариант 1: R = 3/4, H = 2", 0, u"3/4", u"2",
     u"Отговор: R = 0.75, H = 2, So = 3π ≈ 9.42477796076937, Sp = 33π/8 ≈ 12.9590696960579, V = 9π/8 ≈ 3.53429173528851, r = 0.75, s = 9π/4 ≈ 7.06858347057703, ρ = 1.25, S = 25π/4 ≈ 19.6349540849362."},
    {"Вариант 2: R = 5, So = 70π", 1, u"5", u"70π", u""},
    {"Вариант 3: H = 3, Sp = 30π", 2, u"3", u"30π",
     u"Отговор: R = (√69 − 3)/2 ≈ 2.65331193145904, H = 3, So = (3√69 − 9)π ≈ 50.0137516293231, Sp = 30π ≈ 94.2477796076937, V = (117 − 9√69)π/2 ≈ 66.3510419675559, r = 1.5, s = 9π ≈ 28.2743338823081, ρ = 3.04796066339821, S = (87 − 6√69)π ≈ 116.742389839049."},
    {"Вариант 4: H = 7, So = 70 pi", 3, u"7", u"70 pi", u""},
    {"Вариант 5: So = 70π, V = 175π", 4, u"70π", u"175π", u""},
    {"Вариант 6: Sp = 120п, R = 5", 5, u"120п", u"5", u""},
    {"Вариант 7: R = 5, V = 175·π", 6, u"5", u"175·π", u""},
    {"Вариант 8: H = 7, V = 175*Pi", 7, u"7", u"175*Pi", u""},
    {"Вариант 9: So = 70π, Sp = 120π", 8, u"70π", u"120π", u""},
    {"Вариант 1: R = 0.5000000000000000000001, H = 2.0000000000000000000001", 0, u"0.5000000000000000000001", u"2.0000000000000000000001",
     u"Отговор: R = 0.5, H = 2, So = 6.28318530717958, Sp = 7.85398163397447, V = 1.5707963267949, r = 0.5, s = 3.14159265358979, ρ = 1.11803398874989, S = 15.707963267949.",
     u"Отговор: R = 0.5, H = 2, So = 2π ≈ 6.28318530717958, Sp = 5π/2 ≈ 7.85398163397447, V = π/2 ≈ 1.5707963267949, r = 0.5, s = π ≈ 3.14159265358979, ρ = √5/2 ≈ 1.11803398874989, S = 5π ≈ 15.707963267949."},
};
// clang-format on

// The matura's cylinder, R = 5 and H = 7, whichever two it is given by.
constexpr std::u16string_view Matura =
    u"Отговор: R = 5, H = 7, So = 70π ≈ 219.911485751285, Sp = 120π ≈ 376.991118430775, V = 175π ≈ "
    u"549.778714378213, r = 3.5, s = 49π ≈ 153.9380400259, ρ = √149/2 ≈ 6.10327780786685, S = 149π ≈ "
    u"468.097305384879.";

// The "Отговор" line of `text`.
std::u16string answerOf(const std::u16string& text) {
    const std::size_t at = text.find(u"Отговор:");
    return at == std::u16string::npos ? std::u16string()
                                      : text.substr(at, text.find(u"\r\n", at) - at);
}

struct Form {
    const char* name;
    Exact x;
    std::optional<std::u16string_view> text;  // none: no book form
};

// clang-format off
const Form forms[] = {
    {"5/2", Exact(5) / Exact(2), u"2.5"},
    {"25/16", Exact(25) / Exact(16), u"1.5625"},
    {"1/3", Exact(1) / Exact(3), u"1/3"},
    {"−7/3", Exact(-7) / Exact(3), u"−7/3"},
    {"1234567/3", Exact(1234567) / Exact(3), std::nullopt},
    {"10^18", Exact(1'000'000'000'000'000'000), u"1E+18"},
    {"3√2", Exact(3) * platform::sqrt(Exact(2)), u"3√2"},
    {"25π/16", Exact(25) * Exact::pi() / Exact(16), u"25π/16"},
    {"−2π", Exact(-2) * Exact::pi(), u"−2π"},
    {"(√69 − 3)/2", (platform::sqrt(Exact(69)) - Exact(3)) / Exact(2), u"(√69 − 3)/2"},
    {"(6 + 4√3)π", (Exact(6) + Exact(4) * platform::sqrt(Exact(3))) * Exact::pi(), u"(6 + 4√3)π"},
    {"5/(4π)", Exact(5) / (Exact(4) * Exact::pi()), u"5/(4π)"},
    {"18π + 200/3", Exact(18) * Exact::pi() + Exact(200) / Exact(3), u"18π + 200/3"},
    {"π³", Exact::pi() * Exact::pi() * Exact::pi(), std::nullopt},
    {"none", Exact::none(), std::nullopt},
};
// clang-format on

}  // namespace

TEST_CASE("textbook tasks answer in the book's exact forms") {
    for (const Task& task : tasks) {
        CAPTURE(task.name);
        Window w;
        w.calculate(task.variant, task.first, task.second);
        const std::u16string text = calc::plainText(w.controls.solution, u'.');
        CHECK(answerOf(text) == (task.answer.empty() ? Matura : task.answer));
        // The boxes now show decimals; calculating again keeps what was read.
        w.form.onCommandClick(0);
        if (task.again.empty())
            CHECK(calc::plainText(w.controls.solution, u'.') == text);
        else
            CHECK(answerOf(calc::plainText(w.controls.solution, u'.')) == task.again);
    }
}

TEST_CASE("an exact value as the book writes it") {
    for (const Form& form : forms) {
        CAPTURE(form.name);
        const std::optional<calc::Formula> f = calc::bookForm(form.x);
        REQUIRE(f.has_value() == form.text.has_value());
        if (f) CHECK(calc::formulaText(*f, u'.') == *form.text);
    }
    // Put in for a letter it keeps apart from its neighbours, as a number does.
    calc::Formula product = calc::prod({calc::lit(u"2"), calc::pi(), *calc::bookForm(forms[6].x)});
    CHECK(calc::formulaText(product, u'.') == u"2π · 3√2");
    CHECK(
        calc::formulaMathML(*calc::bookForm(forms[9].x), u'.') ==
        u"<mfrac><mrow><msqrt><mn>69</mn></msqrt><mo>−</mo><mn>3</mn></mrow><mrow><mn>2</mn></mrow></mfrac>"sv);
}

namespace {

struct UnitTask {
    const char* name;
    int variant;
    std::u16string_view first, second;  // as typed
    calc::Rounding rounding;
    std::u16string_view given, answer;
};

// Tasks with units, worked out by hand; the place chosen after calculating.
// clang-format off
const UnitTask unitTasks[] = {
    {"Вариант 1: R = 3 dm, H = 0,2 m, to 0.01", 0, u"3 dm", u"0,2 m", calc::Rounding::Hundredths,
     u"Дадено: R = 3 dm, H = 0.2 m = 2 dm.",
     u"Отговор: R = 3 dm, H = 2 dm, So = 12π ≈ 37.70 dm², Sp = 30π ≈ 94.25 dm², V = 18π ≈ 56.55 dm³, r = 1 dm, s = 4π ≈ 12.57 dm², ρ = √10 ≈ 3.16 dm, S = 40π ≈ 125.66 dm²."},
    {"Вариант 1: R = 4 см, H = 0,6 дм, to 0.001", 0, u"4 см", u"0,6 дм", calc::Rounding::Thousandths,
     u"Дадено: R = 4 см, H = 0.6 дм = 6 см.",
     u"Отговор: R = 4 см, H = 6 см, So = 48π ≈ 150.796 см², Sp = 80π ≈ 251.327 см², V = 96π ≈ 301.593 см³, r = 3 см, s = 36π ≈ 113.097 см², ρ = 5 см, S = 100π ≈ 314.159 см²."},
    {"Вариант 4: H = 7 without a unit, So = 70π cm²", 3, u"7", u"70π cm²", calc::Rounding::None,
     u"Дадено: H = 7 cm, So = 70π cm².",
     u"Отговор: R = 5 cm, H = 7 cm, So = 70π ≈ 219.911485751285 cm², Sp = 120π ≈ 376.991118430775 cm², V = 175π ≈ 549.778714378213 cm³, r = 3.5 cm, s = 49π ≈ 153.9380400259 cm², ρ = √149/2 ≈ 6.10327780786685 cm, S = 149π ≈ 468.097305384879 cm²."},
    {"Вариант 8: H = 2 dm, V = 1,5 л, to 0.1", 7, u"2 dm", u"1,5 л", calc::Rounding::Tenths,
     u"Дадено: H = 2 dm, V = 1.5 л = 1.5 dm³.",
     u"Отговор: R = 0.48860251190292 ≈ 0.5 dm, H = 2 dm, So = 6.13996024767893 ≈ 6.1 dm², Sp = 7.63996024767893 ≈ 7.6 dm², V = 1.5 dm³ = 1.5 л, r = 0.48860251190292 ≈ 0.5 dm, s = 3 dm², ρ = 1.11298356440598 ≈ 1.1 dm, S = 15.5663706143592 ≈ 15.6 dm²."},
    {"Вариант 7: R = 10 cm, V = 2 l, to 0.1", 6, u"10 cm", u"2 l", calc::Rounding::Tenths,
     u"Дадено: R = 10 cm, V = 2 l = 2000 cm³.",
     u"Отговор: R = 10 cm, H = 20/π ≈ 6.4 cm, So = 400 cm², Sp = 200π + 400 ≈ 1028.3 cm², V = 2000 cm³ = 2 l, r = 10/π ≈ 3.2 cm, s = 400/π ≈ 127.3 cm², ρ = 10.4943850874758 ≈ 10.5 cm, S = 400π + 400/π ≈ 1384.0 cm²."},
};
// clang-format on

// The "Дадено" line of `text`.
std::u16string givenOf(const std::u16string& text) {
    return text.substr(0, text.find(u"\r\n"));
}

}  // namespace

TEST_CASE("tasks with units answer in their units, rounded as asked") {
    for (const UnitTask& task : unitTasks) {
        CAPTURE(task.name);
        Window w;
        w.calculate(task.variant, task.first, task.second);
        w.form.onRoundingChoice(task.rounding);
        const std::u16string text = calc::plainText(w.controls.solution, u'.');
        CHECK(givenOf(text) == task.given);
        CHECK(answerOf(text) == task.answer);
        // The boxes show the numbers in the grid's unit; calculating again keeps them.
        w.form.onCommandClick(0);
        CHECK(calc::plainText(w.controls.solution, u'.') == text);
    }
}
