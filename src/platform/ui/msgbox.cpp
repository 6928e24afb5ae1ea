#include "platform/ui/msgbox.h"

#include "platform/ui/dialogscript.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace veltra::ui {

namespace {

QString captionOf(int result)
{
    switch (result) {
    case vbOK:
        return QStringLiteral("OK");
    case vbCancel:
        return QStringLiteral("キャンセル");
    case vbAbort:
        return QStringLiteral("中止(&A)");
    case vbRetry:
        return QStringLiteral("再試行(&R)");
    case vbIgnore:
        return QStringLiteral("無視(&I)");
    case vbYes:
        return QStringLiteral("はい(&Y)");
    case vbNo:
        return QStringLiteral("いいえ(&N)");
    }
    return {};
}

QMessageBox::ButtonRole roleOf(int result)
{
    switch (result) {
    case vbOK:
    case vbYes:
    case vbRetry:
        return QMessageBox::AcceptRole;
    case vbCancel:
    case vbAbort:
        return QMessageBox::RejectRole;
    case vbNo:
        return QMessageBox::NoRole;
    default:
        return QMessageBox::ActionRole;
    }
}

// The result of closing the box without a button (Esc, the close box).
int escapeResult(int buttons)
{
    const QList<int> results = msgBoxResults(buttons);
    if (results.contains(vbCancel))
        return vbCancel;
    if (results.size() == 1)
        return results.front();
    return -1; // Yes/No and Abort/Retry/Ignore boxes cannot be closed so
}

QString titleOr(const QString &title)
{
    return title.isEmpty() ? QCoreApplication::applicationName() : title;
}

} // namespace

QList<int> msgBoxResults(int buttons)
{
    switch (buttons & 0x0F) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

int msgBoxDefaultResult(int buttons)
{
    const QList<int> results = msgBoxResults(buttons);
    const int index = (buttons & 0xF00) / 256;
    return index < results.size() ? results[index] : results.front();
}

int MsgBox(const QString &prompt, int buttons, const QString &title)
{
    DialogRequest request;
    request.kind = DialogKind::MessageBox;
    request.prompt = prompt;
    request.title = titleOr(title);
    request.buttons = buttons;
    if (DialogScript *script = DialogScript::current()) {
        const auto answer = script->take(request);
        if (!answer)
            return msgBoxDefaultResult(buttons);
        if (answer->cancelled) {
            const int esc = escapeResult(buttons);
            return esc > 0 ? esc : msgBoxDefaultResult(buttons);
        }
        return answer->button;
    }
    if (isHeadless()) {
        qWarning("MsgBox answered without a window (headless): %s", qPrintable(prompt));
        return msgBoxDefaultResult(buttons);
    }

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setText(prompt);
    switch (buttons & 0x70) {
    case vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    const QList<int> results = msgBoxResults(buttons);
    QList<QPushButton *> pushButtons;
    for (int r : results)
        pushButtons << box.addButton(captionOf(r), roleOf(r));
    const int defaultResult = msgBoxDefaultResult(buttons);
    box.setDefaultButton(pushButtons[results.indexOf(defaultResult)]);
    const int esc = escapeResult(buttons);
    if (esc > 0)
        box.setEscapeButton(pushButtons[results.indexOf(esc)]);
    box.exec();
    const int clicked = pushButtons.indexOf(static_cast<QPushButton *>(box.clickedButton()));
    if (clicked >= 0)
        return results[clicked];
    return esc > 0 ? esc : defaultResult;
}

QString InputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    DialogRequest request;
    request.kind = DialogKind::InputBox;
    request.prompt = prompt;
    request.title = titleOr(title);
    request.defaultText = defaultText;
    if (DialogScript *script = DialogScript::current()) {
        const auto answer = script->take(request);
        if (!answer)
            return defaultText;
        return answer->cancelled ? QString() : answer->text;
    }
    if (isHeadless()) {
        qWarning("InputBox answered without a window (headless): %s", qPrintable(prompt));
        return defaultText;
    }
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

} // namespace veltra::ui
