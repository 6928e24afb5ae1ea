#pragma once
// The test hook of every message box, input box and common dialog.
//
// While a DialogScript object lives, no dialog is shown: each request is
// recorded (kind, prompt, title, buttons, default text, filter, start folder)
// and answered from the script's queue, in order. A request that finds the
// queue empty is counted in unanswered() and gets the answer of a user who
// just presses Enter or closes the dialog: a message box's default button, an
// input box's default text, a cancelled file, folder, colour or print dialog.
//
// Without a script, on a platform that cannot show windows to a person
// (offscreen, minimal), dialogs are answered the same way and a warning is
// logged, so nothing can block a headless run.
//
// Common use:
//   veltra::ui::DialogScript script;
//   script.answerButton(vbYes);
//   runTheCodeUnderTest();
//   EXPECT_EQ(script.requests().at(0).prompt, "…");
#include <QColor>
#include <QList>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace veltra::ui {

enum class DialogKind { MessageBox, InputBox, OpenFile, SaveFile, BrowseFolder, Colour, Print };

struct DialogRequest
{
    DialogKind kind = DialogKind::MessageBox;
    QString prompt; // message text, input-box prompt
    QString title;
    int buttons = 0; // MsgBox button, icon and default-button flags
    QString defaultText; // input-box default, initial file name
    QString filter; // file dialogs, in Qt's "desc (*.x);;desc (*.y)" form
    QString folder; // start folder of file and folder dialogs
    QColor colour; // initial colour of the colour dialog
    QList<QColor> customColours; // custom colours the colour dialog offers
};

struct DialogAnswer
{
    bool cancelled = false;
    int button = 0; // MsgBox result (vbOK, vbYes, …)
    QString text; // input text, chosen file or folder
    QColor colour;
    QList<QColor> customColours; // colour dialog: the user's custom colours (empty: unchanged)
    bool pdfPrinter = false; // print dialog: print to the PDF file `text`
};

class DialogScript
{
public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript &) = delete;
    DialogScript &operator=(const DialogScript &) = delete;

    // Queue the next answers.
    void answerButton(int vbResult);
    void answerText(const QString &text); // input box text, file path or folder
    void answerColour(const QColor &colour, const QList<QColor> &customColours = {});
    // The print dialog: a PDF printer that writes `file` becomes the choice.
    void answerPdfPrinter(const QString &file);
    // The print dialog closed with OK and the printer left as it was.
    void answerPrintUnchanged();
    void answerCancel();

    const std::vector<DialogRequest> &requests() const { return m_requests; }
    int unanswered() const { return m_unanswered; }
    int pending() const { return static_cast<int>(m_answers.size()); }

    // The script in force, or nullptr. Used by the dialog functions.
    static DialogScript *current();
    // Records the request and takes the next queued answer (nullopt when none).
    std::optional<DialogAnswer> take(const DialogRequest &request);

private:
    std::vector<DialogRequest> m_requests;
    std::deque<DialogAnswer> m_answers;
    int m_unanswered = 0;
    DialogScript *m_previous = nullptr;
};

// True when no person can answer a dialog (offscreen or minimal platform).
bool isHeadless();

} // namespace veltra::ui
