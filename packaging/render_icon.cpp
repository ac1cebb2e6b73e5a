// Renders the program's SVG icon at build time: one PNG of a given size for the desktop's
// icon theme, or a Windows .ico holding several sizes.
//   render_icon ICON.svg OUT.png SIZE
//   render_icon ICON.svg OUT.ico SIZE [SIZE...]
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

#include "packaging/ico_file.h"

namespace {

QImage Render(QSvgRenderer& svg, int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    return image;
}

int Fail(const QString& message) {
    std::fprintf(stderr, "render_icon: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    // No window system is needed to draw into an image.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4)
        return Fail(QStringLiteral("usage: render_icon ICON.svg OUT.png|OUT.ico SIZE..."));
    QSvgRenderer svg(args[1]);
    if (!svg.isValid()) return Fail(QStringLiteral("cannot read ") + args[1]);
    QList<QImage> images;
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool ok = false;
        const int pixels = args[i].toInt(&ok);
        if (!ok || pixels < 1 || pixels > 1024)
            return Fail(QStringLiteral("not a size: ") + args[i]);
        images.append(Render(svg, pixels));
    }
    const QString& out = args[2];
    if (out.endsWith(QStringLiteral(".png"))) {
        if (images.size() != 1) return Fail(QStringLiteral("a PNG takes one size"));
        return images.front().save(out, "PNG") ? 0 : Fail(QStringLiteral("cannot write ") + out);
    }
    if (!out.endsWith(QStringLiteral(".ico")))
        return Fail(QStringLiteral("write a .png or an .ico: ") + out);
    const QByteArray ico = IcoFile(images);
    QFile file(out);
    if (ico.isEmpty()) return Fail(QStringLiteral("cannot make an icon of those sizes"));
    if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size())
        return Fail(QStringLiteral("cannot write ") + out);
    return 0;
}
