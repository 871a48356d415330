#pragma once

#include <string>
#include <string_view>

#include <QString>

namespace quorvel {

// The program keeps UTF-8 std::string; Qt wants QString.
inline QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline std::string ss(const QString& text) { return text.toStdString(); }

}  // namespace quorvel
