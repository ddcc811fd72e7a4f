#pragma once

#include "disks/FormatTypeVCDelegate.h"

#include <QPointer>
#include <QWidget>

class DiskTextFiledView;
class FormatTypeViewController;
class MakeSureFormatVCDelegate;
class QLabel;
class QProgressBar;
class QPushButton;
class StatusAttachedWindow;
class TextImageButton;

// The question before a format: the volume's new name and file system, with Continue and
// Cancel. The file-system choice opens a popup that closes two seconds after it opened unless
// the pointer entered it, and at once when the pointer leaves it. Continue turns the dialog into
// its working face and tells the delegate; the delegate closes the window when the format ends.
// GUI thread only.
class MakeSureFormatViewController : public QWidget, public FormatTypeVCDelegate {
    Q_OBJECT
public:
    static constexpr int popupCloseDelayMs = 2000;

    // delegate: not owned, must outlive the dialog.
    explicit MakeSureFormatViewController(MakeSureFormatVCDelegate* delegate,
                                          QWidget* parent = nullptr);

    void setSuperDelegate(StatusAttachedWindow* window) { m_superDelegate = window; }
    StatusAttachedWindow* superDelegate() const { return m_superDelegate; }

    // The volume's name and file-system name. An NTFS volume can only become "MS-DOS FAT32":
    // its choice is locked.
    void setName(const QString& name, const QString& type);

    QString typeText() const;
    QString nameText() const;
    bool isTypeChoiceLocked() const;
    bool isWorking() const;
    // The open choice popup's window, or null.
    StatusAttachedWindow* sortAttachedWindow() const { return m_sortAttachedWindow; }
    TextImageButton* okButton() const { return m_okButton; }
    TextImageButton* noButton() const { return m_noButton; }

    void mouseEixtView(bool exited) override;
    void selectFormatbyType(int type) override;

public Q_SLOTS:
    void okButtonAction();
    void noButtonAction();
    void openMenuAction();
    void closeMattachedWindow();
    void closeWindow();

private:
    void chengTextStart();

    MakeSureFormatVCDelegate* m_delegate;
    QPointer<StatusAttachedWindow> m_superDelegate;
    QWidget* m_makeSureView = nullptr;
    QWidget* m_formatView = nullptr;
    QLabel* m_nameLabel = nullptr;
    QLabel* m_nodeLabel = nullptr;
    DiskTextFiledView* m_nameTextFiled = nullptr;
    QLabel* m_typeLabel = nullptr;
    QPushButton* m_typeSelectBut = nullptr;
    QLabel* m_openImageV = nullptr;
    QProgressBar* m_loading = nullptr;
    TextImageButton* m_okButton = nullptr;
    TextImageButton* m_noButton = nullptr;
    bool m_isPopSortWin = false;
    int m_popupGeneration = 0;
    FormatTypeViewController* m_formatTypeVC = nullptr;
    QPointer<StatusAttachedWindow> m_sortAttachedWindow;
};
