// SPDX-License-Identifier: MIT
// The scrambler's number sequence, with its x87 extended-precision steps done in exact integers.
#include "platform/TextScrambler.h"

#include <bit>
#include <cmath>
#include <cstdlib>

namespace {

using u128 = unsigned __int128;

// pi as the x87 loads it: a 64-bit significand, value PiMant * 2^PiExp.
constexpr uint64_t PiMant = 0xC90FDAA22168C235ull;
constexpr int PiExp = -62;

// A binary floating-point value Mant * 2^Exp.
struct ScrambleBinary {
    u128 mant;
    int exp;
};

int bitLength(u128 v) {
    const auto hi = static_cast<uint64_t>(v >> 64);
    if (hi != 0) return 128 - std::countl_zero(hi);
    return 64 - std::countl_zero(static_cast<uint64_t>(v));
}

// Rounds Mant * 2^Exp (plus a sticky part, strictly below the last bit, when sticky) to a
// significand of `bits` bits, to nearest with ties to even, as the FPU does.
ScrambleBinary roundTo(ScrambleBinary v, bool sticky, int bits) {
    const int drop = bitLength(v.mant) - bits;
    if (drop <= 0)
        return v; // callers pass enough bits that a sticky part never stays unrounded here
    const u128 kept = v.mant >> drop;
    const u128 rest = v.mant & ((u128{1} << drop) - 1);
    const u128 half = u128{1} << (drop - 1);
    const bool up = rest > half || (rest == half && (sticky || (kept & 1) != 0));
    ScrambleBinary r{kept + (up ? 1 : 0), v.exp + drop};
    if (bitLength(r.mant) > bits) {
        r.mant >>= 1;
        ++r.exp;
    }
    return r;
}

// An extended-precision result stored into a double: rounded to 64 bits in the register,
// then to 53 bits by the store.
double storeExtended(ScrambleBinary exact, bool sticky) {
    const ScrambleBinary ext = roundTo(exact, sticky, 64);
    const ScrambleBinary dbl = roundTo(ext, false, 53);
    return std::ldexp(static_cast<double>(static_cast<uint64_t>(dbl.mant)), dbl.exp);
}

// |n| / pi.
double startValue(int64_t n) {
    const uint64_t a = static_cast<uint64_t>(n < 0 ? -n : n);
    if (a == 0) return 0.0;
    // Long division a / PiMant (a < PiMant), bit by bit, until 66 significant bits.
    u128 q = 0;
    u128 r = a;
    int k = 0;
    while (bitLength(q) < 66) {
        r <<= 1;
        q <<= 1;
        if (r >= PiMant) {
            r -= PiMant;
            q |= 1;
        }
        ++k;
    }
    return storeExtended({q, -k - PiExp}, r != 0);
}

// x * 997 + pi for 0 <= x < 1.
double nextValue(double x) {
    if (x == 0.0) return storeExtended({PiMant, PiExp}, false);
    int e = 0;
    const double f = std::frexp(x, &e); // x = f * 2^e, 0.5 <= f < 1
    const auto m = static_cast<uint64_t>(std::ldexp(f, 53));
    // x * 997 needs at most 63 bits: exact in the extended register.
    const ScrambleBinary a{u128{m} * 997, e - 53};
    const ScrambleBinary b{PiMant, PiExp};
    // Lay both into 128 bits with the larger one's top bit at bit 125; bits of the smaller
    // one that fall below bit 0 only matter as a sticky part.
    const int top = std::max(a.exp + bitLength(a.mant), b.exp + bitLength(b.mant));
    const int unit = top - 126;
    bool sticky = false;
    auto place = [&](ScrambleBinary v) -> u128 {
        const int shift = v.exp - unit;
        if (shift >= 0) return v.mant << shift;
        if (-shift >= 128) {
            sticky = sticky || v.mant != 0;
            return 0;
        }
        sticky = sticky || (v.mant & ((u128{1} << -shift) - 1)) != 0;
        return v.mant >> -shift;
    };
    const u128 sum = place(a) + place(b);
    return storeExtended({sum, unit}, sticky);
}

// trunc(m * x) for 0 <= x < 1: m * x is exact in the extended register.
int32_t shiftOf(double x, int32_t m) {
    if (x == 0.0) return 0;
    int e = 0;
    const double f = std::frexp(x, &e);
    const auto mant = static_cast<uint64_t>(std::ldexp(f, 53));
    const u128 product = u128{mant} * static_cast<uint64_t>(m);
    const int shift = 53 - e;
    return shift >= 128 ? 0 : static_cast<int32_t>(product >> shift);
}

QString scramblerAlphabet = QString::fromLatin1(DefaultScramblerAlphabet);
int32_t scramblerKey = DefaultScramblerKey;

QString shifted(const QString& text, bool backwards) {
    const auto m = static_cast<int32_t>(scramblerAlphabet.size());
    if (text.isEmpty() || m == 0) return text;
    // A negative key turns the direction round, as a negated key does for unscrambling.
    const bool negate = backwards != (scramblerKey < 0);
    const std::vector<int32_t> shifts =
        scramblerShifts(scramblerKey, m, static_cast<int32_t>(text.size()));
    QString result = text;
    for (qsizetype p = 0; p < result.size(); ++p) {
        const qsizetype i = scramblerAlphabet.indexOf(result[p]);
        if (i < 0) continue;
        const int32_t s = negate ? -shifts[p] : shifts[p];
        result[p] = scramblerAlphabet[(static_cast<int32_t>(i) + m + s) % m];
    }
    return result;
}

} // namespace

void setupScrambler(const QString& alphabet, int32_t key) {
    QString unique;
    for (const QChar c : alphabet)
        if (!unique.contains(c)) unique += c;
    scramblerAlphabet = unique;
    scramblerKey = key;
}

std::vector<int32_t> scramblerShifts(int32_t key, int32_t alphabetLength, int32_t count) {
    std::vector<int32_t> shifts;
    shifts.reserve(count > 0 ? count : 0);
    double x = startValue(key);
    for (int32_t p = 0; p < count; ++p) {
        x -= std::trunc(x);
        shifts.push_back(shiftOf(x, alphabetLength));
        x = nextValue(x);
    }
    return shifts;
}

QString scrambleText(const QString& text) {
    return shifted(text, false);
}

QString unscrambleText(const QString& text) {
    return shifted(text, true);
}
