#pragma once

#include <QtGlobal>

/// Registers the pictures of the windows (tool-bar images, window icon, about picture),
/// which live in a static library and so are not registered by themselves. Repeated calls
/// do no harm.
inline void initFramesResources()
{
    Q_INIT_RESOURCE(frames);
}
