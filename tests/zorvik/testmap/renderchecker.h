#pragma once
// Compares a rendered picture with a small control PNG kept under
// tests/fixtures/render/, with a per-channel colour tolerance and an allowed
// count of mismatching pixels. A missing control is a failure; controls are
// written only when VELTRA_UPDATE_CONTROL_IMAGES=1. On a mismatch the actual
// picture and a difference picture go to the current (build) folder and their
// paths are part of the failure message.
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace zorvik::test {

::testing::AssertionResult matchesControl(
    const QImage &actual, const QString &name, int tolerance = 16, int allowedMismatches = 20);

} // namespace zorvik::test
