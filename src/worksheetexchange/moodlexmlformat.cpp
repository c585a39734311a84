#include "moodlexmlformat.h"

#include "questionfileerror.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

using namespace Qt::StringLiterals;

namespace MoodleXmlFormat {

namespace {

struct TypeName
{
    QStringView type;
    SourceQuestion::Kind kind;
    QStringView readable; // for the other kinds, as a skipped question names them
};

constexpr TypeName typeNames[] = {
    { u"multichoice", SourceQuestion::Kind::MultipleChoice, u"" },
    { u"truefalse", SourceQuestion::Kind::TrueFalse, u"" },
    { u"shortanswer", SourceQuestion::Kind::ShortAnswer, u"" },
    { u"matching", SourceQuestion::Kind::Matching, u"" },
    { u"numerical", SourceQuestion::Kind::Numerical, u"" },
    { u"essay", SourceQuestion::Kind::Essay, u"" },
    { u"description", SourceQuestion::Kind::Description, u"" },
    { u"multianswer", SourceQuestion::Kind::Other, u"cloze" },
    { u"calculated", SourceQuestion::Kind::Other, u"calculated" },
    { u"calculatedsimple", SourceQuestion::Kind::Other, u"calculated" },
    { u"calculatedmulti", SourceQuestion::Kind::Other, u"calculated" },
    { u"randomsamatch", SourceQuestion::Kind::Other, u"random matching" },
    { u"ddwtos", SourceQuestion::Kind::Other, u"drag-and-drop" },
    { u"ddimageortext", SourceQuestion::Kind::Other, u"drag-and-drop" },
    { u"ddmarker", SourceQuestion::Kind::Other, u"drag-and-drop" },
    { u"gapselect", SourceQuestion::Kind::Other, u"select-missing-words" },
};

SourceQuestion::Format formatOf(const QXmlStreamReader &xml)
{
    const QStringView format = xml.attributes().value(u"format"_s);
    if (format == u"plain_text")
        return SourceQuestion::Format::Plain;
    if (format == u"markdown")
        return SourceQuestion::Format::Markdown;
    return SourceQuestion::Format::Html;
}

// The <text> child of the element just opened; HTML written as elements counts as text.
QString readText(QXmlStreamReader &xml)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"text")
            text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else
            xml.skipCurrentElement();
    }
    return text;
}

SourceQuestion readQuestion(QXmlStreamReader &xml)
{
    SourceQuestion q;
    q.line = int(xml.lineNumber());
    q.typeName = xml.attributes().value(u"type"_s).toString();
    q.kind = SourceQuestion::Kind::Other;
    for (const TypeName &name : typeNames) {
        if (name.type == q.typeName) {
            q.kind = name.kind;
            q.typeName = name.readable.toString();
        }
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == u"name") {
            q.name = readText(xml).simplified();
        } else if (xml.name() == u"questiontext") {
            q.format = formatOf(xml);
            q.text = readText(xml);
        } else if (xml.name() == u"single") {
            const QString single = xml.readElementText().trimmed();
            q.singleAnswer = single != u"false" && single != u"0";
        } else if (xml.name() == u"answer") {
            SourceQuestion::Answer a;
            a.format = formatOf(xml);
            bool number = false;
            a.percent = xml.attributes().value(u"fraction"_s).toDouble(&number);
            if (!number)
                throw QuestionFileError(u"An answer's fraction must be a number, such as "
                                        u"fraction=\"100\"."_s,
                                        int(xml.lineNumber()));
            a.text = readText(xml);
            q.answers += a;
        } else {
            xml.skipCurrentElement();
        }
    }
    return q;
}

void textElement(QXmlStreamWriter &xml, const QString &name, const QString &text)
{
    xml.writeStartElement(name);
    xml.writeTextElement(u"text"_s, text);
    xml.writeEndElement();
}

QString formatName(SourceQuestion::Format format)
{
    switch (format) {
    case SourceQuestion::Format::Plain:
        return u"plain_text"_s;
    case SourceQuestion::Format::Markdown:
        return u"markdown"_s;
    case SourceQuestion::Format::Html:
        break;
    }
    return u"html"_s;
}

// A text the learning platform formats: the format attribute on the element itself, the
// text in a CDATA section of its <text>.
void formattedText(QXmlStreamWriter &xml, SourceQuestion::Format format, const QString &text)
{
    xml.writeAttribute(u"format"_s, formatName(format));
    xml.writeStartElement(u"text"_s);
    if (!text.isEmpty())
        xml.writeCDATA(text);
    xml.writeEndElement();
}

void formattedElement(QXmlStreamWriter &xml, const QString &name, SourceQuestion::Format format,
                      const QString &text)
{
    xml.writeStartElement(name);
    formattedText(xml, format, text);
    xml.writeEndElement();
}

} // namespace

QList<SourceQuestion> read(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    QList<SourceQuestion> questions;
    if (xml.readNextStartElement() && xml.name() != u"quiz")
        throw QuestionFileError(
            u"This is not a Moodle XML question file: it begins with <%1>, not <quiz>."_s.arg(
                xml.name()),
            int(xml.lineNumber()));
    QString category;
    while (!xml.hasError() && xml.readNextStartElement()) {
        if (xml.name() != u"question") {
            xml.skipCurrentElement();
        } else if (xml.attributes().value(u"type"_s) == u"category") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"category")
                    category = readText(xml).trimmed();
                else
                    xml.skipCurrentElement();
            }
        } else {
            SourceQuestion q = readQuestion(xml);
            q.category = category;
            questions += q;
        }
    }
    // What follows </quiz> may only be comments and white space.
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
    if (xml.hasError() && xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
        throw QuestionFileError(xml.errorString(), int(xml.lineNumber()));
    if (xml.hasError())
        throw QuestionFileError(u"The file ends before its XML is complete."_s,
                                int(xml.lineNumber()));
    return questions;
}

QByteArray write(const QList<SourceQuestion> &questions)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(u"quiz"_s);
    QString category;
    for (const SourceQuestion &q : questions) {
        if (q.category != category) {
            category = q.category;
            xml.writeStartElement(u"question"_s);
            xml.writeAttribute(u"type"_s, u"category"_s);
            textElement(xml, u"category"_s, category);
            xml.writeEndElement();
        }
        xml.writeStartElement(u"question"_s);
        xml.writeAttribute(u"type"_s, u"multichoice"_s);
        textElement(xml, u"name"_s, q.name);
        formattedElement(xml, u"questiontext"_s, q.format, q.text);
        formattedElement(xml, u"generalfeedback"_s, q.format, QString());
        xml.writeTextElement(u"defaultgrade"_s, u"1"_s);
        xml.writeTextElement(u"penalty"_s, u"0.3333333"_s);
        xml.writeTextElement(u"hidden"_s, u"0"_s);
        xml.writeTextElement(u"single"_s, u"true"_s);
        xml.writeTextElement(u"shuffleanswers"_s, u"false"_s);
        xml.writeTextElement(u"answernumbering"_s, u"ABCD"_s);
        for (const SourceQuestion::Answer &a : q.answers) {
            xml.writeStartElement(u"answer"_s);
            xml.writeAttribute(u"fraction"_s, QString::number(a.percent));
            formattedText(xml, a.format, a.text);
            formattedElement(xml, u"feedback"_s, a.format, QString());
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
}

} // namespace MoodleXmlFormat
