// SPDX-License-Identifier: MIT
#include "scenes/numbertext.h"

#include "model/usererror.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

constexpr int SignificantDigits = 15;

QChar DecimalSeparator(const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

// The C library's own conversions follow the process locale, which Qt sets
// from the environment; number text must not.
locale_t CLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

[[noreturn]] void ThrowNotFloat(const QString& text)
{
    throw UserError(("'" + text + "' is not a valid floating point value").toStdString());
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

QString FloatToText(Real value, const QLocale& locale)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0");

    // d.dddddddddddddde±x: the value rounded to 15 significant digits.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", SignificantDigits - 1, value);
    const QString scientific = QString::fromLatin1(buffer);
    const bool negative = scientific.startsWith(QLatin1Char('-'));
    const qsizetype ePos = scientific.indexOf(QLatin1Char('e'));
    QString digits = scientific.mid(negative ? 1 : 0, ePos - (negative ? 1 : 0)).remove(QLatin1Char('.'));
    const int exponent = scientific.mid(ePos + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    const QChar separator = DecimalSeparator(locale);
    QString text;
    if (exponent < -5 || exponent >= SignificantDigits) {
        text = digits.left(1);
        if (digits.size() > 1)
            text += separator + digits.mid(1);
        text += QString::asprintf("e%+03d", exponent);
    } else if (exponent < 0) {
        text = QStringLiteral("0") + separator + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else {
        digits = digits.leftJustified(exponent + 1, QLatin1Char('0'));
        text = digits.left(exponent + 1);
        if (digits.size() > exponent + 1)
            text += separator + digits.mid(exponent + 1);
    }
    return negative ? QStringLiteral("-") + text : text;
}

Real TextToFloat(const QString& text, const QLocale& locale)
{
    // Accepted: blanks, an optional sign, digits with at most one locale
    // separator, an optional exponent, blanks - and nothing else.
    const QChar separator = DecimalSeparator(locale);
    QByteArray c;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        c += char(text[i++].unicode());
    int mantissaDigits = 0;
    while (i < n && IsDigit(text[i])) {
        c += char(text[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && text[i] == separator) {
        c += '.';
        ++i;
        while (i < n && IsDigit(text[i])) {
            c += char(text[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        ThrowNotFloat(text);
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        c += 'e';
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            c += char(text[i++].unicode());
        int exponentDigits = 0;
        while (i < n && IsDigit(text[i])) {
            c += char(text[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            ThrowNotFloat(text);
    }
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i != n)
        ThrowNotFloat(text);

    const Real value = strtold_l(c.constData(), nullptr, CLocale());
    if (std::isinf(value)) // beyond the largest extended number
        ThrowNotFloat(text);
    return value;
}

int TextToInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw UserError(("'" + text + "' is not a valid integer value").toStdString());
    return value;
}

bool NumericKeyFilter(QChar typed)
{
    const char16_t c = typed.unicode();
    return (c >= u'0' && c <= u'9') || c == 8 || c == u',' || c == u'-' || c == u'.';
}
