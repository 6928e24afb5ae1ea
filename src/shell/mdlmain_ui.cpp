#include "shell/mdlmain_ui.h"

#include "shell/frmmain.h"
#include "shell/globals.h"
#include "shell/stringtable.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTreeWidget>
#include <QVariant>
#include <QWidget>
#include <optional>

using veltra::shell::loadResString;
using veltra::shell::uiLanguage;

namespace {

// The whole text read as a string number (VB's conversion of a caption).
std::optional<int> wholeNumber(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// The number at the start of the text, 0 when there is none.
int leadingNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128)
        ++i;
    return i == 0 ? 0 : text.left(i).toInt();
}

std::optional<QString> entry(std::optional<int> id)
{
    if (!id)
        return std::nullopt;
    return loadResString(*id, uiLanguage());
}

QString tagOf(const QObject &object)
{
    return object.property("Tag").toString();
}

void setCaption(QWidget &widget, const QString &text)
{
    if (widget.metaObject()->indexOfProperty("text") >= 0)
        widget.setProperty("text", text);
    else if (widget.metaObject()->indexOfProperty("title") >= 0)
        widget.setProperty("title", text);
}

void localizeAction(QAction &action)
{
    if (const auto text = entry(wholeNumber(action.text())))
        action.setText(*text);
    if (const auto tip = entry(wholeNumber(action.toolTip())))
        action.setToolTip(*tip);
}

void localizeWidget(QWidget &w)
{
    if (auto *label = qobject_cast<QLabel *>(&w)) {
        if (const auto text = entry(wholeNumber(tagOf(*label))))
            label->setText(*text);
        return;
    }
    if (auto *tabs = qobject_cast<QTabBar *>(&w)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (const auto text = entry(wholeNumber(tabs->tabData(i).toString())))
                tabs->setTabText(i, *text);
            if (const auto tip = entry(wholeNumber(tabs->tabToolTip(i))))
                tabs->setTabToolTip(i, *tip);
        }
        return;
    }
    if (auto *tree = qobject_cast<QTreeWidget *>(&w)) {
        QTreeWidgetItem *header = tree->headerItem();
        for (int c = 0; header && c < header->columnCount(); ++c) {
            if (const auto text = entry(wholeNumber(header->data(c, Qt::UserRole).toString())))
                header->setText(c, *text);
        }
        return;
    }
    if (qobject_cast<QMenu *>(&w))
        return; // menus are localised through their actions
    if (const int n = leadingNumber(tagOf(w)); n > 0) {
        if (const auto text = loadResString(n, uiLanguage()))
            setCaption(w, *text);
    }
    if (const int n = leadingNumber(w.toolTip()); n > 0) {
        if (const auto tip = loadResString(n, uiLanguage()))
            w.setToolTip(*tip);
    }
}

} // namespace

namespace mdlMain {

void LocalizeForm(QWidget &form)
{
    if (const auto caption = entry(wholeNumber(tagOf(form))))
        form.setWindowTitle(*caption);
    // Entries 20 and 21 (font name and size) are looked up; the table holds
    // neither, so the window keeps its design font.
    if (const auto name = loadResString(20, uiLanguage())) {
        QFont font = form.font();
        font.setFamily(*name);
        form.setFont(font);
    }
    if (const auto size = entry(21)) {
        bool ok = false;
        const double points = size->toDouble(&ok);
        if (ok && points > 0) {
            QFont font = form.font();
            font.setPointSizeF(points);
            form.setFont(font);
        }
    }
    for (QWidget *w : form.findChildren<QWidget *>())
        localizeWidget(*w);
    for (QAction *a : form.findChildren<QAction *>())
        localizeAction(*a);
}

bool SetStatusText(std::int16_t index, const QString &text)
{
    return gfrmMain && gfrmMain->setStatusPanelText(index, text);
}

QString ConvEngineString(const QString &text)
{
    return text;
}

} // namespace mdlMain
