// SPDX-FileCopyrightText: 2026 The Vormo Weapon Plugin Maker developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the median time to construct and show the editor window and the about box, beside
// the same for a plain Qt window with as many widgets of the same kinds, and their ratio.
//   bench_qt_startup [runs]       (offscreen unless QT_QPA_PLATFORM says otherwise)
//   bench_qt_startup --once editor|plain
//                                 one start-up: show the windows once and exit, for timing
//                                 whole processes (qt_startup_xvfb.sh)

#include "CoreBridge.h"
#include "FieldTable.h"
#include "ItemLists.h"
#include "qt/about/TAboutBox.h"
#include "qt/app/Application.h"
#include "qt/editor/TForm1.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

void waitUntilShown(QWidget& window)
{
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Ours: exactly what start-up does.
void editorWindows()
{
    vormo::createWindows();
    waitUntilShown(*vormo::Form1);
    vormo::destroyWindows();
}

// The same widgets, plain: no table, no subclasses, no fitted font.
void plainWindows()
{
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(528, 350);
    for (const vormo::FieldDef& def : vormo::fields()) {
        QWidget* control = nullptr;
        switch (def.kind) {
        case vormo::FieldKind::Edit:
            control = new QLineEdit(vormo::toQString(def.defaultString()), window.get());
            break;
        case vormo::FieldKind::Combo: {
            auto* combo = new QComboBox(window.get());
            combo->setEditable(true);
            combo->addItems(vormo::toQStringList(vormo::itemList(def.items)));
            control = combo;
            break;
        }
        case vormo::FieldKind::Check:
            control = new QCheckBox(window.get());
            break;
        }
        control->setGeometry(vormo::toQRect(def.geometry));
    }
    for (const vormo::LabelDef& def : vormo::labels()) {
        auto* label = new QLabel(QLatin1StringView(def.caption), window.get());
        label->setGeometry(vormo::toQRect(def.geometry));
        label->setToolTip(QLatin1StringView(def.hint));
    }
    auto* hidden = new QWidget(window.get());
    hidden->hide();
    auto* outer = new QFrame(window.get());
    outer->setGeometry(400, 120, 121, 225);
    auto* inner = new QFrame(outer);
    inner->setGeometry(32, 8, 65, 209);
    for (int i = 0; i < 4; ++i)
        (new QPushButton(QStringLiteral("Button"), inner))->setGeometry(8, 8 + 48 * i, 49, 49);
    auto* menu = new QMenu(window.get());
    for (int i = 0; i < 4; ++i)
        menu->addAction(QStringLiteral("&Item"));
    window->show();
    auto about = std::make_unique<QWidget>(nullptr, Qt::Dialog);
    waitUntilShown(*window);
}

double millisecondsFor(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Keep the figures readable: the offscreen platform warns about every raise().
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication application(argc, argv);
    vormo::prepareApplication();
    if (argc == 3 && std::strcmp(argv[1], "--once") == 0) {
        (std::strcmp(argv[2], "plain") == 0 ? plainWindows : editorWindows)();
        return 0;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 31;

    // The first of each pays for loading fonts and styles; neither should be charged for it.
    editorWindows();
    plainWindows();

    std::vector<double> ours, plain;
    for (int i = 0; i < runs; ++i) {
        ours.push_back(millisecondsFor(editorWindows));
        plain.push_back(millisecondsFor(plainWindows));
    }
    const double oursMs = median(ours), plainMs = median(plain);
    std::printf("runs: %d\n", runs);
    std::printf("editor window + about box: %.2f ms (median)\n", oursMs);
    std::printf("plain window, same widgets: %.2f ms (median)\n", plainMs);
    std::printf("ratio: %.2f (target <= 1.10)\n", oursMs / plainMs);
    return 0;
}
