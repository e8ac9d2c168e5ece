#include "ui/help/CHelpBook.h"

#include <QFile>
#include <QResource>

namespace {

// Each book registers under a root of its own: a test may hold a second book, and the
// window's pages must never come from another book that happens to share a file name.
int nextBookNumber()
{
    static int number = 0;
    return ++number;
}

// The lines of a list file that carry an entry: without comments and blank lines, each
// split at its first "|" into the trimmed text before it and after it. leading receives
// the number of spaces before the text. Lines without "|" are not entries.
struct ListLine
{
    int leading = 0;
    QString left;
    QString right;
};

QVector<ListLine> parseList(const QString& text)
{
    QVector<ListLine> lines;
    const QStringList rows = text.split(QLatin1Char('\n'));
    for (QString row : rows) {
        if (row.endsWith(QLatin1Char('\r')))
            row.chop(1);
        const QString trimmed = row.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        const int bar = row.indexOf(QLatin1Char('|'));
        if (bar < 0)
            continue;
        ListLine line;
        while (line.leading < row.size() && row.at(line.leading) == QLatin1Char(' '))
            ++line.leading;
        line.left = row.left(bar).trimmed();
        line.right = row.mid(bar + 1).trimmed();
        if (!line.left.isEmpty() && !line.right.isEmpty())
            lines.append(line);
    }
    return lines;
}

} // namespace

CHelpBook::CHelpBook() : m_root(QStringLiteral("/zentrima-help-%1").arg(nextBookNumber())) {}

CHelpBook::~CHelpBook()
{
    close();
}

bool CHelpBook::open(const QString& path)
{
    close();
    m_path = path;
    if (path.isEmpty() || !QFile::exists(path))
        return false;
    m_registered = QResource::registerResource(path, m_root);
    if (!m_registered)
        return false;
    m_open = readLists();
    if (!m_open)
        close();
    return m_open;
}

void CHelpBook::close()
{
    if (m_registered)
        QResource::unregisterResource(m_path, m_root);
    m_registered = false;
    m_open = false;
    m_topics.clear();
    m_contents.clear();
    m_index.clear();
}

bool CHelpBook::readLists()
{
    if (!hasFile(QStringLiteral("topics.txt")))
        return false;
    for (const ListLine& line : parseList(readFile(QStringLiteral("topics.txt")))) {
        bool ok = false;
        const int topic = line.left.toInt(&ok);
        if (ok)
            m_topics.insert(topic, line.right);
    }
    for (const ListLine& line : parseList(readFile(QStringLiteral("contents.txt"))))
        m_contents.append({line.leading / 2, line.left, line.right});
    for (const ListLine& line : parseList(readFile(QStringLiteral("index.txt"))))
        m_index.append({line.left, line.right});
    return !m_topics.isEmpty();
}

QString CHelpBook::resourcePath(const QString& pathInBook) const
{
    return QLatin1Char(':') + m_root + QLatin1Char('/') + pathInBook;
}

QUrl CHelpBook::url(const QString& target) const
{
    const int hash = target.indexOf(QLatin1Char('#'));
    QUrl address;
    address.setScheme(QStringLiteral("qrc"));
    address.setPath(m_root + QLatin1Char('/') + (hash < 0 ? target : target.left(hash)));
    if (hash >= 0)
        address.setFragment(target.mid(hash + 1));
    return address;
}

QUrl CHelpBook::topicUrl(int topic) const
{
    const auto found = m_topics.constFind(topic);
    return found == m_topics.constEnd() ? QUrl() : url(*found);
}

QUrl CHelpBook::startUrl() const
{
    return m_contents.isEmpty() ? QUrl() : url(m_contents.first().target);
}

QString CHelpBook::pagePath(const QUrl& address) const
{
    const QString prefix = m_root + QLatin1Char('/');
    if (address.scheme() != QLatin1String("qrc") || !address.path().startsWith(prefix))
        return QString();
    return address.path().mid(prefix.size());
}

QString CHelpBook::readFile(const QString& pathInBook) const
{
    if (!m_registered)
        return QString();
    QFile file(resourcePath(pathInBook));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool CHelpBook::hasFile(const QString& pathInBook) const
{
    return m_registered && !pathInBook.isEmpty() && QFile::exists(resourcePath(pathInBook));
}
