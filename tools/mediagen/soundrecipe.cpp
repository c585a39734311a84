#include "soundrecipe.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

double SoundEvent::number(const QString &key, double fallback) const
{
    const auto it = options.constFind(key);
    return it == options.cend() ? fallback : it->toDouble();
}

QString SoundEvent::text(const QString &key, const QString &fallback) const
{
    return options.value(key, fallback);
}

double SoundRecipe::noteFrequency(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-G])([#b]?)(-?\\d)$"));
    const QRegularExpressionMatch m = pattern.match(name);
    if (!m.hasMatch())
        return 0.0;
    static constexpr int offsets[] = { 9, 11, 0, 2, 4, 5, 7 }; // A B C D E F G from C
    int semitone = offsets[m.captured(1).at(0).unicode() - u'A'];
    if (m.captured(2) == u"#")
        ++semitone;
    else if (m.captured(2) == u"b")
        --semitone;
    const int midi = (m.captured(3).toInt() + 1) * 12 + semitone;
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

bool SoundRecipe::parse(const QString &text, QString *error)
{
    static const QStringList kinds { QStringLiteral("tone"), QStringLiteral("noise"),
                                     QStringLiteral("bursts") };
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        // "#" starts a comment at the start of a word; inside one it is a sharp ("F#4").
        static const QRegularExpression comment(QStringLiteral("(^|\\s)#.*$"));
        line.remove(comment);
        const QStringList words = line.simplified().split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty())
            continue;
        auto fail = [&](const QString &why) {
            *error = QStringLiteral("line %1: %2").arg(i + 1).arg(why);
            return false;
        };
        const QString &head = words.first();
        bool ok = true;
        if (head == u"length" && words.size() == 2) {
            length = words.at(1).toDouble(&ok);
            ok = ok && length > 0.0 && length <= 10.0;
        } else if (head == u"peak" && words.size() == 2) {
            peak = words.at(1).toDouble(&ok);
            ok = ok && peak > 0.0 && peak < 1.0;
        } else if (head == u"fade" && words.size() == 3) {
            bool ok2 = false;
            fadeIn = words.at(1).toDouble(&ok);
            fadeOut = words.at(2).toDouble(&ok2);
            ok = ok && ok2 && fadeIn >= 0.0 && fadeOut >= 0.0;
        } else if (head == u"seed" && words.size() == 2) {
            seed = words.at(1).toUInt(&ok);
        } else if (kinds.contains(head)) {
            SoundEvent event;
            event.kind = head;
            event.line = i + 1;
            for (qsizetype w = 1; w < words.size(); ++w) {
                const qsizetype eq = words.at(w).indexOf(u'=');
                if (eq <= 0)
                    return fail(QStringLiteral("expected key=value, got \"%1\"").arg(words.at(w)));
                event.options.insert(words.at(w).left(eq), words.at(w).mid(eq + 1));
            }
            for (const QString &key : { QStringLiteral("note"), QStringLiteral("to") }) {
                const QString value = event.text(key);
                if (!value.isEmpty() && noteFrequency(value) == 0.0 && value.toDouble() <= 0.0)
                    return fail(QStringLiteral("not a note or frequency: %1").arg(value));
            }
            events.append(event);
            continue;
        } else {
            return fail(QStringLiteral("unknown statement \"%1\"").arg(head));
        }
        if (!ok)
            return fail(QStringLiteral("bad value in \"%1\"").arg(line.simplified()));
    }
    if (events.isEmpty()) {
        *error = QStringLiteral("no sound events");
        return false;
    }
    return true;
}
