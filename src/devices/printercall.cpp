#include "printercall.h"

using namespace Qt::StringLiterals;

QString PrinterCall::kindName(Kind kind)
{
    switch (kind) {
    case Kind::ScaleWidth:
        return QStringLiteral("ScaleWidth");
    case Kind::ScaleHeight:
        return QStringLiteral("ScaleHeight");
    case Kind::SetFontName:
        return QStringLiteral("SetFontName");
    case Kind::SetFontSize:
        return QStringLiteral("SetFontSize");
    case Kind::SetFontBold:
        return QStringLiteral("SetFontBold");
    case Kind::SetForeColor:
        return QStringLiteral("SetForeColor");
    case Kind::SetCurrentX:
        return QStringLiteral("SetCurrentX");
    case Kind::SetCurrentY:
        return QStringLiteral("SetCurrentY");
    case Kind::TextWidth:
        return QStringLiteral("TextWidth");
    case Kind::TextHeight:
        return QStringLiteral("TextHeight");
    case Kind::Print:
        return QStringLiteral("Print");
    case Kind::SetDrawWidth:
        return QStringLiteral("SetDrawWidth");
    case Kind::Line:
        return QStringLiteral("Line");
    case Kind::PaintPicture:
        return QStringLiteral("PaintPicture");
    case Kind::NewPage:
        return QStringLiteral("NewPage");
    case Kind::EndDoc:
        return QStringLiteral("EndDoc");
    }
    return QString();
}

QString PrinterCall::toString() const
{
    const auto number = [](double v) { return QString::number(v, 'g', 10); };
    QString arguments;
    switch (kind) {
    case Kind::Print:
        arguments = u'"' + text + u'"' + (endLine ? u" end"_s : u" stay"_s);
        break;
    case Kind::TextWidth:
    case Kind::SetFontName:
        arguments = u'"' + text + u'"';
        break;
    case Kind::SetFontSize:
    case Kind::SetFontBold:
    case Kind::SetCurrentX:
    case Kind::SetCurrentY:
    case Kind::SetDrawWidth:
        arguments = number(value);
        break;
    case Kind::SetForeColor:
        arguments = colour.name();
        break;
    case Kind::Line:
        arguments = number(line.x1()) + u',' + number(line.y1()) + u" - "_s + number(line.x2())
            + u',' + number(line.y2()) + u' ' + colour.name();
        break;
    case Kind::PaintPicture:
        arguments = u'"' + text + u"\" at "_s + number(target.x()) + u',' + number(target.y())
            + u" size "_s + number(target.width()) + u'x' + number(target.height());
        break;
    default:
        break;
    }
    QString result = kindName(kind);
    if (!arguments.isEmpty())
        result += u' ' + arguments;
    result += u" | "_s + fontName + u' ' + number(fontSize) + (fontBold ? u" bold"_s : QString())
        + u' ' + foreColor.name() + u" at "_s + number(x) + u',' + number(y) + u" width "_s
        + QString::number(drawWidth) + u" page "_s + QString::number(page);
    if (failed)
        result += u" FAILED"_s;
    return result;
}
