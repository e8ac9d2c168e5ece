#include "ui/dialogs/CHyperlinkLabel.h"

#include "ui/support/CUrlRecorder.h"

#include <QImage>
#include <QPalette>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

const QColor Face(255, 0, 0);
const QColor Highlight(0, 255, 0);
const QColor GreyText(128, 128, 128);
const QColor Blue(0, 0, 255);
const QColor Backdrop(255, 0, 255);

// A label on a parent of its own colour, with faces that cannot be mistaken for each other.
struct Fixture
{
    Fixture()
    {
        QPalette colours = parent.palette();
        colours.setColor(QPalette::Window, Backdrop);
        colours.setColor(QPalette::Button, Face);
        colours.setColor(QPalette::Highlight, Highlight);
        colours.setColor(QPalette::Disabled, QPalette::WindowText, GreyText);
        parent.setPalette(colours);
        parent.setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(&parent);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(label);
        QFont big = label->font();
        big.setPixelSize(24);
        label->setFont(big);
        parent.resize(400, 40);
    }
    QImage picture() { return parent.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget parent;
    CHyperlinkLabel* label = new CHyperlinkLabel(QStringLiteral("www.example.com"),
                                                 QStringLiteral("http://www.example.com/"));
};

// Columns holding a pixel of exactly this colour.
std::vector<int> columnsOf(const QImage& image, const QColor& colour)
{
    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == colour) {
                columns.push_back(x);
                break;
            }
    return columns;
}

TEST(HyperlinkLabelTest, PaintsBlueOverTheFaceShadowWhenEnabledAndGreyWhenDisabled)
{
    const struct
    {
        bool enabled;
        std::vector<QColor> present;
        std::vector<QColor> absent;
    } cases[] = {
        {true, {Blue, Face}, {GreyText, Highlight}},
        // Disabled, the face is drawn at the text's own place and the grey text covers it.
        {false, {GreyText, Highlight}, {Blue}},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.label->setEnabled(c.enabled);
        const QImage image = f.picture();
        for (const QColor& colour : c.present)
            EXPECT_FALSE(columnsOf(image, colour).empty()) << c.enabled << colour.name().data();
        for (const QColor& colour : c.absent)
            EXPECT_TRUE(columnsOf(image, colour).empty()) << c.enabled << colour.name().data();
        // No background of its own: the parent's colour is left in the corner.
        EXPECT_EQ(Backdrop, image.pixelColor(f.label->geometry().topLeft()));
        EXPECT_TRUE(f.label->font().underline());
    }
}

TEST(HyperlinkLabelTest, ShadowSitsOnePixelRightOfTheText)
{
    Fixture f;
    const QImage image = f.picture();
    const std::vector<int> blue = columnsOf(image, Blue);
    const std::vector<int> face = columnsOf(image, Face);
    ASSERT_FALSE(blue.empty());
    ASSERT_FALSE(face.empty());
    EXPECT_EQ(blue.back() + 1, face.back());
}

TEST(HyperlinkLabelTest, CentredOnlyWhenAlignedToTheCentre)
{
    for (bool centred : {false, true}) {
        Fixture f;
        f.label->setAlignment(centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        const std::vector<int> blue = columnsOf(f.picture(), Blue);
        ASSERT_FALSE(blue.empty());
        const int middle = (blue.front() + blue.back()) / 2;
        if (centred)
            EXPECT_NEAR(200, middle, 3);
        else
            EXPECT_LT(blue.front(), 5);
    }
}

TEST(HyperlinkLabelTest, HandCursorAndClickOrKeyOpensTheTarget)
{
    CUrlRecorder browser;
    Fixture f;
    f.parent.show();
    EXPECT_EQ(Qt::PointingHandCursor, f.label->cursor().shape());

    QTest::mouseClick(f.label, Qt::RightButton);
    EXPECT_TRUE(browser.opened.isEmpty());
    QTest::mouseClick(f.label, Qt::LeftButton);
    ASSERT_EQ(1, browser.opened.size());
    EXPECT_EQ(QStringLiteral("http://www.example.com/"), browser.opened.last());

    QTest::keyClick(f.label, Qt::Key_Space);
    QTest::keyClick(f.label, Qt::Key_A);
    EXPECT_EQ(2, browser.opened.size());
}

} // namespace
