#include "ui/app/CZentrimaApp.h"

#include "ui/dialogs/CAboutDialog.h"
#include "ui/common/CAppFonts.h"
#include "ui/app/CChildFrame.h"
#include "platform/CFileSystem.h"
#include "ui/help/CHelpWindow.h"
#include "ui/app/CMainFrame.h"
#include "ui/app/CMessageBoxSink.h"
#include "qtsupport/CQtSettingsStore.h"
#include "ui/result/CPageDocument.h"
#include "ui/app/CSingleInstance.h"
#include "ui/forms/CStepForm.h"
#include "ui/app/CWaitCursor.h"
#include "ui/common/CommandIds.h"
#include "platform/Platform.h"
#include "calc/StringTable.h"
#include "ui/common/UiStrings.h"
#include "ui/common/WindowPlacement.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QUrl>

#include <cstdlib>
#include <regex>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Help topics of the Help menu's commands.
int helpTopic(int command)
{
    switch (command) {
    case ID_HELP_INDEX:
        return HelpTopic::Index;
    case ID_HELP_WHAT_DOES:
        return HelpTopic::WhatZentrimaDoes;
    case ID_HELP_POWER_TUTORIAL:
        return HelpTopic::PowerTutorial;
    case ID_HELP_SAMPLE_TUTORIAL:
        return HelpTopic::SampleSizeTutorial;
    case ID_HELP_LICENSE:
        return HelpTopic::License;
    case ID_HELP_CITE:
        return HelpTopic::HowToCite;
    case ID_HELP_SUPPORT:
        return HelpTopic::TechnicalSupport;
    default:
        return HelpTopic::Contents;
    }
}

} // namespace

const char* const CZentrimaApp::HelpBookName = "Zentrima.rcc";

CZentrimaApp::CZentrimaApp() : CZentrimaApp(Options()) {}

CZentrimaApp::CZentrimaApp(const Options& options) : m_options(options) {}

CZentrimaApp::~CZentrimaApp()
{
    exitInstance();
}

bool CZentrimaApp::installServices()
{
    CSettingsStore* settings = m_options.settings;
    if (!settings) {
        m_ownSettings = std::make_unique<CQtSettingsStore>();
        settings = m_ownSettings.get();
    }
    CMessageSink* messages = m_options.messages;
    if (!messages) {
        m_ownMessages = std::make_unique<CMessageBoxSink>();
        messages = m_ownMessages.get();
    }
    m_waitCursor = std::make_unique<CWaitCursor>();
    Platform::setSettings(settings);
    Platform::setMessages(messages);
    Platform::setBusy(m_waitCursor.get());
    return true;
}

bool CZentrimaApp::initInstance()
{
    m_started = true;
    const std::string tempFolder = Platform::files().tempFolder();
    if (!claimInstance(tempFolder))
        return false;
    installServices();
    if (tempFolder.empty())
        Platform::messages().showMessage(noPrivateFolderMessage().toStdString(),
                                         CMessageSink::Icon::Warning);
    // What an earlier run left (after a crash, and the documents handed to the word
    // processor, which may still have been reading them at that run's exit).
    deleteTemporaryFiles(tempFolder, true);

    if (!CPageDocument::rendererAvailable()) {
        Platform::messages().showMessage(LoadString(IDS_NO_BROWSER), CMessageSink::Icon::Stop);
        return false;
    }
    if (!CAppFonts::create())
        return false;
    CStepForm::setHelpHandler([this](int topic) { showHelp(topic); });

    std::string program;
    if (!Platform::files().programFilePath(program))
        return false;
    m_helpBook = QFileInfo(QString::fromStdString(program)).dir().filePath(HelpBookName);
    if (!createMainFrame())
        return false;

    // Without a folder for the lock this copy runs unguarded and answers no later start.
    if (m_instance) {
        m_instance->listen();
        connect(m_instance.get(), &CSingleInstance::raiseRequested, m_mainFrame.get(),
                &CMainFrame::raiseAndRestore);
    }

    if (m_options.showAbout && !std::getenv("ZENTRIMA_NO_ABOUT") &&
        CAboutDialog::showsAtStartup()) {
        CAboutDialog about(m_mainFrame.get());
        about.exec();
    }
    return true;
}

bool CZentrimaApp::claimInstance(const std::string& tempFolder)
{
    const QString folder = m_options.instanceFolder.isEmpty() ? QString::fromStdString(tempFolder)
                                                              : m_options.instanceFolder;
    CSingleInstance::Claim claim = CSingleInstance::Claim::Unguarded;
    if (!folder.isEmpty()) {
        m_instance = std::make_unique<CSingleInstance>(folder);
        claim = m_instance->claim();
    }
    if (claim != CSingleInstance::Claim::OtherRunning &&
        claim != CSingleInstance::Claim::OtherStarting)
        return true;
    m_instance.reset();
    // A copy that holds the lock but does not answer would otherwise leave the user with
    // nothing at all.
    if (claim == CSingleInstance::Claim::OtherStarting) {
        CMessageBoxSink box;
        CMessageSink& sink = m_options.messages ? *m_options.messages : box;
        sink.showMessage(otherCopyNotAnsweringMessage().toStdString(),
                         CMessageSink::Icon::Information);
    }
    return false;
}

