#include "CAboutDialog.h"

#include "FramesResources.h"
#include "UiStrings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(uiString(IDS_ABOUT_TITLE));
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(makeAboutPage(), uiString(IDS_ABOUT_TAB));
    m_tabs->setCurrentIndex(0);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(uiString(IDS_ABOUT_OK), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

QWidget* CAboutDialog::makeAboutPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    initFramesResources();
    auto* picture = new QLabel(page);
    picture->setPixmap(QPixmap(QStringLiteral(":/frames/images/about.png")));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);

    QFont bold = font();
    bold.setWeight(QFont::Bold);
    auto* product = new QLabel(uiString(IDS_ABOUT_PRODUCT), page);
    product->setFont(bold);
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);

    m_version = new QLabel(versionLine(__DATE__), page);
    m_version->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_version);

    for (unsigned int id : {IDS_ABOUT_NOTICE, IDS_ABOUT_ORDERING}) {
        auto* text = new QLabel(uiString(id), page);
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignCenter);
        layout->addWidget(text);
    }
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
