#include "CfgNumbers.h"

#include "VexaCommon.h"
#include "controls/ControlParts.h"

#include <algorithm>
#include <cmath>
#include <limits>

QString maskedNumberText(const QString& displayText) {
    return replaceChar(displayText, u' ', QStringLiteral("0"));
}

QString decimalText(double value) {
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? QStringLiteral("0") : QString::number(value);
    // "d.dddddddddddddde±xx": the 15 significant digits, then placed by the exponent.
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = scientific.indexOf(u'e');
    QString digits = scientific.left(e).remove(u'.');
    const int exponent = scientific.mid(e + 1).toInt();
    while (digits.endsWith(u'0'))
        digits.chop(1);

    QString text;
    if (exponent < 0) {
        text = QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
    } else {
        const qsizetype whole = exponent + 1;
        if (digits.size() <= whole)
            text = digits + QString(whole - digits.size(), u'0');
        else
            text = digits.left(whole) + u'.' + digits.mid(whole);
    }
    return value < 0 ? QStringLiteral("-") + text : text;
}

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

qsizetype digitsFrom(QStringView text, qsizetype i) {
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

double withinIntRange(double value) {
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return std::clamp(value, lowest, highest);
}

} // namespace

double gameNumber(QStringView text) {
    text = trimmedOfBlanks(text);
    qsizetype end = 0;
    if (end < text.size() && (text[end] == u'+' || text[end] == u'-'))
        ++end;
    const qsizetype wholeStart = end;
    end = digitsFrom(text, end);
    bool digits = end > wholeStart;
    if (end < text.size() && text[end] == u'.') {
        const qsizetype fraction = digitsFrom(text, end + 1);
        digits = digits || fraction > end + 1;
        end = fraction;
    }
    if (!digits)
        return 0;
    if (end < text.size() && (text[end] == u'e' || text[end] == u'E')) {
        qsizetype exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-'))
            ++exponent;
        const qsizetype exponentEnd = digitsFrom(text, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    const double value = text.first(end).toDouble();
    return std::isfinite(value) ? value : 0;
}

int roundedGameNumber(QStringView text) {
    return trackBarPosition(gameNumber(text), 1.0);
}

int truncatedGameNumber(QStringView text) {
    return int(withinIntRange(std::trunc(gameNumber(text))));
}

std::optional<QString> maskedFieldText(QStringView value, int decimals) {
    const qsizetype point = value.indexOf(u'.');
    QStringView whole = point < 0 ? value : value.first(point);
    QStringView fraction = point < 0 ? QStringView() : value.sliced(point + 1);
    const auto allDigits = [](QStringView part) {
        return std::all_of(part.begin(), part.end(), isDigit);
    };
    if ((whole.isEmpty() && fraction.isEmpty()) || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    while (whole.size() > 1 && whole.front() == u'0')
        whole = whole.sliced(1);
    while (fraction.size() > decimals && fraction.back() == u'0')
        fraction.chop(1);
    if (whole.size() > 1 || fraction.size() > decimals)
        return std::nullopt;
    return (whole.isEmpty() ? QStringLiteral("0") : whole.toString()) + u'.' + fraction.toString();
}

QString trackBarValueText(int position, double step) {
    return decimalText(position * step);
}

int trackBarPosition(double value, double step) {
    return roundHalfEven(withinIntRange(value / step));
}
