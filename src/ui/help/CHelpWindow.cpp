#include "ui/help/CHelpWindow.h"

#include "platform/CSettingsStore.h"
#include "ui/common/FramesResources.h"
#include "ui/common/WindowPlacement.h"
#include "platform/Platform.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const int TargetRole = Qt::UserRole;
const QString WindowTitle = QStringLiteral("Zentrima Help");

// The help window's size on its first showing, centred on the work area.
const int FirstWidth = 800;
const int FirstHeight = 600;

} // namespace

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    initFramesResources();
    setWindowTitle(WindowTitle);
    setWindowIcon(QIcon(QStringLiteral(":/frames/images/window-icon.png")));

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("navigation"));
    m_tabs->addTab(createContentsTab(), QStringLiteral("Contents"));
    m_tabs->addTab(createIndexTab(), QStringLiteral("Index"));

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_tabs);
    splitter->addWidget(createTopicPane());
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 630});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
    resize(FirstWidth, FirstHeight);

    // Escape closes the window, as it closes a dialog.
    auto* closeAction = new QAction(this);
    closeAction->setObjectName(QStringLiteral("close"));
    closeAction->setShortcut(QKeySequence::Cancel);
    closeAction->setShortcutContext(Qt::WindowShortcut);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    addAction(closeAction);
}

QWidget* CHelpWindow::createContentsTab()
{
    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("contents"));
    m_contents->header()->hide();
    m_contents->setRootIsDecorated(true);
    connect(m_contents, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { openContentsItem(item); });
    connect(m_contents, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { openContentsItem(item); });
    return m_contents;
}

QWidget* CHelpWindow::createIndexTab()
{
    m_filter = new QLineEdit;
    m_filter->setObjectName(QStringLiteral("indexFilter"));
    m_filter->setPlaceholderText(QStringLiteral("Type the word to find"));
    m_filter->setClearButtonEnabled(true);
    m_index = new QListWidget;
    m_index->setObjectName(QStringLiteral("index"));
    connect(m_filter, &QLineEdit::textChanged, this, &CHelpWindow::filterIndex);
    connect(m_filter, &QLineEdit::returnPressed, this,
            [this] { openIndexItem(m_index->currentItem()); });
    connect(m_index, &QListWidget::itemClicked, this, &CHelpWindow::openIndexItem);
    connect(m_index, &QListWidget::itemActivated, this, &CHelpWindow::openIndexItem);

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(4, 4, 4, 4);
    indexLayout->addWidget(m_filter);
    indexLayout->addWidget(m_index);
    return indexPage;
}

QWidget* CHelpWindow::createTopicPane()
{
    m_view = new QTextBrowser;
    m_view->setObjectName(QStringLiteral("topic"));
    // Pages of the book open here; web and mail addresses go to the desktop's handlers.
    m_view->setOpenLinks(true);
    m_view->setOpenExternalLinks(true);
    connect(m_view, &QTextBrowser::sourceChanged, this, &CHelpWindow::pageShown);

    auto* back = new QPushButton(QStringLiteral("Back"));
    back->setObjectName(QStringLiteral("back"));
    back->setEnabled(false);
    auto* forward = new QPushButton(QStringLiteral("Forward"));
    forward->setObjectName(QStringLiteral("forward"));
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_view, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_view, &QTextBrowser::forward);
    connect(m_view, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_view, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* topicPane = new QWidget;
    auto* topicLayout = new QVBoxLayout(topicPane);
    topicLayout->setContentsMargins(0, 0, 0, 0);
    topicLayout->addLayout(buttons);
    topicLayout->addWidget(m_view);
    return topicPane;
}

CHelpWindow::~CHelpWindow()
{
    // The browser's document refers to the book's pages; let it go before the book does.
    m_view->clear();
    m_view->clearHistory();
}

bool CHelpWindow::openBook(const QString& path)
{
    m_view->clear();
    m_view->clearHistory();
    const bool opened = m_book.open(path);
    fillContents();
    fillIndex();
    return opened;
}

void CHelpWindow::fillContents()
{
    m_contents->clear();
    // The entries come in reading order; each one hangs below the last entry one level up.
    QVector<QTreeWidgetItem*> parents;
    for (const CHelpBook::ContentsEntry& entry : m_book.contents()) {
        const int depth = std::min<int>(entry.depth, parents.size());
        parents.resize(depth);
        auto* item =
            depth == 0 ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.last());
        item->setText(0, entry.title);
        item->setData(0, TargetRole, entry.target);
        parents.append(item);
    }
    m_contents->expandAll();
}

