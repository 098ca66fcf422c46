// SPDX-License-Identifier: GPL-3.0-or-later
// Picture and general number formats, rounding on the shortest decimal form.
#include "numberformat.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace
{

// A non-negative finite value as decimal digits: value = 0.digits × 10^point, i.e. "point" digits
// stand before the decimal point (point may be negative or beyond the digits).
struct Decimal {
    char digits[32] = {};
    int size = 0;
    int point = 0;
    bool negative = false;
};

Decimal shortestDecimal(double value)
{
    Decimal d;
    d.negative = std::signbit(value) && value != 0.0;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const char *p = buf;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p != '.' && d.size < int(sizeof d.digits))
            d.digits[d.size++] = *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), res.ptr, exponent);
    d.point = exponent + 1;
    while (d.size > 1 && d.digits[d.size - 1] == '0')
        --d.size;
    if (d.size == 1 && d.digits[0] == '0')
        d.point = 1;
    return d;
}

void setZero(Decimal &d)
{
    d.digits[0] = '0';
    d.size = 1;
    d.point = 1;
}

// Keeps `keep` digits (counted from the first digit), rounding half away from zero.
void roundDigits(Decimal &d, int keep)
{
    if (keep >= d.size)
        return;
    if (keep < 0) {
        setZero(d);
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.size = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i < 0) {
            std::memmove(d.digits + 1, d.digits, size_t(d.size));
            d.digits[0] = '1';
            ++d.size;
            ++d.point;
        } else {
            ++d.digits[i];
        }
    }
    if (d.size == 0)
        setZero(d);
}

void roundToDecimals(Decimal &d, int decimals)
{
    roundDigits(d, d.point + decimals);
}

bool isZero(const Decimal &d)
{
    for (int i = 0; i < d.size; ++i)
        if (d.digits[i] != '0')
            return false;
    return true;
}

char digitAt(const Decimal &d, int position) // position 0 = first digit
{
    if (position < 0 || position >= d.size)
        return '0';
    return d.digits[position];
}

// Fixed notation: integer part with at least minInteger digits (0 allowed), exactly `decimals` decimals
// (or, when decimals < 0, as many as the digits need).
std::string fixed(const Decimal &d, int minInteger, int decimals)
{
    std::string integer;
    for (int i = 0; i < d.point; ++i)
        integer.push_back(digitAt(d, i));
    const auto firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
    while (int(integer.size()) < minInteger)
        integer.insert(integer.begin(), '0');
    std::string fraction;
    const int fractionDigits = decimals >= 0 ? decimals : std::max(0, d.size - d.point);
    for (int i = 0; i < fractionDigits; ++i)
        fraction.push_back(digitAt(d, d.point + i));
    if (decimals < 0) {
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
    }
    std::string out = integer;
    if (!fraction.empty())
        out += "." + fraction;
    if (out.empty())
        out = "0";
    return out;
}

// Up to `significant` significant digits, no trailing zeros; leadingZero chooses "0.5" or ".5".
std::string generalDigits(double value, bool leadingZero, int significant = 15)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "NaN" : (value < 0 ? "-Inf" : "Inf");
    Decimal d = shortestDecimal(value);
    roundDigits(d, significant);
    std::string body;
    if (isZero(d)) {
        body = "0";
        d.negative = false;
    } else if (d.point > 15 || d.point < -14) {
        // Outside plain notation: mantissa and exponent.
        std::string mantissa(1, d.digits[0]);
        std::string rest(d.digits + 1, size_t(d.size - 1));
        while (!rest.empty() && rest.back() == '0')
            rest.pop_back();
        if (!rest.empty())
            mantissa += "." + rest;
        const int exponent = d.point - 1;
        body = mantissa + "E" + (exponent < 0 ? "-" : "+") + (std::abs(exponent) < 10 ? "0" : "") +
               std::to_string(std::abs(exponent));
    } else {
        body = fixed(d, leadingZero ? 1 : 0, -1);
        if (body.empty() || body[0] == '.')
            body = (leadingZero ? "0" : "") + body;
        if (body.empty())
            body = "0";
    }
    return (d.negative ? "-" : "") + body;
}

} // namespace

