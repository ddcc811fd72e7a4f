#pragma once

#include "app/BaseWindow.h"

#include <QObject>

#include <memory>

// Owns the launcher window and answers its clicks: a click asks the application, through the
// notification "reOpenWindow", to show the main panel, and closes the launcher. GUI thread only.
class PopWindowController : public QObject, public BaseWindowDelegate {
    Q_OBJECT
public:
    explicit PopWindowController(QObject* parent = nullptr);
    ~PopWindowController() override;

    BaseWindow* baseWindow() const { return m_baseWindow.get(); }
    void showWindow();

    void openMainWindow() override;

private:
    std::unique_ptr<BaseWindow> m_baseWindow;
};
