#include "CvarRanges.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

constexpr double Unbounded = std::numeric_limits<double>::infinity();

// id's sound menu offers 11 and 22 kHz, and its Windows driver plays 11 kHz for any other value
// (44 included); Yamagi's SDL backend and Q2PRO's drivers know 11, 22, 44 and 48.
constexpr double IdRates[] = {11, 22};
constexpr double SdlRates[] = {11, 22, 44, 48};

// vid_gamma: every renderer raises each colour to this power without a limit, so beyond its own
// video menu's range the picture washes out or goes dark; the menus offer id 0.5 to 1.3, Yamagi
// 0.1 to 2.0 (its brightness slider), Q2PRO 0.3 to 1.3 ("texture gamma").
// fov: the game library takes 90 below 1 and 160 above 160 (ClientUserinfoChanged).
// sensitivity: mouse movement is multiplied by it: 0 stops the mouse, below 0 it turns round.
// rate: servers clamp it to 100 to 15000; Q2PRO's to sv_min_rate 1500 to sv_max_rate 15000.
constexpr CvarRange Ranges[] = {
    {"vid_gamma", Engine::id, 0.5, 1.3, false, {}, "the range of id 3.21's video menu"},
    {"vid_gamma", Engine::yamagi, 0.1, 2.0, false, {}, "the range of Yamagi's video menu"},
    {"vid_gamma", Engine::q2pro, 0.3, 1.3, false, {}, "the range of Q2PRO's video menu"},
    {"s_khz", Engine::id, 11, 22, false, IdRates, "the game plays 11 kHz for any other value"},
    {"s_khz", Engine::yamagi, 11, 48, false, SdlRates, "the sound backend opens no other rate"},
    {"s_khz", Engine::q2pro, 11, 48, false, SdlRates, "the game plays 11 kHz for any other value"},
    {"fov", Engine::id, 1, 160, false, {}, "the game takes 90 below 1 and 160 above 160"},
    {"fov", Engine::yamagi, 1, 160, false, {}, "the game takes 90 below 1 and 160 above 160"},
    {"fov", Engine::q2pro, 1, 160, false, {}, "the game takes 90 below 1 and 160 above 160"},
    {"sensitivity",
     Engine::id,
     0,
     Unbounded,
     true,
     {},
     "0 stops the mouse, below 0 it turns round"},
    {"sensitivity",
     Engine::yamagi,
     0,
     Unbounded,
     true,
     {},
     "0 stops the mouse, below 0 it turns round"},
    {"sensitivity",
     Engine::q2pro,
     0,
     Unbounded,
     true,
     {},
     "0 stops the mouse, below 0 it turns round"},
    {"rate", Engine::id, 100, 15000, false, {}, "servers clamp it to this range"},
    {"rate", Engine::yamagi, 100, 15000, false, {}, "servers clamp it to this range"},
    {"rate", Engine::q2pro, 1500, 15000, false, {}, "servers clamp it to this range"},
};

QString number(double value) {
    return QString::number(value, 'g', 10);
}

} // namespace

const CvarRange* cvarRange(Engine engine, QStringView cvar) {
    const auto found = std::find_if(std::begin(Ranges), std::end(Ranges), [&](const CvarRange& r) {
        return r.engine == engine && cvar == QLatin1String(r.cvar);
    });
    return found == std::end(Ranges) ? nullptr : found;
}

std::span<const CvarRange> cvarRanges() {
    return Ranges;
}

double cvarNumber(QStringView text) {
    char digits[64];
    qsizetype start = 0;
    while (start < text.size() && text[start].unicode() <= u' ')
        ++start;
    if (start < text.size() && text[start] == u'+')
        ++start;
    const qsizetype size = std::min<qsizetype>(text.size() - start, sizeof digits);
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[start + i].unicode();
        digits[i] = c < 0x80 ? char(c) : '?';
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits, digits + size, value);
    return error == std::errc() ? value : 0;
}

bool isInRange(const CvarRange& range, double value) {
    if (!range.onlyThese.empty())
        return std::find(range.onlyThese.begin(), range.onlyThese.end(), value) !=
               range.onlyThese.end();
    const bool aboveLow = range.lowExcluded ? value > range.low : value >= range.low;
    return aboveLow && value <= range.high;
}

QString describeRange(const CvarRange& range) {
    if (!range.onlyThese.empty()) {
        QStringList values;
        for (double value : range.onlyThese)
            values << number(value);
        const QString last = values.takeLast();
        return values.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
    }
    if (range.high == Unbounded)
        return (range.lowExcluded ? QStringLiteral("above ") : QStringLiteral("at least ")) +
               number(range.low);
    return number(range.low) + QStringLiteral(" to ") + number(range.high);
}
