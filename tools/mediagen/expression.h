#pragma once

#include <QHash>
#include <QString>
#include <optional>

// Evaluates the small arithmetic expressions of SVG templates ("{{ 40 + 30 * frac(t + 0.5) }}"):
// numbers, named variables, + - * / %, unary minus, parentheses, the comparisons < and >
// (1 when true, else 0) and the functions sin, cos, abs, frac, min, max, pow. Angles are in
// degrees. Returns nothing on a syntax error or an unknown name.
class Expression
{
public:
    static std::optional<double> evaluate(const QString &text,
                                          const QHash<QString, double> &variables);
};
