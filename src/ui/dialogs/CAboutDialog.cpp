#include "ui/dialogs/CAboutDialog.h"

#include "ui/dialogs/CHyperlinkLabel.h"
#include "ui/common/FramesResources.h"
#include "ui/common/UiStrings.h"
#include "platform/CSettingsStore.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QFormLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>
#include <utility>

namespace {

const char kSection[] = "Application";
const char kShowAtStartup[] = "ShowAboutAtStartup";

} // namespace

// From the build system, which reads it from the release's change-log entry.
const char* const CAboutDialog::ReleaseDate = ZENTRIMA_RELEASE_DATE;

bool CAboutDialog::showsAtStartup()
{
    return Platform::settings().readInt(kSection, kShowAtStartup, 1) != 0;
}

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(uiString(IDS_ABOUT_TITLE));
    m_bold = font();
    m_bold.setWeight(QFont::Bold);
    initFramesResources();

    // QTabWidget shows one page at a time and hides the others, so "Programming Team"
    // covers "About" completely.
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("1059"));
    m_tabs->addTab(makeAboutPage(), uiString(IDS_ABOUT_TAB));
    m_tabs->addTab(makeTeamPage(), uiString(IDS_ABOUT_TEAM_TAB));
    m_tabs->setCurrentIndex(0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(uiString(IDS_ABOUT_OK), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    m_showAtStartup = new QCheckBox(uiString(IDS_ABOUT_SHOW_AT_STARTUP), this);
    m_showAtStartup->setChecked(showsAtStartup());

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_showAtStartup);
    bottom->addWidget(buttons, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(bottom);
}

void CAboutDialog::done(int result)
{
    // OK, Escape and the title bar's close all keep the choice.
    Platform::settings().writeInt(kSection, kShowAtStartup, m_showAtStartup->isChecked() ? 1 : 0);
    QDialog::done(result);
}

QVBoxLayout* CAboutDialog::makePageHead(QWidget* page, const QString& picture)
{
    auto* layout = new QVBoxLayout(page);
    auto* image = new QLabel(page);
    image->setPixmap(QPixmap(picture));
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);
    addText(layout, uiString(IDS_ABOUT_PRODUCT), true)->setObjectName(QStringLiteral("1008"));
    QLabel* version = addText(layout, versionLine(ReleaseDate));
    version->setObjectName(QStringLiteral("1070"));
    if (!m_version)
        m_version = version;
    return layout;
}

QLabel* CAboutDialog::addText(QVBoxLayout* layout, const QString& text, bool bold)
{
    auto* label = new QLabel(text, layout->parentWidget());
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    if (bold)
        label->setFont(m_bold);
    layout->addWidget(label);
    return label;
}

QWidget* CAboutDialog::makeAboutPage()
{
    auto* page = new QWidget;
    QVBoxLayout* layout = makePageHead(page, QStringLiteral(":/frames/images/about.png"));
    addText(layout, uiString(IDS_ABOUT_NOTICE));
    addText(layout, uiString(IDS_ABOUT_ORDERING));
    m_makerLink = new CHyperlinkLabel(QString::fromUtf8(kMakerWebHost), makerHomePage(), page);
    m_makerLink->setObjectName(QStringLiteral("1061"));
    m_makerLink->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_makerLink);
    layout->addStretch(1);
    return page;
}

QWidget* CAboutDialog::makeTeamPage()
{
    auto* page = new QWidget;
    QVBoxLayout* layout = makePageHead(page, QStringLiteral(":/frames/images/team.png"));
    addText(layout, uiString(IDS_ABOUT_NOTICE));

    auto* credits = new QFormLayout;
    credits->setLabelAlignment(Qt::AlignRight);
    const std::pair<unsigned int, unsigned int> roles[] = {
        {IDS_ABOUT_ROLE_MANAGER, IDS_ABOUT_NAMES_MANAGER},
        {IDS_ABOUT_ROLE_PROGRAMMERS, IDS_ABOUT_NAMES_PROGRAMMERS},
        {IDS_ABOUT_ROLE_QUALITY, IDS_ABOUT_NAMES_QUALITY},
        {IDS_ABOUT_ROLE_DESIGN, IDS_ABOUT_NAMES_DESIGN},
    };
    int id = 1009;
    for (const auto& [role, names] : roles) {
        auto* title = new QLabel(uiString(role), page);
        title->setFont(m_bold);
        title->setObjectName(QString::number(id++));
        auto* who = new QLabel(uiString(names), page);
        who->setWordWrap(true);
        credits->addRow(title, who);
    }
    layout->addLayout(credits);

    addText(layout, uiString(IDS_ABOUT_CONTRACTOR));
    m_contractorLink =
        new CHyperlinkLabel(QString::fromUtf8(kContractorWebHost), contractorHomePage(), page);
    m_contractorLink->setObjectName(QStringLiteral("1063"));
    m_contractorLink->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_contractorLink);
    layout->addStretch(1);
    return page;
}

QString CAboutDialog::versionLine(const char* buildDate)
{
    static const char kMonths[] =
        "January February March April May June July August September October November December ";
    char abbreviation[16] = "";
    int day = 0;
    int year = 0;
    std::sscanf(buildDate, "%15s %d %d", abbreviation, &day, &year);

    // The month's full name starts where its abbreviation is found, up to the next blank.
    char month[21] = "";
    const char* found = *abbreviation ? std::strstr(kMonths, abbreviation) : nullptr;
    const char* source = found ? found : abbreviation;
    std::size_t length = std::strcspn(source, " ");
    if (length > 20)
        length = 20;
    std::memcpy(month, source, length);
    month[length] = '\0';

    char date[64];
    std::snprintf(date, sizeof date, "%s %d, %d", month, day, year);
    return uiString(IDS_ABOUT_VERSION) + QStringLiteral(", ") + QString::fromLatin1(date);
}
