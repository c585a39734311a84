#include "expression.h"

#include <QList>
#include <cmath>
#include <numbers>

namespace {

class Parser
{
public:
    Parser(const QString &text, const QHash<QString, double> &variables)
        : m_text(text)
        , m_variables(variables)
    { }

    std::optional<double> parse()
    {
        const double value = comparison();
        skipSpaces();
        if (m_failed || m_pos != m_text.size())
            return std::nullopt;
        return value;
    }

private:
    void skipSpaces()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    bool take(QChar c)
    {
        skipSpaces();
        if (m_pos < m_text.size() && m_text.at(m_pos) == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    double comparison()
    {
        const double left = sum();
        if (take(u'<'))
            return left < sum() ? 1.0 : 0.0;
        if (take(u'>'))
            return left > sum() ? 1.0 : 0.0;
        return left;
    }

    double sum()
    {
        double value = product();
        for (;;) {
            if (take(u'+'))
                value += product();
            else if (take(u'-'))
                value -= product();
            else
                return value;
        }
    }

    double product()
    {
        double value = unary();
        for (;;) {
            if (take(u'*')) {
                value *= unary();
            } else if (take(u'/')) {
                const double d = unary();
                if (d == 0.0)
                    m_failed = true;
                else
                    value /= d;
            } else if (take(u'%')) {
                const double d = unary();
                if (d == 0.0)
                    m_failed = true;
                else
                    value = value - d * std::floor(value / d);
            } else {
                return value;
            }
        }
    }

    double unary()
    {
        if (take(u'-'))
            return -unary();
        if (take(u'+'))
            return unary();
        return primary();
    }

    double primary()
    {
        skipSpaces();
        if (m_pos >= m_text.size()) {
            m_failed = true;
            return 0.0;
        }
        if (take(u'(')) {
            const double value = comparison();
            if (!take(u')'))
                m_failed = true;
            return value;
        }
        const QChar c = m_text.at(m_pos);
        if (c.isDigit() || c == u'.') {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size()
                   && (m_text.at(m_pos).isDigit() || m_text.at(m_pos) == u'.'))
                ++m_pos;
            bool ok = false;
            const double value = m_text.mid(start, m_pos - start).toDouble(&ok);
            if (!ok)
                m_failed = true;
            return value;
        }
        if (c.isLetter() || c == u'_') {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size()
                   && (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == u'_'))
                ++m_pos;
            const QString name = m_text.mid(start, m_pos - start);
            if (take(u'('))
                return call(name);
            if (!m_variables.contains(name)) {
                m_failed = true;
                return 0.0;
            }
            return m_variables.value(name);
        }
        m_failed = true;
        return 0.0;
    }

    double call(const QString &name)
    {
        QList<double> args;
        if (!take(u')')) {
            do {
                args.append(comparison());
            } while (take(u','));
            if (!take(u')')) {
                m_failed = true;
                return 0.0;
            }
        }
        constexpr double degree = std::numbers::pi / 180.0;
        if (args.size() == 1) {
            const double x = args.first();
            if (name == u"sin")
                return std::sin(x * degree);
            if (name == u"cos")
                return std::cos(x * degree);
            if (name == u"abs")
                return std::abs(x);
            if (name == u"frac")
                return x - std::floor(x);
        } else if (args.size() == 2) {
            if (name == u"min")
                return std::min(args.at(0), args.at(1));
            if (name == u"max")
                return std::max(args.at(0), args.at(1));
            if (name == u"pow")
                return std::pow(args.at(0), args.at(1));
        }
        m_failed = true;
        return 0.0;
    }

    const QString &m_text;
    const QHash<QString, double> &m_variables;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

} // namespace

std::optional<double> Expression::evaluate(const QString &text,
                                           const QHash<QString, double> &variables)
{
    return Parser(text, variables).parse();
}
