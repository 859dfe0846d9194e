#include "CfgNumbers.h"

#include "VexaCommon.h"
#include "controls/SupCommon.h"
#include "platform/VexaError.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

QString maskedNumberText(const QString& displayText) {
    return ReplaceChar(displayText, u' ', QStringLiteral("0"));
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

double parseDecimal(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral(R"(\A[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?\z)"));
    bool ok = form.match(text).hasMatch();
    const double value = ok ? text.toDouble(&ok) : 0.0;
    if (!ok || !std::isfinite(value))
        throw VexaError(ErrorText::notAFloat(text));
    return value;
}

namespace {

// [+-]?[0-9]+ and nothing else: toInt alone would also take blanks around the digits.
bool hasWholeNumberForm(QStringView text) {
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-'))
        text = text.sliced(1);
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

int parseWholeNumber(QStringView text) {
    bool ok = hasWholeNumberForm(text);
    const int value = ok ? text.toInt(&ok, 10) : 0;
    if (!ok)
        throw VexaError(ErrorText::notAnInteger(text.toString()));
    return value;
}

QString trackBarValueText(int position, double step) {
    return decimalText(position * step);
}

int trackBarPosition(double value, double step) {
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    return roundHalfEven(std::clamp(value / step, lowest, highest));
}

int trackBarPosition(const QString& valueText, double step) {
    return trackBarPosition(parseDecimal(valueText), step);
}
