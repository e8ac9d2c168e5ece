// Draws the pictures of the help book into a folder:
//   power-curves.png  the distribution of a two-tailed test statistic without an effect and
//                     with an effect that gives 80% power at alpha 0.05; alpha, beta and
//                     power shaded.
// The curves are standard normal densities; the effect sits at z(0.975) + z(0.80) =
// 1.95996 + 0.84162, so the area of the right curve beyond the critical value is 0.80.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>

namespace {

const double Critical = 1.959964;
const double Shift = 1.959964 + 0.841621;

double density(double x, double mean)
{
    const double z = x - mean;
    return std::exp(-0.5 * z * z) / std::sqrt(2.0 * M_PI);
}

// Maps the statistic's axis (x from -3.6 to 6.4, density from 0 to 0.42) onto the plot area.
struct Plot
{
    QRectF area;
    double x0 = -3.6;
    double x1 = 6.4;
    double yMax = 0.42;
    QPointF at(double x, double y) const
    {
        return {area.left() + (x - x0) / (x1 - x0) * area.width(),
                area.bottom() - y / yMax * area.height()};
    }
};

// The region under a curve between two x values.
QPainterPath areaUnder(const Plot& plot, double mean, double from, double to)
{
    QPainterPath path(plot.at(from, 0));
    const int steps = 200;
    for (int i = 0; i <= steps; ++i) {
        const double x = from + (to - from) * i / steps;
        path.lineTo(plot.at(x, density(x, mean)));
    }
    path.lineTo(plot.at(to, 0));
    path.closeSubpath();
    return path;
}

QPainterPath curve(const Plot& plot, double mean)
{
    QPainterPath path;
    const int steps = 400;
    for (int i = 0; i <= steps; ++i) {
        const double x = plot.x0 + (plot.x1 - plot.x0) * i / steps;
        const QPointF p = plot.at(x, density(x, mean));
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    return path;
}

bool drawPowerCurves(const QString& file)
{
    QImage image(520, 240, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    Plot plot;
    plot.area = QRectF(20, 40, 480, 160);

    const QColor alphaColour(220, 60, 60, 200);
    const QColor betaColour(240, 190, 90, 170);
    const QColor powerColour(110, 160, 225, 170);
    p.setPen(Qt::NoPen);
    p.setBrush(betaColour);
    p.drawPath(areaUnder(plot, Shift, plot.x0, Critical));
    p.setBrush(powerColour);
    p.drawPath(areaUnder(plot, Shift, Critical, plot.x1));
    p.setBrush(alphaColour);
    p.drawPath(areaUnder(plot, 0, Critical, plot.x1));
    p.drawPath(areaUnder(plot, 0, plot.x0, -Critical));

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 30, 30), 2));
    p.drawPath(curve(plot, 0));
    p.setPen(QPen(QColor(31, 63, 127), 2));
    p.drawPath(curve(plot, Shift));

    p.setPen(QPen(Qt::black, 1));
    p.drawLine(plot.at(plot.x0, 0), plot.at(plot.x1, 0));
    p.setPen(QPen(QColor(60, 60, 60), 1, Qt::DashLine));
    for (double x : {-Critical, Critical})
        p.drawLine(plot.at(x, 0), plot.at(x, 0.41));

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    p.setFont(font);
    const auto label = [&](const QPointF& at, const QString& text, const QColor& colour,
                           Qt::Alignment align) {
        p.setPen(colour);
        QRectF box(at.x() - 90, at.y() - 9, 180, 18);
        if (align & Qt::AlignLeft)
            box.moveLeft(at.x());
        if (align & Qt::AlignRight)
            box.moveRight(at.x());
        p.drawText(box, int(align | Qt::AlignVCenter), text);
    };
    label(plot.at(0, 0.40) + QPointF(0, -10), QStringLiteral("no effect"), QColor(30, 30, 30),
          Qt::AlignHCenter);
    label(plot.at(Shift, 0.40) + QPointF(0, -10), QStringLiteral("true effect of the assumed size"),
          QColor(31, 63, 127), Qt::AlignHCenter);
    label(plot.at(Shift + 0.9, 0.12), QStringLiteral("power"), QColor(31, 63, 127), Qt::AlignLeft);
    label(plot.at(Critical - 0.15, 0.05), QStringLiteral("beta"), QColor(150, 95, 0),
          Qt::AlignRight);
    label(plot.at(-Critical - 0.3, 0.05), QStringLiteral("alpha/2"), QColor(170, 30, 30),
          Qt::AlignRight);
    label(plot.at(Critical + 0.3, 0.08), QStringLiteral("alpha/2"), QColor(170, 30, 30),
          Qt::AlignLeft);
    label(plot.at(0, 0) + QPointF(0, 14), QStringLiteral("0"), Qt::black, Qt::AlignHCenter);
    label(plot.at(-Critical, 0) + QPointF(0, 14), QStringLiteral("critical value"),
          QColor(60, 60, 60), Qt::AlignHCenter);
    label(plot.at(Critical, 0) + QPointF(0, 14), QStringLiteral("critical value"),
          QColor(60, 60, 60), Qt::AlignHCenter);
    label(QPointF(500, 226), QStringLiteral("test statistic"), QColor(60, 60, 60), Qt::AlignRight);
    p.end();
    return image.save(file, "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: draw_help_images FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!drawPowerCurves(folder + QStringLiteral("/power-curves.png"))) {
        std::fprintf(stderr, "draw_help_images: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
