// SPDX-License-Identifier: MIT
// GoogleTest inside a QApplication, so widget and painting tests run headless.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // Settings never touch the developer's own configuration.
    QTemporaryDir config;
    setenv("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData(), 1);
    // Nor its kept level and logs.
    QTemporaryDir state;
    setenv("XDG_STATE_HOME", state.path().toLocal8Bit().constData(), 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
