#pragma once
// The common dialogs: open file, save file, browse for folder and colour.
//
// Each returns the user's choice or, when the user cancels, an empty text
// (nullopt for the colour). Filters use Qt's form "desc (*.a *.b);;desc (*.c)".
// All go through the test hook of dialogscript.h, so tests script them.
#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace veltra::ui {

QString getOpenFileName(QWidget *owner, const QString &title, const QString &filter, const QString &folder,
    const QString &fileName = QString());

// The save dialog asks before replacing an existing file.
QString getSaveFileName(QWidget *owner, const QString &title, const QString &filter, const QString &folder,
    const QString &fileName = QString());

QString getExistingFolder(QWidget *owner, const QString &title, const QString &startFolder);

// The colour dialog keeps the custom colours it is given and hands back the
// ones the user defined (customColours may be null). `place`, when given,
// receives the dialog's size as it is about to show and returns where its top
// left corner goes, in global pixels.
std::optional<QColor> getColour(QWidget *owner, const QColor &initial, QList<QColor> *customColours = nullptr,
    const std::function<QPoint(const QSize &dialogSize)> &place = {});

} // namespace veltra::ui
