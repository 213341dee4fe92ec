// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Build-time tool: turns the program's ICO into the PNG icons that the desktop themes load.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        err << "usage: ico2png ICO SIZE PNG...\n";
        return 2;
    }

    QImageReader reader(args.at(1), "ico");
    const QImage image = reader.read();
    if (image.isNull()) {
        err << "ico2png: cannot read " << args.at(1) << ": " << reader.errorString() << '\n';
        return 1;
    }
    bool sizeOk = false;
    const int size = args.at(2).toInt(&sizeOk);
    // A theme folder named NxN must hold N x N images; scaling would blur the pixel art.
    if (!sizeOk || image.size() != QSize(size, size)) {
        err << "ico2png: " << args.at(1) << " is " << image.width() << 'x' << image.height()
            << ", not " << args.at(2) << '\n';
        return 1;
    }

    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (qsizetype i = 3; i < args.size(); ++i) {
        // A half-written icon must not look up to date to the next build.
        QSaveFile file(args.at(i));
        if (!file.open(QIODevice::WriteOnly) || !argb.save(&file, "png") || !file.commit()) {
            err << "ico2png: cannot write " << args.at(i) << '\n';
            return 1;
        }
    }
    return 0;
}
