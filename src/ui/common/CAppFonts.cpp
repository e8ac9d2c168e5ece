#include "ui/common/CAppFonts.h"

#include <memory>

namespace {

struct Fonts
{
    QFont heading;
    QFont body;
    QFont title;
};

std::unique_ptr<Fonts>& fonts()
{
    static std::unique_ptr<Fonts> instance;
    return instance;
}

const Fonts& created()
{
    if (!fonts())
        CAppFonts::create();
    return *fonts();
}

} // namespace

QFont CAppFonts::makeFont(int weight, int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

bool CAppFonts::create()
{
    if (!fonts())
        fonts().reset(new Fonts{makeFont(700, 13), makeFont(300, 12), makeFont(700, 22)});
    return true;
}

const QFont& CAppFonts::heading()
{
    return created().heading;
}

const QFont& CAppFonts::body()
{
    return created().body;
}

const QFont& CAppFonts::title()
{
    return created().title;
}
