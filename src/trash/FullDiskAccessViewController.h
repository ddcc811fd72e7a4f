#pragma once

#include "kit/ToolPage.h"

#include <QPointer>

class FullDiskAccessAuthorizer;
class QLabel;
class StatusAttachedWindow;
class TextImageButton;

// The prompt shown instead of emptying the Trash when a sandbox keeps Corvella from the Trash
// folders. "Open Settings" opens the desktop's application permissions; where there are none to
// open, it shows how to grant the access by hand, in text the user can select and copy. The
// emptying is not retried by itself. GUI thread only.
class FullDiskAccessViewController : public ToolPage {
    Q_OBJECT
public:
    // authorizer: not owned, must outlive the view; the shared one by default.
    explicit FullDiskAccessViewController(FullDiskAccessAuthorizer* authorizer = nullptr,
                                          QWidget* parent = nullptr);

    // The window showing the view; closeWindow() closes it.
    void setSuperDelegate(StatusAttachedWindow* window);
    StatusAttachedWindow* superDelegate() const;

    // The text shown after the settings could not be opened; empty until then.
    QString adviceText() const;

public Q_SLOTS:
    void openSetView();
    void closeWindow();

private:
    FullDiskAccessAuthorizer* m_authorizer;
    QPointer<StatusAttachedWindow> m_superDelegate;
    QLabel* m_advice = nullptr;
    TextImageButton* m_openButton = nullptr;
    TextImageButton* m_closeButton = nullptr;
};
