// Under LANGUAGE=de every text of the panel, of the windows and dialogs reached from it and of the
// programs' --help is German: none holds a word of the program's English vocabulary, that is a
// word of the English source texts of corvella_de.ts that no German translation uses (names such
// as Corvella or Downloads, and option names, are in both and so no vocabulary).
#include "ShellTests.h"
#include "app/MyNSApplication.h"
#include "app/ProgramOptions.h"
#include "common/SettingsStore.h"
#include "downloads/CleanUpViewController.h"
#include "kit/ImageButton.h"
#include "support/EnglishTranslation.h"
#include "support/PrivateHome.h"
#include "tasks/TaskManagerViewController.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

QSet<QString> setOf(const QStringList& list)
{
    return {list.cbegin(), list.cend()};
}

// The words of three letters or more, option names (--force-after, -h), paths (also in quotes)
// and the C library's error texts (German only where its German locale is installed) left out.
QStringList wordsOf(QString text)
{
    static const QStringList systemErrors = [] {
        QStringList errors;
        for (int error = 1; error < 134; ++error)
            errors << QString::fromLocal8Bit(std::strerror(error));
        return errors;
    }();
    for (const QString& error : systemErrors)
        text.remove(error);
    // Quoted names („gedit“) and program names with underscores (a running test's) are names.
    text.remove(QRegularExpression(
        u"(?<![\\w-])--?[A-Za-z][\\w-]*|(?<!\\w)/[^\\s“”\"'<>]*|„[^“]*“|\\S*_\\S*"_s));
    QStringList words;
    for (const auto& match : QRegularExpression(u"\\p{L}{3,}"_s).globalMatch(text))
        words << match.captured();
    return words;
}

QSet<QString> englishVocabulary()
{
    QFile file(QStringLiteral(CORVELLA_GERMAN_TS));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QSet<QString> english, german;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"source")
            english.unite(setOf(wordsOf(xml.readElementText())));
        else if (xml.name() == u"translation" || xml.name() == u"numerusform")
            german.unite(
                setOf(wordsOf(xml.readElementText(QXmlStreamReader::IncludeChildElements))));
    }
    // The tab names are option values in the --help texts, English words elsewhere.
    for (const QString& tab : ProgramOptions::tabNames())
        german.remove(tab);
    return english.subtract(german);
}

// Every text a widget shows: title, label, button, tooltip, accessible name, placeholder, the
// cells and headers of an item view, a menu's actions.
void collect(QWidget* widget, QSet<QString>* texts)
{
    *texts << widget->windowTitle() << widget->toolTip() << widget->accessibleName()
           << widget->accessibleDescription();
    if (auto* label = qobject_cast<QLabel*>(widget))
        *texts << label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        *texts << button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        *texts << edit->placeholderText();
    for (QAction* action : widget->actions())
        *texts << action->text() << action->toolTip();
    auto* view = qobject_cast<QAbstractItemView*>(widget);
    if (QAbstractItemModel* model = view ? view->model() : nullptr) {
        for (int column = 0; column < model->columnCount(); ++column) {
            *texts << model->headerData(column, Qt::Horizontal).toString();
            for (int row = 0; row < std::min(model->rowCount(), 50); ++row) {
                const QModelIndex index = model->index(row, column);
                *texts << index.data().toString() << index.data(Qt::ToolTipRole).toString()
                       << index.data(Qt::AccessibleTextRole).toString();
            }
        }
    }
}

} // namespace

class GermanTest : public QObject {
    Q_OBJECT

    QSet<QString> m_shown;
    QTimer m_poll;
    int m_questions = 0;
    QPointer<QWidget> m_modal;
    QElapsedTimer m_modalAge;
    QElapsedTimer m_quiet; // since what is shown last changed
    qsizetype m_seen = 0;
    QSet<QString> m_commandWords; // the command line's command names: names, not vocabulary
    QSet<QString> m_clipped;      // buttons placed by hand too narrow for their German titles

