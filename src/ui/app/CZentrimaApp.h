#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <string>

class CHelpWindow;
class CMainFrame;
class CMessageSink;
class CSettingsStore;
class CSingleInstance;
class CWaitCursor;

/// The application object: starts the program as the user's only running copy, installs
/// the platform services (settings file, message boxes, wait cursor), checks the page
/// renderer, creates the fonts, the main window and the first analysis window, shows the
/// about box, answers the help, web and about commands (help in the program's help window),
/// and cleans up at exit (the "zentrima*" files of the private temporary folder).
class CZentrimaApp : public QObject
{
    Q_OBJECT

public:
    struct Options
    {
        /// Show the about box at the end of start-up, unless the user cleared its "Show at
        /// start-up" box. The environment variable ZENTRIMA_NO_ABOUT (any value) turns it off
        /// as well.
        bool showAbout = true;
        /// Folder of the single-instance lock and socket; empty: the private temporary
        /// folder.
        QString instanceFolder;
        /// Settings and messages to use instead of the settings file and message boxes
        /// (not owned); null: the program's own.
        CSettingsStore* settings = nullptr;
        CMessageSink* messages = nullptr;
    };

    /// The file name of the help book looked for beside the program.
    static const char* const HelpBookName;

    CZentrimaApp();
    explicit CZentrimaApp(const Options& options);
    /// Runs the exit clean-up if it has not run yet.
    ~CZentrimaApp() override;

    /// Start-up. False when the program is to end at once: another copy runs (it has been
    /// asked to come forward) or is starting (a message says so), the page renderer is
    /// missing (message 61219), the fonts or the main window cannot be made, or no analysis
    /// window opened. Without a private folder a message says so and the program runs
    /// without files on disk. The first copy deletes what an earlier run left in the folder.
    bool initInstance();
    /// The exit clean-up; runs once. Closes the main window, deletes the page and graph files
    /// of the temporary folder (the word processor's documents stay until the next start),
    /// gives up the single instance and the platform services.
    void exitInstance();

    CMainFrame* mainFrame() const { return m_mainFrame.get(); }
    CSingleInstance* singleInstance() const { return m_instance.get(); }

    /// True for the commands the application answers: about, help contents and topics, and
    /// the two web commands.
    bool handlesCommand(int id) const;
    bool handleCommand(int id);

    /// The help operation: HelpTopic::Contents, HelpTopic::Index or a topic number, in
    /// the help window. Without a readable help book beside the program it shows message
    /// 61218 and nothing else.
    void showHelp(int topic);
    /// The help window once help has been asked for; null before.
    CHelpWindow* helpWindow() const { return m_helpWindow.get(); }
    /// "<program folder>/Zentrima.rcc"; empty when the program's path is unknown.
    QString helpBookPath() const { return m_helpBook; }
    /// The web address of command 148 or 149.
    static QString webAddress(int command);

    /// Deletes the files this program writes into folder ("zentrima<N>.htm", "zentrima.qxc",
    /// "zentrima.qxt" and, withDocuments, the word processor's "zentrima-word-<N>.odt"):
    /// regular files and links (never a link's target), nothing else; returns how many.
    static int deleteTemporaryFiles(const std::string& folder, bool withDocuments);
    /// True for the names deleteTemporaryFiles() deletes.
    static bool isOwnTemporaryName(const std::string& name, bool withDocuments);

private:
    // Takes the single-instance lock (in the lock folder of the options, otherwise in
    // tempFolder); false when another copy runs, which then shows itself instead.
    bool claimInstance(const std::string& tempFolder);
    bool installServices();
    // The main window, placed as stored, with its first analysis window, shown.
    bool createMainFrame();

    Options m_options;
    std::unique_ptr<CSettingsStore> m_ownSettings;
    std::unique_ptr<CMessageSink> m_ownMessages;
    std::unique_ptr<CWaitCursor> m_waitCursor;
    std::unique_ptr<CSingleInstance> m_instance;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<CHelpWindow> m_helpWindow;
    QString m_helpBook;
    bool m_started = false;
    bool m_exited = false;
};
