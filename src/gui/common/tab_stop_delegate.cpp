// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/common/tab_stop_delegate.hpp"

#include <QApplication>
#include <QPainter>
#include <QTextOption>

namespace quorvel {

namespace {

QTextOption line_option(const QFont& font) {
    QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(TabStopDelegate::tab_stop(font));
    return option;
}

}  // namespace

TabStopDelegate::TabStopDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

qreal TabStopDelegate::tab_stop(const QFont& font) {
    // A hair short of four characters: a four-character name must reach past the first stop, so
    // its one tab meets the two tabs of a shorter name at the second.
    return QFontMetricsF(font).horizontalAdvance(QStringLiteral("都道府県")) - 1;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // Background, selection and focus as the style draws them; the text ourselves.
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect area =
        style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(margin, 0, -margin, 0);
    const bool selected = (item.state & QStyle::State_Selected) != 0;
    const auto group = (item.state & QStyle::State_Enabled) == 0  ? QPalette::Disabled
                       : (item.state & QStyle::State_Active) != 0 ? QPalette::Active
                                                                  : QPalette::Inactive;
    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QRectF(area), text, line_option(item.font));
    painter->restore();
}

}  // namespace quorvel
