#include "app/uisetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTranslator>

namespace veltra::app {

bool installJapaneseTranslations()
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // "qt" is the catalogue of all Qt modules and pulls in "qtbase"; qtbase
    // alone holds the texts of the widgets and dialogs the program shows.
    for (const char *catalogue : {"qt", "qtbase"}) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(japanese, QLatin1String(catalogue), QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator)) {
            return true;
        }
        delete translator;
    }
    return false;
}

QIcon programIcon()
{
    QSvgRenderer renderer(QStringLiteral(":/veltra/app/veltra.svg"));
    QIcon icon;
    if (!renderer.isValid())
        return icon;
    // Drawn at each size, so no size is a blurred scaling of another.
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void setUpUserInterface()
{
    installJapaneseTranslations();
    QApplication::setWindowIcon(programIcon());
}

} // namespace veltra::app
