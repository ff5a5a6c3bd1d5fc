#include "markup/Microdata.h"
#include "catalogue/TextCodec.h"
namespace quillery {
QString MarkupField(char16_t, const QString& value, const BookRecord&, const FormatContext&)
{
    return trimBlanks(value).toString();
}
}
