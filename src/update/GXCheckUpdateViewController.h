#pragma once

#include <QPointer>
#include <QWidget>

class StatusAttachedWindow;

// The update check dialog. Created once and shown in a new modal popup window at every request;
// it closes that window through superDelegate. The version check itself comes with the update
// tool; for now the dialog says which version is running.
class GXCheckUpdateViewController : public QWidget {
    Q_OBJECT
public:
    explicit GXCheckUpdateViewController(QWidget* parent = nullptr);

    void setSuperDelegate(StatusAttachedWindow* window) { m_superDelegate = window; }
    StatusAttachedWindow* superDelegate() const { return m_superDelegate; }

    void closeWindow();

private:
    QPointer<StatusAttachedWindow> m_superDelegate;
};
