// SPDX-License-Identifier: GPL-3.0-or-later
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

// A caption for a menu or button. Qt underlines one access key per caption; one that also marks
// the kana key, as "終了(&C&ｿ)" does, keeps the first mark and shows the kana plainly ("終了(&Cｿ)"),
// or Qt measures the caption without both marks and cuts it short with "…".
inline QString caption(std::string_view utf8) {
    QString text = qs(utf8);
    qsizetype first = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (i + 1 < text.size() && text[i + 1] == u'&') {
            ++i;  // "&&" is an ampersand
        } else if (first < 0) {
            first = i;
        } else {
            text.remove(i--, 1);
        }
    }
    return text;
}

}  // namespace quorvel
