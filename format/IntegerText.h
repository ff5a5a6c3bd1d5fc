#pragma once
#include <QStringView>
#include <optional>
namespace quillery {
std::optional<int> parseInteger(QStringView text);
int integerOrThrow(QStringView text);
}
