// Draws the desktop program's pictures: the ten step tool-bar images (44 x 34 pixels) in
// their normal, hot and disabled looks, the analysis-window icon and the about-box picture.
// Run through scripts/draw-images.sh; the PNG files it writes are kept in resources/images.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

const QColor kBlue(0x2a, 0x6a, 0xc0);
const QColor kGreen(0x2f, 0x95, 0x45);
const QColor kOrange(0xe8, 0x8a, 0x12);
const QColor kRed(0xc8, 0x3c, 0x2c);
const QColor kInk(0x3a, 0x3a, 0x3a);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kPaperEdge(0x70, 0x78, 0x88);

using Drawing = std::function<void(QPainter&)>;

void sheet(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    const qreal fold = 6;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kPaperEdge, 1.2));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.setBrush(QColor(0xdd, 0xe2, 0xea));
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    corner.closeSubpath();
    p.drawPath(corner);
}

void textLines(QPainter& p, qreal left, qreal top, qreal width, int count, qreal gap = 4)
{
    p.setPen(QPen(QColor(0x8a, 0x94, 0xa6), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < count; ++i) {
        const qreal w = (i % 3 == 2) ? width * 0.6 : width;
        p.drawLine(QPointF(left, top + i * gap), QPointF(left + w, top + i * gap));
    }
}

void stepBadge(QPainter& p, int number)
{
    const QRectF r(28, 19, 14, 14);
    p.setPen(QPen(Qt::white, 1.2));
    p.setBrush(kOrange);
    p.drawEllipse(r);
    QFont f("Liberation Sans");
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, QString::number(number));
}

void drawPrevious(QPainter& p)
{
    QRadialGradient g(QPointF(19, 12), 18);
    g.setColorAt(0, kBlue.lighter(150));
    g.setColorAt(1, kBlue);
    p.setPen(QPen(kBlue.darker(140), 1.2));
    p.setBrush(g);
    p.drawEllipse(QRectF(8, 3, 28, 28));
    QPainterPath arrow;
    arrow.moveTo(13, 17);
    arrow.lineTo(21, 9);
    arrow.lineTo(21, 14);
    arrow.lineTo(30, 14);
    arrow.lineTo(30, 20);
    arrow.lineTo(21, 20);
    arrow.lineTo(21, 25);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void drawChooseAnalysis(QPainter& p)
{
    sheet(p, QRectF(7, 2, 24, 30));
    for (int i = 0; i < 3; ++i) {
        const qreal y = 8 + i * 7.5;
        p.setPen(QPen(kBlue.darker(120), 1.2));
        p.setBrush(i == 1 ? kBlue : kPaper);
        p.drawEllipse(QRectF(10, y - 2.5, 5.5, 5.5));
        p.setPen(QPen(QColor(0x8a, 0x94, 0xa6), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(18.5, y + 0.3), QPointF(26, y + 0.3));
    }
    stepBadge(p, 1);
}

void drawDefineExperiment(QPainter& p)
{
    sheet(p, QRectF(7, 2, 24, 30));
    p.setPen(QPen(kPaperEdge, 1));
    p.setBrush(QColor(0xf3, 0xf6, 0xfb));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(17, 7 + i * 7, 10, 4.5));
    textLines(p, 10, 9.5, 5, 3, 7);
    // Pencil across the sheet.
    p.save();
    p.translate(24, 17);
    p.rotate(-45);
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(kOrange);
    p.drawRect(QRectF(-2, -13, 4, 16));
    p.setBrush(QColor(0xf2, 0xd2, 0xa8));
    QPainterPath tip;
    tip.moveTo(-2, 3);
    tip.lineTo(2, 3);
    tip.lineTo(0, 8);
    tip.closeSubpath();
    p.drawPath(tip);
    p.setBrush(kRed);
    p.drawRect(QRectF(-2, -16, 4, 3));
    p.restore();
    stepBadge(p, 2);
}

void drawChoosePower(QPainter& p)
{
    const QRectF r(6, 4, 28, 25);
    p.setPen(QPen(kPaperEdge, 1.2));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawRect(QRectF(r.left() + 0.6, r.top() + 0.6, r.width() - 1.2, 6));
    p.setBrush(QColor(0xe6, 0xe9, 0xfb));
    p.drawRect(QRectF(r.left() + 0.6, r.top() + 12.5, r.width() - 1.2, 6));
    p.setPen(QPen(kPaperEdge, 0.8));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(r.left() + i * 7, r.top()), QPointF(r.left() + i * 7, r.bottom()));
    for (int i = 1; i < 4; ++i)
        p.drawLine(QPointF(r.left(), r.top() + 6.5 + (i - 1) * 6),
                   QPointF(r.right(), r.top() + 6.5 + (i - 1) * 6));
    // The chosen cell.
    p.setPen(QPen(kRed, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(r.left() + 14, r.top() + 12.5, 7, 6));
    stepBadge(p, 3);
}

void drawViewReport(QPainter& p)
{
    sheet(p, QRectF(7, 2, 24, 30));
    textLines(p, 10, 8, 17, 6);
    p.setPen(QPen(kInk, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(25, 22), QPointF(30, 28));
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(QColor(0xcf, 0xe4, 0xff, 220));
    p.drawEllipse(QRectF(14, 11, 12, 12));
    stepBadge(p, 4);
}

void drawPrint(QPainter& p)
{
    sheet(p, QRectF(13, 2, 18, 14));
    textLines(p, 16, 7, 10, 2);
    QLinearGradient g(0, 12, 0, 28);
    g.setColorAt(0, QColor(0xb8, 0xbe, 0xc8));
    g.setColorAt(1, QColor(0x74, 0x7c, 0x88));
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(6, 13, 32, 13), 3, 3);
    p.setBrush(kPaper);
    p.drawRect(QRectF(12, 22, 20, 10));
    textLines(p, 15, 26, 14, 2, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QRectF(32, 16, 3, 3));
}

void drawCopy(QPainter& p)
{
    sheet(p, QRectF(8, 2, 19, 23));
    textLines(p, 11, 8, 11, 4);
    sheet(p, QRectF(17, 9, 19, 23));
    textLines(p, 20, 15, 11, 4);
}

void drawGraph(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 2, 30, 29));
    p.setPen(QPen(kInk, 1.6));
    p.drawLine(QPointF(10, 4), QPointF(10, 28));
    p.drawLine(QPointF(10, 28), QPointF(35, 28));
    p.setBrush(Qt::NoBrush);
    const QColor colours[] = {kBlue, kGreen, kRed};
    for (int c = 0; c < 3; ++c) {
        QPainterPath curve;
        const qreal shift = c * 4.5;
        curve.moveTo(11, 26);
        curve.cubicTo(QPointF(17 + shift, 26), QPointF(17 + shift, 6 + shift / 2),
                      QPointF(34, 6 + shift / 2));
        p.setPen(QPen(colours[c], 1.8));
        p.drawPath(curve);
    }
}