namespace NumberFormat
{

QString picture(double value, QStringView pattern)
{
    if (!std::isfinite(value))
        return QString::fromLatin1(generalDigits(value, true).c_str());
    int minInteger = 0;
    int decimals = 0;
    bool afterPoint = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('.'))
            afterPoint = true;
        else if (afterPoint)
            ++decimals;
        else if (c == QLatin1Char('0'))
            ++minInteger;
    }
    Decimal d = shortestDecimal(value);
    roundToDecimals(d, decimals);
    char buf[400];
    char *o = buf;
    if (d.negative && !isZero(d))
        *o++ = '-';
    int start = 0;
    while (start < d.point && digitAt(d, start) == '0')
        ++start;
    const int integerDigits = std::max(0, d.point - start);
    for (int i = integerDigits; i < std::max(minInteger, 1); ++i)
        *o++ = '0';
    for (int i = start; i < d.point && o < buf + 340; ++i)
        *o++ = digitAt(d, i);
    if (decimals > 0) {
        *o++ = '.';
        for (int i = 0; i < decimals && o < buf + sizeof buf; ++i)
            *o++ = digitAt(d, d.point + i);
    }
    return QString::fromLatin1(buf, o - buf);
}

QString picture(const std::optional<double> &value, QStringView pattern)
{
    return value ? picture(*value, pattern) : QString();
}

QString general(double value)
{
    return QString::fromLatin1(generalDigits(value, true).c_str());
}

QString withSignPosition(double value)
{
    const std::string digits = generalDigits(value, false);
    return QString::fromLatin1(((digits[0] == '-') ? digits : " " + digits).c_str());
}

QString plainDecimal(double value)
{
    const QString rounded = QString::fromLatin1(generalDigits(value, false).c_str());
    if (!std::isfinite(value) || parse(rounded))
        return rounded;
    // Rounded to 15 digits the value lies beyond the largest double; its shortest exact form (at most 17
    // digits) is a number again.
    return QString::fromLatin1(generalDigits(value, false, 17).c_str());
}

static std::optional<double> fromChars(const std::string &text)
{
    double value = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Longest prefix of s (from pos) shaped like [+-]digits[.digits][E[+-]digits]; returns its length.
static size_t numericPrefix(const std::string &s, size_t pos)
{
    size_t i = pos;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t mantissaDigits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        ++i;
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        size_t expDigits = 0;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i - pos;
}

static std::optional<double> convert(std::string number)
{
    for (char &c : number)
        if (c == 'd' || c == 'D')
            c = 'e';
    bool negative = false;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        number.erase(0, 1);
    }
    if (!number.empty() && number[0] == '.')
        number.insert(number.begin(), '0');
    auto value = fromChars(number);
    if (value && negative)
        *value = -*value;
    return value;
}

double leadingValue(QStringView text)
{
    const std::string s = text.toString().toStdString();
    size_t pos = 0;
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t' || s[pos] == '\n' || s[pos] == '\r'))
        ++pos;
    const size_t length = numericPrefix(s, pos);
    if (length == 0)
        return 0;
    return convert(s.substr(pos, length)).value_or(0);
}

std::optional<double> parse(QStringView text)
{
    const std::string s = text.trimmed().toString().toStdString();
    if (s.empty())
        return std::nullopt;
    if (numericPrefix(s, 0) != s.size())
        return std::nullopt;
    return convert(s);
}

double round(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    Decimal d = shortestDecimal(value);
    roundToDecimals(d, decimals);
    std::string text = fixed(d, 1, decimals);
    auto parsed = fromChars(text);
    double result = parsed.value_or(value);
    return d.negative && result != 0 ? -result : result;
}

} // namespace NumberFormat