    // Every widget's texts, every 50 ms; a modal dialog is read, then cancelled (a question at
    // once, a window once what it loads has come: nothing new shown for half a second).
    void poll()
    {
        for (QWidget* widget : QApplication::allWidgets()) {
            collect(widget, &m_shown);
            auto* button = qobject_cast<ImageButton*>(widget);
            if (button && button->width() < button->titleWidthHint())
                m_clipped << u"%1: %2 < %3"_s.arg(button->text())
                                 .arg(button->width())
                                 .arg(button->titleWidthHint());
        }
        if (m_shown.size() != m_seen) {
            m_seen = m_shown.size();
            m_quiet.restart();
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != m_modal) {
            m_modal = modal;
            m_modalAge.start();
        }
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            ++m_questions; // its labels and buttons are read above
            if (QAbstractButton* cancel = box->escapeButton())
                cancel->click(); // Cancel: never an action
            else
                box->close();
        } else if (modal && m_modalAge.elapsed() > 500 && m_quiet.elapsed() > 500) {
            modal->close();
        }
    }

    // Waits until what is shown has stopped changing for half a second (texts a tab or window loads
    // in the background have come), at most ten seconds.
    void settle()
    {
        m_quiet.restart();
        (void)QTest::qWaitFor([&] { return m_quiet.elapsed() > 500; }, 10000);
    }

    // Asks, waits until the question has come and been cancelled.
    bool asked(const std::function<void()>& action)
    {
        const int before = m_questions;
        action();
        return QTest::qWaitFor([&] { return m_questions > before; }, 15000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QLocale::system().uiLanguages().value(0).startsWith(u"de"_s), "LANGUAGE=de");
        // Every question is asked, and answered Cancel: nothing is emptied, erased or ended.
        QVERIFY(SettingsStore::standard().setValue(u"ConfirmIrreversibleActions"_s, true));
        QVERIFY(writeFile(qEnvironmentVariable("XDG_DATA_HOME") + u"/Trash/files/alt.iso"_s,
                          QByteArray(2000, 'x')));
        m_quiet.start();
        connect(&m_poll, &QTimer::timeout, this, &GermanTest::poll);
        m_poll.start(50);
    }

    void panelWindowsAndDialogsAreGerman()
    {
        auto power = std::make_unique<RecordingPowerService>();
        RecordingPowerService* requests = power.get();
        AppDelegate delegate(std::move(power));
        delegate.showMainWindow();
        MainViewController* panel = delegate.mainWC();
        QVERIFY(panel);
        for (const QString& tab : MainViewController::tabIdentifiers()) {
            panel->changeTabWithidStr(tab);
            settle();
        }
        // The popups of the side buttons: volume, brightness, the power menu.
        for (auto open : {&MainViewController::openSoundView, &MainViewController::openLightView,
                          &MainViewController::menuToolsButtonAction}) {
            (panel->*open)();
            settle();
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (qobject_cast<QMenu*>(widget))
                    widget->close();
        }
        QVERIFY(asked([panel] { panel->shutdonwButtonAction(); }));
        QVERIFY(asked([panel] { panel->restartButtonAction(); }));
        QVERIFY(asked([panel] { panel->logoutButtonAction(); }));
        QVERIFY(requests->requests.isEmpty());
        delegate.checkUpdateMenuItemAction(); // the update result

        auto* cleanup = qobject_cast<CleanUpViewController*>(panel->tabController(u"Cleanup"_s));
        QVERIFY(asked([cleanup] { cleanup->emptyTrash(); })); // Empty Trash's question
        auto* tasks =
            qobject_cast<TaskManagerViewController*>(panel->tabController(u"TaskManager"_s));
        TaskManagerInfo running;
        running.name = u"gedit"_s;
        running.pID = 999999;
        running.bIsSelected = true;
        tasks->setApplications({running});
        QVERIFY(asked([tasks] { tasks->closeButtonAction(); })); // Close applications'

        // Every window, filled; the Downloads window asks before it erases what is ticked.
        for (const auto& [name, make] : panelWindows()) {
            QWidget* view = make();
            const std::unique_ptr<StatusAttachedWindow> window = showAttached(view);
            QVERIFY2(window, qPrintable(name));
            fillWindow(view);
            settle();
            if (auto* downloads = qobject_cast<DownloadViewController*>(view)) {
                if (!downloads->removalButtonsEnabled())
                    downloads->setAllSelectOrNoSelect(); // ticks all
                QTRY_VERIFY(downloads->removalButtonsEnabled());
                QVERIFY(asked([downloads] { downloads->deleteFiles(); }));
                QVERIFY(exists(QDir::homePath() + u"/Downloads/setup.exe"_s));
            }
        }
        m_poll.stop();
        QVERIFY(exists(qEnvironmentVariable("XDG_DATA_HOME") + u"/Trash/files/alt.iso"_s));
    }

    void helpIsGerman()
    {
        const auto run = [](const QString& program, const QStringList& arguments) {
            QProcess process;
            process.start(program, arguments);
            process.waitForFinished(20000);
            return QString::fromUtf8(process.readAllStandardOutput());
        };
        const QString overview = run(QStringLiteral(CORVELLA_CLI), {u"--help"_s});
        QVERIFY(overview.contains(u"Befehle:"_s));
        const QString commands = overview.section(u"Befehle:\n"_s, 1).section(u"\n\n"_s, 0, 0);
        for (const QString& line : commands.split(u'\n')) {
            const QStringList command = line.trimmed().section(u"  "_s, 0, 0).split(u' ');
            m_commandWords.unite(setOf(command));
            const QString help =
                run(QStringLiteral(CORVELLA_CLI), command + QStringList{u"--help"_s});
            QVERIFY2(help.contains(u"Optionen:"_s), qPrintable(command.join(u' ')));
            m_shown.unite(setOf(help.split(u'\n')));
        }
        m_shown.unite(setOf(overview.split(u'\n')));
        // --json stays English: the trash's record-less item is a problem in English words.
        QVERIFY(run(QStringLiteral(CORVELLA_CLI), {u"trash-list"_s, u"--json"_s})
                    .contains(u"has no record"_s));
        QString program = run(QStringLiteral(CORVELLA_BINARY), {u"--help"_s});
        for (const QString& tab : ProgramOptions::tabNames())
            program.remove(tab); // the --tab option's values
        m_shown.unite(setOf(program.split(u'\n')));
    }

    void germanTitlesFitTheirButtons()
    {
        QVERIFY2(m_clipped.isEmpty(),
                 qPrintable(QStringList(m_clipped.cbegin(), m_clipped.cend()).join(u"; "_s)));
    }

    void nothingShownIsEnglish()
    {
        const QSet<QString> vocabulary = englishVocabulary().subtract(m_commandWords);
        QVERIFY(vocabulary.size() > 100);
        QStringList english;
        for (const QString& text : std::as_const(m_shown)) {
            const QStringList words = wordsOf(text);
            if (std::any_of(words.cbegin(), words.cend(),
                            [&](const QString& word) { return vocabulary.contains(word); }))
                english << text;
        }
        english.sort();
        QVERIFY2(english.isEmpty(), qPrintable(u"untranslated:\n"_s + english.join(u'\n')));
    }
};

int main(int argc, char** argv)
{
    const PrivateHome home;
    if (!home.isValid())
        return 1;
    // Only the test's own autostart entries: the machine's are named by their makers.
    qputenv("XDG_CONFIG_DIRS", QDir::homePath().toLocal8Bit() + "/no-system-config");
    MyNSApplication app(argc, argv);
    // The user's languages, as the programs choose them, from the build tree.
    if (Translations::install(QLocale::system(), buildTranslationsFolder()) != u"de")
        return 1;
    GermanTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "GermanTest.moc"
