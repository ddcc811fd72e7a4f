#pragma once

#include <QPointer>
#include <QUrl>
#include <QWidget>

class StatusAttachedWindow;

// The about box: name, version and a link to the product's page. Created once and shown in a
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

private:
    QPointer<StatusAttachedWindow> m_superDelegate;
    bool m_shuttingDown = false;
};
