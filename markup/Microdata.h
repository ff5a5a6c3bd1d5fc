#pragma once
#include "catalogue/BookRecord.h"
#include "format/FormatContext.h"
namespace quillery {
QString MarkupField(char16_t code, const QString& value, const BookRecord& record, const FormatContext& context);
}
namespace quillery {
void ApplyMicrodataToBeforeItem(bool microdata, QString& beforeItem, QString& afterItem);
}
