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

// The working default of every slot, made on first use.
struct SDefaults
{
    CMemorySettingsStore settings;
    CStderrMessageSink messages;
    CLocalFileSystem files;
    CNoBusyIndicator busy;
    CIniMachineRegistry registry;
    CSpawnProcessLauncher launcher;
};

SDefaults& defaults()
{
    static SDefaults services;
    return services;
}

Platform::SServices g_installed;

template <typename T, typename D> T& installedOr(T* installed, D& fallback)
{
    return installed != nullptr ? *installed : fallback;
}

} // namespace

CSettingsStore& Platform::settings()
{
    return installedOr(g_installed.settings, defaults().settings);
}
CMessageSink& Platform::messages()
{
    return installedOr(g_installed.messages, defaults().messages);
}
CFileSystem& Platform::files()
{
    return installedOr(g_installed.files, defaults().files);
}
CBusyIndicator& Platform::busy()
{
    return installedOr(g_installed.busy, defaults().busy);
}
CMachineRegistry& Platform::registry()
{
    return installedOr(g_installed.registry, defaults().registry);
}
CProcessLauncher& Platform::launcher()
{
    return installedOr(g_installed.launcher, defaults().launcher);
}

void Platform::setSettings(CSettingsStore* store)
{
    g_installed.settings = store;
}
void Platform::setMessages(CMessageSink* sink)
{
    g_installed.messages = sink;
}
void Platform::setFiles(CFileSystem* files)
{
    g_installed.files = files;
}
void Platform::setBusy(CBusyIndicator* busy)
{
    g_installed.busy = busy;
}
void Platform::setRegistry(CMachineRegistry* registry)
{
    g_installed.registry = registry;
}
void Platform::setLauncher(CProcessLauncher* launcher)
{
    g_installed.launcher = launcher;
}

void Platform::reset()
{
    g_installed = SServices();
    defaults().settings.clear();
}

Platform::SServices Platform::installed()
{
    return g_installed;
}

void Platform::install(const SServices& services)
{
    g_installed = services;
}

CScopedPlatform::CScopedPlatform(CSettingsStore* store, CMessageSink* sink, CFileSystem* files,
                                 CBusyIndicator* busy, CMachineRegistry* registry,
                                 CProcessLauncher* launcher)
    : m_previous(Platform::installed())
{
    Platform::install({store, sink, files, busy, registry, launcher});
}

CScopedPlatform::~CScopedPlatform()
{
    Platform::install(m_previous);
}

CBusyScope::CBusyScope()
{
    Platform::busy().begin();
}
CBusyScope::~CBusyScope()
{
    Platform::busy().end();
}
