#include "renderchecker.h"

#include <QDir>
#include <QFileInfo>
#include <cstdlib>

namespace zorvik::test {

namespace {
QString controlFolder()
{
    // The shared test main sets VELTRA_FIXTURES.
    return qEnvironmentVariable("VELTRA_FIXTURES") + QStringLiteral("/render/");
}
} // namespace

::testing::AssertionResult matchesControl(
    const QImage &actual, const QString &name, int tolerance, int allowedMismatches)
{
    const QString controlPath = controlFolder() + name + QStringLiteral(".png");
    const QImage image = actual.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariable("VELTRA_UPDATE_CONTROL_IMAGES") == QLatin1String("1")) {
        QDir().mkpath(controlFolder());
        if (!image.save(controlPath, "PNG"))
            return ::testing::AssertionFailure() << "cannot write " << controlPath.toStdString();
        return ::testing::AssertionSuccess() << "control written";
    }
    const QImage control = QImage(controlPath).convertToFormat(QImage::Format_RGB32);
    if (control.isNull())
        return ::testing::AssertionFailure() << "missing control picture " << controlPath.toStdString()
                                             << " (VELTRA_UPDATE_CONTROL_IMAGES=1 writes it)";
    if (control.size() != image.size())
        return ::testing::AssertionFailure()
            << "size " << image.width() << "x" << image.height() << " differs from the control's "
            << control.width() << "x" << control.height();
    QImage diff(image.size(), QImage::Format_RGB32);
    diff.fill(Qt::white);
    int mismatches = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y), c = control.pixel(x, y);
            const int d = std::max({std::abs(qRed(a) - qRed(c)), std::abs(qGreen(a) - qGreen(c)),
                std::abs(qBlue(a) - qBlue(c))});
            if (d > tolerance) {
                ++mismatches;
                diff.setPixel(x, y, qRgb(255, 0, 0));
            }
        }
    if (mismatches <= allowedMismatches)
        return ::testing::AssertionSuccess();
    const QString actualPath = QDir::current().absoluteFilePath(name + QStringLiteral("_actual.png"));
    const QString diffPath = QDir::current().absoluteFilePath(name + QStringLiteral("_diff.png"));
    image.save(actualPath, "PNG");
    diff.save(diffPath, "PNG");
    return ::testing::AssertionFailure()
        << mismatches << " pixels differ from " << controlPath.toStdString() << " (allowed "
        << allowedMismatches << "); actual: " << actualPath.toStdString()
        << ", difference: " << diffPath.toStdString();
}

} // namespace zorvik::test