void drawWord(QPainter& p)
{
    sheet(p, QRectF(11, 2, 24, 30));
    textLines(p, 21, 9, 10, 5);
    p.setPen(QPen(kBlue.darker(130), 1));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(6, 9, 16, 16), 2, 2);
    QFont f("Liberation Sans");
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(6, 9, 16, 16), Qt::AlignCenter, "W");
}

void drawLearn(QPainter& p)
{
    // An open book.
    p.setPen(QPen(kGreen.darker(150), 1.2));
    p.setBrush(kGreen);
    QPainterPath cover;
    cover.moveTo(5, 10);
    cover.lineTo(22, 13);
    cover.lineTo(39, 10);
    cover.lineTo(39, 30);
    cover.lineTo(22, 32);
    cover.lineTo(5, 30);
    cover.closeSubpath();
    p.drawPath(cover);
    p.setPen(QPen(kPaperEdge, 1));
    p.setBrush(kPaper);
    QPainterPath left;
    left.moveTo(7, 7);
    left.quadTo(15, 6, 22, 10);
    left.lineTo(22, 29);
    left.quadTo(15, 26, 7, 27);
    left.closeSubpath();
    p.drawPath(left);
    QPainterPath right;
    right.moveTo(37, 7);
    right.quadTo(29, 6, 22, 10);
    right.lineTo(22, 29);
    right.quadTo(29, 26, 37, 27);
    right.closeSubpath();
    p.drawPath(right);
    textLines(p, 10, 12, 9, 4, 3.5);
    textLines(p, 25, 12, 9, 4, 3.5);
    // A light bulb of insight above the book.
    p.setPen(QPen(kOrange.darker(130), 1));
    p.setBrush(QColor(0xff, 0xd4, 0x3a));
    p.drawEllipse(QRectF(18, 0.5, 8, 8));
}

