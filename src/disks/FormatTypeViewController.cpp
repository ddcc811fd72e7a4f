#include "disks/FormatTypeViewController.h"

#include "disks/FormatTypeVCDelegate.h"
#include "kit/ColorScheme.h"

#include <QPushButton>

namespace {

constexpr int kRowHeight = 28;
constexpr int kWidth = 150;

} // namespace

FormatTypeViewController::FormatTypeViewController(FormatTypeVCDelegate* delegate, QWidget* parent)
    : QWidget(parent), m_delegate(delegate)
{
    setWindowTitle(tr("Format"));
    setFixedSize(kWidth, kRowHeight * 3 + 8);
    setAttribute(Qt::WA_Hover);
    for (int identifier : {0, 1, 2}) {
        auto* row = new QPushButton(typeName(identifier), this);
        row->setObjectName(QStringLiteral("view_%1").arg(identifier == 2 ? 4 : identifier + 1));
        row->setFlat(true);
        row->setCursor(Qt::PointingHandCursor);
        ColorScheme::setStyleSheet(
            row, QStringLiteral("QPushButton { text-align: left; padding-left: 12px; border: none; "
                                "border-radius: 5px;"
                                " color: palette(window-text); } QPushButton:hover { background: "
                                "palette(highlight);"
                                " color: palette(highlighted-text); }"));
        row->setGeometry(4, 4 + identifier * kRowHeight, kWidth - 8, kRowHeight);
        connect(row, &QPushButton::clicked, this,
                [this, identifier] { selectSortType(identifier); });
        m_rows.append(row);
    }
}

QString FormatTypeViewController::typeName(int type)
{
    switch (type) {
    case 0:
        return QStringLiteral("ExFAT");
    case 1:
        return QStringLiteral("MS-DOS FAT32");
    case 2:
        return QStringLiteral("ext4");
    default:
        return {};
    }
}

void FormatTypeViewController::selectSortType(int identifier)
{
    m_delegate->selectFormatbyType(identifier);
}

void FormatTypeViewController::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    m_delegate->mouseEixtView(false);
}

void FormatTypeViewController::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_delegate->mouseEixtView(true);
}
