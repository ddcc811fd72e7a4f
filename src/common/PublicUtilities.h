#pragma once

#include <QCoreApplication>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

#include <cstdint>
#include <optional>

// Stateless helpers shared by every tool: settings accessors, size text, application folders,
// the system version and the network probe. Every settings access reads the settings file anew
// (SettingsStore::standard()). The formatters and version operations are safe on any thread.
class PublicUtilities {
    Q_DECLARE_TR_FUNCTIONS(PublicUtilities)

public:
    PublicUtilities() = delete;

    // How a number or size is written: Shown in the user's locale (decimal separator) and
    // language (unit words) for the UI and plain command-line output; C with C-locale digits and
    // English unit words for --json output and stored files, which never change with the language.
    enum class TextForm { Shown, C };

    // Settings. Getters answer an empty string when the key or the file is missing.
    static void writRegularFont(const QString& fontFamily);
    static void writLightFont(const QString& fontFamily);
    static void writBoldFont(const QString& fontFamily);
    static QString getRegularFontName();
    static QString getLightFontName();
    static QString getBoldFontName();
    // Stores x under "X" and y under "Y" as text with one decimal ("12.3").
    static void writePopWindowPoint(QPointF point);
    static QPointF getPopWindowPoint();
    // The current local time under "BeginTime" ("yyyy-MM-dd HH:mm:ss"). Returns whether it was
    // written.
    static bool writeBeginDataTimeStr();
    static QString getBeginDataTimeStr();

    // Whether actions that cannot be undone (Completely Erase, Empty Trash, Shut Down, Restart,
    // Log Out) ask first: the setting "ConfirmIrreversibleActions", on unless it is false, 0 or
    // "false" (a missing key asks).
    static bool confirmsIrreversibleActions();

    // "1 item", "N items" (translated, plural rules of the language).
    static QString itemCount(int count);

    // Size text, two decimals without group separators ("1.50 MB", in German "1,50 MB"), "N byte"
    // below the smallest unit: decimal units (1000) for disks and files, binary (1024) for memory.
    static QString longlongDiskSize(std::int64_t bytes, TextForm form = TextForm::Shown);
    static QString longlongConvertVolSpace(std::int64_t bytes, TextForm form = TextForm::Shown);

    // The "applications" folders of $XDG_DATA_HOME and $XDG_DATA_DIRS, in that order, existing
    // only.
    static QStringList applicationPaths();

    // Linux has no single system version; it answers 11.0 so that the current-system branches
    // (blur, white outline, current colour space) are taken.
    static void getSystemVersionMajor(unsigned* major, unsigned* minor, unsigned* bugFix);
    static int getSystemVersion(); // major * 100 + minor: 11.0 gives 1100
    static unsigned getMinorVersion();
    // Desktop notifications are offered from version 10.9 (1009) on.
    static bool supportsUserNotifications();

    // Runs the graphics-adapter query through GXExecCommand and reads its output file as a
    // property-list dictionary. The query prints plain text, so the answer is empty.
    static QVariantMap getMacInfo();

    // Whether an HTTPS request to the probe address (setting "NetworkProbeURL", else a well-known
    // public site) brings back any data within 5.0 s. Blocks the calling thread; not on the GUI
    // thread.
    static bool isCanBeUseNetWork();
    static bool isCanBeUseNetWork(const QUrl& target, int timeoutMs = 5000);
};
