#pragma once

#include <QPointer>
#include <QWidget>

class GXProgressView;
class QLabel;
class StatusAttachedWindow;

// Told when the user stops a removal run from its progress window.
class ProgressViewControllerDelegate {
public:
    virtual ~ProgressViewControllerDelegate() = default;
    virtual void stopRemove() {}
};

// The modal window of a removal run: the item in hand, a bar, the percentage and a stop button.
// It closes itself when the run reports 100.
class ProgressViewController : public QWidget {
    Q_OBJECT
public:
    explicit ProgressViewController(QWidget* parent = nullptr);

    void setDelegate(ProgressViewControllerDelegate* delegate) { m_delegate = delegate; }
    // The window showing the view. Closing it before the run has reported 100 (from the window
    // manager, or with Escape) stops the run, as the stop button does.
    void setSuperDelegate(StatusAttachedWindow* window);
    StatusAttachedWindow* superDelegate() const;

    void changeProgressValue(int percent, const QString& path);
    void stopButtonAction();
    void closeWindow();

    QString percentText() const;
    QString pathText() const;

Q_SIGNALS:
    // What the window was just told to show (before it closes itself at 100).
    void progressChanged(int percent, const QString& path);

private:
    QLabel* m_titleLabel = nullptr;
    GXProgressView* m_progressView = nullptr;
    QLabel* m_pathLabel = nullptr;
    QLabel* m_progressLabel = nullptr;
    ProgressViewControllerDelegate* m_delegate = nullptr;
    QPointer<StatusAttachedWindow> m_superDelegate;
    bool m_finished = false; // the run reported 100
};
