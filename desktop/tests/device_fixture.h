// The game's device form with the desktop platform installed and its window made.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <memory>
#include <vector>

#include "engine/platform.h"
#include "game/karvan_form.h"
#include "qt_platform.h"

namespace karvan::desktop::test {

class DeviceFixture : public testing::Test {
 protected:
  DeviceFixture() : Scope(Platform), Form(MakeForm<TKarvanForm>()), View(Platform.Device(*Form)) {}
  ~DeviceFixture() override { Platform.ReleaseDevice(); }

  void MoveTo(int X, int Y) {
    QMouseEvent Event(QEvent::MouseMove, QPointF(X, Y), QPointF(X, Y), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&View, &Event);
  }

  void Key(QEvent::Type Type, int QtKey, Qt::KeyboardModifiers Modifiers = Qt::NoModifier,
           bool AutoRepeat = false) {
    QKeyEvent Event(Type, QtKey, Modifiers, QString(), AutoRepeat);
    QCoreApplication::sendEvent(&View, &Event);
  }

  QtPlatform Platform;
  PlatformScope Scope;
  std::unique_ptr<TKarvanForm> Form;
  DeviceWidget& View;
};

}  // namespace karvan::desktop::test
