#pragma once

#include <QChar>
#include <QStringView>
#include <QVarLengthArray>

#include <utility>
#include <vector>

namespace vornel {

// The platform's Like operator with binary (case-sensitive) comparison: "*" any run, "?" any
// one character, "#" one digit 0-9, "[abc]", "[!abc]", "[a-z]" one character of a class ("[]"
// stands for no character at all); every other character stands for itself. A malformed
// pattern ("[" without "]", a range running downwards) matches no text.
bool likeMatch(QStringView text, QStringView pattern);

// A Like pattern taken apart once, so that the marker test at every position does not parse
// it again. Every token but AnyRun stands for exactly one character, so on a miss a star only
// has to take one more character and try again.
class LikePattern {
public:
    explicit LikePattern(QStringView pattern) { parse(pattern); }

    // Defined here to be inlined: the list marker tries it at every position that could start
    // a match.
    bool matches(QStringView text) const
    {
        if (!m_valid)
            return false;
        const qsizetype n = qsizetype(m_tokens.size());
        // The tokens after the last star must match the end of the text one for one; checking
        // them first turns most misses into a quick no, even for a pattern that starts with "*".
        if (m_lastRun >= 0) {
            const qsizetype tail = n - m_lastRun - 1;
            if (text.size() < tail)
                return false;
            for (qsizetype i = 0; i < tail; ++i) {
                if (!m_tokens[m_lastRun + 1 + i].accepts(text[text.size() - tail + i]))
                    return false;
            }
        }
        qsizetype ti = 0;
        qsizetype pi = 0;
        qsizetype starPi = -1;
        qsizetype starTi = 0;
        while (ti < text.size()) {
            if (pi < n && m_tokens[pi].kind == Token::AnyRun) {
                starPi = pi++;
                starTi = ti;
            } else if (pi < n && m_tokens[pi].accepts(text[ti])) {
                ++pi;
                ++ti;
            } else if (starPi >= 0) {
                pi = starPi + 1;
                ti = ++starTi;
            } else {
                return false;
            }
        }
        while (pi < n && m_tokens[pi].kind == Token::AnyRun)
            ++pi;
        return pi == n;
    }

    // Whether some non-empty text starting with c could match: lets the caller skip plain
    // characters without running the whole match.
    bool canStartWith(QChar c) const
    {
        if (!m_valid || m_tokens.empty())
            return false;
        const Token &first = m_tokens.front();
        return first.kind == Token::AnyRun || first.accepts(c);
    }

private:
    struct Token {
        enum Kind { Literal, AnyChar, Digit, Class, AnyRun } kind = Literal;
        char16_t ch = 0;
        bool negated = false;
        QVarLengthArray<std::pair<char16_t, char16_t>, 4> ranges;

        bool accepts(QChar qc) const
        {
            const char16_t c = qc.unicode();
            switch (kind) {
            case Literal:
                return c == ch;
            case AnyChar:
                return true;
            case Digit:
                return c >= u'0' && c <= u'9';
            case Class: {
                bool inClass = false;
                for (const auto &[lo, hi] : ranges) {
                    if (c >= lo && c <= hi) {
                        inClass = true;
                        break;
                    }
                }
                return inClass != negated;
            }
            case AnyRun:
                return false;
            }
            return false;
        }
    };

    void parse(QStringView pattern);

    std::vector<Token> m_tokens;
    qsizetype m_lastRun = -1; // index of the last AnyRun token
    bool m_valid = true;
};

} // namespace vornel
