#include "svgtemplate.h"

#include "expression.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QRegularExpression>

namespace {

QString readUtf8(const QString &path, bool *ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? QString::fromUtf8(file.readAll()) : QString();
}

QString formatNumber(double value)
{
    QString text = QString::number(value, 'f', 4);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

} // namespace

SvgTemplate::SvgTemplate(QStringList includeDirs)
    : m_includeDirs(std::move(includeDirs))
{ }

QString SvgTemplate::expandFile(const QString &path)
{
    bool ok = false;
    const QString text = readUtf8(path, &ok);
    if (!ok) {
        m_error = QStringLiteral("cannot read %1").arg(path);
        return {};
    }
    return expandText(text, QFileInfo(path).absolutePath());
}

QString SvgTemplate::expandText(const QString &text, const QString &baseDir)
{
    m_error.clear();
    QString result = includeFiles(text, baseDir, 0);
    if (m_error.isEmpty())
        result = applyConditions(result);
    if (m_error.isEmpty())
        result = substitute(result);
    return m_error.isEmpty() ? result : QString();
}

QString SvgTemplate::includeFiles(const QString &text, const QString &baseDir, int depth)
{
    static const QRegularExpression directive(QStringLiteral(R"(<\?include\s+([^?]+?)\s*\?>)"));
    if (depth > 8) {
        m_error = QStringLiteral("includes nested too deeply");
        return {};
    }
    QString result;
    qsizetype last = 0;
    for (const QRegularExpressionMatch &m : directive.globalMatch(text)) {
        result += text.mid(last, m.capturedStart() - last);
        last = m.capturedEnd();
        const QString name = m.captured(1);
        QStringList candidates { QDir(baseDir).filePath(name) };
        for (const QString &dir : std::as_const(m_includeDirs))
            candidates.append(QDir(dir).filePath(name));
        QString found;
        for (const QString &candidate : std::as_const(candidates)) {
            if (QFileInfo::exists(candidate)) {
                found = candidate;
                break;
            }
        }
        bool ok = false;
        const QString included = found.isEmpty() ? QString() : readUtf8(found, &ok);
        if (!ok) {
            m_error = QStringLiteral("include not found: %1").arg(name);
            return {};
        }
        result += includeFiles(included, QFileInfo(found).absolutePath(), depth + 1);
        if (!m_error.isEmpty())
            return {};
    }
    result += text.mid(last);
    return result;
}

QString SvgTemplate::applyConditions(const QString &text)
{
    static const QRegularExpression directive(
        QStringLiteral(R"(<\?(if|else|endif)\b\s*([^?]*?)\s*\?>)"));
    struct Level
    {
        bool parentActive;
        bool condition;
        bool inElse;
    };
    QList<Level> stack;
    auto active = [&stack] {
        if (stack.isEmpty())
            return true;
        const Level &top = stack.last();
        return top.parentActive && (top.inElse ? !top.condition : top.condition);
    };
    QString result;
    qsizetype last = 0;
    for (const QRegularExpressionMatch &m : directive.globalMatch(text)) {
        if (active())
            result += text.mid(last, m.capturedStart() - last);
        last = m.capturedEnd();
        const QString kind = m.captured(1);
        if (kind == u"if") {
            const std::optional<double> value = Expression::evaluate(m.captured(2), m_variables);
            if (!value) {
                m_error = QStringLiteral("bad condition: %1").arg(m.captured(2));
                return {};
            }
            const bool parent = active();
            stack.append({ parent, *value != 0.0, false });
        } else if (kind == u"else") {
            if (stack.isEmpty() || stack.last().inElse) {
                m_error = QStringLiteral("<?else?> without <?if?>");
                return {};
            }
            stack.last().inElse = true;
        } else {
            if (stack.isEmpty()) {
                m_error = QStringLiteral("<?endif?> without <?if?>");
                return {};
            }
            stack.removeLast();
        }
    }
    if (!stack.isEmpty()) {
        m_error = QStringLiteral("<?if?> without <?endif?>");
        return {};
    }
    result += text.mid(last);
    return result;
}

QString SvgTemplate::substitute(const QString &text)
{
    static const QRegularExpression embedded(QStringLiteral(R"(\{\{(.*?)\}\})"));
    QString result;
    qsizetype last = 0;
    for (const QRegularExpressionMatch &m : embedded.globalMatch(text)) {
        result += text.mid(last, m.capturedStart() - last);
        last = m.capturedEnd();
        const std::optional<double> value = Expression::evaluate(m.captured(1), m_variables);
        if (!value) {
            m_error = QStringLiteral("bad expression: %1").arg(m.captured(1));
            return {};
        }
        result += formatNumber(*value);
    }
    result += text.mid(last);
    return result;
}
