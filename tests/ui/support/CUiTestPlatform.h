#pragma once

#include "platform/CMemorySettingsStore.h"
#include "platform/CRecordingMessageSink.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QWidget>

/// Installs an in-memory settings store and a recording message sink for one test, so no
/// message box appears and no settings file is touched.
class CUiTestPlatform
{
public:
    CUiTestPlatform() : m_scope(&settings, &messages) {}

    CMemorySettingsStore settings;
    CRecordingMessageSink messages;

private:
    CScopedPlatform m_scope;
};

/// Shows window and makes it the active window, so keyboard focus works offscreen.
inline void activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    QApplication::processEvents();
}
