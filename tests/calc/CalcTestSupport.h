#pragma once

#include "platform/CBusyIndicator.h"
#include "platform/CFakeFileSystem.h"
#include "report/CFooterClock.h"
#include "report/CHtmlWriter.h"
#include "platform/CMemorySettingsStore.h"
#include "platform/CRecordingMessageSink.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

/// A footer clock that always gives the same text, so whole pages can be compared.
class CFixedClock : public CFooterClock
{
public:
    std::string now() const override { return "Tuesday, January 02, 2024 03:04:05 PM"; }
};

/// Counts begin and end calls of the busy indicator.
class CCountingBusy : public CBusyIndicator
{
public:
    void begin() override
    {
        ++m_begins;
        ++m_depth;
    }
    void end() override { --m_depth; }

    int m_begins = 0;
    int m_depth = 0;
};

/// Everything that write produces through a writer of the given mode with the fixed clock.
inline std::string render(int mode, const std::function<void(CHtmlWriter&)>& write)
{
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (stream == nullptr)
        return std::string();
    CFixedClock clock;
    CHtmlWriter writer(stream, mode, &clock);
    write(writer);
    std::fclose(stream);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

/// Installs an empty settings store (so the built-in default lists apply), a recording
/// message sink, a fake file system and a counting busy indicator for each test.
class CalcPageTest : public ::testing::Test
{
protected:
    CMemorySettingsStore m_store;
    CRecordingMessageSink m_sink;
    CFakeFileSystem m_files;
    CCountingBusy m_busy;
    CScopedPlatform m_platform{&m_store, &m_sink, &m_files, &m_busy};
};

/// Number of non-overlapping occurrences of needle in text.
inline int countOf(const std::string& text, const std::string& needle)
{
    int count = 0;
    for (size_t at = text.find(needle); at != std::string::npos;
         at = text.find(needle, at + needle.size()))
        ++count;
    return count;
}
