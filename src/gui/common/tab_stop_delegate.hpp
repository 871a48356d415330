// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace quorvel {

// Draws list lines whose columns are set with tabs: a tab stop every four full-width characters,
// so "name, tab (two for a short name), count" lines stand in one column whatever the font. Qt's
// own drawing puts tab stops 80 pixels apart, which splits such lists into two ragged columns.
class TabStopDelegate final : public QStyledItemDelegate {
    Q_OBJECT
  public:
    explicit TabStopDelegate(QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    static qreal tab_stop(const QFont& font);
};

}  // namespace quorvel
