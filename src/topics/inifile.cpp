#include "inifile.h"

#include <QStringConverter>
#include <QStringList>

const IniFile::Field *IniFile::Section::field(const QString &key) const
{
    for (const Field &f : fields) {
        if (f.key == key)
            return &f;
    }
    return nullptr;
}

const IniFile::Section *IniFile::section(const QString &name) const
{
    for (const Section &s : m_sections) {
        if (s.name == name)
            return &s;
    }
    return nullptr;
}

bool IniFile::fail(int line, const QString &problem)
{
    m_problemLine = line;
    m_problem = problem;
    return false;
}

bool IniFile::parse(const QByteArray &text)
{
    m_sections.clear();
    m_problem.clear();
    m_problemLine = 0;

    auto decode = QStringDecoder(QStringDecoder::Utf8);
    QString decoded = decode(text);
    if (decode.hasError())
        return fail(0, QStringLiteral("the file is not UTF-8 text"));
    if (decoded.startsWith(QChar(0xfeff)))
        decoded.remove(0, 1);
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    decoded.replace(u'\r', u'\n');

    const QStringList lines = decoded.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const int number = i + 1;
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                return fail(number, QStringLiteral("a heading must end with \"]\""));
            const QString name = line.mid(1, line.size() - 2).simplified();
            if (name.isEmpty())
                return fail(number, QStringLiteral("the heading has no name"));
            if (section(name))
                return fail(number, QStringLiteral("[%1] is given twice").arg(name));
            m_sections.push_back({ name, number, {} });
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            return fail(number,
                        QStringLiteral("the line is not a heading, a field (key = value) or a "
                                       "comment"));
        const QString key = line.left(equals).simplified();
        if (key.isEmpty())
            return fail(number, QStringLiteral("the field has no key before \"=\""));
        if (m_sections.empty())
            return fail(number,
                        QStringLiteral("the field \"%1\" comes before any heading").arg(key));
        Section &current = m_sections.back();
        if (current.field(key))
            return fail(number, QStringLiteral("[%1] %2 is given twice").arg(current.name, key));
        current.fields.push_back({ key, line.mid(equals + 1).trimmed(), number });
    }
    return true;
}
