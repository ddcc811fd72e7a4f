#pragma once

#include <QList>
#include <QWidget>

class FormatTypeVCDelegate;
class QPushButton;

// The file-system choice popup under the confirmation dialog's type label: three rows with the
// identifiers 0 "ExFAT", 1 "MS-DOS FAT32" and 2 "ext4". It reports the pointer entering and
// leaving it and the row clicked. GUI thread only.
class FormatTypeViewController : public QWidget {
    Q_OBJECT
public:
    // delegate: not owned, must outlive the popup.
    explicit FormatTypeViewController(FormatTypeVCDelegate* delegate, QWidget* parent = nullptr);

    static QString typeName(int type);
    QList<QPushButton*> rows() const { return m_rows; }

    void selectSortType(int identifier);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    FormatTypeVCDelegate* m_delegate;
    QList<QPushButton*> m_rows;
};
