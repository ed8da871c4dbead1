// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbertext.h"

#include <charconv>
#include <string>
#include <system_error>

namespace {

bool isSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Walks an entry text the way a person reads a number off it, skipping blanks, tabs
// and line feeds, and collects the characters that make up the number in plain form
// ("- 1 2.5 d+3" becomes "-12.5e+3").
class NumberScanner {
public:
    explicit NumberScanner(std::string_view text) : m_text(text) {}

    // Sign, digits, point, digits: the mantissa.
    void scanMantissa()
    {
        if (peek() == '+' || peek() == '-')
            m_number += take();
        while (isDigit(peek()))
            takeDigit(true);
        if (peek() == '.') {
            m_number += take();
            while (isDigit(peek()))
                takeDigit(false);
        }
    }

    // An exponent counts only when at least one digit follows its letter and sign.
    void scanExponent()
    {
        if (!m_hasDigits)
            return;
        const char letter = peek();
        if (letter != 'e' && letter != 'E' && letter != 'd' && letter != 'D')
            return;
        const std::size_t restart = m_position;
        take();
        std::string exponent = "e";
        bool negative = false;
        if (peek() == '+' || peek() == '-') {
            negative = peek() == '-';
            exponent += take();
        }
        if (!isDigit(peek())) {
            m_position = restart;
            return;
        }
        long long value = 0;
        while (isDigit(peek())) {
            const char digit = take();
            exponent += digit;
            if (value < 1'000'000'000)
                value = value * 10 + (digit - '0');
        }
        m_number += exponent;
        m_decimalExponent += negative ? -value : value;
    }

    bool hasDigits() const { return m_hasDigits; }

    // Where reading stopped, past any blanks that follow the number.
    std::size_t end()
    {
        peek();
        return m_position;
    }
    const std::string& number() const { return m_number; }

    // Roughly the power of ten of the number: enough to tell a number too large for a
    // double from one too small for it, the only two ways its conversion can fail.
    long long decimalExponent() const { return m_decimalExponent; }

private:
    char peek()
    {
        while (m_position < m_text.size() && isSkipped(m_text[m_position]))
            ++m_position;
        return m_position < m_text.size() ? m_text[m_position] : '\0';
    }

    char take() { return m_text[m_position++]; }

    void takeDigit(bool beforePoint)
    {
        const char digit = take();
        m_number += digit;
        m_hasDigits = true;
        if (digit != '0')
            m_seenNonZero = true;
        if (beforePoint && m_seenNonZero)
            ++m_decimalExponent;
        else if (!beforePoint && !m_seenNonZero)
            --m_decimalExponent;
    }

    std::string_view m_text;
    std::size_t m_position = 0;
    std::string m_number;
    bool m_hasDigits = false;
    bool m_seenNonZero = false;
    long long m_decimalExponent = 0;
};

}  // namespace

std::optional<double> readNumber(std::string_view text)
{
    NumberScanner scanner(text);
    scanner.scanMantissa();
    if (!scanner.hasDigits())
        return 0.0;
    scanner.scanExponent();

    const std::string& number = scanner.number();
    const char* first = number.data();
    const char* last = first + number.size();
    const bool negative = *first == '-';
    if (*first == '+' || *first == '-')
        ++first;  // from_chars takes no leading '+'

    double value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        if (scanner.decimalExponent() > 0)
            return std::nullopt;
        value = 0;
    }
    return negative ? -value : value;
}

std::size_t readLength(std::string_view text)
{
    NumberScanner scanner(text);
    scanner.scanMantissa();
    if (!scanner.hasDigits())
        return NumberScanner(text).end();
    scanner.scanExponent();
    return scanner.end();
}
