#include "editor/like_pattern.h"

namespace vornel {

void LikePattern::parse(QStringView pattern)
{
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        Token token;
        if (c == u'*') {
            if (!m_tokens.empty() && m_tokens.back().kind == Token::AnyRun)
                continue;
            token.kind = Token::AnyRun;
        } else if (c == u'?') {
            token.kind = Token::AnyChar;
        } else if (c == u'#') {
            token.kind = Token::Digit;
        } else if (c == u'[') {
            const qsizetype close = pattern.indexOf(u']', i + 1);
            if (close < 0) {
                m_valid = false;
                return;
            }
            QStringView body = pattern.mid(i + 1, close - i - 1);
            i = close;
            token.kind = Token::Class;
            if (body.startsWith(u'!')) {
                token.negated = true;
                body = body.mid(1);
            } else if (body.isEmpty()) {
                continue; // "[]" stands for the empty text
            }
            for (qsizetype j = 0; j < body.size(); ++j) {
                const char16_t lo = body[j].unicode();
                if (j + 2 < body.size() && body[j + 1] == u'-') {
                    const char16_t hi = body[j + 2].unicode();
                    if (hi < lo) {
                        m_valid = false;
                        return;
                    }
                    token.ranges.append({lo, hi});
                    j += 2;
                } else {
                    token.ranges.append({lo, lo});
                }
            }
        } else {
            token.ch = c.unicode();
        }
        if (token.kind == Token::AnyRun)
            m_lastRun = qsizetype(m_tokens.size());
        m_tokens.push_back(std::move(token));
    }
}

bool likeMatch(QStringView text, QStringView pattern)
{
    return LikePattern(pattern).matches(text);
}

} // namespace vornel