void CHelpWindow::fillIndex()
{
    m_index->clear();
    for (const CHelpBook::IndexEntry& entry : m_book.index()) {
        auto* item = new QListWidgetItem(entry.term, m_index);
        item->setData(TargetRole, entry.target);
    }
    m_index->sortItems(Qt::AscendingOrder);
    filterIndex(m_filter->text());
}

void CHelpWindow::filterIndex(const QString& text)
{
    const QString wanted = text.trimmed();
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < m_index->count(); ++row) {
        QListWidgetItem* item = m_index->item(row);
        const bool shown = item->text().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    m_index->setCurrentItem(first);
    if (first)
        m_index->scrollToItem(first);
}

void CHelpWindow::openIndexItem(QListWidgetItem* item)
{
    if (item && !item->isHidden())
        showPage(item->data(TargetRole).toString());
}

void CHelpWindow::openContentsItem(QTreeWidgetItem* item)
{
    if (item)
        showPage(item->data(0, TargetRole).toString());
}

void CHelpWindow::showPage(const QString& target)
{
    if (m_book.isOpen() && !target.isEmpty())
        m_view->setSource(m_book.url(target));
}

void CHelpWindow::showContents()
{
    m_tabs->setCurrentIndex(0);
    if (m_book.isOpen())
        m_view->setSource(m_book.startUrl());
}

void CHelpWindow::showIndex()
{
    m_tabs->setCurrentIndex(1);
    if (m_view->source().isEmpty() && m_book.isOpen())
        m_view->setSource(m_book.startUrl());
    m_filter->setFocus();
    m_filter->selectAll();
}

bool CHelpWindow::showTopic(int topic)
{
    const QUrl address = m_book.topicUrl(topic);
    if (address.isEmpty())
        return false;
    m_tabs->setCurrentIndex(0);
    m_view->setSource(address);
    return true;
}

bool CHelpWindow::showHelp(int topic)
{
    if (!m_book.isOpen())
        return false;
    bool known = true;
    if (topic == IndexTopic) {
        showIndex();
    } else if (topic == ContentsTopic || !showTopic(topic)) {
        known = topic == ContentsTopic;
        showContents();
    }
    placeOnFirstRequest();
    if (isMinimized())
        showNormal();
    else
        show();
    // Wherever it was left or first placed, the window is wholly on its screen, its frame
    // (known once it is shown) included.
    WindowPlacement::keepOnScreen(*this);
    raise();
    activateWindow();
    return known;
}

void CHelpWindow::placeOnFirstRequest()
{
    // A window not placed yet in this run is centred too: the window system would otherwise
    // put it anywhere, even at the screen's far corner.
    CSettingsStore& settings = Platform::settings();
    if (settings.readInt("ShowStyle", "Help", 0) != 0 && m_placed)
        return;
    const QRect area = WindowPlacement::availableArea(*this);
    if (area.isEmpty())
        return;
    setGeometry(firstPlacement(area));
    settings.writeInt("ShowStyle", "Help", 1);
    m_placed = true;
}

QRect CHelpWindow::firstPlacement(const QRect& workArea)
{
    QRect placed;
    if (workArea.width() <= FirstWidth) {
        placed.setLeft(workArea.left());
        placed.setWidth(workArea.width());
    } else {
        placed.setLeft(workArea.left() + (workArea.width() - FirstWidth) / 2);
        placed.setWidth(FirstWidth);
    }
    if (workArea.height() <= FirstHeight) {
        placed.setTop(workArea.top());
        placed.setHeight(workArea.height());
    } else {
        placed.setTop(workArea.top() + (workArea.height() - FirstHeight) / 2);
        placed.setHeight(FirstHeight);
    }
    return placed;
}

void CHelpWindow::pageShown(const QUrl& url)
{
    const QString title = m_view->documentTitle();
    // The contents page is titled like the window; its name is not said twice.
    const bool plain = title.isEmpty() || title == WindowTitle;
    setWindowTitle(plain ? WindowTitle : WindowTitle + QStringLiteral(" - ") + title);
    // Keep the contents tree on the page shown, whichever way it was reached.
    const QString page = m_book.pagePath(url);
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        const QString target = (*it)->data(0, TargetRole).toString();
        if (target.section(QLatin1Char('#'), 0, 0) == page) {
            m_contents->setCurrentItem(*it);
            return;
        }
    }
}
