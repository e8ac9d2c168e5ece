#pragma once

class CBusyIndicator;
class CFileSystem;
class CMachineRegistry;
class CMessageSink;
class CProcessLauncher;
class CSettingsStore;

/// The services the core calls, installed by the program that hosts it (the desktop
/// program, the command-line tool or a test). Every slot has a working default: an
/// in-memory settings store, messages to standard error, the real file system, no busy
/// indicator, the machine-wide registry file and posix_spawn. Installing nullptr restores
/// the default; reset() restores all of them. The installer keeps ownership of what it
/// installs.
class Platform
{
public:
    /// One set of installed services; a null slot means the default.
    struct SServices
    {
        CSettingsStore* settings = nullptr;
        CMessageSink* messages = nullptr;
        CFileSystem* files = nullptr;
        CBusyIndicator* busy = nullptr;
        CMachineRegistry* registry = nullptr;
        CProcessLauncher* launcher = nullptr;
    };

    static CSettingsStore& settings();
    static CMessageSink& messages();
    static CFileSystem& files();
    static CBusyIndicator& busy();
    static CMachineRegistry& registry();
    static CProcessLauncher& launcher();

    static void setSettings(CSettingsStore* store);
    static void setMessages(CMessageSink* sink);
    static void setFiles(CFileSystem* files);
    static void setBusy(CBusyIndicator* busy);
    static void setRegistry(CMachineRegistry* registry);
    static void setLauncher(CProcessLauncher* launcher);
    static void reset();

    /// The services installed now (null slots for defaults), and installing a whole set at once.
    static SServices installed();
    static void install(const SServices& services);
};

/// Installs services for the lifetime of a scope and restores the previous ones after it.
class CScopedPlatform
{
public:
    CScopedPlatform(CSettingsStore* store, CMessageSink* sink, CFileSystem* files = nullptr,
                    CBusyIndicator* busy = nullptr, CMachineRegistry* registry = nullptr,
                    CProcessLauncher* launcher = nullptr);
    ~CScopedPlatform();
    CScopedPlatform(const CScopedPlatform&) = delete;
    CScopedPlatform& operator=(const CScopedPlatform&) = delete;

private:
    Platform::SServices m_previous;
};

/// Shows the busy indicator while it lives.
class CBusyScope
{
public:
    CBusyScope();
    ~CBusyScope();
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;
};
