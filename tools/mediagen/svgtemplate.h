#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Turns an SVG source with directives into plain SVG:
//   <?include name.svgi?>       the text of another file (searched beside the source, then
//                               in the include folders), expanded recursively
//   <?if expr?> ... <?else?> ... <?endif?>   keeps one branch (expr non-zero), nestable
//   {{ expr }}                  the value of an arithmetic expression (see Expression)
// Shared drawings live once in include files; animation frames and print copies set
// variables ("t", "print") instead of duplicating sources.
class SvgTemplate
{
public:
    explicit SvgTemplate(QStringList includeDirs = {});

    void setVariable(const QString &name, double value) { m_variables.insert(name, value); }

    // Reads and expands a source file. On failure returns an empty string and sets error().
    QString expandFile(const QString &path);
    QString expandText(const QString &text, const QString &baseDir);

    QString error() const { return m_error; }

private:
    QString includeFiles(const QString &text, const QString &baseDir, int depth);
    QString applyConditions(const QString &text);
    QString substitute(const QString &text);

    QStringList m_includeDirs;
    QHash<QString, double> m_variables;
    QString m_error;
};
