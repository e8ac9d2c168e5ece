#include "platform/Platform.h"

#include "platform/CBusyIndicator.h"
#include "platform/CIniMachineRegistry.h"
#include "platform/CLocalFileSystem.h"
#include "platform/CMemorySettingsStore.h"
#include "platform/CSpawnProcessLauncher.h"
#include "platform/CStderrMessageSink.h"

namespace {

class CNoBusyIndicator : public CBusyIndicator
{
public:
    void begin() override {}
    void end() override {}
};

CMemorySettingsStore& defaultSettings()
{
    static CMemorySettingsStore store;
    return store;
}
CStderrMessageSink& defaultMessages()
{
    static CStderrMessageSink sink;
    return sink;
}
CLocalFileSystem& defaultFiles()
{
    static CLocalFileSystem files;
    return files;
}
CNoBusyIndicator& defaultBusy()
{
    static CNoBusyIndicator busy;
    return busy;
}

CIniMachineRegistry& defaultRegistry()
{
    static CIniMachineRegistry registry;
    return registry;
}
CSpawnProcessLauncher& defaultLauncher()
{
    static CSpawnProcessLauncher launcher;
    return launcher;
}

CSettingsStore* g_settings = nullptr;
CMessageSink* g_messages = nullptr;
CFileSystem* g_files = nullptr;
CBusyIndicator* g_busy = nullptr;
CMachineRegistry* g_registry = nullptr;
CProcessLauncher* g_launcher = nullptr;

} // namespace

CSettingsStore& Platform::settings()
{
    return g_settings ? *g_settings : defaultSettings();
}
CMessageSink& Platform::messages()
{
    return g_messages ? *g_messages : defaultMessages();
}
CFileSystem& Platform::files()
{
    return g_files ? *g_files : defaultFiles();
}
CBusyIndicator& Platform::busy()
{
    return g_busy ? *g_busy : defaultBusy();
}
CMachineRegistry& Platform::registry()
{
    return g_registry ? *g_registry : defaultRegistry();
}
CProcessLauncher& Platform::launcher()
{
    return g_launcher ? *g_launcher : defaultLauncher();
}

void Platform::setSettings(CSettingsStore* store)
{
    g_settings = store;
}
void Platform::setMessages(CMessageSink* sink)
{
    g_messages = sink;
}
void Platform::setFiles(CFileSystem* files)
{
    g_files = files;
}
void Platform::setBusy(CBusyIndicator* busy)
{
    g_busy = busy;
}
void Platform::setRegistry(CMachineRegistry* registry)
{
    g_registry = registry;
}
void Platform::setLauncher(CProcessLauncher* launcher)
{
    g_launcher = launcher;
}

void Platform::reset()
{
    g_settings = nullptr;
    g_messages = nullptr;
    g_files = nullptr;
    g_busy = nullptr;
    g_registry = nullptr;
    g_launcher = nullptr;
    defaultSettings().clear();
}

CScopedPlatform::CScopedPlatform(CSettingsStore* store, CMessageSink* sink, CFileSystem* files,
                                 CBusyIndicator* busy, CMachineRegistry* registry,
                                 CProcessLauncher* launcher)
    : m_settings(g_settings), m_messages(g_messages), m_files(g_files), m_busy(g_busy),
      m_registry(g_registry), m_launcher(g_launcher)
{
    g_settings = store;
    g_messages = sink;
    g_files = files;
    g_busy = busy;
    g_registry = registry;
    g_launcher = launcher;
}

CScopedPlatform::~CScopedPlatform()
{
    g_settings = m_settings;
    g_messages = m_messages;
    g_files = m_files;
    g_busy = m_busy;
    g_registry = m_registry;
    g_launcher = m_launcher;
}

CBusyScope::CBusyScope()
{
    Platform::busy().begin();
}
CBusyScope::~CBusyScope()
{
    Platform::busy().end();
}
