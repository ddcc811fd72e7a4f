#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class StatusAttachedWindow;
class TextImageButton;

// The dialog after a format: whether it succeeded, and the outcome's sentence. OK closes its
// window. GUI thread only.
class FormatEndViewController : public QWidget {
    Q_OBJECT
public:
    FormatEndViewController(bool succeeded, const QString& message, QWidget* parent = nullptr);

    void setSuperDelegate(StatusAttachedWindow* window) { m_superDelegate = window; }
    QString titleText() const;
    QString messageText() const;
    TextImageButton* closeButton() const { return m_closeButton; }

public Q_SLOTS:
    void closeWindow();

private:
    QPointer<StatusAttachedWindow> m_superDelegate;
    QLabel* m_title = nullptr;
    QLabel* m_message = nullptr;
    TextImageButton* m_closeButton = nullptr;
};
