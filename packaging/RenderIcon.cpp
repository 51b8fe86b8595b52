// Renders the main window's product tag as the program's icon, one PNG per
// size, into OUTDIR/hicolor/NxN/apps/barlabel.png.
#include "app/widgets/MainPicture.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: barlabel-render-icon OUTDIR\n", stderr);
        return 2;
    }
    // The tag's fixed details (the hole, the digits) are drawn for a card of
    // about this size; smaller icons are scaled down from it.
    constexpr int side = 256;
    QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    {
        QPainter painter(&icon);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        MainPicture::drawTag(painter, QRectF(52, 40, 152, 206));
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const int size : {48, 64, 128, 256}) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        const QImage scaled = icon.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (!out.mkpath(folder) || !scaled.save(out.filePath(folder + QStringLiteral("/barlabel.png")))) {
            std::fprintf(stderr, "barlabel-render-icon: cannot write %s\n", qPrintable(out.filePath(folder)));
            return 1;
        }
    }
    return 0;
}
