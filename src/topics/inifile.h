#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// A settings file as a teacher writes it in a text editor: "[section]" headings and
// "key = value" fields, with comment lines starting with ";" or "#". Values are taken as
// written, without quotes or escapes; keys and values lose the spaces around them. Every
// field remembers its line, so that a fault can name it.
class IniFile final
{
public:
    struct Field
    {
        QString key;
        QString value;
        int line = 0;
    };

    struct Section
    {
        QString name;
        int line = 0;
        std::vector<Field> fields;

        const Field *field(const QString &key) const;
    };

    // Reads UTF-8 text. Returns false, with problem() and problemLine() set, at the first line
    // that is neither a heading, a field, a comment nor empty, a field before any heading, a
    // heading or key given twice, or text that is not UTF-8.
    bool parse(const QByteArray &text);

    const std::vector<Section> &sections() const { return m_sections; }
    const Section *section(const QString &name) const;

    QString problem() const { return m_problem; }
    int problemLine() const { return m_problemLine; }

private:
    bool fail(int line, const QString &problem);

    std::vector<Section> m_sections;
    QString m_problem;
    int m_problemLine = 0;
};
