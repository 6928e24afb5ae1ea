#include "platform/ui/filedialogs.h"

#include "platform/ui/dialogscript.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>

namespace veltra::ui {

namespace {

// The hook's answer for a text dialog, or nullopt when the real dialog is to
// be shown. A missing answer or a headless run gives the cancelled result.
std::optional<QString> scriptedText(const DialogRequest &request)
{
    if (DialogScript *script = DialogScript::current()) {
        const auto answer = script->take(request);
        if (!answer || answer->cancelled)
            return QString();
        return answer->text;
    }
    if (isHeadless()) {
        qWarning("File dialog cancelled without a window (headless): %s", qPrintable(request.title));
        return QString();
    }
    return std::nullopt;
}

DialogRequest fileRequest(DialogKind kind, const QString &title, const QString &filter, const QString &folder,
    const QString &fileName)
{
    DialogRequest r;
    r.kind = kind;
    r.title = title;
    r.filter = filter;
    r.folder = folder;
    r.defaultText = fileName;
    return r;
}

QString startPath(const QString &folder, const QString &fileName)
{
    if (fileName.isEmpty())
        return folder;
    return folder.isEmpty() ? fileName : QDir(folder).filePath(fileName);
}

} // namespace

QString getOpenFileName(QWidget *owner, const QString &title, const QString &filter, const QString &folder,
    const QString &fileName)
{
    if (auto s = scriptedText(fileRequest(DialogKind::OpenFile, title, filter, folder, fileName)))
        return *s;
    return QFileDialog::getOpenFileName(owner, title, startPath(folder, fileName), filter);
}

QString getSaveFileName(QWidget *owner, const QString &title, const QString &filter, const QString &folder,
    const QString &fileName)
{
    if (auto s = scriptedText(fileRequest(DialogKind::SaveFile, title, filter, folder, fileName)))
        return *s;
    return QFileDialog::getSaveFileName(owner, title, startPath(folder, fileName), filter);
}

QString getExistingFolder(QWidget *owner, const QString &title, const QString &startFolder)
{
    if (auto s
        = scriptedText(fileRequest(DialogKind::BrowseFolder, title, QString(), startFolder, QString())))
        return *s;
    return QFileDialog::getExistingDirectory(owner, title, startFolder);
}

std::optional<QColor> getColour(QWidget *owner, const QColor &initial, QList<QColor> *customColours,
    const std::function<QPoint(const QSize &dialogSize)> &place)
{
    DialogRequest request;
    request.kind = DialogKind::Colour;
    request.colour = initial;
    if (customColours)
        request.customColours = *customColours;
    if (DialogScript *script = DialogScript::current()) {
        const auto answer = script->take(request);
        if (answer && customColours && !answer->customColours.isEmpty())
            *customColours = answer->customColours;
        if (!answer || answer->cancelled || !answer->colour.isValid())
            return std::nullopt;
        return answer->colour;
    }
    if (isHeadless()) {
        qWarning("Colour dialog cancelled without a window (headless)");
        return std::nullopt;
    }
    if (customColours) {
        for (int i = 0; i < customColours->size() && i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, customColours->at(i));
    }
    QColorDialog dialog(initial, owner);
    if (place) {
        // A native dialog cannot be moved from here.
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        dialog.adjustSize();
        dialog.move(place(dialog.size()));
    }
    const bool chosen = dialog.exec() == QDialog::Accepted;
    if (customColours) {
        customColours->clear();
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            customColours->append(QColorDialog::customColor(i));
    }
    if (!chosen || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}

} // namespace veltra::ui
