#pragma once

#include "kit/StatusAttachedWindow.h"
#include "update/VersionCheckResult.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QScrollArea;
class TextImageButton;
class VersionChecker;

// The update check dialog. Created once per run and shown in a new modal popup window at every
// request; it closes that window through superDelegate. Creating it starts the check of the
// settings file's "IniURL" record (VersionChecker, asynchronous), so later openings show the
// outcome already reached: checking, could not check (with the reason), no newer version, or a
// newer version with its offer, its list of what is new and "Install Update", which opens the
// settings file's "UpdateURL". GUI thread only.
class GXCheckUpdateViewController : public QWidget {
    Q_OBJECT
public:
    explicit GXCheckUpdateViewController(QWidget* parent = nullptr);
    ~GXCheckUpdateViewController() override;

    void setSuperDelegate(StatusAttachedWindow* window) { m_superDelegate = window; }
    StatusAttachedWindow* superDelegate() const { return m_superDelegate; }

    // Starts a check again, of the record at `recordUrl` against `shippedBuild`.
    void getVersionChange(const QUrl& recordUrl, qint32 shippedBuild);
    // Shows the outcome.
    void whatIsNewVersionDiff(const VersionCheckResult& result);
    void updateClickHereAction();
    void closeWindowAction() { closeWindow(); }
    void closeWindow();

    // The height `text` takes when wrapped at `width` in `font` (no space added around lines).
    static int heightForStringDrawing(const QString& text, const QFont& font, int width);

    QWidget* checkProgressView() const { return m_checkProgressView; }
    QWidget* noNetworkView() const { return m_noNetworkView; }
    QWidget* noUpdateView() const { return m_noUpdateView; }
    QWidget* haveUpdateView() const { return m_haveUpdateView; }
    QLabel* versionLabel() const { return m_versionLabel; }
    QLabel* noNetworkReason() const { return m_noNetworkReason; }
    // Why the download page did not open; empty until Install Update fails.
    QString openFailure() const;
    QWidget* showVersionScrollView() const { return m_showVersionScrollView; }
    TextImageButton* updateBut() const { return m_updateBut; }

Q_SIGNALS:
    // The outcome is shown.
    void checkFinished();

private:
    QWidget* makeOutcomeView(const QString& message, TextImageButton* button);

    QWidget* m_checkProgressView = nullptr;
    QWidget* m_noNetworkView = nullptr;
    QWidget* m_noUpdateView = nullptr;
    QWidget* m_haveUpdateView = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_noNetworkReason = nullptr;
    QLabel* m_openFailure = nullptr;
    QScrollArea* m_changeValueScrollView = nullptr;
    QWidget* m_showVersionScrollView = nullptr;
    QPointer<StatusAttachedWindow> m_superDelegate;
    TextImageButton* m_loadCloseBut = nullptr;
    TextImageButton* m_noNetColseBut = nullptr;
    TextImageButton* m_noUpdateClose = nullptr;
    TextImageButton* m_cancelBut = nullptr;
    TextImageButton* m_updateBut = nullptr;
    VersionChecker* m_checker = nullptr;
};