bool CZentrimaApp::createMainFrame()
{
    m_mainFrame = std::make_unique<CMainFrame>(this);
    QRect area = WindowPlacement::availableArea(*m_mainFrame);
    if (area.isEmpty())
        area = QRect(0, 0, 800, 600);
    m_mainFrame->setGeometry(
        CMainFrame::initialPlacement(Platform::settings(), area, m_mainFrame->wholeToolBarSize()));
    m_mainFrame->openNewWindow();
    if (!m_mainFrame->activeChildFrame())
        return false;
    if (Platform::settings().readInt("ShowStyle", "MainWindow", 1) == 3) {
        m_mainFrame->showMaximized();
        m_mainFrame->mdiArea()->tileSubWindows();
    } else {
        m_mainFrame->show();
    }
    return true;
}

void CZentrimaApp::exitInstance()
{
    if (!m_started || m_exited)
        return;
    m_exited = true;
    CStepForm::setHelpHandler(nullptr);
    m_helpWindow.reset();
    m_mainFrame.reset();
    // Only the copy that ran owns the page files; a later copy that only asked the running
    // one to come forward leaves them alone.
    // The documents handed to the word processor stay until the next start.
    if (m_waitCursor)
        deleteTemporaryFiles(Platform::files().tempFolder(), false);
    if (m_instance)
        m_instance->release();
    m_instance.reset();
    if (m_waitCursor) {
        Platform::setSettings(nullptr);
        Platform::setMessages(nullptr);
        Platform::setBusy(nullptr);
    }
    m_waitCursor.reset();
    m_ownMessages.reset();
    m_ownSettings.reset();
}

bool CZentrimaApp::isOwnTemporaryName(const std::string& name, bool withDocuments)
{
    static const std::regex pages("zentrima[0-9]+\\.htm");
    static const std::regex documents("zentrima-word-[0-9]+\\.odt");
    return name == "zentrima.qxc" || name == "zentrima.qxt" || std::regex_match(name, pages) ||
           (withDocuments && std::regex_match(name, documents));
}

int CZentrimaApp::deleteTemporaryFiles(const std::string& folder, bool withDocuments)
{
    if (folder.empty())
        return 0;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return 0;
    int deleted = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!isOwnTemporaryName(name, withDocuments))
            continue;
        // Only files and links (the link itself) go; a folder or a FIFO of that name is not
        // this program's.
        struct stat info
        {
        };
        const std::string path = folder + name;
        if (::lstat(path.c_str(), &info) == 0 && (S_ISREG(info.st_mode) || S_ISLNK(info.st_mode)) &&
            ::unlink(path.c_str()) == 0)
            ++deleted;
    }
    ::closedir(dir);
    return deleted;
}

bool CZentrimaApp::handlesCommand(int id) const
{
    switch (id) {
    case ID_APP_ABOUT:
    case ID_LEARN:
    case ID_HELP_INDEX:
    case ID_HELP_WHAT_DOES:
    case ID_HELP_POWER_TUTORIAL:
    case ID_HELP_SAMPLE_TUTORIAL:
    case ID_HELP_LICENSE:
    case ID_HELP_CITE:
    case ID_HELP_SUPPORT:
    case ID_WEB_VISIT:
    case ID_WEB_UPDATES:
        return true;
    default:
        return false;
    }
}

bool CZentrimaApp::handleCommand(int id)
{
    if (!handlesCommand(id))
        return false;
    switch (id) {
    case ID_APP_ABOUT: {
        CAboutDialog about(m_mainFrame.get());
        about.exec();
        break;
    }
    case ID_WEB_VISIT:
    case ID_WEB_UPDATES:
        QDesktopServices::openUrl(QUrl(webAddress(id)));
        break;
    default:
        showHelp(helpTopic(id));
        break;
    }
    return true;
}

void CZentrimaApp::showHelp(int topic)
{
    // The book is looked for on every request: one removed since the last shows the message
    // as well.
    QFile book(m_helpBook);
    const bool readable = !m_helpBook.isEmpty() && book.open(QIODevice::ReadOnly);
    book.close();
    if (readable && !m_helpWindow)
        m_helpWindow = std::make_unique<CHelpWindow>();
    if (!readable || (!m_helpWindow->book().isOpen() && !m_helpWindow->openBook(m_helpBook))) {
        Platform::messages().showMessage(helpMissingMessage(HelpBookName).toStdString(),
                                         CMessageSink::Icon::Stop);
        return;
    }
    m_helpWindow->showHelp(topic);
}

QString CZentrimaApp::webAddress(int command)
{
    if (command != ID_WEB_UPDATES)
        return makerHomePage();
    // The query's keys and version format are what the maker's update page reads; only the
    // platform names this one.
    return makerHomePage() +
           QStringLiteral("support/updates.cfm?program=Zentrima&platform=Linux&version=") +
           QString::asprintf("%d.%d%d", 2, 0, 0);
}
