#pragma once

#include <QByteArray>
#include <QString>

/// Reads a file the viewer is handed (a script or a template) only when it is a regular file
/// of a sensible size. A FIFO would hold the viewer until someone writes to it, and a device
/// or a huge file would be read without end, so anything else is refused, a non-regular file
/// before it is even opened; the open never waits.
class CBoundedFile
{
public:
    enum class Result
    {
        Read,
        /// Nothing under the name.
        Missing,
        /// Not a regular file, larger than the limit, or unreadable.
        Refused,
    };

    /// Reads path whole into bytes when it is a regular file of at most maxSize bytes. Unless
    /// the file was read, error says why in a sentence that names the file as what (such as
    /// "script") and its path.
    static Result read(const QString& path, qint64 maxSize, const QString& what, QByteArray& bytes,
                       QString* error);
};
