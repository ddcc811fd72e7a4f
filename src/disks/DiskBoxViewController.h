#pragma once

#include "disks/DVVolumeInfo.h"
#include "disks/MakeSureFormatVCDelegate.h"
#include "disks/VolumesManager.h"

#include <QPointer>
#include <QVariantMap>
#include <QWidget>

#include <functional>

class DiskBoxViewControllerDelegate;
class DiskTextFiledView;
class FormatEndViewController;
class GXProgressView;
class IconATextButton;
class MakeSureFormatViewController;
class QLabel;
class TextImageButton;

// One volume in the disk manager's list, 412 by 112: icon, name, usage, file system, a bar of the
// used share, and Eject, Rename (inline field with Save and Cancel) and Format (confirmation and
// end dialogs). The description query and every operation run on worker threads; their results
// are applied here on the GUI thread. GUI thread only.
class DiskBoxViewController : public QWidget, public MakeSureFormatVCDelegate {
    Q_OBJECT
public:
    using DescriptionSource = std::function<QVariantMap(const DVVolumeInfo&)>;
    static constexpr QSize boxSize{412, 112};
    static constexpr int formatEndDelayMs = 300;

    // delegate: not owned (the tab). The description source runs on a worker; the udisks2 query
    // by default.
    DiskBoxViewController(DiskBoxViewControllerDelegate* delegate,
                          DescriptionSource descriptionSource = {}, QWidget* parent = nullptr);
    ~DiskBoxViewController() override;

    void setVolumeInfo(const DVVolumeInfo& volume) { m_volumeInfo = volume; }
    const DVVolumeInfo& volumeInfo() const { return m_volumeInfo; }

    // Fills the box from its record and starts the description query.
    void changeValue();
    void loadDiskInfo();
    // The description's answer: the file-system name, then what the volume allows.
    void applyDiskInfo(const QVariantMap& description);

    // An operation runs or one of the box's dialogs is open: the box must not go yet.
    bool isBusy() const { return m_busy; }
    bool isRenaming() const;
    QString nameText() const;
    QString usageText() const;
    QString fileSystemText() const;
    QString iconName() const { return m_iconName; }
    QString messageText() const;
    IconATextButton* ejectButton() const { return m_ejectButton; }
    IconATextButton* renameButton() const { return m_renameButton; }
    IconATextButton* formatButton() const { return m_formatButton; }
    DiskTextFiledView* renameTextField() const { return m_renameTextField; }
    GXProgressView* progressView() const { return m_progressView; }
    MakeSureFormatViewController* makeSureFormatVC() const;

    void makeSureToFormatSelectVolumeWithName(const QString& name, const QString& type) override;

public Q_SLOTS:
    void ejectButtonAction();
    void renameButtonAction();
    void renameOkButtonAction();
    void renameCancelButtonAction();
    void formatButtonAction();

private:
    void placeActionButtons();
    // Greys what VolumeCapabilities refuses, with its reason as tool tip and accessible
    // description.
    void applyCapabilities();
    void showRenameView(bool shown);
    void showFormatEndWindow(const VolumeOperationOutcome& outcome);
    void setBusy(bool busy);
    QPointF dialogAnchor() const;

    DiskBoxViewControllerDelegate* m_delegate;
    // Without a source of its own, a box takes the file system its record already carries.
    bool m_describesFromRecord;
    DescriptionSource m_descriptionSource;
    DVVolumeInfo m_volumeInfo;
    bool m_busy = false;
    QString m_iconName;
    QLabel* m_iconImageView = nullptr;
    QLabel* m_nameLabel = nullptr;
    QLabel* m_usedLabel = nullptr;
    QLabel* m_nodeLabel = nullptr;
    QLabel* m_messageLabel = nullptr;
    GXProgressView* m_progressView = nullptr;
    IconATextButton* m_ejectButton = nullptr;
    IconATextButton* m_renameButton = nullptr;
    IconATextButton* m_formatButton = nullptr;
    QWidget* m_renameView = nullptr;
    DiskTextFiledView* m_renameTextField = nullptr;
    TextImageButton* m_saveButton = nullptr;
    TextImageButton* m_cancelButton = nullptr;
    QPointer<MakeSureFormatViewController> m_makeSureFormatVC;
    QPointer<FormatEndViewController> m_formatEndVC;
};
