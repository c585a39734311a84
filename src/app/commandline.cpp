#include "commandline.h"

#include "worksheetslocation.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

// Qt's own options, accepted here and left in place for the QApplication to take.
constexpr const char *qtOptionsWithValue[]
    = { "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
        "qwindowicon", "qwindowtitle",       "display",       "name",   "session",
        "style",       "stylesheet" };
constexpr const char *qtFlags[] = { "reverse", "widgetcount", "nograb", "dograb", "sync" };

void print(FILE *stream, const QString &text)
{
    std::fputs(qPrintable(text), stream);
}

} // namespace

CommandLine::CommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments += QString::fromLocal8Bit(argv[i]);
    const QString program = QFileInfo(arguments.value(0, QStringLiteral("ondel"))).fileName();

    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setApplicationDescription(
        QStringLiteral("A classroom program about water and rivers for pupils aged 7 to 11 "
                       "and their teachers."));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOption(WorksheetsLocation::option());
    const auto addQtOption = [this](const char *name, const QString &valueName) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        m_parser.addOption(option);
    };
    for (const char *name : qtOptionsWithValue)
        addQtOption(name, QStringLiteral("value"));
    for (const char *name : qtFlags)
        addQtOption(name, QString());

    QString error;
    if (!m_parser.parse(arguments))
        error = m_parser.errorText();
    else if (!m_parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(m_parser.positionalArguments()[0]);
    if (!error.isEmpty()) {
        print(
            stderr,
            QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, error));
        m_exitStatus = 2;
        return;
    }
    for (const char *name : { "help", "help-all", "version" }) {
        if (m_parser.isSet(QString::fromLatin1(name))) {
            // Qt prints the help and version texts as for every program, and exits.
            QCoreApplication app(argc, argv);
            QCoreApplication::setApplicationVersion(QStringLiteral(ONDEL_VERSION));
            m_parser.process(app);
        }
    }
}

void CommandLine::useWorksheetsFolder() const
{
    const QString problem = WorksheetsLocation::use(WorksheetsLocation::choose(m_parser));
    if (!problem.isEmpty())
        print(stderr, QStringLiteral("ondel: %1\n").arg(problem));
}
