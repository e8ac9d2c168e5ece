#include "platform/CStderrMessageSink.h"

#include <cstdio>

void CStderrMessageSink::showMessage(const std::string& text, Icon)
{
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}