QImage render(const Drawing& draw, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p);
    return image;
}

// The normal look is a little quieter than the hot one, which the mouse brings to life.
QImage recolour(const QImage& source, qreal saturation, qreal lightness, qreal opacity, bool grey)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            QColor c = QColor::fromRgba(line[x]);
            if (c.alpha() == 0)
                continue;
            float h, s, l, a;
            c.getHslF(&h, &s, &l, &a);
            s = grey ? 0.0f : float(qBound(0.0, s * saturation, 1.0));
            l = float(qBound(0.0, l + (1.0 - l) * lightness, 1.0));
            c.setHslF(h, s, l, float(a * opacity));
            line[x] = c.rgba();
        }
    }
    return image;
}

bool save(const QImage& image, const QString& path)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

void drawWindowIcon(QPainter& p)
{
    QLinearGradient g(0, 0, 0, 64);
    g.setColorAt(0, kBlue.lighter(130));
    g.setColorAt(1, kBlue.darker(120));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(QPointF(12, 12), QPointF(12, 52));
    p.drawLine(QPointF(12, 52), QPointF(54, 52));
    QPainterPath curve;
    curve.moveTo(13, 50);
    curve.cubicTo(QPointF(30, 50), QPointF(28, 16), QPointF(52, 16));
    p.setPen(QPen(QColor(0xff, 0xd4, 0x3a), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(curve);
}

// The window icon, a little larger, with the product name beside it at the given size.
void drawMarkAndName(QPainter& p, int namePixels, const QRectF& nameBox)
{
    p.save();
    p.scale(72.0 / 64.0, 72.0 / 64.0);
    drawWindowIcon(p);
    p.restore();
    QFont f("Liberation Sans");
    f.setPixelSize(namePixels);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kBlue.darker(130));
    p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, "Zentrima 2");
}

void drawAboutPicture(QPainter& p)
{
    drawMarkAndName(p, 40, QRectF(86, 4, 230, 48));
    QFont f("Liberation Sans");
    f.setPixelSize(15);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(88, 50, 230, 24), Qt::AlignLeft | Qt::AlignVCenter, "Power and sample size");
}

// The programming-team tab: the same mark, with a row of figures in place of the subtitle.
void drawTeamPicture(QPainter& p)
{
    drawMarkAndName(p, 30, QRectF(86, 2, 240, 40));
    p.setPen(Qt::NoPen);
    const QColor shirts[] = {kBlue, kGreen, QColor(0xe0, 0x8a, 0x1e), kBlue.darker(140)};
    for (int i = 0; i < 4; ++i) {
        const qreal x = 100 + i * 50;
        p.setBrush(QColor(0xf1, 0xc2, 0x9a));
        p.drawEllipse(QPointF(x, 52), 7, 7);
        p.setBrush(shirts[i]);
        p.drawRoundedRect(QRectF(x - 11, 61, 22, 17), 6, 6);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_images RESOURCES/images\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath("toolbar");
    struct Image
    {
        const char* name;
        Drawing draw;
    };
    const Image images[] = {
        {"previous", drawPrevious},
        {"choose-analysis", drawChooseAnalysis},
        {"define-experiment", drawDefineExperiment},
        {"choose-power", drawChoosePower},
        {"view-report", drawViewReport},
        {"print", drawPrint},
        {"copy", drawCopy},
        {"graph", drawGraph},
        {"word", drawWord},
        {"learn", drawLearn},
    };
    bool ok = true;
    for (const Image& image : images) {
        const QImage full = render(image.draw, 44, 34);
        const QString base = out.filePath(QString("toolbar/") + image.name);
        ok &= save(recolour(full, 0.75, 0.0, 1.0, false), base + ".png");
        ok &= save(full, base + "-hot.png");
        ok &= save(recolour(full, 0.0, 0.35, 0.7, true), base + "-disabled.png");
    }
    ok &= save(render(drawWindowIcon, 64, 64), out.filePath("window-icon.png"));
    ok &= save(render(drawAboutPicture, 330, 80), out.filePath("about.png"));
    ok &= save(render(drawTeamPicture, 330, 80), out.filePath("team.png"));
    return ok ? 0 : 1;
}
