#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QLabel;
class StatusAttachedWindow;

// The about box: name, version and a link to the product's page (a failure to open it is said
// under the link). Created once and shown in a
// new modal popup window at every request; it closes that window through superDelegate.
class AboutViewController : public QWidget {
    Q_OBJECT
public:
    explicit AboutViewController(QWidget* parent = nullptr);

    void setSuperDelegate(StatusAttachedWindow* window) { m_superDelegate = window; }
    StatusAttachedWindow* superDelegate() const { return m_superDelegate; }
    bool shuttingDown() const { return m_shuttingDown; }

    static QUrl productPage();

    void closeWindow();
    void linkButtonAction();
    // Why the product's page could not be opened, or nothing.
    QString notice() const;

private:
    QPointer<StatusAttachedWindow> m_superDelegate;
    bool m_shuttingDown = false;
    QLabel* m_notice = nullptr;
};
